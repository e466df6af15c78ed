#include "app/song_download.h"

#include <deque>
#include <mutex>
#include <utility>

#include "app/program_paths.h"
#include "app/safe_file_name.h"
#include "base/kernel_handles.h"
#include "net/file_download.h"

namespace tunelark {

// Statuses on their way from the download threads to the list. Shared by the manager and
// its jobs, so a job whose thread outlives the manager (see Shutdown) still has it.
class DownloadManager::StatusQueue {
 public:
  void Push(ResultList::RowId rowId, const std::string& text) {
    std::lock_guard<std::mutex> lock(mutex_);
    waiting_.emplace_back(rowId, text);
  }
  std::deque<std::pair<ResultList::RowId, std::string>> TakeAll() {
    std::lock_guard<std::mutex> lock(mutex_);
    return std::exchange(waiting_, {});
  }

 private:
  std::mutex mutex_;
  std::deque<std::pair<ResultList::RowId, std::string>> waiting_;
};

struct DownloadManager::Job {
  ResultList::RowId rowId = 0;
  std::string address;
  std::string targetPath;
  HWND notifyWindow = nullptr;
  std::shared_ptr<StatusQueue> statuses;
  DownloadCancel cancel;
  KernelHandle thread;
  int lastPercent = -1;

  // Queued, and the window told: a download never waits for the window (which may be busy
  // with a search).
  void Report(const std::string& text) const {
    statuses->Push(rowId, text);
    PostMessageA(notifyWindow, kMsgDownloadStatus, 0, 0);
  }

  void OnProgress(unsigned long long received, long long total) {
    int percent = total > 0 ? static_cast<int>(received * 100 / static_cast<unsigned long long>(total)) : -2;
    if (percent == lastPercent) return;
    lastPercent = percent;
    Report(ProgressText(received, total));
  }
};

std::string ProgressText(unsigned long long received, long long total) {
  if (total <= 0) return kStatusRunning;
  unsigned long long percent = received * 100 / static_cast<unsigned long long>(total);
  if (percent > 100) percent = 100;
  return std::string(kStatusRunning) + " " + std::to_string(percent) + "%";
}

DownloadManager::DownloadManager() : statuses_(std::make_shared<StatusQueue>()) {}
DownloadManager::~DownloadManager() { Shutdown(); }

void DownloadManager::DownloadSelectedSong(const ResultList& list, HWND notifyWindow) {
  ForgetFinished();
  const int row = list.Selection();
  if (row < 0) return;  // nothing selected: nothing to download, no file made

  auto job = std::make_unique<Job>();
  job->rowId = list.IdOfRow(row);
  job->address = list.Cell(row, ResultList::kAddress);
  job->targetPath = DownloadFolderPath() + "\\" + SafeSongFileName(list.Cell(row, ResultList::kTitle)) + ".mp3";
  job->notifyWindow = notifyWindow;
  job->statuses = statuses_;
  ApplyStatus(list, job->rowId, kStatusRunning);

  job->thread.reset(CreateThread(nullptr, 0, &DownloadManager::ThreadMain, job.get(), 0, nullptr));
  if (!job->thread) {
    ApplyStatus(list, job->rowId, kStatusFailed);
    return;
  }
  jobs_.push_back(std::move(job));
}

DWORD WINAPI DownloadManager::ThreadMain(void* param) {
  Job& job = *static_cast<Job*>(param);
  // No exception leaves the thread: a download that throws (out of memory) has failed.
  try {
    DownloadRequest request;
    request.address = job.address;
    request.targetPath = job.targetPath;
    request.cancel = &job.cancel;
    request.progress = [&job](std::uint64_t received, std::int64_t total) { job.OnProgress(received, total); };
    DownloadOutcome outcome = DownloadFile(request);
    if (outcome == DownloadOutcome::kComplete) job.Report(kStatusOk);
    if (outcome == DownloadOutcome::kFailed) job.Report(kStatusFailed);
  } catch (...) {
    try {
      job.Report(kStatusFailed);
    } catch (...) {
    }
  }
  return 0;
}

void DownloadManager::ApplyStatus(const ResultList& list, ResultList::RowId rowId, const std::string& text) {
  int row = list.RowOfId(rowId);
  if (row >= 0) list.SetCell(row, ResultList::kStatus, text);
}

void DownloadManager::ApplyWaitingStatuses(const ResultList& list) {
  for (const auto& [rowId, text] : statuses_->TakeAll()) ApplyStatus(list, rowId, text);
}

void DownloadManager::ForgetFinished() {
  jobs_.remove_if(
      [](const std::unique_ptr<Job>& job) { return WaitForSingleObject(job->thread.get(), 0) == WAIT_OBJECT_0; });
}

void DownloadManager::Shutdown() {
  for (auto& job : jobs_) job->cancel.Cancel();
  const DWORD deadline = GetTickCount() + 10000;
  for (auto& job : jobs_) {
    // Pump while waiting, so the last statuses still reach the list if it is there.
    HANDLE thread = job->thread.get();
    while (MsgWaitForMultipleObjects(1, &thread, FALSE, 50, QS_ALLINPUT | QS_SENDMESSAGE) != WAIT_OBJECT_0) {
      MSG msg;
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
      if (static_cast<LONG>(GetTickCount() - deadline) > 0) break;
    }
  }
  for (auto& job : jobs_) {
    // A thread that has not ended still uses its job: leave it be (the process is ending).
    if (WaitForSingleObject(job->thread.get(), 0) != WAIT_OBJECT_0) static_cast<void>(job.release());
  }
  jobs_.clear();
}

}  // namespace tunelark
