#include "app/safe_file_name.h"

#include <windows.h>

#include <cctype>
#include <cstring>

namespace tunelark {
namespace {

bool IsLeadByte(unsigned char c) { return IsDBCSLeadByteEx(936, c) != FALSE; }
// The second byte of a code page 936 character: 0x40-0x7E or 0x80-0xFE.
bool IsTrailByte(unsigned char c) { return c >= 0x40 && c <= 0xFE && c != 0x7F; }

bool IsForbidden(unsigned char c) { return c < 0x20 || c == 0x7F || std::strchr("<>:\"/\\|?*", c) != nullptr; }

// Code page 936 characters of the text, each one or two bytes; forbidden ones replaced. A
// lead byte is taken with the next byte only when that can be its trail byte; otherwise it
// is no character and becomes "_", and the next byte counts on its own (so "81 2F" can
// never hide a "/").
std::string ReplaceForbidden(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (IsLeadByte(c) && i + 1 == text.size()) {
      break;  // a lead byte without its trail byte at the end is dropped
    } else if (IsLeadByte(c) && IsTrailByte(static_cast<unsigned char>(text[i + 1]))) {
      out.append(text, i, 2);
      ++i;
    } else if (c >= 0x80) {
      out += '_';  // a stray high byte or a lead byte without a trail byte: no character
    } else {
      out += IsForbidden(c) ? '_' : static_cast<char>(c);
    }
  }
  return out;
}

// Cuts to at most maxBytes without splitting a double-byte character.
std::string Bound(const std::string& text, size_t maxBytes) {
  size_t end = 0;
  for (size_t i = 0; i < text.size();) {
    size_t step = IsLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
    if (i + step > maxBytes) break;
    i += step;
    end = i;
  }
  return text.substr(0, end);
}

bool IsTrimmed(char c) { return c == ' ' || c == '.'; }

std::string TrimDotsAndSpaces(std::string text) {
  size_t start = 0;
  while (start < text.size() && IsTrimmed(text[start])) ++start;
  text.erase(0, start);
  // Only single-byte characters can end in '.' or ' ' here (trail bytes of 936 are >= 0x40),
  // so trimming from the end never cuts a double-byte character in half.
  while (!text.empty() && IsTrimmed(text.back())) text.pop_back();
  return text;
}

bool IsReservedDeviceName(const std::string& name) {
  std::string base = name.substr(0, name.find('.'));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  for (char& c : base) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  static const char* const kReserved[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
  for (const char* r : kReserved)
    if (base == r) return true;
  if (base.size() == 4 && (base.rfind("COM", 0) == 0 || base.rfind("LPT", 0) == 0) && base[3] >= '0' && base[3] <= '9')
    return true;
  return false;
}

}  // namespace

std::string SafeSongFileName(const std::string& title) {
  std::string name = TrimDotsAndSpaces(ReplaceForbidden(title));
  name = TrimDotsAndSpaces(Bound(name, kMaxSongFileNameBytes));
  if (name.empty()) return "未命名";
  // The "_" comes first, then the bound holds again (the name keeps its "_").
  if (IsReservedDeviceName(name)) name = TrimDotsAndSpaces(Bound("_" + name, kMaxSongFileNameBytes));
  return name;
}

}  // namespace tunelark
