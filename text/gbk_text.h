// Finding, cutting and splitting code page 936 texts.
//
// Texts are code page 936 byte strings: a character is one byte, or two bytes when the
// first is 0x80 or above. Positions are 1-based; -1 means not found. A blank is the ASCII
// space or the full-width space (0xA1 0xA1).
#pragma once
#include <string>
#include <vector>

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
// The text with its ASCII letters in lower case (double-byte characters untouched).
std::string AsciiLowerText(const std::string& text);

// Text between the first leftMarker (from start) and the next rightMarker; "#引号" in a
// marker stands for a double quote. Empty when either is missing.
std::string TextBetween(const std::string& text, const std::string& leftMarker, const std::string& rightMarker,
                        int start = 1, bool ignoreCase = false);
std::string ValueAfterColon(const std::string& text);

}  // namespace tunelark
