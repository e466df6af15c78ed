#include "app/song_search.h"

#include <string>
#include <vector>

#include "base/code_page.h"
#include "net/text_utils.h"
#include "net/wininet_fetch.h"
#include "text/json_document.h"

namespace tunelark {
namespace {

constexpr char kSearchPrefix[] = "https://" TUNELARK_SEARCH_HOST "/music/kugou/search?key=318604752&s=";
constexpr char kSearchSuffix[] = "&limit=100&offset=0&type=song";
// We ask for 100 hits; a reply with far more is not what we asked for, and writing
// millions of rows would freeze the window.
constexpr int kMaxRows = 1000;

// Stops the list from repainting while it is filled, and repaints once at the end.
class RedrawPause {
 public:
  explicit RedrawPause(HWND window) : window_(window) { SendMessageA(window_, WM_SETREDRAW, FALSE, 0); }
  RedrawPause(const RedrawPause&) = delete;
  RedrawPause& operator=(const RedrawPause&) = delete;
  ~RedrawPause() {
    SendMessageA(window_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(window_, nullptr, TRUE);
  }

 private:
  HWND window_;
};

}  // namespace

std::string SearchAddress(const std::string& keyword) {
  return kSearchPrefix + UrlEncode(keyword, false, true) + kSearchSuffix;
}

std::string HitRowTitle(const std::string& singer, const std::string& name) {
  return singer + "-" + KeepNonAscii(name);
}

int RunSongSearch(const std::string& keyword, JsonDocument& json, ByteArray& reply, const ResultList& list) {
  return RunSearchAt(SearchAddress(keyword), json, reply, list);
}

int RunSearchAt(const std::string& address, JsonDocument& json, ByteArray& reply, const ResultList& list) {
  WinInetOptions options;
  options.maxBodyBytes = kMaxSearchReplyBytes;
  reply = WinInetFetch(address, options);
  // The whole reply is converted: a zero byte in it stays, and the JSON check refuses it.
  json.Parse(Utf8ToGbk(AsText(reply)));
  const std::vector<std::vector<std::string>> hits = json.Rows("data", {"singer", "name", "url"}, kMaxRows);

  RedrawPause pause(list.window());
  list.DeleteAllRows();  // the list holds exactly the current hits
  for (const std::vector<std::string>& hit : hits) {
    const int row = list.AppendRow();
    list.SetCell(row, ResultList::kTitle, HitRowTitle(hit[0], hit[1]));
    list.SetCell(row, ResultList::kAddress, hit[2]);
  }
  return static_cast<int>(hits.size());
}

}  // namespace tunelark
