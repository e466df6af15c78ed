// Pen: an owned GDI+ pen made from a colour or from any brush, with its width, caps, joins,
// dash settings, colour and transform (including scale and rotate about a point).
#pragma once
#include <vector>

#include "gfx/brushes.h"
#include "gfx/gdiplus_object.h"
#include "gfx/transform_ops.h"

namespace tunelark {

class Pen
    : public GdiplusObject<Gdiplus::GpPen, &gdip::GdipDeletePen>,
      public TransformOps<Pen, &gdip::GdipGetPenTransform, &gdip::GdipSetPenTransform, &gdip::GdipResetPenTransform,
                          &gdip::GdipMultiplyPenTransform, &gdip::GdipTranslatePenTransform,
                          &gdip::GdipScalePenTransform, &gdip::GdipRotatePenTransform> {
 public:
  using GdiplusObject::GdiplusObject;

  bool Create(Gdiplus::ARGB colour, float width = 1.0f, Gdiplus::Unit unit = Gdiplus::UnitWorld);
  bool CreateFromBrush(BrushRef brush, float width = 1.0f, Gdiplus::Unit unit = Gdiplus::UnitWorld);
  bool Clone(Pen& into) const;

  bool SetWidth(float width);
  bool GetWidth(float& width) const;
  bool SetUnit(Gdiplus::Unit unit);
  bool GetUnit(Gdiplus::Unit& unit) const;
  bool SetLineCap(Gdiplus::LineCap start, Gdiplus::LineCap end, Gdiplus::DashCap dash);
  bool SetStartCap(Gdiplus::LineCap cap);
  bool GetStartCap(Gdiplus::LineCap& cap) const;
  bool SetEndCap(Gdiplus::LineCap cap);
  bool GetEndCap(Gdiplus::LineCap& cap) const;
  bool SetDashCap(Gdiplus::DashCap cap);
  bool GetDashCap(Gdiplus::DashCap& cap) const;
  bool SetLineJoin(Gdiplus::LineJoin join);
  bool GetLineJoin(Gdiplus::LineJoin& join) const;
  bool SetMiterLimit(float limit);
  bool GetMiterLimit(float& limit) const;
  bool SetAlignment(Gdiplus::PenAlignment alignment);  // the pen mode
  bool GetAlignment(Gdiplus::PenAlignment& alignment) const;

  // The transform operations come from TransformOps.

  bool SetColour(Gdiplus::ARGB colour);
  bool GetColour(Gdiplus::ARGB& colour) const;
  bool SetBrush(BrushRef brush);
  bool GetFillType(Gdiplus::PenType& type) const;
  bool SetDashStyle(Gdiplus::DashStyle style);
  bool GetDashStyle(Gdiplus::DashStyle& style) const;
  bool SetDashOffset(float offset);
  bool GetDashOffset(float& offset) const;
  bool SetDashArray(const std::vector<float>& dashes);
  bool GetDashArray(std::vector<float>& dashes) const;
  bool SetCompoundArray(const std::vector<float>& compound);
  bool GetCompoundArray(std::vector<float>& compound) const;
};

}  // namespace tunelark
