// Strict JSON syntax check (RFC 8259) over UTF-16 text, without recursion: deep or hostile
// nesting is refused beyond a fixed depth instead of exhausting the stack.
#pragma once
#include <string_view>

namespace tunelark {

// Deepest nesting of arrays and objects that IsValidJson accepts.
constexpr int kJsonMaxDepth = 1000;

// True when the whole text is exactly one JSON value, with optional white space (space,
// tab, line feed, carriage return) around it, and no array or object nests deeper than
// maxDepth.
bool IsValidJson(std::wstring_view text, int maxDepth = kJsonMaxDepth);

}  // namespace tunelark
