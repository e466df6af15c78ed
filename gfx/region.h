// Region: an owned GDI+ region made from nothing (infinite), rectangles, a path, a GDI
// region or region data; combined, moved, measured, tested and turned into a GDI region.
#pragma once
#include <vector>

#include "gfx/gdi_handles.h"
#include "gfx/gdiplus_object.h"
#include "base/byte_array.h"

namespace tunelark {

class Graphics;
class GraphicsPath;
class Matrix;

class Region : public GdiplusObject<Gdiplus::GpRegion, &gdip::GdipDeleteRegion> {
 public:
  using GdiplusObject::GdiplusObject;

  bool Create();  // infinite
  bool CreateFromRect(const Gdiplus::RectF& rect);
  bool CreateFromRectI(const Gdiplus::Rect& rect);
  bool CreateFromPath(const GraphicsPath& path);
  bool CreateFromHrgn(HRGN region);
  bool CreateFromData(const ByteArray& data);
  bool Clone(Region& into) const;

  bool MakeInfinite();
  bool MakeEmpty();
  bool CombineRect(const Gdiplus::RectF& rect, Gdiplus::CombineMode mode);
  bool CombineRectI(const Gdiplus::Rect& rect, Gdiplus::CombineMode mode);
  bool CombineRegion(const Region& other, Gdiplus::CombineMode mode);
  bool CombinePath(const GraphicsPath& path, Gdiplus::CombineMode mode);
  bool Translate(float dx, float dy);
  bool TranslateI(int dx, int dy);
  bool Transform(const Matrix& matrix);

  bool GetBounds(const Graphics& graphics, Gdiplus::RectF& bounds) const;
  bool GetBoundsI(const Graphics& graphics, Gdiplus::Rect& bounds) const;
  bool GetDataSize(UINT& size) const;
  bool GetData(ByteArray& data) const;
  // A new GDI region (the caller owns it); empty handle on failure.
  RegionHandle GetHrgn(const Graphics& graphics) const;
  bool IsEmpty(const Graphics& graphics, bool& result) const;
  bool IsInfinite(const Graphics& graphics, bool& result) const;
  bool IsEqual(const Region& other, const Graphics& graphics, bool& result) const;
  bool IsVisiblePoint(float x, float y, const Graphics* graphics, bool& result) const;
  bool IsVisiblePointI(int x, int y, const Graphics* graphics, bool& result) const;
  bool IsVisibleRect(const Gdiplus::RectF& rect, const Graphics* graphics, bool& result) const;
  bool IsVisibleRectI(const Gdiplus::Rect& rect, const Graphics* graphics, bool& result) const;
  bool GetScansCount(const Matrix& matrix, UINT& count) const;
  bool GetScans(const Matrix& matrix, std::vector<Gdiplus::RectF>& scans) const;
  bool GetScansI(const Matrix& matrix, std::vector<Gdiplus::Rect>& scans) const;
};

}  // namespace tunelark
