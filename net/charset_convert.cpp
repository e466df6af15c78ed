#include "net/charset_convert.h"

#include <windows.h>
#include <mlang.h>
#include <oleauto.h>

#include <cstring>

#include "base/code_page.h"
#include "text/com_dispatch.h"
#include "text/com_imports.h"
#include "text/regex_matcher.h"

namespace tunelark {
namespace {

// IMultiLanguage2; the import library carries only the class identifier.
constexpr IID kIidMultiLanguage2 = {0xDCCFC164, 0x2B38, 0x11D2, {0xB7, 0xEC, 0x00, 0xC0, 0x4F, 0x8F, 0x5D, 0x9A}};

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

// A new MLang object, empty when the platform has none.
com::ComPtr<IMultiLanguage2> NewMLang() {
  IMultiLanguage2* mlang = nullptr;
  if (FAILED(ole::CoCreateInstance(CLSID_CMultiLanguage, nullptr, CLSCTX_INPROC_SERVER, kIidMultiLanguage2,
                                   reinterpret_cast<void**>(&mlang)))) {
    return {};
  }
  return com::ComPtr<IMultiLanguage2>(mlang);
}

// The bytes in MLang's own converter (code pages the system converter does not know, such
// as ISO-2022); false when it cannot convert them.
bool MLangToWide(IMultiLanguage2* mlang, UINT codePage, const ByteArray& bytes, std::wstring& wide) {
  const auto source = reinterpret_cast<CHAR*>(const_cast<unsigned char*>(bytes.data()));
  DWORD mode = 0;
  UINT inSize = static_cast<UINT>(bytes.size()), outSize = 0;
  if (mlang->ConvertStringToUnicode(&mode, codePage, source, &inSize, nullptr, &outSize) != S_OK || outSize == 0)
    return false;
  wide.resize(outSize);
  mode = 0;
  inSize = static_cast<UINT>(bytes.size());
  if (mlang->ConvertStringToUnicode(&mode, codePage, source, &inSize, wide.data(), &outSize) != S_OK) return false;
  wide.resize(outSize);
  return true;
}

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
            stream.Call(L"Open") && stream.Call(L"Write", {&data}) && stream.Put(L"Position", com::Variant::Int(0)) &&
            stream.Put(L"Type", com::Variant::Int(2)) && stream.Put(L"Charset", com::Variant::Text(charset)) &&
            stream.Call(L"ReadText", {}, &result);
  stream.Call(L"Close");
  if (!ok) return false;
  text = WideToGbk(result.ToWide());
  return true;
}

bool ConvertWithMLang(const ByteArray& bytes, const std::string& charset, std::string& text) {
  com::ComInit com;
  com::ComPtr<IMultiLanguage2> mlang = NewMLang();
  if (!mlang) return false;
  com::Bstr name = com::Bstr::FromGbk(charset);
  MIMECSETINFO info{};
  if (FAILED(mlang.get()->GetCharsetInfo(name.get(), &info))) return false;
  const UINT codePage = info.uiInternetEncoding;
  if (bytes.empty()) {
    text.clear();
    return true;
  }
  std::wstring wide = DecodeText(AsText(bytes), codePage);
  if (wide.empty() && !MLangToWide(mlang.get(), codePage, bytes, wide)) return false;
  // A byte-order mark is not part of the text (the stream drops it as well).
  const size_t start = !wide.empty() && wide[0] == 0xFEFF ? 1 : 0;
  text = WideToGbk(std::wstring_view(wide).substr(start));
  return true;
}

bool ConvertToGbk(const ByteArray& bytes, const std::string& charset, std::string& text) {
  if (charset.empty()) return false;
  // Under Wine the stream object is created but none of its calls work (no type library).
  return ConvertWithAdodbStream(bytes, charset, text) || ConvertWithMLang(bytes, charset, text);
}

}  // namespace tunelark
