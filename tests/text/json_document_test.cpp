// The JSON document on the platform's script control: reading the search reply, the type
// codes and member counting, the writing operations, and Parse's refusal of anything but
// JSON: hostile replies must have no effect, invalid JSON leaves the document null.
#include <gtest/gtest.h>

#include <windows.h>

#include <limits>
#include <string>
#include <thread>
#include <vector>

#include "text/gbk_text.h"
#include "tests/support/gdi_count.h"
#include "tests/support/test_paths.h"
#include "text/com_dispatch.h"
#include "text/json_document.h"
#include "text/json_syntax.h"

using namespace tunelark;

namespace {

const char kReply[] = "{\"data\":[{\"singer\":\"A\",\"name\":\"B\",\"url\":\"C\"}]}";

// Paths are script expressions evaluated beside the document, so a path can also read a
// global variable of the script engine: "[0], typeof name" evaluates da[0], typeof name.
// The document is made an empty object first (da[0] of a null document would fail).
std::string TypeOfGlobal(JsonDocument& doc, const std::string& name) {
  doc.Reset(kJsonObject);
  return doc.GetText("[0], typeof " + name);
}

std::string Nested(int depth) { return std::string(depth, '[') + "1" + std::string(depth, ']'); }

// Runs script text the way the document used to take a reply: as source code.
bool RunAsScript(const std::string& source) {
  com::Dispatch control = com::Dispatch::Create(L"MSScriptControl.ScriptControl");
  if (!control) return false;
  control.Put(L"Language", com::Variant::Text("JavaScript"));
  com::Variant code = com::Variant::Text("var da=eval(" + source + ")");
  return control.Call(L"AddCode", {&code});
}

class JsonDocumentTest : public ::testing::Test {
 protected:
  com::ComInit com_;
  JsonDocument doc_;
};

}  // namespace

TEST_F(JsonDocumentTest, ReadsTheSearchReply) {
  ASSERT_TRUE(doc_.IsReady());
  ASSERT_TRUE(doc_.Parse(kReply));
  EXPECT_EQ(doc_.MemberCount("data"), 1);
  EXPECT_EQ(doc_.GetText("data[0].singer"), "A");
  EXPECT_EQ(doc_.GetText("data[0].name"), "B");
  EXPECT_EQ(doc_.GetText("data[0].url"), "C");
  EXPECT_EQ(doc_.GetText("data[0]", true), "{\"singer\":\"A\",\"name\":\"B\",\"url\":\"C\"}");
  EXPECT_EQ(doc_.MemberCount("data[0]"), 3);
  EXPECT_EQ(doc_.MemberCount(""), 1);

  const std::string chinese =
      "{\"data\":[{\"singer\":\"周杰伦\",\"name\":\"晴天 - 现场\",\"url\":\"http://a/b?c=1&d=2\"}]}";
  ASSERT_TRUE(doc_.Parse(chinese));
  EXPECT_EQ(doc_.GetText("data[0].singer"), "周杰伦");
  EXPECT_EQ(doc_.GetText("data[0].name"), "晴天 - 现场");
  EXPECT_EQ(doc_.GetText("data[0].url"), "http://a/b?c=1&d=2");
  EXPECT_EQ(doc_.ToText(), chinese);
}

TEST_F(JsonDocumentTest, MemberCountsAndPaths) {
  ASSERT_TRUE(doc_.Parse("{\"o\":{},\"a\":[],\"n\":null,\"x\":5,\"b\":[1,2,3],\"c\":{\"k\":1,\"l\":2}}"));
  EXPECT_EQ(doc_.MemberCount("o"), 0);
  EXPECT_EQ(doc_.MemberCount("a"), 0);
  EXPECT_EQ(doc_.MemberCount("b"), 3);
  EXPECT_EQ(doc_.MemberCount("c"), 2);
  EXPECT_EQ(doc_.MemberCount("missing"), 0);
  EXPECT_EQ(doc_.MemberCount("missing.deeper"), 0);  // the script call fails
  EXPECT_EQ(doc_.MemberCount("n"), 0);               // no negative counts for values without members
  EXPECT_EQ(doc_.MemberCount("x"), 0);

  ASSERT_TRUE(doc_.Parse("[{\"name\":\"first\"},{\"name\":\"second\"}]"));
  EXPECT_EQ(doc_.GetText("[0].name"), "first");
  EXPECT_EQ(doc_.GetText("[1].name"), "second");
  EXPECT_EQ(doc_.GetText("[5].name"), "");
  EXPECT_EQ(doc_.MemberCount(""), 2);
  EXPECT_EQ(doc_.GetElement(1, "", true), "{\"name\":\"second\"}");
}

