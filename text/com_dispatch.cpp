#include "text/com_dispatch.h"

#include <objbase.h>
#include <oleauto.h>

#include "text/com_imports.h"

#include <cstdio>
#include <utility>
#include <vector>

#include "base/code_page.h"

namespace tunelark::com {

namespace {

constexpr LCID kInvariantLcid = 0x0409;  // decimal point, no grouping

std::wstring HresultText(HRESULT hr) {
  wchar_t buffer[32];
  std::swprintf(buffer, 32, L"HRESULT 0x%08lX", static_cast<unsigned long>(hr));
  return buffer;
}

// Frees the strings an exception report carries and keeps its description.
std::wstring TakeException(EXCEPINFO& info) {
  if (info.pfnDeferredFillIn) info.pfnDeferredFillIn(&info);
  std::wstring text = info.bstrDescription ? std::wstring(info.bstrDescription, ole::SysStringLen(info.bstrDescription))
                                           : HresultText(info.scode ? info.scode : info.wCode);
  ole::SysFreeString(info.bstrSource);
  ole::SysFreeString(info.bstrDescription);
  ole::SysFreeString(info.bstrHelpFile);
  info = EXCEPINFO{};
  return text;
}

}  // namespace

// ---- ComInit

void EndCom::operator()(bool started) const {
  if (started) ole::CoUninitialize();
}

ComInit::ComInit() : UniqueHandle(SUCCEEDED(ole::CoInitialize(nullptr))) {}

// ---- Bstr

void FreeBstr::operator()(BSTR text) const { ole::SysFreeString(text); }

Bstr::Bstr(std::wstring_view text)
    : UniqueHandle(ole::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}

Bstr Bstr::FromGbk(const std::string& text) { return Bstr(DecodeText(text)); }

size_t Bstr::length() const { return get() ? ole::SysStringLen(get()) : 0; }

std::wstring Bstr::wide() const { return get() ? std::wstring(get(), length()) : std::wstring(); }

// ---- Variant

Variant::Variant() { ole::VariantInit(&v_); }

Variant::~Variant() { ole::VariantClear(&v_); }

Variant::Variant(const Variant& other) {
  ole::VariantInit(&v_);
  ole::VariantCopy(&v_, const_cast<VARIANT*>(&other.v_));
}

Variant& Variant::operator=(const Variant& other) {
  if (this != &other) {
    ole::VariantClear(&v_);
    ole::VariantCopy(&v_, const_cast<VARIANT*>(&other.v_));
  }
  return *this;
}

Variant::Variant(Variant&& other) noexcept {
  v_ = other.v_;  // bitwise move: ownership passes over
  ole::VariantInit(&other.v_);
}

Variant& Variant::operator=(Variant&& other) noexcept {
  if (this != &other) {
    ole::VariantClear(&v_);
    v_ = other.v_;
    ole::VariantInit(&other.v_);
  }
  return *this;
}

void Variant::Clear() { ole::VariantClear(&v_); }

Variant Variant::Text(const std::string& gbk) { return Adopt(Bstr::FromGbk(gbk)); }

Variant Variant::Wide(const std::wstring& text) { return Adopt(Bstr(text)); }

namespace {

// A new VARIANT of `type` whose value set() writes.
template <typename Set>
Variant Holding(VARTYPE type, Set set) {
  Variant out;
  out.get()->vt = type;
  set(*out.get());
  return out;
}

}  // namespace

Variant Variant::Adopt(Bstr&& text) {
  return Holding(VT_BSTR, [&](VARIANT& v) { v.bstrVal = text.release(); });
}

Variant Variant::Int(long value) {
  return Holding(VT_I4, [&](VARIANT& v) { v.lVal = value; });
}

Variant Variant::Bool(bool value) {
  return Holding(VT_BOOL, [&](VARIANT& v) { v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE; });
}

Variant Variant::Double(double value) {
  return Holding(VT_R8, [&](VARIANT& v) { v.dblVal = value; });
}

Variant Variant::As(VARTYPE type) const {
  Variant out;
  if (FAILED(ole::VariantChangeTypeEx(&out.v_, const_cast<VARIANT*>(&v_), kInvariantLcid, 0, type))) out.Clear();
  return out;
}

std::wstring Variant::ToWide() const {
  switch (v_.vt) {
    case VT_EMPTY:
    case VT_NULL:
    case VT_DISPATCH:
    case VT_UNKNOWN: return {};
    case VT_BSTR: return v_.bstrVal ? std::wstring(v_.bstrVal, ole::SysStringLen(v_.bstrVal)) : std::wstring();
    case VT_BOOL: return v_.boolVal ? L"true" : L"false";
    default: {
      const Variant text = As(VT_BSTR);
      return text.type() == VT_BSTR ? text.ToWide() : std::wstring();
    }
  }
}

std::string Variant::ToText() const { return EncodeText(ToWide()); }

double Variant::ToDouble() const {
  const Variant number = As(VT_R8);
  return number.type() == VT_R8 ? number.v_.dblVal : 0;
}

long Variant::ToLong() const {
  const Variant number = As(VT_I4);
  return number.type() == VT_I4 ? number.v_.lVal : 0;
}

bool Variant::ToBool() const {
  const Variant flag = As(VT_BOOL);
  return flag.type() == VT_BOOL && flag.v_.boolVal != VARIANT_FALSE;
}

Dispatch Variant::ToDispatch() const {
  IDispatch* p = nullptr;
  if (v_.vt == VT_DISPATCH)
    p = v_.pdispVal;
  else if (v_.vt == (VT_DISPATCH | VT_BYREF) && v_.ppdispVal)
    p = *v_.ppdispVal;
  if (p) p->AddRef();
  return Dispatch(p);
}

// ---- Dispatch

Dispatch Dispatch::Create(const wchar_t* progId) {
  CLSID clsid;
  if (FAILED(ole::CLSIDFromProgID(progId, &clsid))) return Dispatch();
  IDispatch* p = nullptr;
  if (FAILED(ole::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IDispatch,
                                   reinterpret_cast<void**>(&p))))
    return Dispatch();
  return Dispatch(p);
}

