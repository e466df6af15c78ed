// The song search: sends the keyword to the song-search service, reads the JSON reply and
// fills the result list with one row per hit (singer-title, address).
#pragma once
#include <string>

#include "app/result_list.h"
#include "base/byte_array.h"

namespace tunelark {

class JsonDocument;

// The request address for a keyword (code page 936): the keyword's UTF-8 bytes, every one
// percent-encoded, between the fixed parts of the query.
std::string SearchAddress(const std::string& keyword);

// Row text of column 0 for a hit: singer, "-", and the title's non-ASCII characters.
std::string HitRowTitle(const std::string& singer, const std::string& name);

// The longest search reply taken. A reply of 100 hits is some 20 KB; a longer one (or one
// that never ends) is a failed search, and never grows the body until memory runs out.
inline constexpr size_t kMaxSearchReplyBytes = 4 * 1024 * 1024;

// Runs one search: the reply body replaces `reply`, its JSON goes into `json`, and the list
// is emptied and filled with exactly the current hits. Returns the number of rows written.
// A failed search (no reply, a reply over kMaxSearchReplyBytes, no valid JSON) empties it.
int RunSongSearch(const std::string& keyword, JsonDocument& json, ByteArray& reply, const ResultList& list);
// The same for the reply at a given address.
int RunSearchAt(const std::string& address, JsonDocument& json, ByteArray& reply, const ResultList& list);

}  // namespace tunelark
