#include "net/reply_cookies.h"

#include "text/gbk_text.h"

namespace tunelark {

std::string NormalizeSetCookie(const std::string& rawHeaders) {
  return ReplaceAll(rawHeaders, "Set-Cookie", "Set-Cookie", true);
}

std::string CookieOfSetCookieLine(const std::string& line) {
  if (line.find(';') == std::string::npos) return TrimBlanks(ReplaceAll(line, "Set-Cookie:", "", true));
  return TrimBlanks(TextBetween(line, "Set-Cookie:", ";"));
}

std::string ReplyCookies(const std::string& normalizedHeaders) {
  std::string cookies;
  for (const std::string& line : Split(normalizedHeaders, "\r\n")) {
    if (line.find("Set-Cookie") == std::string::npos) continue;
    cookies += CookieOfSetCookieLine(line);
    cookies += "; ";
  }
  if (cookies.size() >= 2) cookies.resize(cookies.size() - 2);
  return cookies;
}

}  // namespace tunelark
