// Late-bound COM: start COM for a thread, create an object by programmatic identifier and
// drive it by name through IDispatch (get and put properties, call methods with VARIANT
// arguments). Interface pointers and BSTRs are owned by the one owner template
// (base/unique_handle.h); a VARIANT owner releases what it holds. Texts crossing this layer
// are code page 936 byte strings.
#pragma once
#include <windows.h>
#include <oaidl.h>

#include <initializer_list>
#include <string>
#include <string_view>

#include "base/unique_handle.h"

namespace tunelark::com {

struct ReleaseInterface {
  void operator()(IUnknown* p) const { p->Release(); }
};
// An owned reference to a COM interface.
template <typename T>
using ComPtr = UniqueHandle<T*, ReleaseInterface>;

struct FreeBstr {
  void operator()(BSTR text) const;
};

// CoInitialize(NULL) for the calling thread, held like a handle: CoUninitialize when the
// owner lets go, only when the start succeeded (S_OK or S_FALSE).
struct EndCom {
  void operator()(bool started) const;
};
class ComInit : public UniqueHandle<bool, EndCom> {
 public:
  ComInit();
  bool ok() const { return get(); }
};

// An owned BSTR (SysFreeString).
class Bstr : public UniqueHandle<BSTR, FreeBstr> {
 public:
  Bstr() = default;
  explicit Bstr(std::wstring_view text);

  // Whole text (embedded zero bytes included) converted from code page 936.
  static Bstr FromGbk(const std::string& text);
  size_t length() const;
  std::wstring wide() const;
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
  double ToDouble() const;      // 0 when not convertible
  long ToLong() const;          // 0 when not convertible
  bool ToBool() const;          // false when not convertible
  Dispatch ToDispatch() const;  // empty unless the value holds an object

 private:
  // The value changed to `type` (invariant locale); empty when it cannot be.
  Variant As(VARTYPE type) const;

  VARIANT v_;
};

// An owned IDispatch reference. Every call reports success; failures (missing member,
// script error, wrong arguments) leave the result empty and never raise.
class Dispatch : public ComPtr<IDispatch> {
 public:
  Dispatch() = default;
  explicit Dispatch(IDispatch* adopt) : UniqueHandle(adopt) {}

  // A new object of the class named by progId (in-process or local server); empty on failure.
  static Dispatch Create(const wchar_t* progId);
  // A second reference to the same object (AddRef).
  Dispatch Share() const;

  // Property get (with optional index arguments), property put, method call. Arguments
  // are given in their natural order.
  bool Get(const wchar_t* name, Variant* result, std::initializer_list<const Variant*> args = {}) const;
  bool Put(const wchar_t* name, const Variant& value) const;
  // A plain property read (DISPATCH_PROPERTYGET alone): a script engine's global object
  // refuses a read that may also be a call when the variable holds no function.
  bool Read(const wchar_t* name, Variant* result) const;
  bool Call(const wchar_t* name, std::initializer_list<const Variant*> args = {}, Variant* result = nullptr) const;

  // Description of the last failed call (script error text, or a hexadecimal HRESULT).
  const std::wstring& LastError() const { return lastError_; }

 private:
  bool Invoke(const wchar_t* name, WORD flags, std::initializer_list<const Variant*> args, Variant* result,
              bool namedPut) const;

  mutable std::wstring lastError_;
};

}  // namespace tunelark::com
