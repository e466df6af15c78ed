// Header, cookie, address and code-page text routines over code page 936 byte strings.
#include "net/text_utils.h"

#include <windows.h>

#include <climits>
#include <unordered_set>

#include "text/regex_matcher.h"

namespace tunelark {

namespace {

constexpr UINT kGbk = 936;
constexpr UINT kUtf8 = 65001;
const char kQuoteMarker[] = "#引号";

bool IsLeadByte(unsigned char b) { return b >= 0x80; }

// Length in bytes of the character that starts at byte offset i (1 at the very end of a
// truncated text).
size_t CharLength(const std::string& text, size_t i) {
  return IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
}

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Does `what` match at byte offset i of text, character by character? Only single-byte
// characters fold case; a double-byte character must match both bytes.
bool MatchesAt(const std::string& text, size_t i, const std::string& what, bool ignoreCase) {
  size_t k = 0;
  while (k < what.size()) {
    if (i >= text.size()) return false;
    size_t len = CharLength(text, i);
    if (len == 2) {
      if (k + 2 > what.size() || text[i] != what[k] || text[i + 1] != what[k + 1]) return false;
    } else {
      char a = text[i], b = what[k];
      if (ignoreCase ? AsciiLower(a) != AsciiLower(b) : a != b) return false;
    }
    i += len;
    k += len;
  }
  return true;
}

// Byte offset (0-based) of the first occurrence at a character boundary at or after byte
// offset `from`, or npos.
size_t FindOffset(const std::string& text, const std::string& what, size_t from, bool ignoreCase) {
  if (what.empty()) return std::string::npos;
  for (size_t i = 0; i < text.size(); i += CharLength(text, i)) {
    if (i >= from && MatchesAt(text, i, what, ignoreCase)) return i;
  }
  return std::string::npos;
}

bool IsBlankAt(const std::string& text, size_t i, size_t len) {
  if (len == 1) return text[i] == ' ';
  return static_cast<unsigned char>(text[i]) == 0xA1 && static_cast<unsigned char>(text[i + 1]) == 0xA1;
}

std::string AsciiLowerText(const std::string& text) {
  std::string out = text;
  for (size_t i = 0; i < out.size(); i += CharLength(out, i)) out[i] = AsciiLower(out[i]);
  return out;
}

std::string ReplaceQuoteMarker(const std::string& marker) { return ReplaceAll(marker, kQuoteMarker, "\""); }

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

}  // namespace

int Find(const std::string& text, const std::string& what, int start, bool ignoreCase) {
  if (start < 1) start = 1;
  size_t at = FindOffset(text, what, static_cast<size_t>(start - 1), ignoreCase);
  return at == std::string::npos ? -1 : static_cast<int>(at + 1);
}

std::string ReplaceAll(const std::string& text, const std::string& what, const std::string& with,
                       bool ignoreCase) {
  if (what.empty()) return text;
  std::string out;
  size_t from = 0;
  for (;;) {
    size_t at = FindOffset(text, what, from, ignoreCase);
    if (at == std::string::npos) break;
    out.append(text, from, at - from);
    out += with;
    from = at + what.size();
  }
  out.append(text, from, std::string::npos);
  return out;
}

std::string TrimBlanks(const std::string& text) {
  size_t begin = 0, end = 0;  // [begin, end) after the blanks at both ends
  bool seenNonBlank = false;
  for (size_t i = 0; i < text.size();) {
    size_t len = CharLength(text, i);
    if (!IsBlankAt(text, i, len)) {
      if (!seenNonBlank) begin = i;
      seenNonBlank = true;
      end = i + len;
    }
    i += len;
  }
  return seenNonBlank ? text.substr(begin, end - begin) : std::string();
}

std::string RemoveBlanks(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    size_t len = CharLength(text, i);
    if (!IsBlankAt(text, i, len)) out.append(text, i, len);
    i += len;
  }
  return out;
}

std::vector<std::string> Split(const std::string& text, const std::string& separator) {
  std::vector<std::string> pieces;
  if (text.empty()) return pieces;
  if (separator.empty()) {
    pieces.push_back(text);
    return pieces;
  }
  size_t from = 0;
  for (;;) {
    size_t at = FindOffset(text, separator, from, false);
    if (at == std::string::npos) break;
    pieces.push_back(text.substr(from, at - from));
    from = at + separator.size();
  }
  if (from < text.size()) pieces.push_back(text.substr(from));  // an empty last piece is not kept
  return pieces;
}

