#include "text/json_document.h"

#include <charconv>
#include <cmath>
#include <cwchar>
#include <utility>

#include "base/code_page.h"
#include "text/gbk_text.h"
#include "text/json_syntax.h"

extern const unsigned char tl_json_support_js[];
extern const unsigned int tl_json_support_js_size;

namespace tunelark {

using com::Variant;

namespace {

// JSON allows the line and paragraph separators inside strings, script string literals do
// not. In checked JSON text they can only stand inside strings, where an escape means the
// same character.
std::wstring EscapeLineSeparators(std::wstring text) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == 0x2028 || text[i] == 0x2029) {
      const wchar_t* escape = text[i] == 0x2028 ? L"\\u2028" : L"\\u2029";
      text.replace(i, 1, escape);
      i += 5;
    }
  }
  return text;
}

std::string NumberText(double number) {
  if (std::isnan(number)) return "NaN";
  if (std::isinf(number)) return number > 0 ? "Infinity" : "-Infinity";
  char buffer[64];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, number);
  return ec == std::errc() ? std::string(buffer, end) : std::string("0");
}

}  // namespace

JsonDocument::JsonDocument() { Init(); }

JsonDocument::JsonDocument(const com::Dispatch& shared, const std::string& varName)
    : script_(shared.Share()), varName_(varName) {
  FindGlobals();
}

JsonDocument::~JsonDocument() = default;

JsonDocument::JsonDocument(JsonDocument&& other) noexcept = default;

JsonDocument& JsonDocument::operator=(JsonDocument&& other) noexcept {
  // Swapping hands our old script control to `other`, which releases it before ending its
  // own COM start.
  std::swap(com_, other.com_);
  std::swap(script_, other.script_);
  std::swap(globals_, other.globals_);
  std::swap(varName_, other.varName_);
  return *this;
}

void JsonDocument::Init() {
  script_ = com::Dispatch::Create(L"MSScriptControl.ScriptControl");
  if (!script_) return;
  script_.Put(L"Language", Variant::Text("JavaScript"));
  std::string support(reinterpret_cast<const char*>(tl_json_support_js), tl_json_support_js_size);
  // The document setter of Parse. It evaluates only text that has passed the JSON syntax
  // check: such text is a literal value and cannot call, assign or create anything.
  // The text arrives in tl__text (or as t where the engine has no code object).
  // set__value evaluates the program's own expression in tl__text into tl__value (Value).
  support += "\nvar tl__text = null, tl__value = null;\n"
             "function set__value() { var tl__e = tl__text; tl__text = null; tl__value = eval('(' + tl__e + ')'); }\n"
             "function set__document(t) { if (t == null) { t = tl__text; tl__text = null; } " +
             varName_ + " = eval('(' + t + ')'); }\n";
  Variant code = Variant::Text(support);
  if (!script_.Call(L"AddCode", {&code})) {
    script_.reset();
    return;
  }
  Eval("var " + varName_ + "={}");
  FindGlobals();
}

void JsonDocument::FindGlobals() {
  Variant globals;
  if (script_ && script_.Get(L"CodeObject", &globals)) globals_ = globals.ToDispatch();
}

JsonDocument JsonDocument::Clone() const { return JsonDocument(script_, varName_); }

bool JsonDocument::Eval(const std::string& script, Variant* result) const {
  if (!script_) {
    if (result) result->Clear();
    return false;
  }
  Variant code = Variant::Text(script);
  return script_.Call(L"Eval", {&code}, result);
}

// Reads a value without Eval (see Execute) where the engine shows its code object: the
// expression goes in as the global tl__text, set__value evaluates it into tl__value, and the
// code object hands that back.
bool JsonDocument::Value(const std::string& expression, Variant* result) const {
  if (!globals_) return Eval(expression, result);
  const bool ok = globals_.Put(L"tl__text", Variant::Text(expression)) && Execute("set__value()") &&
                  globals_.Read(L"tl__value", result);
  globals_.Put(L"tl__value", Variant());
  if (!ok) result->Clear();
  return ok;
}

