// Cookies set by a reply, read from its raw header text: the spelling of "Set-Cookie" is
// made uniform, and each Set-Cookie line gives its first name=value item. Shared by the
// WinINet and WinHttp request routines.
#pragma once
#include <string>

namespace tunelark {

// Every "Set-Cookie", in any letter case, written as "Set-Cookie".
std::string NormalizeSetCookie(const std::string& rawHeaders);

// The cookie of one header line holding "Set-Cookie" (with case): without a ";" the line
// less every "Set-Cookie:", else the text between "Set-Cookie:" and the first ";"; trimmed.
std::string CookieOfSetCookieLine(const std::string& line);

// The cookies of all Set-Cookie lines of normalized headers, joined by "; ".
std::string ReplyCookies(const std::string& normalizedHeaders);

}  // namespace tunelark