// Rows reads a whole table in one call, each cell as GetText reads it: missing members,
// null elements and non-objects give empty cells; the count is capped.
TEST_F(JsonDocumentTest, RowsReadTheTableAsGetTextWould) {
  ASSERT_TRUE(doc_.Parse("{\"data\":[{\"singer\":\"周杰伦\",\"name\":\"晴天\",\"url\":\"u\"},null,"
                         "{\"name\":7},\"text\",{\"singer\":\"x\"}]}"));
  const auto rows = doc_.Rows("data", {"singer", "name", "url"}, 4);
  ASSERT_EQ(rows.size(), 4u);
  for (size_t i = 0; i < rows.size(); ++i) {
    ASSERT_EQ(rows[i].size(), 3u);
    const std::string k = "data[" + std::to_string(i) + "].";
    EXPECT_EQ(rows[i][0], doc_.GetText(k + "singer")) << i;
    EXPECT_EQ(rows[i][1], doc_.GetText(k + "name")) << i;
  }
  EXPECT_EQ(rows[0][0], "周杰伦");
  EXPECT_EQ(rows[2][1], "7");
  EXPECT_TRUE(doc_.Rows("missing", {"a"}, 10).empty());
  ASSERT_TRUE(doc_.Parse("{\"data\":5}"));
  EXPECT_TRUE(doc_.Rows("data", {"a"}, 10).empty());
}

// Every search reads the rows and a value or two: reading must keep nothing behind.
TEST_F(JsonDocumentTest, ReadingValuesAgainAndAgainKeepsMemoryFlat) {
  std::string reply = "{\"data\":[";
  for (int i = 0; i < 100; ++i) reply += (i ? ",{" : "{") + std::string("\"singer\":\"s\",\"name\":\"n\"}");
  ASSERT_TRUE(doc_.Parse(reply + "]}"));
  const auto readAll = [&] {
    EXPECT_EQ(doc_.Rows("data", {"singer", "name"}, 1000).size(), 100u);
    EXPECT_EQ(doc_.MemberCount("data"), 100);
  };
  for (int i = 0; i < 50; ++i) readAll();
  const double start = static_cast<double>(tltest::WorkingSetBytes());
  for (int i = 0; i < 2000; ++i) readAll();
  EXPECT_LT(static_cast<double>(tltest::WorkingSetBytes()) - start, 1.5 * 1048576);
}

TEST_F(JsonDocumentTest, TypeCodes) {
  ASSERT_TRUE(doc_.Parse("{\"s\":\"t\",\"n\":1.5,\"a\":[1],\"o\":{\"k\":1},\"t\":true,\"z\":null}"));
  EXPECT_EQ(doc_.TypeOf("s"), kJsonString);
  EXPECT_EQ(doc_.TypeOf("n"), kJsonNumber);
  EXPECT_EQ(doc_.TypeOf("a"), kJsonArray);
  EXPECT_EQ(doc_.TypeOf("o"), kJsonObject);
  EXPECT_EQ(doc_.TypeOf("t"), kJsonOther);
  EXPECT_EQ(doc_.TypeOf("z"), kJsonNull);
  EXPECT_EQ(doc_.TypeOf("missing"), kJsonNull);
  EXPECT_EQ(doc_.TypeOf("missing.deeper"), kJsonNull);
  EXPECT_EQ(doc_.TypeOf(), kJsonObject);
  EXPECT_TRUE(doc_.Has("s"));
  EXPECT_FALSE(doc_.Has("z"));
  EXPECT_FALSE(doc_.Has("missing"));
  EXPECT_FALSE(doc_.Has("missing.deeper"));
}

