#include "tests/support/remote_window.h"

#include <commctrl.h>

namespace tltest {

std::string ClassOf(HWND window) {
  char cls[256] = {};
  GetClassNameA(window, cls, sizeof cls);
  return cls;
}

std::string TextOf(HWND window) {
  int n = static_cast<int>(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0));
  std::string text(static_cast<size_t>(n) + 1, '\0');
  n = static_cast<int>(SendMessageA(window, WM_GETTEXT, n + 1, reinterpret_cast<LPARAM>(text.data())));
  text.resize(n > 0 ? n : 0);
  return text;
}

RECT RectInParent(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  HWND parent = GetParent(window);
  POINT tl{r.left, r.top};
  if (parent) ScreenToClient(parent, &tl);
  return RECT{tl.x, tl.y, r.right - r.left, r.bottom - r.top};
}

std::vector<HWND> ChildrenOf(HWND parent) {
  std::vector<HWND> out;
  for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) out.push_back(c);
  return out;
}

HWND ChildById(HWND parent, int id) { return GetDlgItem(parent, id); }

namespace {
constexpr SIZE_T kRemoteSize = 8192;
}

RemoteListView::RemoteListView(HWND list) : list_(list) {
  DWORD pid = 0;
  GetWindowThreadProcessId(list, &pid);
  process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  if (process_)
    remote_ = static_cast<char*>(VirtualAllocEx(process_, nullptr, kRemoteSize, MEM_COMMIT, PAGE_READWRITE));
}

RemoteListView::~RemoteListView() {
  if (remote_) VirtualFreeEx(process_, remote_, 0, MEM_RELEASE);
  if (process_) CloseHandle(process_);
}

std::vector<ListColumn> RemoteListView::Columns() const {
  std::vector<ListColumn> out;
  for (int i = 0;; ++i) {
    LVCOLUMNA col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH;
    col.pszText = remote_ + 1024;
    col.cchTextMax = 1024;
    WriteProcessMemory(process_, remote_, &col, sizeof col, nullptr);
    if (!SendMessageA(list_, LVM_GETCOLUMNA, i, reinterpret_cast<LPARAM>(remote_))) break;
    ReadProcessMemory(process_, remote_, &col, sizeof col, nullptr);
    char text[1024] = {};
    ReadProcessMemory(process_, remote_ + 1024, text, sizeof text - 1, nullptr);
    out.push_back({text, col.cx});
  }
  return out;
}

int RemoteListView::RowCount() const { return static_cast<int>(SendMessageA(list_, LVM_GETITEMCOUNT, 0, 0)); }

std::string RemoteListView::Cell(int row, int column) const {
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = remote_ + 1024;
  item.cchTextMax = 4096;
  WriteProcessMemory(process_, remote_, &item, sizeof item, nullptr);
  int n = static_cast<int>(SendMessageA(list_, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(remote_)));
  std::string text(4096, '\0');
  ReadProcessMemory(process_, remote_ + 1024, text.data(), text.size(), nullptr);
  text.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return text;
}

std::vector<std::vector<std::string>> RemoteListView::Rows() const {
  std::vector<std::vector<std::string>> rows;
  int n = RowCount();
  for (int r = 0; r < n; ++r) rows.push_back({Cell(r, 0), Cell(r, 1), Cell(r, 2)});
  return rows;
}

int RemoteListView::Selection() const {
  return static_cast<int>(SendMessageA(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void RemoteListView::Select(int row) const {
  LVITEMA item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = row >= 0 ? (LVIS_SELECTED | LVIS_FOCUSED) : 0;
  WriteProcessMemory(process_, remote_, &item, sizeof item, nullptr);
  SendMessageA(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote_));
}

RECT RemoteListView::RowRect(int row) const {
  RECT r{LVIR_LABEL, 0, 0, 0};
  WriteProcessMemory(process_, remote_, &r, sizeof r, nullptr);
  SendMessageA(list_, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(remote_));
  ReadProcessMemory(process_, remote_, &r, sizeof r, nullptr);
  return r;
}

}  // namespace tltest
