#include "skin/snapshot_registry.h"

#include <algorithm>

namespace tunelark {

SnapshotRegistry::~SnapshotRegistry() {
  while (!entries_.empty()) Release(entries_.back().dc);
}

void SnapshotRegistry::Register(HDC dc, HBITMAP bitmap, HGDIOBJ previous) {
  if (!dc) return;
  for (Entry& e : entries_) {
    if (e.dc == dc) {
      e.bitmap = bitmap;
      e.previous = previous;
      return;
    }
  }
  entries_.push_back({dc, bitmap, previous});
}

void SnapshotRegistry::Release(HDC dc) {
  if (!dc) return;
  auto it = std::find_if(entries_.begin(), entries_.end(), [dc](const Entry& e) { return e.dc == dc; });
  if (it == entries_.end()) return;
  // The object that comes out when the previous one goes back is the snapshot's bitmap.
  HGDIOBJ out = it->previous ? SelectObject(dc, it->previous) : nullptr;
  if (out && out != HGDI_ERROR) {
    DeleteObject(out);
  } else if (it->bitmap) {
    DeleteObject(it->bitmap);
  }
  DeleteDC(dc);
  entries_.erase(it);
}

bool SnapshotRegistry::Contains(HDC dc) const {
  return dc && std::any_of(entries_.begin(), entries_.end(), [dc](const Entry& e) { return e.dc == dc; });
}

}  // namespace tunelark