TEST_F(JsonDocumentTest, MemberNamesEndWithTheTwoAddedMembers) {
  ASSERT_TRUE(doc_.Parse("{\"a\":1,\"b\":2}"));
  std::vector<std::string> expected = {"a", "b", "toJSONString", "parseJSON"};
  EXPECT_EQ(doc_.MemberNames(), expected);
  ASSERT_TRUE(doc_.Parse("{\"inner\":{\"歌手\":1}}"));
  expected = {"歌手", "toJSONString", "parseJSON"};
  EXPECT_EQ(doc_.MemberNames("inner"), expected);
  EXPECT_TRUE(doc_.MemberNames("missing.deeper").empty());
}

TEST_F(JsonDocumentTest, WritingOperations) {
  doc_.Reset(kJsonArray);
  doc_.Append("1", "", true);
  EXPECT_EQ(doc_.ToText(), "[1]");
  doc_.Append("two");
  doc_.Append("{\"k\":3}", "", true);
  EXPECT_EQ(doc_.ToText(), "[1,\"two\",{\"k\":3}]");
  EXPECT_EQ(doc_.GetElement(1), "two");
  EXPECT_EQ(doc_.GetElement(2, "", true), "{\"k\":3}");
  doc_.SetElement(0, "x");
  doc_.SetElement(1, "2", true);
  EXPECT_EQ(doc_.ToText(), "[\"x\",2,{\"k\":3}]");
  doc_.RemoveElement(0);
  EXPECT_EQ(doc_.ToText(), "[2,{\"k\":3}]");

  doc_.Reset(kJsonObject);
  EXPECT_EQ(doc_.ToText(), "{}");
  doc_.SetText("name", "晴天");
  doc_.SetText("obj", "", true);
  doc_.SetText("list", "[1,2]", true);
  doc_.SetRaw("flag", "1 < 2");
  doc_.SetNumber("pi", 3.25);
  doc_.SetNumber("tenth", 0.1);
  doc_.Append("a", "obj.items");
  doc_.Append("b", "obj.items");
  EXPECT_EQ(doc_.ToText(),
            "{\"name\":\"晴天\",\"obj\":{\"items\":[\"a\",\"b\"]},\"list\":[1,2],\"flag\":true,"
            "\"pi\":3.25,\"tenth\":0.1}");
  doc_.SetNumber("big", 1e21);
  EXPECT_DOUBLE_EQ(doc_.GetNumber("big"), 1e21);
  doc_.SetNumber("nan", std::numeric_limits<double>::quiet_NaN());
  EXPECT_EQ(doc_.TypeOf("nan"), kJsonNumber);
  EXPECT_EQ(doc_.GetJson("nan"), "null");
  EXPECT_DOUBLE_EQ(doc_.GetNumber("pi"), 3.25);
  EXPECT_DOUBLE_EQ(doc_.GetNumber("list[1]"), 2);
  EXPECT_DOUBLE_EQ(doc_.GetNumber("missing.deeper"), 0);
  EXPECT_EQ(doc_.GetJson("obj"), "{\"items\":[\"a\",\"b\"]}");
  EXPECT_EQ(doc_.GetText("obj.items", true), "[\"a\",\"b\"]");
  EXPECT_EQ(doc_.GetText("flag"), "true");
  EXPECT_EQ(doc_.GetText("pi"), "3.25");
  EXPECT_EQ(doc_.GetElement(1, "obj.items"), "b");

  // Values are not escaped: an apostrophe breaks the statement and nothing changes.
  const std::string before = doc_.ToText();
  doc_.SetText("name", "it's");
  EXPECT_EQ(doc_.ToText(), before);

  EXPECT_TRUE(doc_.SetRoot("plain"));
  EXPECT_EQ(doc_.ToText(), "\"plain\"");
  EXPECT_TRUE(doc_.SetRoot("[3,4]", true));
  EXPECT_EQ(doc_.MemberCount(""), 2);
  EXPECT_FALSE(doc_.SetRoot("[3,", true));
  EXPECT_EQ(doc_.ToText(), "[3,4]");
  doc_.Reset(kJsonNull);
  EXPECT_EQ(doc_.ToText(), "null");
  doc_.Reset(static_cast<JsonType>(7));  // not a type code: nothing happens
  EXPECT_EQ(doc_.ToText(), "null");
  doc_.Clear();
  EXPECT_EQ(doc_.ToText(), "{}");
}