Dispatch Dispatch::Share() const {
  if (get()) get()->AddRef();
  return Dispatch(get());
}

bool Dispatch::Get(const wchar_t* name, Variant* result, std::initializer_list<const Variant*> args) const {
  return Invoke(name, DISPATCH_PROPERTYGET | DISPATCH_METHOD, args, result, false);
}

bool Dispatch::Read(const wchar_t* name, Variant* result) const {
  return Invoke(name, DISPATCH_PROPERTYGET, {}, result, false);
}

bool Dispatch::Put(const wchar_t* name, const Variant& value) const {
  return Invoke(name, DISPATCH_PROPERTYPUT, {&value}, nullptr, true);
}

bool Dispatch::Call(const wchar_t* name, std::initializer_list<const Variant*> args, Variant* result) const {
  return Invoke(name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, args, result, false);
}

bool Dispatch::Invoke(const wchar_t* name, WORD flags, std::initializer_list<const Variant*> args, Variant* result,
                      bool namedPut) const {
  if (result) result->Clear();
  IDispatch* const p = get();
  if (!p) {
    lastError_ = L"no object";
    return false;
  }
  DISPID id = DISPID_UNKNOWN;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  HRESULT hr = p->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(hr)) {
    lastError_ = L"unknown member " + std::wstring(name);
    return false;
  }
  // DISPPARAMS takes the arguments last one first; the VARIANTs are only read.
  std::vector<VARIANTARG> reversed;
  reversed.reserve(args.size());
  for (auto it = args.end(); it != args.begin();) {
    --it;
    reversed.push_back((*it)->ref());
  }
  DISPID putId = DISPID_PROPERTYPUT;
  DISPPARAMS params{};
  params.rgvarg = reversed.empty() ? nullptr : reversed.data();
  params.cArgs = static_cast<UINT>(reversed.size());
  if (namedPut) {
    params.rgdispidNamedArgs = &putId;
    params.cNamedArgs = 1;
  }
  EXCEPINFO info{};
  UINT argError = 0;
  hr = p->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result ? result->get() : nullptr, &info, &argError);
  if (hr == DISP_E_EXCEPTION) {
    lastError_ = TakeException(info);
    if (result) result->Clear();
    return false;
  }
  if (FAILED(hr)) {
    lastError_ = HresultText(hr);
    if (result) result->Clear();
    return false;
  }
  return true;
}

}  // namespace tunelark::com
