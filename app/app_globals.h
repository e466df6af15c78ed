// The process-wide objects of the program, made before the main window and released by
// the exit routine: the JSON document holding the last search reply, and its raw body.
#pragma once
#include <memory>

#include "net/byte_array.h"
#include "text/json_document.h"

namespace tunelark {

extern std::unique_ptr<JsonDocument> g_json;
extern ByteArray g_searchReply;

}  // namespace tunelark