TEST_F(JsonDocumentTest, ClonesShareGetDocumentCopies) {
  ASSERT_TRUE(doc_.Parse("{\"a\":{\"b\":[1,2]}}"));
  {
    JsonDocument clone = doc_.Clone();
    EXPECT_EQ(clone.GetText("a.b[1]"), "2");
    clone.SetNumber("a.c", 9);
    EXPECT_EQ(doc_.GetText("a.c"), "9");
  }
  EXPECT_EQ(doc_.GetText("a.b[0]"), "1");  // the script control outlives the clone

  JsonDocument part = doc_.GetDocument("a");
  EXPECT_EQ(part.ToText(), "{\"b\":[1,2],\"c\":9}");
  part.Append("3", "b", true);
  EXPECT_EQ(part.MemberCount("b"), 3);
  EXPECT_EQ(doc_.MemberCount("a.b"), 2);
  JsonDocument missing = doc_.GetDocument("nothing");
  EXPECT_EQ(missing.TypeOf(), kJsonNull);

  JsonDocument moved = std::move(part);
  EXPECT_EQ(moved.MemberCount("b"), 3);
  EXPECT_FALSE(part.IsReady());  // a moved-from document answers with empty values
  EXPECT_FALSE(part.Parse("{}"));
  EXPECT_EQ(part.ToText(), "");
  EXPECT_EQ(part.MemberCount("b"), 0);
  EXPECT_EQ(part.TypeOf(), kJsonNull);
}

TEST_F(JsonDocumentTest, ValidJsonOfEveryKindParses) {
  ASSERT_TRUE(doc_.Parse("{\"s\":\"\\\"\\\\\\/\\b\\f\\n\\r\\t\\u0041\\u4e2d\\ud83d\\ude00\"}"));
  EXPECT_EQ(doc_.GetNumber("s.length"), 12);
  EXPECT_EQ(doc_.GetText("s.substr(0,3)"), "\"\\/");
  EXPECT_EQ(doc_.GetNumber("s.charCodeAt(3)"), 8);
  EXPECT_EQ(doc_.GetNumber("s.charCodeAt(7)"), 9);
  EXPECT_EQ(doc_.GetText("s.substr(8,2)"), "A中");
  EXPECT_EQ(doc_.GetNumber("s.charCodeAt(10)"), 0xD83D);
  EXPECT_EQ(doc_.GetNumber("s.charCodeAt(11)"), 0xDE00);

  ASSERT_TRUE(
      doc_.Parse(" \t\r\n{\"a\":1e3,\"b\":-2.5E-2,\"c\":0,\"d\":-0.0,\"e\":1E+2,\"f\":12345678901234567890} \n"));
  EXPECT_DOUBLE_EQ(doc_.GetNumber("a"), 1000);
  EXPECT_DOUBLE_EQ(doc_.GetNumber("b"), -0.025);
  EXPECT_DOUBLE_EQ(doc_.GetNumber("e"), 100);
  EXPECT_DOUBLE_EQ(doc_.GetNumber("f"), 12345678901234567890.0);

  // Code page 936 characters whose second byte is a backslash stay inside their string.
  ASSERT_TRUE(doc_.Parse("{\"a\":\"\x81\x5C\",\"b\":\"\x95\x5C\x81\x5C\"}"));
  EXPECT_EQ(doc_.GetText("a"), "\x81\x5C");
  EXPECT_EQ(doc_.GetText("b"), "\x95\x5C\x81\x5C");

  // Texts that look like script inside a string are just text.
  ASSERT_TRUE(doc_.Parse("{\"a\":\"\\\"); pwned = 1; (\\\"\",\"b\":\"</script>\"}"));
  EXPECT_EQ(doc_.GetText("a"), "\"); pwned = 1; (\"");
  EXPECT_EQ(TypeOfGlobal(doc_, "pwned"), "undefined");

  // Top-level values of every kind; null parses but leaves the document null.
  EXPECT_TRUE(doc_.Parse("123"));
  EXPECT_EQ(doc_.TypeOf(), kJsonNumber);
  EXPECT_TRUE(doc_.Parse("\"x\""));
  EXPECT_EQ(doc_.TypeOf(), kJsonString);
  EXPECT_TRUE(doc_.Parse("false"));
  EXPECT_FALSE(doc_.Parse("null"));
  EXPECT_EQ(doc_.TypeOf(), kJsonNull);
}

