// Text routines under the request routines and the application: finding and cutting text
// in header lines, splitting addresses, merging cookies, converting between code page 936,
// UTF-8 and UTF-16, URL encoding and the non-ASCII filter.
//
// Texts are code page 936 byte strings: a character is one byte, or two bytes when the
// first is 0x80 or above. Positions are 1-based; -1 means not found. A blank is the ASCII
// space or the full-width space (0xA1 0xA1).
#pragma once
#include <string>
#include <vector>

#include "base/byte_array.h"

namespace tunelark {

// Position of the first `what` at or after `start` (below 1 counts as 1), or -1. Matches
// start on character boundaries only (never inside a double-byte character); ignoreCase
// folds ASCII letters of single-byte characters. An empty `what` is never found.
int Find(const std::string& text, const std::string& what, int start = 1, bool ignoreCase = false);
// Every occurrence of `what` replaced by `with`.
std::string ReplaceAll(const std::string& text, const std::string& what, const std::string& with,
                       bool ignoreCase = false);
std::string TrimBlanks(const std::string& text);
std::string RemoveBlanks(const std::string& text);
// Pieces between separators; an empty piece after the last separator is not kept.
std::vector<std::string> Split(const std::string& text, const std::string& separator);

// Text between the first leftMarker (from start) and the next rightMarker; "#引号" in a
// marker stands for a double quote. Empty when either is missing.
std::string TextBetween(const std::string& text, const std::string& leftMarker, const std::string& rightMarker,
                        int start = 1, bool ignoreCase = false);
std::string ValueAfterColon(const std::string& text);

// Lower-case host of an address with or without "http://" / "https://"; mainDomainOnly keeps
// the last two labels; keepPort keeps ":port".
std::string UrlHost(const std::string& address, bool mainDomainOnly = false, bool keepPort = false);
// The port after the host, else 443 for https and 80 otherwise; 0 when it is no number.
int UrlPort(const std::string& address);
// Path and query from the first "/" after the host ("/" when there is none).
std::string UrlPathAndQuery(const std::string& address);

// Later cookies win over older ones of the same name; "=deleted" items are dropped.
// Writes the merged text back into oldCookies and returns it.
std::string MergeCookies(std::string& oldCookies, std::string& newCookies);
// Name of a cookie item: up to its first "=", trimmed.
std::string CookieName(const std::string& item);
// The pieces of text between separators, each kept once in first-seen order.
std::string UniqueJoin(const std::string& text, const std::string& separator);

// Conversions; a text ends at its first zero byte. Characters that code page 936 lacks
// become "?".
std::string Utf8ToGbkText(const ByteArray& utf8);
std::string GbkToUtf8(const std::string& text);
// Every byte as %XX (upper-case hex) of the UTF-8 form (toUtf8) or of the text itself;
// keepUnreserved keeps ASCII letters, digits, "-" and ".".
std::string UrlEncode(const std::string& text, bool keepUnreserved, bool toUtf8);
std::wstring GbkToWide(const std::string& text);
std::string WideToGbk(const std::wstring& text);

// Every character outside 0x20-0x7F, in order (optionally without white space). Runs the
// platform's regular-expression component (COM started for the calling thread).
std::string KeepNonAscii(const std::string& text, bool dropWhitespace = false);

}  // namespace tunelark
