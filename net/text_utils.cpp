// Address, cookie and URL-encoding routines over code page 936 byte strings.
#include "net/text_utils.h"

#include <climits>
#include <unordered_set>

#include "base/code_page.h"
#include "text/gbk_text.h"
#include "text/regex_matcher.h"

namespace tunelark {
namespace {

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

}  // namespace

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

bool HasUsablePort(const std::string& address) {
  // The port follows the last ":" of the authority (after any user information, and after
  // the "]" of an IPv6 literal).
  const size_t scheme = address.find("://");
  const size_t start = scheme == std::string::npos ? 0 : scheme + 3;
  std::string authority = address.substr(start, address.find_first_of("/?#", start) - start);
  const size_t at = authority.rfind('@');
  if (at != std::string::npos) authority.erase(0, at + 1);
  const size_t colon = authority.rfind(':');
  const size_t bracket = authority.rfind(']');
  if (colon == std::string::npos || (bracket != std::string::npos && colon < bracket)) return true;
  const std::string digits = authority.substr(colon + 1);
  if (digits.empty()) return true;
  if (digits.size() > 5 || digits.find_first_not_of("0123456789") != std::string::npos) return false;
  const int port = std::stoi(digits);
  return port >= 1 && port <= 65535;
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