TEST_F(JsonDocumentTest, DeepNestingAndLargeArrays) {
  ASSERT_TRUE(doc_.Parse(Nested(500)));
  EXPECT_EQ(doc_.TypeOf(), kJsonArray);
  EXPECT_EQ(doc_.GetJson("toString()").size(), 3u);  // "1"
  ASSERT_TRUE(doc_.Parse(Nested(kJsonMaxDepth)));
  EXPECT_EQ(doc_.MemberCount(""), 1);
  std::string objects;
  for (int i = 0; i < 600; ++i) objects += "{\"k\":";
  objects += "\"deep\"" + std::string(600, '}');
  ASSERT_TRUE(doc_.Parse(objects));
  EXPECT_EQ(doc_.GetText("k.k.k.k"), "") << "an object, not a text";
  EXPECT_EQ(doc_.TypeOf("k.k.k.k"), kJsonObject);

  // Beyond the limit, and far beyond it, the text is refused without running out of stack.
  EXPECT_FALSE(doc_.Parse(Nested(kJsonMaxDepth + 1)));
  EXPECT_EQ(doc_.TypeOf(), kJsonNull);
  EXPECT_FALSE(doc_.Parse(std::string(1000000, '[')));
  EXPECT_FALSE(doc_.Parse(Nested(200000)));

  std::string big = "[";
  for (int i = 0; i < 100000; ++i) {
    if (i) big += ',';
    big += std::to_string(i);
  }
  big += "]";
  ASSERT_TRUE(doc_.Parse(big));
  EXPECT_EQ(doc_.MemberCount(""), 100000);
  EXPECT_EQ(doc_.GetText("[99999]"), "99999");
}

TEST_F(JsonDocumentTest, InvalidJsonIsRefusedAndLeavesTheDocumentNull) {
  const std::vector<std::string> invalid = {"{\"a\":1,}",
                                            "[1,2,]",
                                            "[1,,2]",
                                            "{,}",
                                            "{'a':1}",
                                            "['a']",
                                            "{a:1}",
                                            "{\"a\" 1}",
                                            "{\"a\":1}/*c*/",
                                            "// c\n{}",
                                            "/*c*/{}",
                                            "NaN",
                                            "[NaN]",
                                            "Infinity",
                                            "[-Infinity]",
                                            "[undefined]",
                                            "[01]",
                                            "[-01]",
                                            "[1.]",
                                            "[.5]",
                                            "[+1]",
                                            "[1e]",
                                            "[1e+]",
                                            "[-]",
                                            "[--1]",
                                            "[0x10]",
                                            "[\"a\tb\"]",
                                            "[\"a\nb\"]",
                                            std::string("[\"a\0b\"]", 7),
                                            "[\"\\x41\"]",
                                            "[\"\\u12\"]",
                                            "[\"\\'\"]",
                                            "[\"abc",
                                            "{\"a\":",
                                            "[1",
                                            "\"abc",
                                            "{} {}",
                                            "[1] [2]",
                                            "1 2",
                                            "",
                                            "   ",
                                            "tru",
                                            "nul",
                                            "True",
                                            "{\"a\":1}x",
                                            std::string("{}\0", 3),
                                            "(function(){return {}})()",
                                            "{\"a\":(1)}",
                                            "[1]\xA1\xA1",
                                            "\xEF\xBB\xBF{}"};
  for (const std::string& text : invalid) {
    ASSERT_TRUE(doc_.Parse(kReply));
    EXPECT_FALSE(doc_.Parse(text)) << text;
    EXPECT_EQ(doc_.TypeOf(), kJsonNull) << text;
    EXPECT_EQ(doc_.MemberCount("data"), 0) << text;
    EXPECT_EQ(doc_.ToText(), "null") << text;
  }
}

