// The process-wide objects of the program, made around the main window and released by
// the exit routine: the skin engine, the JSON document holding the last search reply, and
// the reply's raw body.
#pragma once
#include <memory>

#include "base/byte_array.h"
#include "skin/skin_engine.h"
#include "text/json_document.h"

namespace tunelark {

extern std::unique_ptr<SkinEngine> g_skin;
extern std::unique_ptr<JsonDocument> g_json;
extern ByteArray g_searchReply;

}  // namespace tunelark
