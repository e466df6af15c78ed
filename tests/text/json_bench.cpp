// Parse speed of the JSON document on a search reply of 100 hits (about 25 KB, Chinese
// text): the checked Parse plus reading its 300 fields, next to evaluating the same text
// unchecked as script source on a script control of its own, in the same run.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "text/com_dispatch.h"
#include "text/json_document.h"
#include "text/json_syntax.h"

extern const unsigned char tl_json_support_js[];
extern const unsigned int tl_json_support_js_size;

using namespace tunelark;

namespace {

const char* const kSingers[] = {"周杰伦", "王菲", "陈奕迅", "邓紫棋", "林俊杰"};
const char* const kTitles[] = {"晴天", "红豆", "十年", "泡沫", "江南"};

std::string SearchReply(int hits) {
  std::string text = "{\"status\":1,\"error\":\"\",\"data\":[";
  for (int i = 0; i < hits; ++i) {
    if (i) text += ",";
    text += "{\"singer\":\"" + std::string(kSingers[i % 5]) + "、合唱团第" + std::to_string(i) + "号\",";
    text += "\"name\":\"" + std::string(kTitles[i % 5]) + "（现场版）- 二〇二四巡回演唱会 第" + std::to_string(i) +
            "首 \\\"特别版\\\"\",";
    text += "\"url\":\"https:\\/\\/m.tunelark.lan\\/song\\/get?hash=" + std::to_string(1000000007LL * (i + 3)) +
            "ABCDEF0123456789&album_id=" + std::to_string(40000 + i) +
            "&key=0123456789abcdef0123456789abcdef&vip=0&from=search_page\"}";
  }
  return text + "]}";
}

double Now() {
  LARGE_INTEGER counter, frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

const char* const kFields[] = {"singer", "name", "url"};

// The document's own road: checked Parse, then the fields through GetText.
void Checked(JsonDocument& doc, const std::string& reply, double* parseMs, double* totalMs, size_t* readBytes) {
  double start = Now();
  bool ok = doc.Parse(reply);
  *parseMs = Now() - start;
  size_t bytes = 0;
  int count = doc.MemberCount("data");
  for (int i = 0; i < count; ++i)
    for (const char* field : kFields) bytes += doc.GetText("data[" + std::to_string(i) + "]." + field).size();
  *totalMs = Now() - start;
  *readBytes = ok ? bytes : 0;
}

// A script control as the document starts its own, with the support script loaded.
com::Dispatch NewScriptControl(const std::string& support) {
  com::Dispatch control = com::Dispatch::Create(L"MSScriptControl.ScriptControl");
  if (!control) return control;
  control.Put(L"Language", com::Variant::Text("JavaScript"));
  com::Variant code = com::Variant::Text(support);
  control.Call(L"AddCode", {&code});
  return control;
}

// The same reply taken as script source, then the same reads through the script control.
void Unchecked(const com::Dispatch& control, const std::string& reply, double* parseMs, double* totalMs,
               size_t* readBytes) {
  double start = Now();
  com::Variant code = com::Variant::Text("var da=eval(" + reply + ")");
  bool ok = control.Call(L"AddCode", {&code});
  *parseMs = Now() - start;
  size_t bytes = 0;
  for (int i = 0; i < 100; ++i) {
    for (const char* field : kFields) {
      com::Variant expression = com::Variant::Text("da.data[" + std::to_string(i) + "]." + field), value;
      if (control.Call(L"Eval", {&expression}, &value)) bytes += value.ToText().size();
    }
  }
  *totalMs = Now() - start;
  *readBytes = ok ? bytes : 0;
}

}  // namespace

int main() {
  com::ComInit com;
  const std::string reply = SearchReply(100);
  JsonDocument doc;
  const std::string support(reinterpret_cast<const char*>(tl_json_support_js), tl_json_support_js_size);
  if (!doc.IsReady() || !NewScriptControl(support)) {
    std::printf("json_bench: script control missing\n");
    return 1;
  }

  const int rounds = 25;
  std::vector<double> checkedParse, checkedTotal, uncheckedParse, uncheckedTotal, syntaxOnly;
  size_t checkedBytes = 0, uncheckedBytes = 0;
  for (int round = 0; round < rounds + 2; ++round) {
    double p1, t1, p2, t2;
    Checked(doc, reply, &p1, &t1, &checkedBytes);
    // A fresh control each round: script added by AddCode stays in the engine.
    com::Dispatch control = NewScriptControl(support);
    Unchecked(control, reply, &p2, &t2, &uncheckedBytes);
    std::wstring wide = com::Bstr::FromGbk(reply).wide();
    double start = Now();
    bool valid = IsValidJson(wide);
    double syntax = Now() - start;
    if (round < 2 || !valid) continue;  // warm-up
    checkedParse.push_back(p1);
    checkedTotal.push_back(t1);
    uncheckedParse.push_back(p2);
    uncheckedTotal.push_back(t2);
    syntaxOnly.push_back(syntax);
  }
  if (checkedBytes == 0 || checkedBytes != uncheckedBytes) {
    std::printf("json_bench: the two roads read different fields (%u / %u bytes)\n",
                static_cast<unsigned>(checkedBytes), static_cast<unsigned>(uncheckedBytes));
    return 1;
  }
  const double cp = Median(checkedParse), ct = Median(checkedTotal);
  const double up = Median(uncheckedParse), ut = Median(uncheckedTotal);
  std::printf(
      "json_bench: reply of 100 hits, %u bytes (code page 936), 300 fields, %u bytes read; "
      "median of %d rounds\n",
      static_cast<unsigned>(reply.size()), static_cast<unsigned>(checkedBytes), rounds);
  std::printf("  syntax check alone            %8.3f ms\n", Median(syntaxOnly));
  std::printf("  checked Parse                 %8.3f ms\n", cp);
  std::printf("  unchecked evaluation          %8.3f ms\n", up);
  std::printf("  parse ratio checked/unchecked %8.2f x (target <= 3)\n", cp / up);
  std::printf("  checked Parse + 300 GetText   %8.3f ms\n", ct);
  std::printf("  unchecked + 300 reads         %8.3f ms\n", ut);
  std::printf("  total ratio                   %8.2f x\n", ct / ut);
  return 0;
}