// Replies that would do something if they were run as script: the unchecked evaluation
// shows each does, Parse refuses them and nothing happens.
TEST_F(JsonDocumentTest, HostileRepliesHaveNoEffect) {
  tltest::ScratchFolder folder("tl-json");
  const std::string file = folder.path() + "\\pwned.txt";
  const std::string scriptPath = ReplaceAll(file, "\\", "\\\\");
  const std::string createsFile = "(function(){ new ActiveXObject('Scripting.FileSystemObject').CreateTextFile('" +
                                  scriptPath + "').Close(); return {\"data\":[]}; })()";
  ASSERT_TRUE(RunAsScript(createsFile));
  ASSERT_TRUE(tltest::FileExists(file)) << "the unchecked evaluation runs the reply";
  ASSERT_TRUE(DeleteFileA(file.c_str()));

  EXPECT_FALSE(doc_.Parse(createsFile));
  EXPECT_FALSE(tltest::FileExists(file));
  EXPECT_EQ(doc_.TypeOf(), kJsonNull);

  const std::string setsGlobal = "(pwned = 'yes', {\"data\":[{\"singer\":\"A\"}]})";
  EXPECT_FALSE(doc_.Parse(setsGlobal));
  EXPECT_EQ(TypeOfGlobal(doc_, "pwned"), "undefined");
  const std::string setsGlobalInside = "{\"data\":[], \"x\": pwned = 1}";
  EXPECT_FALSE(doc_.Parse(setsGlobalInside));
  EXPECT_EQ(TypeOfGlobal(doc_, "pwned"), "undefined");

  // A reply that would add a member to every object would change later member counts.
  EXPECT_FALSE(doc_.Parse("{\"data\":[], \"x\": (Object.prototype.extra = 1)}"));
  ASSERT_TRUE(doc_.Parse(kReply));
  EXPECT_EQ(doc_.MemberCount("data"), 1);
  EXPECT_EQ(doc_.MemberCount("data[0]"), 3);

  // Valid JSON may still carry such texts as string values: they stay data.
  const std::string asData = "{\"data\":[{\"singer\":\"new ActiveXObject('Scripting.FileSystemObject')\"}]}";
  ASSERT_TRUE(doc_.Parse(asData));
  EXPECT_EQ(doc_.GetText("data[0].singer"), "new ActiveXObject('Scripting.FileSystemObject')");
  EXPECT_FALSE(tltest::FileExists(file));
}

