// The main window: keyword box, "查询", "打开下载文件夹", the result list and an empty label,
// laid out at fixed positions, with the handlers its control events run.
#pragma once
#include <windows.h>

#include <string>

#include "app/result_list.h"
#include "app/song_download.h"
#include "gfx/gdi_handles.h"

namespace tunelark {

// Layout of the main window (left, top, width, height in pixels).
struct ControlLayout {
  int x, y, width, height;
};
inline constexpr ControlLayout kMainWindowRect{50, 50, 481, 375};
inline constexpr ControlLayout kKeywordBoxRect{9, 34, 136, 32};
inline constexpr ControlLayout kSearchButtonRect{192, 34, 112, 32};
inline constexpr ControlLayout kFolderButtonRect{352, 34, 112, 32};
inline constexpr ControlLayout kResultListRect{8, 74, 465, 288};
inline constexpr ControlLayout kLabelRect{416, 360, 24, 16};

inline constexpr char kMainWindowClass[] = "TunelarkMainWindow";
inline constexpr char kMainWindowCaption[] = "Tunelark";

// Control identifiers.
enum ControlId : int {
  kIdKeywordBox = 1001,
  kIdSearchButton = 1002,
  kIdFolderButton = 1003,
  kIdResultList = 1004,
  kIdLabel = 1005,
};

class MainWindow {
 public:
  MainWindow() = default;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;
  ~MainWindow();

  // Registers the class, creates the window and its controls, and shows it.
  bool Create(HINSTANCE instance, int showCommand);

  HWND window() const { return window_; }
  ResultList results() const { return ResultList(resultList_); }
  std::string KeywordText() const;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  LRESULT OnCreate();
  LRESULT OnCommand(WPARAM wParam, LPARAM lParam);
  LRESULT OnNotify(LPARAM lParam);
  LRESULT OnDestroy();
  LRESULT OnTimer(WPARAM id);
  void EnsureSearchDocument();  // makes g_json when it does not exist yet

  static constexpr UINT_PTR kSearchDocumentTimer = 1;

  void CreateControls();

  // Event handlers of the controls.
  void OnMainWindowCreated();
  void OnSearchClicked();
  void OnOpenFolderClicked();
  void OnResultDoubleClicked();

  HWND window_ = nullptr;
  HWND keywordBox_ = nullptr;
  HWND searchButton_ = nullptr;
  HWND folderButton_ = nullptr;
  HWND resultList_ = nullptr;
  HWND label_ = nullptr;
  FontHandle font_;
  DownloadManager downloads_;
};

}  // namespace tunelark
