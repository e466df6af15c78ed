// Late-bound COM: start COM for a thread, create an object by programmatic identifier and
// drive it by name through IDispatch (get and put properties, call methods with VARIANT
// arguments). Owners for IDispatch pointers, VARIANTs and BSTRs release what they hold.
// Texts crossing this layer are code page 936 byte strings.
#pragma once
#include <windows.h>
#include <oaidl.h>

#include <initializer_list>
#include <string>

namespace tunelark::com {

// CoInitialize(NULL) for the calling thread; CoUninitialize on destruction only when the
// start succeeded (S_OK or S_FALSE).
class ComInit {
 public:
  ComInit();
  ~ComInit();
  ComInit(ComInit&& other) noexcept;
  ComInit& operator=(ComInit&& other) noexcept;
  ComInit(const ComInit&) = delete;
  ComInit& operator=(const ComInit&) = delete;
  bool ok() const { return started_; }

 private:
  bool started_ = false;
};

// An owned BSTR (SysFreeString).
class Bstr {
 public:
  Bstr() = default;
  explicit Bstr(const std::wstring& text);
  Bstr(const wchar_t* text, size_t length);
  ~Bstr();
  Bstr(Bstr&& other) noexcept;
  Bstr& operator=(Bstr&& other) noexcept;
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;

  // Whole text (embedded zero bytes included) converted from code page 936.
  static Bstr FromGbk(const std::string& text);
  BSTR get() const { return bstr_; }
  BSTR release();
  size_t length() const;
  std::wstring wide() const;

 private:
  BSTR bstr_ = nullptr;
};

// An owned VARIANT (VariantClear). Copies are deep (VariantCopy).
class Dispatch;
class Variant {
 public:
  Variant();
  ~Variant();
  Variant(const Variant& other);
  Variant& operator=(const Variant& other);
  Variant(Variant&& other) noexcept;
  Variant& operator=(Variant&& other) noexcept;

  static Variant Text(const std::string& gbk);
  static Variant Wide(const std::wstring& text);
  static Variant Adopt(Bstr&& text);
  static Variant Int(long value);
  static Variant Bool(bool value);
  static Variant Double(double value);

  VARIANT* get() { return &v_; }
  const VARIANT& ref() const { return v_; }
  VARTYPE type() const { return v_.vt; }
  bool IsEmptyOrNull() const { return v_.vt == VT_EMPTY || v_.vt == VT_NULL; }
  void Clear();

  // Conversions with the script's sense: strings as code page 936 text, numbers in
  // invariant decimal form, booleans as true/false, empty, null and objects as "".
  std::string ToText() const;
  std::wstring ToWide() const;
  double ToDouble() const;  // 0 when not convertible
  long ToLong() const;      // 0 when not convertible
  bool ToBool() const;      // false when not convertible
  Dispatch ToDispatch() const;  // empty unless the value holds an object

 private:
  VARIANT v_;
};

// An owned IDispatch reference. Every call reports success; failures (missing member,
// script error, wrong arguments) leave the result empty and never raise.
class Dispatch {
 public:
  Dispatch() = default;
  explicit Dispatch(IDispatch* adopt) : p_(adopt) {}
  ~Dispatch();
  Dispatch(Dispatch&& other) noexcept;
  Dispatch& operator=(Dispatch&& other) noexcept;
  Dispatch(const Dispatch&) = delete;
  Dispatch& operator=(const Dispatch&) = delete;

  // A new object of the class named by progId (in-process or local server); empty on failure.
  static Dispatch Create(const wchar_t* progId);
  // A second reference to the same object (AddRef).
  Dispatch Share() const;

  explicit operator bool() const { return p_ != nullptr; }
  IDispatch* get() const { return p_; }
  void Reset();

  // Property get (with optional index arguments), property put, method call. Arguments
  // are given in their natural order.
  bool Get(const wchar_t* name, Variant* result, std::initializer_list<const Variant*> args = {}) const;
  bool Put(const wchar_t* name, const Variant& value) const;
  bool Call(const wchar_t* name, std::initializer_list<const Variant*> args = {}, Variant* result = nullptr) const;

  // Description of the last failed call (script error text, or a hexadecimal HRESULT).
  const std::wstring& LastError() const { return lastError_; }

 private:
  bool Invoke(const wchar_t* name, WORD flags, std::initializer_list<const Variant*> args, Variant* result,
              bool namedPut) const;

  IDispatch* p_ = nullptr;
  mutable std::wstring lastError_;
};

}  // namespace tunelark::com
