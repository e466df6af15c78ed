// Reads the state of another process's windows the way a user would see it: class,
// text, rectangle relative to the parent's client area, and list-view contents (through
// memory allocated in the other process, as list-view messages carry pointers).
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace tltest {

std::string ClassOf(HWND window);
std::string TextOf(HWND window);
// Window rectangle in the parent's client coordinates (left, top, width, height).
RECT RectInParent(HWND window);
std::vector<HWND> ChildrenOf(HWND parent);  // direct children, in Z order
HWND ChildById(HWND parent, int id);

struct ListColumn {
  std::string title;
  int width = 0;
};

class RemoteListView {
 public:
  explicit RemoteListView(HWND list);
  ~RemoteListView();
  RemoteListView(const RemoteListView&) = delete;
  RemoteListView& operator=(const RemoteListView&) = delete;

  std::vector<ListColumn> Columns() const;
  int RowCount() const;
  std::string Cell(int row, int column) const;
  std::vector<std::vector<std::string>> Rows() const;
  int Selection() const;
  void Select(int row) const;
  // Rectangle of a row's first cell in the list's client coordinates.
  RECT RowRect(int row) const;

 private:
  HWND list_;
  HANDLE process_ = nullptr;
  char* remote_ = nullptr;  // scratch memory in the list's process
};

}  // namespace tltest
