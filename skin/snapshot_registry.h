// The registry of memory device contexts made for background snapshots: each entry keeps
// the DC, the bitmap selected into it and the object that bitmap displaced, so the DC can
// be released correctly by whoever received it.
#pragma once
#include <windows.h>

#include <vector>

#include "gfx/offscreen_dc.h"

namespace tunelark {

class SnapshotRegistry {
 public:
  SnapshotRegistry() = default;
  SnapshotRegistry(const SnapshotRegistry&) = delete;
  SnapshotRegistry& operator=(const SnapshotRegistry&) = delete;
  ~SnapshotRegistry();  // releases every DC still registered

  // Keeps the surface; returns its DC.
  HDC Register(OffscreenDC surface);
  // Records dc with its bitmap and the object the bitmap displaced; a DC already registered
  // gets its bitmap and previous object overwritten.
  void Register(HDC dc, HBITMAP bitmap, HGDIOBJ previous);
  // Selects the previous object back, deletes the DC and the bitmap, and forgets the entry.
  // A null or unregistered DC changes nothing.
  void Release(HDC dc);

  bool Contains(HDC dc) const;
  int Count() const { return static_cast<int>(entries_.size()); }
  // How many DCs were ever registered: the snapshots taken, one per paint of a family.
  int Made() const { return made_; }

 private:
  std::vector<OffscreenDC> entries_;
  int made_ = 0;
};

}  // namespace tunelark
