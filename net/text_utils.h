// Text routines under the request routines and the application: splitting addresses,
// merging cookies, URL encoding and the non-ASCII filter. Texts are code page 936 byte
// strings (see text/gbk_text.h, whose routines these build on).
#pragma once
#include <string>

namespace tunelark {

// Lower-case host of an address with or without "http://" / "https://"; mainDomainOnly keeps
// the last two labels; keepPort keeps ":port".
std::string UrlHost(const std::string& address, bool mainDomainOnly = false, bool keepPort = false);
// The port after the host, else 443 for https and 80 otherwise; 0 when it is no number.
int UrlPort(const std::string& address);
// Whether the address names no port (the scheme's own is used) or a number from 1 to 65535.
// A larger number would be cut to 16 bits by the platform and reach another port.
bool HasUsablePort(const std::string& address);
// Path and query from the first "/" after the host ("/" when there is none).
std::string UrlPathAndQuery(const std::string& address);

// Later cookies win over older ones of the same name; "=deleted" items are dropped.
// Writes the merged text back into oldCookies and returns it.
std::string MergeCookies(std::string& oldCookies, std::string& newCookies);
// Name of a cookie item: up to its first "=", trimmed.
std::string CookieName(const std::string& item);
// The pieces of text between separators, each kept once in first-seen order.
std::string UniqueJoin(const std::string& text, const std::string& separator);

// Every byte as %XX (upper-case hex) of the UTF-8 form (toUtf8) or of the text itself;
// keepUnreserved keeps ASCII letters, digits, "-" and ".".
std::string UrlEncode(const std::string& text, bool keepUnreserved, bool toUtf8);

// Every character outside 0x20-0x7F, in order (optionally without white space). Runs the
// platform's regular-expression component (COM started for the calling thread).
std::string KeepNonAscii(const std::string& text, bool dropWhitespace = false);

}  // namespace tunelark
