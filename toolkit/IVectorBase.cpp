#include "toolkit/IVectorBase.h"

#include <algorithm>
#include <cmath>

#include "toolkit/IControl.h"
#include "toolkit/IGfx.h"

namespace ifx {
namespace igfx {

namespace {

IRECT ScaledAboutCentre(const IRECT& r, float f)
{
  const float hw = 0.5f * r.W() * f, hh = 0.5f * r.H() * f;
  const float cx = r.MW(), cy = r.MH();
  return IRECT(cx - hw, cy - hh, cx + hw, cy + hh);
}

// A disabled shape loses a quarter of full alpha.
constexpr int32_t kDisabledAlphaOffset = -(255 / 4);

} // namespace

IVectorBase::IVectorBase(const IVectorStyle& style, bool valueInWidget) : mValueInWidget(valueInWidget)
{
  SetStyle(style);
}

void IVectorBase::SetStyle(const IVectorStyle& style)
{
  mStyle = style;
  OnStyleChanged();
}

void IVectorBase::DrawBackground(IGfx& g, const IRECT& r)
{
  g.FillRect(GetColor(kColorBackground), r, mControl ? mControl->GetBlendPtr() : nullptr);
}

void IVectorBase::DrawLabel(IGfx& g)
{
  if (mLabelBounds.H() != 0.f && mStyle.showLabel && !mLabelStr.Empty())
    g.DrawText(mStyle.labelText, mLabelStr.Get(), mLabelBounds, mControl ? mControl->GetBlendPtr() : nullptr);
}

void IVectorBase::DrawValue(IGfx& g, bool mouseOver)
{
  if (mouseOver)
    g.FillRect(kColorTranslucent, mValueBounds);
  if (mStyle.showValue && !mValueStr.Empty())
    g.DrawText(mStyle.valueText, mValueStr.Get(), mValueBounds, mControl ? mControl->GetBlendPtr() : nullptr);
}

// -- Layout ----------------------------------------------------------------------------------

IRECT IVectorBase::LayoutParts(const IRECT& bounds, bool forShape)
{
  IGfx* g = mControl ? mControl->GetUI() : nullptr;
  auto measure = [g](const ITextStyle& style, const IString& str) {
    IRECT m;
    if (g)
      g->MeasureText(style, str.Get(), m);
    return m;
  };

  // 1. The label's rect, on its side of bounds.
  mLabelBounds = IRECT();
  if (!mLabelInWidget && mStyle.showLabel && !mLabelStr.Empty())
  {
    const IRECT m = measure(mStyle.labelText, mLabelStr);
    const float w = std::max(1.f, m.W());
    const float h = m.H() > 0.f ? m.H() : w;
    const float cx = bounds.MW(), cy = bounds.MH();
    switch (mStyle.labelPosition)
    {
      case kLabelRight: mLabelBounds = IRECT(bounds.R - w, cy - h / 2.f, bounds.R, cy + h / 2.f); break;
      case kLabelBottom: mLabelBounds = IRECT(cx - w / 2.f, bounds.B - h, cx + w / 2.f, bounds.B); break;
      case kLabelLeft: mLabelBounds = IRECT(bounds.L, cy - h / 2.f, bounds.L + w, cy + h / 2.f); break;
      default: mLabelBounds = IRECT(cx - w / 2.f, bounds.T, cx + w / 2.f, bounds.T + h); break;
    }
  }

  // 2. What is left beside the label.
  IRECT rest = bounds;
  if (!mLabelBounds.Empty())
  {
    switch (mStyle.labelPosition)
    {
      case kLabelRight: rest.R -= mLabelBounds.W(); break;
      case kLabelBottom: rest.B -= mLabelBounds.H(); break;
      case kLabelLeft: rest.L += mLabelBounds.W(); break;
      default: rest.T += mLabelBounds.H(); break;
    }
  }

  // 3. Widget and value.
  if (!mStyle.showValue || mValueInWidget)
  {
    mWidgetBounds = ScaledAboutCentre(rest, mStyle.widgetFrac);
  }
  else
  {
    const IRECT m = measure(mStyle.valueText, mValueStr);
    const float half = kValueWidthFactor * m.W();
    const float vh = m.H();
    const float cx = rest.MW();
    switch (mStyle.valueText.valign)
    {
      case kVAlignTop:
        mValueBounds = IRECT(cx - half, rest.T, cx + half, rest.T + vh);
        mWidgetBounds = ScaledAboutCentre(IRECT(rest.L, rest.T + vh, rest.R, rest.B), mStyle.widgetFrac);
        break;
      case kVAlignBottom:
        mValueBounds = IRECT(cx - half, rest.B - vh, cx + half, rest.B);
        mWidgetBounds = ScaledAboutCentre(IRECT(rest.L, rest.T, rest.R, rest.B - vh), mStyle.widgetFrac);
        break;
      default:
        mValueBounds = IRECT(cx - half, rest.MH() - vh / 2.f, cx + half, rest.MH() + vh / 2.f);
        mWidgetBounds = ScaledAboutCentre(rest, mStyle.widgetFrac);
        break;
    }
  }

  // 4. Room for the frame and the shadow of a pressable shape.
  if (forShape)
  {
    if (mStyle.drawFrame)
      mWidgetBounds = mWidgetBounds.GetPadded(-0.5f * mStyle.frameThickness);
    if (mStyle.drawShadows)
    {
      mWidgetBounds.L += mStyle.shadowOffset;
      mWidgetBounds.R -= mStyle.shadowOffset;
      mWidgetBounds.B -= mStyle.shadowOffset;
    }
    mWidgetBounds = ScaledAboutCentre(mWidgetBounds, mStyle.widgetFrac);
  }

  // 5.
  if (mLabelInWidget)
    mLabelBounds = mWidgetBounds;
  if (mValueInWidget)
    mValueBounds = mWidgetBounds;
  return rest;
}

void IVectorBase::DrawClickSplash(IGfx& g, const IRECT& clip)
{
  g.ClipToPathRegion(clip);
  g.FillCircle(GetColor(kColorHighlight), mSplashX, mSplashY, mSplashRadius);
  g.ClipToPathRegion(IRECT());
}

// -- Pressable shapes --------------------------------------------------------------------------

void IVectorBase::DrawButtonShape(IGfx& g, int shape, const IRECT& bounds, bool pressed, bool mouseOver, bool disabled)
{
  switch (shape)
  {
    case kVShapeRectangle:
    case kVShapeAllRounded: DrawButtonRect(g, bounds, pressed, mouseOver, disabled, false); break;
    case kVShapeEllipse: DrawButtonEllipse(g, bounds, pressed, mouseOver, disabled); break;
    case kVShapeTriangle: DrawButtonTriangle(g, bounds, pressed, mouseOver, disabled); break;
    case kVShapeEndsRounded: DrawButtonRect(g, bounds, pressed, mouseOver, disabled, true); break;
    default: break;
  }
}

// The face sits up-left of its shadow; pressing moves it down onto the shadow.
void IVectorBase::ShapeRects(const IRECT& bounds, bool pressed, IRECT& face, IRECT& shadow) const
{
  face = mStyle.drawFrame ? bounds.GetPadded(-0.5f * mStyle.frameThickness) : bounds;
  shadow = IRECT();
  if (!mStyle.drawShadows)
    return;
  const float off = mStyle.shadowOffset;
  face.R -= off;
  face.B -= off;
  if (pressed)
    face = face.GetTranslated(off, off);
  else
    shadow = face.GetTranslated(off, off);
}

IRgba IVectorBase::ShapeColor(int kind, bool disabled) const
{
  IRgba c = GetColor(kind);
  if (disabled)
    c.A = std::max(0, c.A + kDisabledAlphaOffset);
  return c;
}

void IVectorBase::DrawButtonRect(IGfx& g, const IRECT& bounds, bool pressed, bool mouseOver, bool disabled,
                                 bool topOnly)
{
  IRECT face, shadow;
  ShapeRects(bounds, pressed, face, shadow);
  const float r = mStyle.roundness * 0.5f * std::min(face.W(), face.H());
  const float rb = topOnly ? 0.f : r;
  const IBlendMode* blend = mControl ? mControl->GetBlendPtr() : nullptr;
  if (!shadow.Empty())
    g.FillRoundRectCorners(ShapeColor(kColorShadow, disabled), shadow, r, r, rb, rb, blend);
  g.FillRoundRectCorners(ShapeColor(pressed ? kColorPressed : kColorForeground, disabled), face, r, r, rb, rb, blend);
  if (mouseOver)
    g.FillRoundRectCorners(ShapeColor(kColorHighlight, disabled), face, r, r, rb, rb, blend);
  if (pressed && mSplashRadius > 0.f)
    DrawClickSplash(g, face);
  if (mStyle.drawFrame)
    g.DrawRoundRectCorners(ShapeColor(kColorFrame, disabled), face, r, r, rb, rb, blend, mStyle.frameThickness);
}

void IVectorBase::DrawButtonEllipse(IGfx& g, const IRECT& bounds, bool pressed, bool mouseOver, bool disabled)
{
  IRECT face, shadow;
  ShapeRects(bounds, pressed, face, shadow);
  const IBlendMode* blend = mControl ? mControl->GetBlendPtr() : nullptr;
  if (!shadow.Empty())
    g.FillEllipse(ShapeColor(kColorShadow, disabled), shadow, blend);
  g.FillEllipse(ShapeColor(pressed ? kColorPressed : kColorForeground, disabled), face, blend);
  if (mouseOver)
    g.FillEllipse(ShapeColor(kColorHighlight, disabled), face, blend);
  if (mStyle.drawFrame)
    g.DrawEllipse(ShapeColor(kColorFrame, disabled), face, blend, mStyle.frameThickness);
}

void IVectorBase::DrawButtonTriangle(IGfx& g, const IRECT& bounds, bool pressed, bool mouseOver, bool disabled)
{
  IRECT face, shadow;
  ShapeRects(bounds, pressed, face, shadow);
  // An upward triangle turned by the style angle about the face's centre.
  auto corners = [this](const IRECT& r, float* x, float* y) {
    const float px[3] = {r.L, r.MW(), r.R}, py[3] = {r.B, r.T, r.B};
    const double a = static_cast<double>(mStyle.angle) * 3.14159265358979323846 / 180.0;
    const float c = static_cast<float>(std::cos(a)), s = static_cast<float>(std::sin(a));
    for (int i = 0; i < 3; ++i)
    {
      const float dx = px[i] - r.MW(), dy = py[i] - r.MH();
      x[i] = r.MW() + dx * c - dy * s;
      y[i] = r.MH() + dx * s + dy * c;
    }
  };
  const IBlendMode* blend = mControl ? mControl->GetBlendPtr() : nullptr;
  float x[3], y[3];
  if (!shadow.Empty())
  {
    corners(shadow, x, y);
    g.FillConvexPolygon(ShapeColor(kColorShadow, disabled), x, y, 3, blend);
  }
  corners(face, x, y);
  g.FillConvexPolygon(ShapeColor(pressed ? kColorPressed : kColorForeground, disabled), x, y, 3, blend);
  if (mouseOver)
    g.FillConvexPolygon(ShapeColor(kColorHighlight, disabled), x, y, 3, blend);
  if (pressed && mSplashRadius > 0.f)
    DrawClickSplash(g, face);
  if (mStyle.drawFrame)
    g.DrawConvexPolygon(ShapeColor(kColorFrame, disabled), x, y, 3, blend, mStyle.frameThickness);
}

} // namespace igfx
} // namespace ifx
