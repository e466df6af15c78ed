#include "skin/snapshot_registry.h"

#include <algorithm>

namespace tunelark {

SnapshotRegistry::~SnapshotRegistry() {
  while (!entries_.empty()) entries_.pop_back();  // newest first
}

HDC SnapshotRegistry::Register(OffscreenDC surface) {
  HDC dc = surface.dc();
  if (!dc) return nullptr;
  Register(dc, surface.bitmap(), surface.previous());
  surface.Detach();
  return dc;
}

void SnapshotRegistry::Register(HDC dc, HBITMAP bitmap, HGDIOBJ previous) {
  if (!dc) return;
  auto it = std::find_if(entries_.begin(), entries_.end(), [dc](const OffscreenDC& e) { return e.dc() == dc; });
  if (it == entries_.end()) {
    entries_.push_back(OffscreenDC::Adopt(dc, bitmap, previous));
    ++made_;
    return;
  }
  it->Detach();  // the same DC, given again with what it holds now
  *it = OffscreenDC::Adopt(dc, bitmap, previous);
}

void SnapshotRegistry::Release(HDC dc) {
  if (!dc) return;
  auto it = std::find_if(entries_.begin(), entries_.end(), [dc](const OffscreenDC& e) { return e.dc() == dc; });
  if (it != entries_.end()) entries_.erase(it);
}

bool SnapshotRegistry::Contains(HDC dc) const {
  return dc && std::any_of(entries_.begin(), entries_.end(), [dc](const OffscreenDC& e) { return e.dc() == dc; });
}

}  // namespace tunelark
