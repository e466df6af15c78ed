#include "text/json_document.h"

#include <charconv>
#include <cmath>
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
    : script_(shared.Share()), varName_(varName) {}

JsonDocument::~JsonDocument() = default;

JsonDocument::JsonDocument(JsonDocument&& other) noexcept = default;

JsonDocument& JsonDocument::operator=(JsonDocument&& other) noexcept {
  // Swapping hands our old script control to `other`, which releases it before ending its
  // own COM start.
  std::swap(com_, other.com_);
  std::swap(script_, other.script_);
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
  support += "\nfunction set__document(t) { " + varName_ + " = eval('(' + t + ')'); }\n";
  Variant code = Variant::Text(support);
  if (!script_.Call(L"AddCode", {&code})) {
    script_.reset();
    return;
  }
  Eval("var " + varName_ + "={}");
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

std::string JsonDocument::Member(const std::string& path) const {
  return path.empty() ? varName_ : varName_ + "." + path;
}

std::string JsonDocument::Indexed(const std::string& path) const {
  return varName_ + (!path.empty() && path[0] == '[' ? "" : ".") + path;
}

bool JsonDocument::Parse(const std::string& text) {
  if (!script_) return false;
  Eval("var " + varName_ + "=null");
  // Every byte is converted, a zero byte too, so it cannot cut the text short before the
  // syntax check sees it.
  std::wstring wide = DecodeText(text);
  if (!IsValidJson(wide)) return false;
  // The text goes to the script engine as an argument, never as part of script source.
  Variant procedure = Variant::Text("set__document");
  Variant argument = Variant::Wide(EscapeLineSeparators(std::move(wide)));
  if (!script_.Call(L"Run", {&procedure, &argument})) {
    Eval("var " + varName_ + "=null");
    return false;
  }
  Variant notNull;
  return Eval("null !=" + varName_, &notNull) && notNull.ToBool();
}

std::string JsonDocument::ToText() const {
  Variant value;
  return Eval("JSON.stringify(" + varName_ + ")", &value) ? value.ToText() : std::string();
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
  return Eval(varName_ + "." + path, &value) ? value.ToDouble() : 0;
}

std::string JsonDocument::GetJson(const std::string& path) const {
  Variant value;
  return Eval("JSON.stringify(" + varName_ + "." + path + ")", &value) ? value.ToText() : std::string();
}

std::string JsonDocument::GetText(const std::string& path, bool asJson) const {
  Variant value;
  const std::string member = Indexed(path);
  bool ok = asJson ? Eval("JSON.stringify(" + member + ")", &value) : Eval(member, &value);
  return ok ? value.ToText() : std::string();
}

JsonDocument JsonDocument::GetDocument(const std::string& path) const {
  Variant value;
  std::string text = Eval("JSON.stringify(" + Indexed(path) + ")", &value) ? value.ToText() : std::string();
  JsonDocument document;
  document.Parse(text);
  return document;
}

int JsonDocument::MemberCount(const std::string& path) const {
  Variant value;
  if (!Eval("get__count(" + Member(path) + ")", &value)) return 0;
  // null, numbers and the like have no members of their own: the counter stays below 0.
  long count = value.ToLong();
  return count > 0 ? static_cast<int>(count) : 0;
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
  bool ok = asJson ? Eval("JSON.stringify(" + element + ")", &value) : Eval(element, &value);
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
  return Eval(varName_ + "." + path + " !=null", &value) && value.ToBool();
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
  if (!Eval(p + "==null", &isNull) || isNull.ToBool()) return kJsonNull;
  Variant type;
  if (!Eval("typeof (" + p + ")", &type)) return kJsonNull;
  const std::string t = type.ToText();
  if (t == "string") return kJsonString;
  if (t == "number") return kJsonNumber;
  if (t == "object") {
    Variant isArray;
    if (!Eval("is__array(" + p + ")", &isArray)) return kJsonNull;
    return isArray.ToBool() ? kJsonArray : kJsonObject;
  }
  return kJsonOther;
}

}  // namespace tunelark
