#include "gfx/region.h"

#include <climits>

#include "gfx/graphics.h"
#include "gfx/graphics_path.h"
#include "gfx/matrix.h"

namespace tunelark {

namespace {

Gdiplus::GpGraphics* GraphicsOf(const Graphics* graphics) { return graphics ? graphics->handle() : nullptr; }

// The scan rectangles of region under matrix, read with getScans (float or integer form):
// scans is sized by the scan count first and cut to what GDI+ filled.
template <typename Rect, typename GetScansFn>
bool ReadScans(const Region& region, const Matrix& matrix, std::vector<Rect>& scans, GetScansFn getScans) {
  scans.clear();
  UINT count = 0;
  if (!region.GetScansCount(matrix, count)) return false;
  if (count > 0x1000000) {
    lastGdiplusStatus = Gdiplus::GenericError;
    return false;
  }
  scans.resize(count);
  INT filled = 0;
  const bool ok = TrackStatus(getScans(region.handle(), scans.data(), &filled, matrix.handle()));
  if (filled >= 0 && static_cast<UINT>(filled) < count) scans.resize(static_cast<size_t>(filled));
  return ok;
}

}  // namespace

bool Region::Create() {
  Gdiplus::GpRegion* made = nullptr;
  return Adopt(gdip::GdipCreateRegion(&made), made);
}

bool Region::CreateFromRect(const Gdiplus::RectF& rect) {
  Gdiplus::GpRegion* made = nullptr;
  return Adopt(gdip::GdipCreateRegionRect(&rect, &made), made);
}

bool Region::CreateFromRectI(const Gdiplus::Rect& rect) {
  Gdiplus::GpRegion* made = nullptr;
  return Adopt(gdip::GdipCreateRegionRectI(&rect, &made), made);
}

bool Region::CreateFromPath(const GraphicsPath& path) {
  Gdiplus::GpRegion* made = nullptr;
  return Adopt(gdip::GdipCreateRegionPath(path.handle(), &made), made);
}

bool Region::CreateFromHrgn(HRGN region) {
  Gdiplus::GpRegion* made = nullptr;
  return Adopt(gdip::GdipCreateRegionHrgn(region, &made), made);
}

bool Region::CreateFromData(const ByteArray& data) {
  if (data.empty() || data.size() > INT_MAX) {
    lastGdiplusStatus = Gdiplus::InvalidParameter;
    return false;
  }
  Gdiplus::GpRegion* made = nullptr;
  return Adopt(gdip::GdipCreateRegionRgnData(data.data(), static_cast<INT>(data.size()), &made), made);
}

bool Region::Clone(Region& into) const {
  Gdiplus::GpRegion* made = nullptr;
  return into.Adopt(gdip::GdipCloneRegion(handle(), &made), made);
}

bool Region::MakeInfinite() { return TrackStatus(gdip::GdipSetInfinite(handle())); }
bool Region::MakeEmpty() { return TrackStatus(gdip::GdipSetEmpty(handle())); }

bool Region::CombineRect(const Gdiplus::RectF& rect, Gdiplus::CombineMode mode) {
  return TrackStatus(gdip::GdipCombineRegionRect(handle(), &rect, mode));
}

bool Region::CombineRectI(const Gdiplus::Rect& rect, Gdiplus::CombineMode mode) {
  return TrackStatus(gdip::GdipCombineRegionRectI(handle(), &rect, mode));
}

bool Region::CombineRegion(const Region& other, Gdiplus::CombineMode mode) {
  return TrackStatus(gdip::GdipCombineRegionRegion(handle(), other.handle(), mode));
}

bool Region::CombinePath(const GraphicsPath& path, Gdiplus::CombineMode mode) {
  return TrackStatus(gdip::GdipCombineRegionPath(handle(), path.handle(), mode));
}

bool Region::Translate(float dx, float dy) { return TrackStatus(gdip::GdipTranslateRegion(handle(), dx, dy)); }
bool Region::TranslateI(int dx, int dy) { return TrackStatus(gdip::GdipTranslateRegionI(handle(), dx, dy)); }
bool Region::Transform(const Matrix& matrix) {
  return TrackStatus(gdip::GdipTransformRegion(handle(), matrix.handle()));
}

bool Region::GetBounds(const Graphics& graphics, Gdiplus::RectF& bounds) const {
  return TrackStatus(gdip::GdipGetRegionBounds(handle(), graphics.handle(), &bounds));
}

bool Region::GetBoundsI(const Graphics& graphics, Gdiplus::Rect& bounds) const {
  return TrackStatus(gdip::GdipGetRegionBoundsI(handle(), graphics.handle(), &bounds));
}

bool Region::GetDataSize(UINT& size) const { return TrackStatus(gdip::GdipGetRegionDataSize(handle(), &size)); }

bool Region::GetData(ByteArray& data) const {
  data.clear();
  UINT size = 0;
  if (!GetDataSize(size)) return false;
  if (size == 0 || size > 0x4000000) {
    lastGdiplusStatus = Gdiplus::GenericError;
    return false;
  }
  data.assign(size, 0);
  UINT filled = 0;
  if (!TrackStatus(gdip::GdipGetRegionData(handle(), data.data(), size, &filled))) {
    data.clear();
    return false;
  }
  if (filled < size) data.resize(filled);
  return true;
}

RegionHandle Region::GetHrgn(const Graphics& graphics) const {
  HRGN region = nullptr;
  if (!TrackStatus(gdip::GdipGetRegionHRgn(handle(), graphics.handle(), &region))) return RegionHandle();
  return RegionHandle(region);
}

bool Region::IsEmpty(const Graphics& graphics, bool& result) const {
  BOOL value = FALSE;
  const bool ok = TrackStatus(gdip::GdipIsEmptyRegion(handle(), graphics.handle(), &value));
  result = value != FALSE;
  return ok;
}

bool Region::IsInfinite(const Graphics& graphics, bool& result) const {
  BOOL value = FALSE;
  const bool ok = TrackStatus(gdip::GdipIsInfiniteRegion(handle(), graphics.handle(), &value));
  result = value != FALSE;
  return ok;
}

bool Region::IsEqual(const Region& other, const Graphics& graphics, bool& result) const {
  BOOL value = FALSE;
  const bool ok = TrackStatus(gdip::GdipIsEqualRegion(handle(), other.handle(), graphics.handle(), &value));
  result = value != FALSE;
  return ok;
}

bool Region::IsVisiblePoint(float x, float y, const Graphics* graphics, bool& result) const {
  BOOL value = FALSE;
  const bool ok = TrackStatus(gdip::GdipIsVisibleRegionPoint(handle(), x, y, GraphicsOf(graphics), &value));
  result = value != FALSE;
  return ok;
}

bool Region::IsVisiblePointI(int x, int y, const Graphics* graphics, bool& result) const {
  BOOL value = FALSE;
  const bool ok = TrackStatus(gdip::GdipIsVisibleRegionPointI(handle(), x, y, GraphicsOf(graphics), &value));
  result = value != FALSE;
  return ok;
}

bool Region::IsVisibleRect(const Gdiplus::RectF& r, const Graphics* graphics, bool& result) const {
  BOOL value = FALSE;
  const bool ok =
      TrackStatus(gdip::GdipIsVisibleRegionRect(handle(), r.X, r.Y, r.Width, r.Height, GraphicsOf(graphics), &value));
  result = value != FALSE;
  return ok;
}

bool Region::IsVisibleRectI(const Gdiplus::Rect& r, const Graphics* graphics, bool& result) const {
  BOOL value = FALSE;
  const bool ok =
      TrackStatus(gdip::GdipIsVisibleRegionRectI(handle(), r.X, r.Y, r.Width, r.Height, GraphicsOf(graphics), &value));
  result = value != FALSE;
  return ok;
}

bool Region::GetScansCount(const Matrix& matrix, UINT& count) const {
  return TrackStatus(gdip::GdipGetRegionScansCount(handle(), &count, matrix.handle()));
}

bool Region::GetScans(const Matrix& matrix, std::vector<Gdiplus::RectF>& scans) const {
  return ReadScans(*this, matrix, scans, gdip::GdipGetRegionScans);
}

bool Region::GetScansI(const Matrix& matrix, std::vector<Gdiplus::Rect>& scans) const {
  return ReadScans(*this, matrix, scans, gdip::GdipGetRegionScansI);
}

}  // namespace tunelark
