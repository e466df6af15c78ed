#include "app/result_list.h"

#include <commctrl.h>

#include <atomic>

namespace tunelark {

void ResultList::AddColumns() const {
  struct ColumnDef {
    const char* title;
    int width;
  };
  static const ColumnDef kColumns[] = {{"作者和歌名", 200}, {"地址", 200}, {"状态", 50}};
  int index = 0;
  for (const ColumnDef& def : kColumns) {
    LVCOLUMNA col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM | LVCF_FMT;
    col.fmt = LVCFMT_LEFT;
    col.cx = def.width;
    col.pszText = const_cast<char*>(def.title);
    col.iSubItem = index;
    SendMessageA(list_, LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&col));
    ++index;
  }
}

int ResultList::RowCount() const { return static_cast<int>(SendMessageA(list_, LVM_GETITEMCOUNT, 0, 0)); }

int ResultList::AppendRow() const {
  static std::atomic<LPARAM> nextId{1};
  LVITEMA item{};
  item.mask = LVIF_TEXT | LVIF_PARAM;
  item.iItem = RowCount();
  item.pszText = const_cast<char*>("");
  item.lParam = nextId++;
  return static_cast<int>(SendMessageA(list_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

ResultList::RowId ResultList::IdOfRow(int row) const {
  LVITEMA item{};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  if (row < 0 || !SendMessageA(list_, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return 0;
  return item.lParam;
}

int ResultList::RowOfId(RowId id) const {
  LVFINDINFOA find{};
  find.flags = LVFI_PARAM;
  find.lParam = id;
  return static_cast<int>(SendMessageA(list_, LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
}

void ResultList::DeleteAllRows() const { SendMessageA(list_, LVM_DELETEALLITEMS, 0, 0); }

void ResultList::SetCell(int row, int column, const std::string& text) const {
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = const_cast<char*>(text.c_str());
  SendMessageA(list_, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
}

std::string ResultList::Cell(int row, int column) const {
  if (row < 0) return {};
  std::string buffer(512, '\0');
  for (;;) {
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(buffer.size());
    int n = static_cast<int>(SendMessageA(list_, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item)));
    if (n < static_cast<int>(buffer.size()) - 1) {
      buffer.resize(n);
      return buffer;
    }
    buffer.resize(buffer.size() * 2);  // the text was cut: ask again with more room
  }
}

int ResultList::Selection() const {
  return static_cast<int>(SendMessageA(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

}  // namespace tunelark
