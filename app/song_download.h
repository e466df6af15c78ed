// Song downloads: a double-click on a result row downloads that row's song on a thread of
// its own into the download folder, named after the row's title (made safe), and keeps the
// row's status cell truthful: "下载中 37%" (or "下载中") while it runs, "OK" when the whole
// file is written, "失败" when anything failed. Rows are tracked by identity, so a new
// search or another selection never redirects a running download to another row.
#pragma once
#include <windows.h>

#include <list>
#include <memory>
#include <string>

#include "app/result_list.h"

namespace tunelark {

// Message the download threads post when statuses wait in the manager's queue: it carries
// nothing, it only says "look at the queue", so a message from anywhere else does no harm.
inline constexpr UINT kMsgDownloadStatus = WM_APP + 1;

inline constexpr char kStatusOk[] = "OK";
inline constexpr char kStatusFailed[] = "失败";
inline constexpr char kStatusRunning[] = "下载中";

// Status text for a running download: "下载中 37%", or "下载中" when the size is unknown.
std::string ProgressText(unsigned long long received, long long total);

class DownloadManager {
 public:
  DownloadManager();
  DownloadManager(const DownloadManager&) = delete;
  DownloadManager& operator=(const DownloadManager&) = delete;
  ~DownloadManager();

  // Starts the download of the selected row; nothing happens when no row is selected.
  // kMsgDownloadStatus is posted to notifyWindow when new statuses wait.
  void DownloadSelectedSong(const ResultList& list, HWND notifyWindow);

  // Writes the waiting statuses into the list (user-interface thread, on kMsgDownloadStatus).
  void ApplyWaitingStatuses(const ResultList& list);

  // Cancels every running download and waits for them to clean up (pumping messages).
  void Shutdown();

 private:
  struct Job;
  class StatusQueue;
  static DWORD WINAPI ThreadMain(void* job);
  static void ApplyStatus(const ResultList& list, ResultList::RowId rowId, const std::string& text);
  void ForgetFinished();

  std::shared_ptr<StatusQueue> statuses_;
  std::list<std::unique_ptr<Job>> jobs_;
};

}  // namespace tunelark
