#include "base/code_page.h"

#include <windows.h>

#include <climits>

namespace tunelark {

std::wstring DecodeText(std::string_view bytes, unsigned codePage) {
  if (bytes.empty() || bytes.size() > INT_MAX) return {};
  const int length = static_cast<int>(bytes.size());
  const int n = MultiByteToWideChar(codePage, 0, bytes.data(), length, nullptr, 0);
  if (n <= 0) return {};
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), length, wide.data(), n);
  return wide;
}

std::string EncodeText(std::wstring_view text, unsigned codePage) {
  if (text.empty() || text.size() > INT_MAX) return {};
  const int length = static_cast<int>(text.size());
  const int n = WideCharToMultiByte(codePage, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return {};
  std::string bytes(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(codePage, 0, text.data(), length, bytes.data(), n, nullptr, nullptr);
  return bytes;
}

std::string Utf8ToGbk(std::string_view utf8) { return EncodeText(DecodeText(utf8, kUtf8CodePage)); }

std::string_view UpToZero(std::string_view text) { return text.substr(0, text.find('\0')); }

std::wstring_view UpToZero(std::wstring_view text) { return text.substr(0, text.find(L'\0')); }

std::wstring GbkToWide(std::string_view text) { return DecodeText(UpToZero(text)); }

std::string WideToGbk(std::wstring_view text) { return EncodeText(UpToZero(text)); }

std::string GbkToUtf8(std::string_view text) { return EncodeText(GbkToWide(text), kUtf8CodePage); }

std::string Utf8ToGbkText(const ByteArray& utf8) { return std::string(UpToZero(Utf8ToGbk(AsText(utf8)))); }

}  // namespace tunelark
