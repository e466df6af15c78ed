#include "net/charset_convert.h"

#include <windows.h>
#include <mlang.h>
#include <oleauto.h>

#include <cstring>

#include "net/text_utils.h"
#include "text/com_dispatch.h"
#include "text/regex_matcher.h"

namespace tunelark {
namespace {

// IMultiLanguage2; the import library carries only the class identifier.
constexpr IID kIidMultiLanguage2 = {0xDCCFC164, 0x2B38, 0x11D2, {0xB7, 0xEC, 0x00, 0xC0, 0x4F, 0x8F, 0x5D, 0x9A}};

// Code page 936 text up to the first zero character.
std::string GbkFromWide(const wchar_t* text, size_t length) {
  if (length == 0) return {};
  int size = WideCharToMultiByte(936, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
  if (size <= 0) return {};
  std::string out(size, '\0');
  WideCharToMultiByte(936, 0, text, static_cast<int>(length), out.data(), size, nullptr, nullptr);
  out.resize(strnlen(out.c_str(), out.size()));
  return out;
}

// A VARIANT holding the bytes as a one-dimensional array of VT_UI1 (what "Write" takes).
bool ByteArrayVariant(const ByteArray& bytes, com::Variant& out) {
  SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
  if (!array) return false;
  if (!bytes.empty()) {
    void* data = nullptr;
    if (FAILED(SafeArrayAccessData(array, &data))) {
      SafeArrayDestroy(array);
      return false;
    }
    memcpy(data, bytes.data(), bytes.size());
    SafeArrayUnaccessData(array);
  }
  out.Clear();
  out.get()->vt = VT_ARRAY | VT_UI1;
  out.get()->parray = array;
  return true;
}

// An owned COM interface pointer.
template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() {
    if (p_) p_->Release();
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  T** out() { return &p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }

 private:
  T* p_ = nullptr;
};

}  // namespace

std::string DeclaredCharset(const std::string& text) {
  RegexMatcher matcher;
  if (!matcher.Create("<meta.+?charset=[^\\w]?([-\\w]+)", text) || matcher.Count() < 1) return {};
  return matcher.SubMatchText(1, 1);
}

bool ConvertWithAdodbStream(const ByteArray& bytes, const std::string& charset, std::string& text) {
  com::ComInit com;
  com::Dispatch stream = com::Dispatch::Create(L"Adodb.Stream");
  if (!stream) return false;
  com::Variant data;
  if (!ByteArrayVariant(bytes, data)) return false;
  com::Variant result;
  bool ok = stream.Put(L"Type", com::Variant::Int(1)) && stream.Put(L"Mode", com::Variant::Int(3)) &&
            stream.Call(L"Open") && stream.Call(L"Write", {&data}) &&
            stream.Put(L"Position", com::Variant::Int(0)) && stream.Put(L"Type", com::Variant::Int(2)) &&
            stream.Put(L"Charset", com::Variant::Text(charset)) && stream.Call(L"ReadText", {}, &result);
  stream.Call(L"Close");
  if (!ok) return false;
  std::wstring wide = result.ToWide();
  text = GbkFromWide(wide.data(), wide.size());
  return true;
}

bool ConvertWithMLang(const ByteArray& bytes, const std::string& charset, std::string& text) {
  com::ComInit com;
  ComPtr<IMultiLanguage2> mlang;
  if (FAILED(CoCreateInstance(CLSID_CMultiLanguage, nullptr, CLSCTX_INPROC_SERVER, kIidMultiLanguage2,
                              reinterpret_cast<void**>(mlang.out())))) {
    return false;
  }
  com::Bstr name = com::Bstr::FromGbk(charset);
  MIMECSETINFO info{};
  if (FAILED(mlang->GetCharsetInfo(name.get(), &info))) return false;
  const UINT codePage = info.uiInternetEncoding;
  if (bytes.empty()) {
    text.clear();
    return true;
  }
  const char* source = reinterpret_cast<const char*>(bytes.data());
  const int sourceSize = static_cast<int>(bytes.size());
  std::wstring wide;
  int size = MultiByteToWideChar(codePage, 0, source, sourceSize, nullptr, 0);
  if (size > 0) {
    wide.resize(size);
    MultiByteToWideChar(codePage, 0, source, sourceSize, wide.data(), size);
  } else {
    // Code pages the system converter does not know (ISO-2022 and the like): MLang's own.
    DWORD mode = 0;
    UINT inSize = static_cast<UINT>(sourceSize), outSize = 0;
    if (mlang->ConvertStringToUnicode(&mode, codePage, const_cast<CHAR*>(source), &inSize, nullptr, &outSize) != S_OK ||
        outSize == 0) {
      return false;
    }
    wide.resize(outSize);
    mode = 0;
    inSize = static_cast<UINT>(sourceSize);
    if (mlang->ConvertStringToUnicode(&mode, codePage, const_cast<CHAR*>(source), &inSize, wide.data(), &outSize) !=
        S_OK) {
      return false;
    }
    wide.resize(outSize);
  }
  // A byte-order mark is not part of the text (the stream drops it as well).
  size_t start = !wide.empty() && wide[0] == 0xFEFF ? 1 : 0;
  text = GbkFromWide(wide.data() + start, wide.size() - start);
  return true;
}

bool ConvertToGbk(const ByteArray& bytes, const std::string& charset, std::string& text) {
  if (charset.empty()) return false;
  // Under Wine the stream object is created but none of its calls work (no type library).
  return ConvertWithAdodbStream(bytes, charset, text) || ConvertWithMLang(bytes, charset, text);
}

}  // namespace tunelark