// The control's Eval keeps some 2 KB for good on every call under Wine (two reads a search
// grew the process by 2.7 MB over 200 searches), and Run a copy of its arguments (the whole
// reply for Parse); ExecuteStatement keeps nothing. A statement
// run here must not declare variables: under Wine they would land in a scope of their own.
bool JsonDocument::Execute(const std::string& statements) const {
  if (!script_) return false;
  Variant code = Variant::Text(statements);
  return script_.Call(L"ExecuteStatement", {&code});
}

std::string JsonDocument::Member(const std::string& path) const {
  return path.empty() ? varName_ : varName_ + "." + path;
}

std::string JsonDocument::Indexed(const std::string& path) const {
  return varName_ + (!path.empty() && path[0] == '[' ? "" : ".") + path;
}

bool JsonDocument::Parse(const std::string& text) {
  if (!script_) return false;
  Execute(varName_ + "=null");
  // Every byte is converted, a zero byte too, so it cannot cut the text short before the
  // syntax check sees it.
  std::wstring wide = DecodeText(text);
  if (!IsValidJson(wide)) return false;
  // The text goes to the script engine as a value, never as part of script source: as the
  // global tl__text, or as an argument of Run where the engine shows no code object.
  Variant argument = Variant::Wide(EscapeLineSeparators(std::move(wide)));
  Variant procedure = Variant::Text("set__document");
  const bool set = globals_ ? globals_.Put(L"tl__text", argument) && Execute("set__document()")
                            : script_.Call(L"Run", {&procedure, &argument});
  if (!set) {
    Execute("tl__text=null;" + varName_ + "=null");
    return false;
  }
  Variant notNull;
  return Value("null !=" + varName_, &notNull) && notNull.ToBool();
}

std::string JsonDocument::ToText() const {
  Variant value;
  return Value("JSON.stringify(" + varName_ + ")", &value) ? value.ToText() : std::string();
}

void JsonDocument::Clear() { Eval(varName_ + "={}"); }

void JsonDocument::SetText(const std::string& path, const std::string& value, bool asObject) {
  if (asObject)
    Eval(varName_ + "." + path + "= eval(" + (value.empty() ? std::string("{}") : value) + ")");
  else
    Eval(varName_ + "." + path + "='" + value + "'");
}

void JsonDocument::SetRaw(const std::string& path, const std::string& expression) {
  Eval(varName_ + "." + path + "=" + expression);
}

void JsonDocument::SetNumber(const std::string& path, double number) {
  Eval(varName_ + "." + path + "=" + NumberText(number));
}

double JsonDocument::GetNumber(const std::string& path) const {
  Variant value;
  return Value(varName_ + "." + path, &value) ? value.ToDouble() : 0;
}

std::string JsonDocument::GetJson(const std::string& path) const {
  Variant value;
  return Value("JSON.stringify(" + varName_ + "." + path + ")", &value) ? value.ToText() : std::string();
}

std::string JsonDocument::GetText(const std::string& path, bool asJson) const {
  Variant value;
  const std::string member = Indexed(path);
  bool ok = asJson ? Value("JSON.stringify(" + member + ")", &value) : Value(member, &value);
  return ok ? value.ToText() : std::string();
}

JsonDocument JsonDocument::GetDocument(const std::string& path) const {
  Variant value;
  std::string text = Value("JSON.stringify(" + Indexed(path) + ")", &value) ? value.ToText() : std::string();
  JsonDocument document;
  document.Parse(text);
  return document;
}

int JsonDocument::MemberCount(const std::string& path) const {
  Variant value;
  if (!Value("get__count(" + Member(path) + ")", &value)) return 0;
  // null, numbers and the like have no members of their own: the counter stays below 0.
  long count = value.ToLong();
  return count > 0 ? static_cast<int>(count) : 0;
}