std::string TextBetween(const std::string& text, const std::string& leftMarker, const std::string& rightMarker,
                        int start, bool ignoreCase) {
  std::string left = ReplaceQuoteMarker(leftMarker);
  std::string right = ReplaceQuoteMarker(rightMarker);
  int p = Find(text, left, start, ignoreCase);
  if (p == -1) return {};
  p += static_cast<int>(left.size());
  int q = Find(text, right, p, ignoreCase);
  if (q == -1 || q < p) return {};
  return text.substr(static_cast<size_t>(p - 1), static_cast<size_t>(q - p));
}

std::string ValueAfterColon(const std::string& text) {
  int p = Find(text, ":");
  if (p == -1) return {};
  return TrimBlanks(text.substr(static_cast<size_t>(p)));
}

std::string UrlHost(const std::string& address, bool mainDomainOnly, bool keepPort) {
  std::string h = AsciiLowerText(address);
  if (h.empty() || h.back() != '/') h += '/';
  if (StartsWith(h, "https://")) {
    h = TextBetween(h, "https://", "/");
  } else {
    if (Find(h, "http://") == -1) h = "http://" + h;
    h = TextBetween(h, "http://", "/");
  }
  if (mainDomainOnly) {
    std::vector<std::string> pieces = Split(h, ".");
    if (pieces.size() > 1) h = pieces[pieces.size() - 2] + "." + pieces.back();
  }
  if (keepPort) return h;
  int colon = Find(h, ":");
  return colon == -1 ? h : h.substr(0, static_cast<size_t>(colon - 1));
}

int UrlPort(const std::string& address) {
  std::string hp = UrlHost(address, false, true);
  size_t colon = hp.rfind(':');
  if (colon == std::string::npos) return StartsWith(AsciiLowerText(address.substr(0, 5)), "https") ? 443 : 80;
  long long value = 0;
  for (size_t i = colon + 1; i < hp.size() && hp[i] >= '0' && hp[i] <= '9'; ++i) {
    value = value * 10 + (hp[i] - '0');
    if (value > INT_MAX) return 0;  // no such port
  }
  return static_cast<int>(value);
}

std::string UrlPathAndQuery(const std::string& address) {
  std::string host = UrlHost(address);
  // The host is looked for after the scheme, so a host such as "s" or "tp" is not found
  // inside "https://".
  int afterScheme = Find(address, "://");
  int from = afterScheme == -1 ? 1 : afterScheme + 3;
  int p = Find(address, host, from, true);
  if (p == -1) p = from;
  int s = Find(address, "/", p, true);
  if (s < 1) return "/";
  return address.substr(static_cast<size_t>(s - 1));
}

std::string MergeCookies(std::string& oldCookies, std::string& newCookies) {
  oldCookies = RemoveBlanks(oldCookies);
  newCookies = RemoveBlanks(newCookies);
  std::vector<std::string> olds = Split(oldCookies, ";");
  std::vector<std::string> merged = Split(newCookies, ";");
  size_t newCount = merged.size();
  for (const std::string& item : olds) {
    std::string name = CookieName(item);
    bool replaced = false;
    for (size_t i = 0; i < newCount && !replaced; ++i) replaced = CookieName(merged[i]) == name;
    if (!replaced) merged.push_back(item);
  }
  std::string result;
  for (const std::string& item : merged) {
    if (item.size() >= 8 && item.compare(item.size() - 8, 8, "=deleted") == 0) continue;
    result += item;
    result += "; ";
  }
  if (result.size() >= 2) result.resize(result.size() - 2);
  result = UniqueJoin(result, "; ");
  oldCookies = result;
  return result;
}

std::string CookieName(const std::string& item) {
  int eq = Find(item, "=");
  return TrimBlanks(eq == -1 ? item : item.substr(0, static_cast<size_t>(eq - 1)));
}

