#include "text/regex_matcher.h"

#include <utility>

#include "base/code_page.h"
#include "text/gbk_text.h"

namespace tunelark {

using com::Dispatch;
using com::Variant;

RegexMatcher::RegexMatcher() = default;

RegexMatcher& RegexMatcher::operator=(RegexMatcher&& other) noexcept {
  // Swapping hands our old objects to `other`, whose destructor releases them before it
  // ends its COM start.
  std::swap(com_, other.com_);
  std::swap(regExp_, other.regExp_);
  std::swap(matches_, other.matches_);
  std::swap(subject_, other.subject_);
  std::swap(subjectWide_, other.subjectWide_);
  return *this;
}

RegexMatcher RegexMatcher::Clone() const {
  RegexMatcher copy;
  copy.regExp_ = regExp_.Share();
  copy.matches_ = matches_.Share();
  copy.subject_ = subject_;
  copy.subjectWide_ = subjectWide_;
  return copy;
}

bool RegexMatcher::Create(const std::string& pattern, const std::string& subject, bool caseSensitive, bool multiLine,
                          bool global, bool quoteEscape) {
  regExp_.reset();
  matches_.reset();
  subject_ = subject;
  com::Bstr wideSubject = com::Bstr::FromGbk(subject);
  subjectWide_ = wideSubject.wide();
  regExp_ = Dispatch::Create(L"VBScript.RegExp");
  if (!regExp_) return false;
  regExp_.Put(L"IgnoreCase", Variant::Bool(!caseSensitive));
  regExp_.Put(L"Multiline", Variant::Bool(multiLine));
  regExp_.Put(L"Singleline", Variant::Bool(true));  // not a member of the component: ignored
  regExp_.Put(L"Global", Variant::Bool(global));
  const std::string usedPattern = quoteEscape ? ReplaceAll(pattern, "#引号", "\"") : pattern;
  if (!regExp_.Put(L"Pattern", Variant::Text(usedPattern))) return false;
  Variant subjectArg = Variant::Adopt(std::move(wideSubject));
  Variant result;
  if (!regExp_.Call(L"Execute", {&subjectArg}, &result)) return false;
  matches_ = result.ToDispatch();
  return static_cast<bool>(matches_);
}

std::string RegexMatcher::Pattern() const {
  Variant value;
  if (!regExp_ || !regExp_.Get(L"Pattern", &value)) return {};
  return value.ToText();
}

std::string RegexMatcher::Replace(const std::string& replacement) const {
  if (!regExp_) return {};
  Variant subject = Variant::Wide(subjectWide_);
  Variant with = Variant::Text(replacement);
  Variant result;
  if (!regExp_.Call(L"Replace", {&subject, &with}, &result)) return {};
  return result.ToText();
}

int RegexMatcher::Count() const {
  Variant value;
  if (!matches_ || !matches_.Get(L"Count", &value)) return 0;
  return static_cast<int>(value.ToLong());
}

Dispatch RegexMatcher::Match(int index, long* firstIndex) const {
  if (index < 1 || index > Count()) return Dispatch();
  Variant item;
  Variant at = Variant::Int(index - 1);
  if (!matches_.Get(L"Item", &item, {&at})) return Dispatch();
  Dispatch match = item.ToDispatch();
  if (match && firstIndex) {
    Variant first;
    *firstIndex = match.Get(L"FirstIndex", &first) ? first.ToLong() : -1;
  }
  return match;
}

bool RegexMatcher::IgnoresCase() const {
  Variant value;
  return regExp_ && regExp_.Get(L"IgnoreCase", &value) && value.ToBool();
}

// The component counts UTF-16 characters; the subject's code page 936 characters take one
// or two bytes each. The byte offset is the length of the subject's first `charIndex`
// characters in code page 936; when that does not hold `text` (a subject with bytes that
// are no valid characters), the text is looked up from the character index instead.
int RegexMatcher::ByteOffset(long charIndex, const std::string& text) const {
  if (charIndex < 0 || static_cast<size_t>(charIndex) > subjectWide_.size()) return -1;
  int offset = static_cast<int>(WideToGbk(subjectWide_.substr(0, static_cast<size_t>(charIndex))).size());
  if (subject_.compare(static_cast<size_t>(offset), text.size(), text) == 0) return offset;
  int found = Find(subject_, text, static_cast<int>(charIndex) + 1, IgnoresCase());
  return found == -1 ? -1 : found - 1;
}

std::string RegexMatcher::MatchText(int index, int* position) const {
  if (position) *position = -1;
  long firstIndex = -1;
  Dispatch match = Match(index, &firstIndex);
  Variant value;
  if (!match || !match.Get(L"Value", &value)) return {};
  std::string text = value.ToText();
  if (position) *position = ByteOffset(firstIndex, text);
  return text;
}

std::string RegexMatcher::SubMatchText(int matchIndex, int subIndex, int* position) const {
  if (position) *position = -1;
  long firstIndex = -1;
  Dispatch match = Match(matchIndex, &firstIndex);
  Variant subs;
  if (!match || !match.Get(L"SubMatches", &subs)) return {};
  Dispatch subMatches = subs.ToDispatch();
  Variant count, item;
  if (!subMatches || !subMatches.Get(L"Count", &count) || subIndex < 1 || subIndex > count.ToLong()) return {};
  Variant at = Variant::Int(subIndex - 1);
  if (!subMatches.Get(L"Item", &item, {&at})) return {};
  std::string text = item.ToText();
  if (position && !text.empty()) {
    Variant whole;
    std::string matchText = match.Get(L"Value", &whole) ? whole.ToText() : std::string();
    int matchOffset = ByteOffset(firstIndex, matchText);
    if (matchOffset >= 0) {
      // The sub-match is a piece of the subject itself: look for it with its case first.
      int found = Find(subject_, text, matchOffset + 1, false);
      if (found == -1) found = Find(subject_, text, matchOffset + 1, true);
      *position = found == -1 ? -1 : found - 1;
    }
  }
  return text;
}

int RegexMatcher::SubMatchCount() const {
  Dispatch first = Match(1, nullptr);
  Variant subs, count;
  if (!first || !first.Get(L"SubMatches", &subs)) return 0;
  Dispatch subMatches = subs.ToDispatch();
  if (!subMatches || !subMatches.Get(L"Count", &count)) return 0;
  return static_cast<int>(count.ToLong());
}

}  // namespace tunelark
