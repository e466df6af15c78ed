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

// Message the download threads post to change a status cell on the user-interface thread:
// wParam = row identity, lParam = a heap std::string the handler takes ownership of.
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
  // Status changes are sent to notifyWindow as kMsgDownloadStatus.
  void DownloadSelectedSong(const ResultList& list, HWND notifyWindow);

  // Handles a kMsgDownloadStatus message (user-interface thread).
  static void OnStatusMessage(const ResultList& list, WPARAM rowId, LPARAM text);

  // Cancels every running download and waits for them to clean up (pumping messages).
  void Shutdown();

 private:
  struct Job;
  static DWORD WINAPI ThreadMain(void* job);
  static void ApplyStatus(const ResultList& list, ResultList::RowId rowId, const std::string& text);
  void ForgetFinished();

  std::list<std::unique_ptr<Job>> jobs_;
};

}  // namespace tunelark
