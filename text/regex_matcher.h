// Regular expressions over code page 936 texts through the platform's "VBScript.RegExp"
// component: the number of matches, match and sub-match texts with their byte positions in
// the subject, and a replace over the subject.
#pragma once
#include <string>

#include "text/com_dispatch.h"

namespace tunelark {

// One pattern over one subject. Create fixes both (and may be called again to replace
// them); the queries read the matches of the last Create. Failures (component missing,
// pattern rejected, index out of range) give 0 or empty texts. Belongs to the thread that
// constructed it: COM is started for that thread on construction and ended on destruction.
class RegexMatcher {
 public:
  RegexMatcher();
  ~RegexMatcher() = default;
  RegexMatcher(RegexMatcher&&) noexcept = default;
  RegexMatcher& operator=(RegexMatcher&& other) noexcept;
  RegexMatcher(const RegexMatcher&) = delete;
  RegexMatcher& operator=(const RegexMatcher&) = delete;

  // A second matcher sharing this one's component objects, with a copy of the subject.
  RegexMatcher Clone() const;

  // Options are set in this order: IgnoreCase = !caseSensitive, Multiline, Global. With
  // quoteEscape every "#引号" in the pattern stands for a double quote. True when the
  // pattern was accepted and executed (also when nothing matched).
  bool Create(const std::string& pattern, const std::string& subject, bool caseSensitive = false, bool multiLine = true,
              bool global = true, bool quoteEscape = false);

  std::string Pattern() const;
  // The subject with every match replaced ($1 etc. refer to sub-matches).
  std::string Replace(const std::string& replacement) const;
  int Count() const;
  // Text of match `index` (1-based). With a position pointer, receives the match's 0-based
  // byte offset in the subject (-1 when unknown).
  std::string MatchText(int index, int* position = nullptr) const;
  // Text of sub-match `subIndex` (1-based) of match `matchIndex` (1-based); the position is
  // where that text first occurs in the subject from the start of its match.
  std::string SubMatchText(int matchIndex, int subIndex, int* position = nullptr) const;
  // Number of sub-matches (groups) of the first match; 0 without matches.
  int SubMatchCount() const;

 private:
  com::Dispatch Match(int index, long* firstIndex) const;
  int ByteOffset(long charIndex, const std::string& text) const;
  bool IgnoresCase() const;

  com::ComInit com_;
  com::Dispatch regExp_;
  com::Dispatch matches_;
  std::string subject_;
  std::wstring subjectWide_;
};

}  // namespace tunelark
