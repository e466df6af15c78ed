#include "app/main_window.h"

#include <commctrl.h>
#include <shellapi.h>

#include "app/app_globals.h"
#include "app/main_window_skin.h"
#include "app/working_set_trimmer.h"
#include "skin/skin_images.h"
#include "app/program_paths.h"
#include "app/song_search.h"
#include "base/lazy_import.h"
#include "base/message_copy.h"
#include "base/resource_ids.h"
#include "gfx/gdi_handles.h"

// shell32 loads when the folder button is first pressed, not at program start.
TL_LAZY_IMPORT(shell, "shell32.dll", ShellExecuteA)

namespace tunelark {
namespace {

HWND MakeControl(HWND parent, const char* cls, const char* text, DWORD style, DWORD exStyle,
                 const ControlLayout& r, int id, HFONT font) {
  HWND control = CreateWindowExA(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, r.x, r.y, r.width,
                                 r.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleA(nullptr), nullptr);
  if (control && font) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return control;
}

}  // namespace

MainWindow::~MainWindow() {
  if (window_ && IsWindow(window_)) DestroyWindow(window_);
}

bool MainWindow::Create(HINSTANCE instance, int showCommand) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = &MainWindow::WindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  const char* icon = MAKEINTRESOURCEA(TL_PROGRAM_ICON_ID);
  wc.hIcon = static_cast<HICON>(LoadImageA(instance, icon, IMAGE_ICON, 48, 48, LR_SHARED));
  wc.hIconSm = static_cast<HICON>(LoadImageA(instance, icon, IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  wc.lpszClassName = kMainWindowClass;
  if (!RegisterClassExA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;

  // No system frame: the skin draws the caption inside the 481 x 375 rectangle; the
  // minimise box gives the skin's minimise caption button, the close button is always there.
  const DWORD style = WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  const ControlLayout& r = kMainWindowRect;
  window_ = CreateWindowExA(WS_EX_APPWINDOW, kMainWindowClass, kMainWindowCaption, style, r.x, r.y, r.width,
                            r.height, nullptr, nullptr, instance, this);
  if (!window_) return false;
  // Also set per window: other processes (the taskbar, Alt+Tab) ask with WM_GETICON.
  SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(wc.hIcon));
  SendMessageA(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(wc.hIconSm));
  ShowWindow(window_, showCommand);
  UpdateWindow(window_);
  SetTimer(window_, kSearchDocumentTimer, 0, nullptr);
  return true;
}

std::string MainWindow::KeywordText() const {
  int length = GetWindowTextLengthA(keywordBox_);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  int n = GetWindowTextA(keywordBox_, text.data(), length + 1);
  text.resize(n > 0 ? n : 0);
  return text;
}

LRESULT CALLBACK MainWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  MainWindow* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<MainWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  }
  if (!self) return DefWindowProcA(window, message, wParam, lParam);
  // No exception leaves the window procedure (it would end the program): a message whose
  // handler failed is left to the default handling.
  try {
    return self->HandleMessage(message, wParam, lParam);
  } catch (...) {
    return DefWindowProcA(window, message, wParam, lParam);
  }
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: return OnCreate();
    case WM_COMMAND: return OnCommand(wParam, lParam);
    case WM_NOTIFY: return OnNotify(lParam);
    case WM_DESTROY: return OnDestroy();
    case WM_TIMER: return OnTimer(wParam);
    case kMsgDownloadStatus: downloads_.ApplyWaitingStatuses(results()); return 0;
    default: return DefWindowProcA(window_, message, wParam, lParam);
  }
}

LRESULT MainWindow::OnCreate() {
  CreateControls();
  OnMainWindowCreated();
  return 0;
}

void MainWindow::CreateControls() {
  LOGFONTA lf{};
  lf.lfHeight = -12;  // 9 pt at 96 dpi
  lf.lfCharSet = GB2312_CHARSET;
  lstrcpynA(lf.lfFaceName, "宋体", LF_FACESIZE);
  font_.reset(CreateFontIndirectA(&lf));

  keywordBox_ = MakeControl(window_, "Edit", "", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, kKeywordBoxRect,
                            kIdKeywordBox, font_.get());
  searchButton_ = MakeControl(window_, "Button", "查询", WS_TABSTOP | BS_PUSHBUTTON, 0, kSearchButtonRect,
                              kIdSearchButton, font_.get());
  folderButton_ = MakeControl(window_, "Button", "打开下载文件夹", WS_TABSTOP | BS_PUSHBUTTON, 0,
                              kFolderButtonRect, kIdFolderButton, font_.get());
  resultList_ = MakeControl(window_, WC_LISTVIEWA, "", WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL,
                            WS_EX_CLIENTEDGE, kResultListRect, kIdResultList, font_.get());
  SendMessageA(resultList_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  results().AddColumns();
  label_ = MakeControl(window_, "Static", "", SS_LEFT, 0, kLabelRect, kIdLabel, font_.get());
}

LRESULT MainWindow::OnCommand(WPARAM wParam, LPARAM /*lParam*/) {
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  if (code == BN_CLICKED && id == kIdSearchButton) OnSearchClicked();
  if (code == BN_CLICKED && id == kIdFolderButton) OnOpenFolderClicked();
  // Enter (the dialog manager turns it into IDOK): in the keyword box it searches, on the
  // result list it downloads the selected row, as a double-click does.
  if (id == IDOK && GetFocus() == keywordBox_) OnSearchClicked();
  if (id == IDOK && GetFocus() == resultList_) OnResultDoubleClicked();
  return 0;
}

LRESULT MainWindow::OnNotify(LPARAM lParam) {
  NMHDR header{};
  if (!CopyMessageStruct(lParam, header)) return 0;  // sent from elsewhere with no header here
  // NM_RETURN: Enter reached the list itself (no dialog manager in front of it).
  if (header.hwndFrom == resultList_ && (header.code == NM_DBLCLK || header.code == NM_RETURN))
    OnResultDoubleClicked();
  return 0;
}

// A timer message comes only when nothing is left to paint: the search document's script
// engine is made after the first frame.
LRESULT MainWindow::OnTimer(WPARAM id) {
  if (id != kSearchDocumentTimer) return DefWindowProcA(window_, WM_TIMER, id, 0);
  KillTimer(window_, kSearchDocumentTimer);
  EnsureSearchDocument();
  return 0;
}

void MainWindow::EnsureSearchDocument() {
  if (!g_json) g_json = std::make_unique<JsonDocument>();
}

LRESULT MainWindow::OnDestroy() {
  StopTrimming();  // closing deactivates the window: no tool starts while the process ends
  PostQuitMessage(0);
  return 0;
}

// The window is skinned here, as the last step of its creation: the skin engine has
// started (GDI+ runs) before the window was made.
void MainWindow::OnMainWindowCreated() {
  CreateDownloadFolder();
  if (!g_skin) return;
  g_skin->deactivationRoutine = TrimWorkingSet;
  ApplySkinToWindow(*g_skin, window_, CopySkinImage(SkinImage::Background), kMainWindowSkinAlpha);
}

void MainWindow::OnSearchClicked() {
  HCURSOR previous = SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
  EnsureSearchDocument();
  RunSongSearch(KeywordText(), *g_json, g_searchReply, results());
  SetCursor(previous);
}

void MainWindow::OnResultDoubleClicked() { downloads_.DownloadSelectedSong(results(), window_); }

void MainWindow::OnOpenFolderClicked() {
  shell::ShellExecuteA(nullptr, "open", DownloadFolderPath().c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace tunelark