// The script's own JSON functions, reached through raw values and path expressions.
TEST_F(JsonDocumentTest, ScriptJsonFunctions) {
  doc_.SetRaw("p", "JSON.parse('{\"a\":[1,\"\\u4e2d\"],\"b\":{\"c\":null}}')");
  EXPECT_EQ(doc_.GetJson("p"), "{\"a\":[1,\"中\"],\"b\":{\"c\":null}}");
  doc_.SetRaw("q", "JSON.parse('[1,]')");  // strict: throws, nothing is set
  EXPECT_FALSE(doc_.Has("q"));
  doc_.SetRaw("q", "JSON.parse('{\"x\":1} junk')");
  EXPECT_FALSE(doc_.Has("q"));
  doc_.SetRaw("r", "JSON.parse('[1,2]', function (k, v) { return typeof v === 'number' ? v * 10 : v; })");
  EXPECT_EQ(doc_.GetJson("r"), "[10,20]");
  EXPECT_EQ(doc_.GetText("p.toJSONString()"), "{\"a\":[1,\"中\"],\"b\":{\"c\":null}}");
  EXPECT_EQ(doc_.GetJson("p.toJSONString().parseJSON().a"), "[1,\"中\"]");
  EXPECT_EQ(doc_.GetText("p.b.toJSONString(null, 2)"), "{\n  \"c\": null\n}");
  doc_.SetRaw("d", "new Date(Date.UTC(2024, 0, 2, 3, 4, 5))");
  EXPECT_EQ(doc_.GetJson("d"), "\"2024-01-02T03:04:05Z\"");
  doc_.SetRaw("f", "function () { return 1; }");
  doc_.SetRaw("u", "undefined");
  doc_.SetRaw("ctl", "'a\\u0001\\u2028b'");
  EXPECT_EQ(doc_.GetJson("ctl"), "\"a\\u0001\\u2028b\"");
  EXPECT_EQ(doc_.GetText("f.toString().length > 0"), "true");
  EXPECT_EQ(doc_.GetJson("u"), "");  // undefined has no JSON form
  // Functions and undefined members are left out of an object's JSON text.
  EXPECT_EQ(Find(doc_.ToText(), "\"f\""), -1);
  EXPECT_EQ(Find(doc_.ToText(), "\"u\""), -1);
}

TEST(JsonSyntax, CheckerAloneOnHostileShapes) {
  EXPECT_TRUE(IsValidJson(L"{\"a\":[1,{\"b\":null}],\"c\":\"\\u00e9\"}"));
  EXPECT_TRUE(IsValidJson(L"\r\n{ \"a\" :\t[ 1 , { } , [ ] , -0.5e-3 ] ,\n \"b\" : { \"c\" : true } } "));
  EXPECT_FALSE(IsValidJson(L"{ \"a\" : [ 1 , ] }"));
  EXPECT_FALSE(IsValidJson(L"{ \"a\" : 1 , }"));
  EXPECT_FALSE(IsValidJson(L"[ 1 2 ]"));
  EXPECT_FALSE(IsValidJson(L"{ \"a\" , 1 }"));
  EXPECT_FALSE(IsValidJson(L"{ 1 : 1 }"));
  EXPECT_FALSE(IsValidJson(L"[1]]"));
  EXPECT_FALSE(IsValidJson(L"[1}"));
  EXPECT_FALSE(IsValidJson(L"{\"a\":1]"));
  EXPECT_TRUE(IsValidJson(L"\"\x2028\""));  // JSON allows the line separator raw in strings
  EXPECT_FALSE(IsValidJson(L"[\x2028]"));
  EXPECT_FALSE(IsValidJson(std::wstring(5000000, L'{')));
  EXPECT_TRUE(IsValidJson(L"[[[]]]", 3));
  EXPECT_FALSE(IsValidJson(L"[[[[]]]]", 3));
  EXPECT_FALSE(IsValidJson(L"{\"a\":{\"b\":{\"c\":{}}}}", 3));
}

TEST(JsonThreads, DocumentsOnOtherThreadsStartTheirOwnCom) {
  std::vector<std::string> results(3);
  std::vector<std::thread> threads;
  for (int i = 0; i < 3; ++i) {
    threads.emplace_back([i, &results] {
      JsonDocument doc;
      if (doc.Parse("{\"n\":[" + std::to_string(i) + "]}")) results[i] = doc.GetText("n[0]");
    });
  }
  for (auto& t : threads) t.join();
  EXPECT_EQ(results, (std::vector<std::string>{"0", "1", "2"}));
  for (int i = 0; i < 20; ++i) {
    JsonDocument doc;
    ASSERT_TRUE(doc.Parse("[1]"));
  }
}

