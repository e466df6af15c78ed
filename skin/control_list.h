// The control families of the skin and the list each skin instance keeps per family.
//
// A family (push buttons, edit boxes, ...) is built the same way everywhere: an installer
// that takes the parent's children of its window class, a record type, a window procedure
// and a painter. The record type belongs to the family's own unit; it derives from
// ControlRecord (window handle and previous window procedure first) and names its list:
//
//   struct ButtonRecord : ControlRecord {
//     static constexpr Family kFamily = Family::Button;
//     int checkState = 0;  // the family's own fields
//   };
//   FamilyList<ButtonRecord>& buttons = instance.List<ButtonRecord>();
//
// Positions count from 1, 0 means none; they are what the "Hw_lbID" property of a control
// holds. A fresh list holds no control, and the first control taken gets position 1; the
// position of a destroyed control is given to the next one taken.
#pragma once
#include <windows.h>

#include <cstddef>
#include <deque>

namespace tunelark {

enum class Family : int {
  Button,       // push buttons, check boxes, radio buttons
  Edit,         // edit boxes, including the edit field of each combo box
  ListLike,     // list boxes and list-like controls
  Trackbar,
  Progress,
  Combo,
  UpDown,
  Header,       // headers of list views
  Transparent,  // transparent common controls
  Container,    // containers and group boxes
};
inline constexpr int kFamilyCount = 10;

// The first two fields of every family record.
struct ControlRecord {
  HWND window = nullptr;
  WNDPROC previousProc = nullptr;
};

// What the engine itself needs of any family list: its windows, in list order.
class FamilyListBase {
 public:
  virtual ~FamilyListBase() = default;
  virtual int Count() const = 0;
  // Window of the record at position (1-based); null outside the list.
  virtual HWND WindowAt(int position) const = 0;
  // Position of the record holding window, 0 when absent (window null is never found).
  int Find(HWND window) const {
    if (!window) return 0;
    for (int i = 1; i <= Count(); ++i)
      if (WindowAt(i) == window) return i;
    return 0;
  }
};

template <typename Record>
class FamilyList final : public FamilyListBase {
 public:
  int Count() const override { return static_cast<int>(records_.size()); }
  HWND WindowAt(int position) const override {
    const Record* r = At(position);
    return r ? r->window : nullptr;
  }
  // The record at a 1-based position; null outside the list.
  Record* At(int position) {
    return InRange(position) ? &records_[static_cast<size_t>(position - 1)] : nullptr;
  }
  const Record* At(int position) const {
    return InRange(position) ? &records_[static_cast<size_t>(position - 1)] : nullptr;
  }
  // Adds a record and returns its position: the first record whose control was destroyed
  // (window null) is reused, else the record is appended, so controls that come and go do not
  // grow the list. Records never move once added (a deque), so a control taken while
  // another's message is being handled leaves that record in place; still, look records up
  // by position on each message rather than keeping pointers.
  int Add(Record record) {
    for (size_t i = 0; i < records_.size(); ++i) {
      if (records_[i].window) continue;
      records_[i] = std::move(record);
      return static_cast<int>(i) + 1;
    }
    records_.push_back(std::move(record));
    return Count();
  }

  auto begin() { return records_.begin(); }
  auto end() { return records_.end(); }
  auto begin() const { return records_.begin(); }
  auto end() const { return records_.end(); }

 private:
  bool InRange(int position) const { return position >= 1 && position <= Count(); }
  std::deque<Record> records_;
};

}  // namespace tunelark
