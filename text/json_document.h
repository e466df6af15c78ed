// A JSON document held inside the platform's script control ("MSScriptControl.ScriptControl",
// JScript), read and written by member path. Texts are code page 936.
//
// Paths are script member expressions relative to the document, written without its name:
// data, data[0].singer, a.b. Parse accepts only valid JSON and never runs its text. The
// other writing operations (SetText, SetRaw, Append, SetElement, SetRoot) and every path
// are put into script statements as they are: only the program's own code may supply them,
// never text received from outside.
#pragma once
#include <string>
#include <vector>

#include "text/com_dispatch.h"

namespace tunelark {

// Type codes of TypeOf and Reset.
enum JsonType : int {
  kJsonNull = 0,  // null or undefined
  kJsonNumber = 2,
  kJsonObject = 4,  // an object that is not an array
  kJsonArray = 5,
  kJsonString = 6,
  kJsonOther = 255,  // boolean, function
};

// Failures (script error, missing member, no script control) give the empty value: false, 0,
// empty text; the document keeps what it held. An instance belongs to the thread that made
// it: COM is started for that thread on construction and ended on destruction. Clones share
// one script control, so a change through one is seen by the others.
class JsonDocument {
 public:
  // Starts COM and the script control; the document is an empty object.
  JsonDocument();
  ~JsonDocument();
  JsonDocument(JsonDocument&& other) noexcept;
  JsonDocument& operator=(JsonDocument&& other) noexcept;
  JsonDocument(const JsonDocument&) = delete;
  JsonDocument& operator=(const JsonDocument&) = delete;

  // Whether the script control is there.
  bool IsReady() const { return static_cast<bool>(script_); }
  // A second document on the same script control and variable.
  JsonDocument Clone() const;

  // The document becomes the value of `text` when it is valid JSON (RFC 8259; nesting up
  // to kJsonMaxDepth levels); otherwise it becomes null. True when the document is then
  // neither null nor undefined.
  bool Parse(const std::string& text);
  // The document as JSON text.
  std::string ToText() const;
  // The document becomes an empty object.
  void Clear();

  // asObject: the member becomes the value of the script expression `value` ("{}" when
  // empty); otherwise the text value, put between apostrophes unescaped.
  void SetText(const std::string& path, const std::string& value, bool asObject = false);
  // The member becomes the value of the script expression.
  void SetRaw(const std::string& path, const std::string& expression);
  void SetNumber(const std::string& path, double number);
  double GetNumber(const std::string& path) const;
  std::string GetJson(const std::string& path) const;
  // The member's value as text (asJson: as JSON text). A path beginning with "[" indexes
  // the document itself.
  std::string GetText(const std::string& path, bool asJson = false) const;
  // A new document (own script control) holding a copy of the member.
  JsonDocument GetDocument(const std::string& path) const;
  // Members of an object, elements of an array; 0 for a missing path and for values that
  // have no members.
  int MemberCount(const std::string& path) const;
  // The table in the array (or object) at path: for each of its first MemberCount(path)
  // elements, at most `most`, the texts of the named members (our own names, never input).
  // Strings as they are, numbers as the script writes them, anything else empty. One
  // script call for the whole table, where reading it value by value takes three per row.
  std::vector<std::vector<std::string>> Rows(const std::string& path, const std::vector<std::string>& members,
                                             int most) const;
  // Appends value to the array at path (the document for an empty path), making it an
  // array first when it is none; raw: value is a script expression, else a text.
  void Append(const std::string& value, const std::string& path = std::string(), bool raw = false);
  std::string GetElement(int index, const std::string& path = std::string(), bool asJson = false) const;
  void SetElement(int index, const std::string& value, bool raw = false);
  void RemoveElement(int index);
  // kJsonNull, kJsonObject (empty object) or kJsonArray (empty array); other codes do nothing.
  void Reset(JsonType typeCode);
  // The document becomes value (raw: a script expression, else a text). True when it was set.
  bool SetRoot(const std::string& value, bool raw = false);
  // Whether the member exists and is not null.
  bool Has(const std::string& path) const;
  // Names of the enumerable members, the two added to every object last.
  std::vector<std::string> MemberNames(const std::string& path = std::string()) const;
  JsonType TypeOf(const std::string& path = std::string()) const;

 private:
  JsonDocument(const com::Dispatch& shared, const std::string& varName);
  void Init();
  void FindGlobals();
  bool Eval(const std::string& script, com::Variant* result = nullptr) const;
  bool Execute(const std::string& statements) const;
  bool Value(const std::string& expression, com::Variant* result) const;
  std::string Member(const std::string& path) const;   // varName or varName.path
  std::string Indexed(const std::string& path) const;  // varName, then "." unless path starts with "["

  com::ComInit com_;
  com::Dispatch script_;
  com::Dispatch globals_;  // the engine's code object: its global variables
  std::string varName_ = "da";
};

}  // namespace tunelark
