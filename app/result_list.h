// The report-style result list: rows of (singer-title, address, status).
// Every operation is one synchronous message to the list window, so download threads
// may call them beside the user-interface thread.
#pragma once
#include <windows.h>

#include <string>

namespace tunelark {

class ResultList {
 public:
  enum Column { kTitle = 0, kAddress = 1, kStatus = 2 };

  ResultList() = default;
  explicit ResultList(HWND list) : list_(list) {}

  // Adds the three columns "作者和歌名" (200), "地址" (200), "状态" (50).
  void AddColumns() const;

  HWND window() const { return list_; }
  int RowCount() const;
  // Appends an empty row at the end and returns its index. Every row gets an identity of
  // its own (never reused), so work that outlives a search can find its row again.
  int AppendRow() const;
  using RowId = LPARAM;
  RowId IdOfRow(int row) const;
  // Index of the row with that identity, -1 when it is gone.
  int RowOfId(RowId id) const;
  void DeleteAllRows() const;
  void SetCell(int row, int column, const std::string& text) const;
  std::string Cell(int row, int column) const;
  // Index of the selected row, -1 when none.
  int Selection() const;

 private:
  HWND list_ = nullptr;
};

}  // namespace tunelark
