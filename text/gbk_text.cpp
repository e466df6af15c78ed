// Finding and cutting over code page 936 byte strings, character by character.
#include "text/gbk_text.h"

namespace tunelark {

namespace {

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

std::string ReplaceQuoteMarker(const std::string& marker) { return ReplaceAll(marker, kQuoteMarker, "\""); }

}  // namespace

int Find(const std::string& text, const std::string& what, int start, bool ignoreCase) {
  if (start < 1) start = 1;
  size_t at = FindOffset(text, what, static_cast<size_t>(start - 1), ignoreCase);
  return at == std::string::npos ? -1 : static_cast<int>(at + 1);
}

std::string ReplaceAll(const std::string& text, const std::string& what, const std::string& with, bool ignoreCase) {
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

std::string AsciiLowerText(const std::string& text) {
  std::string out = text;
  for (size_t i = 0; i < out.size(); i += CharLength(out, i)) out[i] = AsciiLower(out[i]);
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

}  // namespace tunelark