namespace {

// Splits get__rows's text ("<length>:<text>" per cell) into rows of `columns` cells.
std::vector<std::vector<std::string>> SplitCells(const std::wstring& table, size_t columns) {
  std::vector<std::vector<std::string>> rows;
  size_t at = 0;
  while (at < table.size()) {
    const size_t colon = table.find(L':', at);
    if (colon == std::wstring::npos) break;
    const size_t length = std::wcstoul(table.substr(at, colon - at).c_str(), nullptr, 10);
    if (length > table.size() - colon - 1) break;
    if (rows.empty() || rows.back().size() == columns) rows.emplace_back().reserve(columns);
    rows.back().push_back(EncodeText(std::wstring_view(table).substr(colon + 1, length)));
    at = colon + 1 + length;
  }
  if (!rows.empty() && rows.back().size() != columns) rows.pop_back();
  return rows;
}

}  // namespace

std::vector<std::vector<std::string>> JsonDocument::Rows(const std::string& path,
                                                       const std::vector<std::string>& members, int most) const {
  if (members.empty()) return {};
  std::string names;
  for (const std::string& member : members) names += (names.empty() ? "'" : ",'") + member + "'";
  Variant table;
  if (!Value("get__rows(" + Member(path) + "," + std::to_string(most) + ",[" + names + "])", &table)) return {};
  return SplitCells(table.ToWide(), members.size());
}

void JsonDocument::Append(const std::string& value, const std::string& path, bool raw) {
  const std::string p = Member(path);
  const char* q = raw ? "" : "'";
  // Only a value that is no array yet becomes an empty one (a test for a map method would
  // empty every array here: this engine's arrays have none).
  Eval("if(!is__array(" + p + ")){" + p + "=[]} " + p + ".push(" + q + value + q + ")");
}

std::string JsonDocument::GetElement(int index, const std::string& path, bool asJson) const {
  Variant value;
  const std::string element = Member(path) + "[" + std::to_string(index) + "]";
  bool ok = asJson ? Value("JSON.stringify(" + element + ")", &value) : Value(element, &value);
  return ok ? value.ToText() : std::string();
}

void JsonDocument::SetElement(int index, const std::string& value, bool raw) {
  const char* q = raw ? "" : "'";
  Eval(varName_ + "[" + std::to_string(index) + "]=" + q + value + q);
}

void JsonDocument::RemoveElement(int index) { Eval(varName_ + ".splice(" + std::to_string(index) + ",1)"); }

void JsonDocument::Reset(JsonType typeCode) {
  switch (typeCode) {
    case kJsonNull: Eval("var " + varName_ + "=null"); break;
    case kJsonObject: Eval("var " + varName_ + "={}"); break;
    case kJsonArray: Eval("var " + varName_ + "=new Array()"); break;
    default: break;
  }
}

bool JsonDocument::SetRoot(const std::string& value, bool raw) {
  const char* q = raw ? "" : "'";
  return Eval(varName_ + "=" + q + value + q);
}

bool JsonDocument::Has(const std::string& path) const {
  Variant value;
  return Value(varName_ + "." + path + " !=null", &value) && value.ToBool();
}

std::vector<std::string> JsonDocument::MemberNames(const std::string& path) const {
  Variant value;
  bool ok = Eval("var ary=''; for (var key in " + Member(path) + ") {ary=ary+ key+','; }", &value);
  Eval("ary=null");
  return ok ? Split(value.ToText(), ",") : std::vector<std::string>();
}

JsonType JsonDocument::TypeOf(const std::string& path) const {
  const std::string p = Member(path);
  Variant isNull;
  if (!Value(p + "==null", &isNull) || isNull.ToBool()) return kJsonNull;
  Variant type;
  if (!Value("typeof (" + p + ")", &type)) return kJsonNull;
  const std::string t = type.ToText();
  if (t == "string") return kJsonString;
  if (t == "number") return kJsonNumber;
  if (t == "object") {
    Variant isArray;
    if (!Value("is__array(" + p + ")", &isArray)) return kJsonNull;
    return isArray.ToBool() ? kJsonArray : kJsonObject;
  }
  return kJsonOther;
}

}  // namespace tunelark
