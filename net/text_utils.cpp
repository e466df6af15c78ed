// Header, cookie, address and code-page text routines (first cut: declarations linked).
#include "net/text_utils.h"

namespace tunelark {

int Find(const std::string&, const std::string&, int, bool) { return -1; }
std::string ReplaceAll(const std::string& text, const std::string&, const std::string&, bool) { return text; }
std::string TrimBlanks(const std::string& text) { return text; }
std::string RemoveBlanks(const std::string& text) { return text; }
std::vector<std::string> Split(const std::string&, const std::string&) { return {}; }
std::string TextBetween(const std::string&, const std::string&, const std::string&, int, bool) { return {}; }
std::string ValueAfterColon(const std::string&) { return {}; }
std::string UrlHost(const std::string&, bool, bool) { return {}; }
int UrlPort(const std::string&) { return 80; }
std::string UrlPathAndQuery(const std::string&) { return "/"; }
std::string MergeCookies(std::string& oldCookies, std::string&) { return oldCookies; }
std::string CookieName(const std::string&) { return {}; }
std::string UniqueJoin(const std::string& text, const std::string&) { return text; }
std::string Utf8ToGbkText(const ByteArray&) { return {}; }
std::string GbkToUtf8(const std::string&) { return {}; }
std::string UrlEncode(const std::string&, bool, bool) { return {}; }
std::wstring GbkToWide(const std::string&) { return {}; }
std::string WideToGbk(const std::wstring&) { return {}; }
std::string KeepNonAscii(const std::string&, bool) { return {}; }

}  // namespace tunelark
