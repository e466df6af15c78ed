#include "text/json_syntax.h"

#include <vector>

namespace tunelark {

namespace {

class JsonChecker {
 public:
  JsonChecker(std::wstring_view text, int maxDepth) : s_(text), maxDepth_(maxDepth) {}

  bool Check() {
    // Containers are kept on an explicit stack; after each value the loop decides from
    // the innermost open container what may follow.
    for (;;) {
      SkipWhite();
      if (!Value()) return false;
      for (;;) {  // after a complete value
        SkipWhite();
        if (open_.empty()) return i_ == s_.size();
        wchar_t c = Next();
        if (c == L',') {
          if (open_.back() == L'{' && !MemberKey()) return false;
          break;  // another value follows
        }
        if (c != (open_.back() == L'[' ? L']' : L'}')) return false;
        open_.pop_back();
      }
    }
  }

 private:
  // One value. Opening containers one after another stays in this loop: each pushes its
  // bracket and goes on with its first member or element; an empty one is a whole value.
  bool Value() {
    for (;;) {
      wchar_t c = Peek();
      if (c == L'"') return String();
      if (c == L'-' || (c >= L'0' && c <= L'9')) return Number();
      if (c != L'{' && c != L'[') return Literal(L"true") || Literal(L"false") || Literal(L"null");
      if (static_cast<int>(open_.size()) >= maxDepth_) return false;
      ++i_;
      SkipWhite();
      if (Peek() == (c == L'[' ? L']' : L'}')) {
        ++i_;
        return true;
      }
      open_.push_back(c);
      if (c == L'{' && !MemberKey()) return false;
      SkipWhite();
    }
  }

  // At a member: white space, a string key, white space and a colon.
  bool MemberKey() {
    SkipWhite();
    if (Peek() != L'"' || !String()) return false;
    SkipWhite();
    return Next() == L':';
  }

  bool String() {
    ++i_;  // opening quote
    while (i_ < s_.size()) {
      wchar_t c = s_[i_++];
      if (c == L'"') return true;
      if (c < 0x20) return false;  // raw control characters must be escaped
      if (c != L'\\') continue;
      if (i_ >= s_.size()) return false;
      c = s_[i_++];
      switch (c) {
        case L'"':
        case L'\\':
        case L'/':
        case L'b':
        case L'f':
        case L'n':
        case L'r':
        case L't': break;
        case L'u':
          for (int k = 0; k < 4; ++k)
            if (i_ >= s_.size() || !IsHex(s_[i_++])) return false;
          break;
        default: return false;
      }
    }
    return false;  // unterminated
  }

  bool Number() {
    if (Peek() == L'-') ++i_;
    if (Peek() == L'0') {
      ++i_;
    } else if (!Digits()) {
      return false;
    }
    if (Peek() == L'.') {
      ++i_;
      if (!Digits()) return false;
    }
    if (Peek() == L'e' || Peek() == L'E') {
      ++i_;
      if (Peek() == L'+' || Peek() == L'-') ++i_;
      if (!Digits()) return false;
    }
    return true;
  }

  bool Digits() {
    size_t start = i_;
    while (Peek() >= L'0' && Peek() <= L'9') ++i_;
    return i_ > start;
  }

  bool Literal(std::wstring_view word) {
    if (s_.substr(i_, word.size()) != word) return false;
    i_ += word.size();
    return true;
  }

  static bool IsHex(wchar_t c) {
    return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F');
  }

  void SkipWhite() {
    while (i_ < s_.size() && (s_[i_] == L' ' || s_[i_] == L'\t' || s_[i_] == L'\n' || s_[i_] == L'\r')) ++i_;
  }
  wchar_t Peek() const { return i_ < s_.size() ? s_[i_] : L'\0'; }
  wchar_t Next() { return i_ < s_.size() ? s_[i_++] : L'\0'; }

  std::wstring_view s_;
  size_t i_ = 0;
  int maxDepth_;
  std::vector<wchar_t> open_;  // '[' or '{' for every open container
};

}  // namespace

bool IsValidJson(std::wstring_view text, int maxDepth) { return JsonChecker(text, maxDepth).Check(); }

}  // namespace tunelark