std::string UniqueJoin(const std::string& text, const std::string& separator) {
  std::unordered_set<std::string> seen;
  std::string out;
  bool first = true;
  for (std::string& piece : Split(text, separator)) {
    if (!seen.insert(piece).second) continue;
    if (!first) out += separator;
    out += piece;
    first = false;
  }
  return out;
}

std::string Utf8ToGbkText(const ByteArray& utf8) {
  if (utf8.empty()) return {};
  std::wstring wide;
  const char* bytes = reinterpret_cast<const char*>(utf8.data());
  int n = MultiByteToWideChar(kUtf8, 0, bytes, static_cast<int>(utf8.size()), nullptr, 0);
  if (n <= 0) return {};
  wide.resize(static_cast<size_t>(n));
  MultiByteToWideChar(kUtf8, 0, bytes, static_cast<int>(utf8.size()), wide.data(), n);
  std::string out;
  int m = WideCharToMultiByte(kGbk, 0, wide.data(), n, nullptr, 0, nullptr, nullptr);
  if (m <= 0) return {};
  out.resize(static_cast<size_t>(m));
  WideCharToMultiByte(kGbk, 0, wide.data(), n, out.data(), m, nullptr, nullptr);
  size_t zero = out.find('\0');
  if (zero != std::string::npos) out.resize(zero);
  return out;
}

std::string GbkToUtf8(const std::string& text) {
  std::wstring wide = GbkToWide(text);
  if (wide.empty()) return {};
  int m = WideCharToMultiByte(kUtf8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  if (m <= 0) return {};
  std::string out(static_cast<size_t>(m), '\0');
  WideCharToMultiByte(kUtf8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), m, nullptr, nullptr);
  return out;
}

std::string UrlEncode(const std::string& text, bool keepUnreserved, bool toUtf8) {
  if (text.empty()) return {};
  const std::string bytes = toUtf8 ? GbkToUtf8(text) : text;
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(bytes.size() * 3);
  for (char c : bytes) {
    unsigned char b = static_cast<unsigned char>(c);
    bool unreserved = (b >= '-' && b <= '9' && b != '/') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z');
    if (keepUnreserved && unreserved) {
      out += c;
    } else {
      out += '%';
      out += kHex[b >> 4];
      out += kHex[b & 0x0F];
    }
  }
  return out;
}

std::wstring GbkToWide(const std::string& text) {
  // The text ends at its first zero byte.
  size_t length = text.find('\0');
  if (length == std::string::npos) length = text.size();
  if (length == 0) return {};
  int n = MultiByteToWideChar(kGbk, 0, text.data(), static_cast<int>(length), nullptr, 0);
  if (n <= 0) return {};
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(kGbk, 0, text.data(), static_cast<int>(length), out.data(), n);
  return out;
}

std::string WideToGbk(const std::wstring& text) {
  if (text.empty()) return {};
  int n = WideCharToMultiByte(kGbk, WC_COMPOSITECHECK, text.data(), static_cast<int>(text.size()), nullptr, 0,
                              nullptr, nullptr);
  if (n <= 0) return {};
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(kGbk, WC_COMPOSITECHECK, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr,
                      nullptr);
  size_t zero = out.find('\0');
  if (zero != std::string::npos) out.resize(zero);
  return out;
}

// Keeps what the pattern "[^\x20-\x7f]" matches: every character outside 0x20-0x7F, that
// is every double-byte character and the single-byte controls and high bytes. Walking the
// characters gives the same text as running the pattern, without a regular-expression
// object per call: a search filters a hundred titles while the window waits.
std::string KeepNonAscii(const std::string& text, bool dropWhitespace) {
  std::string kept;
  for (size_t i = 0; i < text.size();) {
    // As the platform reads code page 936 here: 0x80 (the euro sign) and 0xFF stand alone.
    unsigned char first = static_cast<unsigned char>(text[i]);
    size_t len = first >= 0x81 && first <= 0xFE && i + 1 < text.size() ? 2 : 1;
    if (len == 2 || first < 0x20 || first > 0x7F) kept.append(text, i, len);
    i += len;
  }
  if (dropWhitespace && !kept.empty()) {
    RegexMatcher blanks;
    if (blanks.Create("\\s", kept)) kept = blanks.Replace("");
  }
  return kept;
}

}  // namespace tunelark
