#pragma once
// Mix-in for controls drawn from an IVectorStyle: a background, a label above
// or beside a widget area, a value string, and pressable shapes with shadows.
// It sits after the IControl part of its control and draws only through IGfx.
#include <cstdint>

#include "base/IString.h"
#include "toolkit/IRECT.h"
#include "toolkit/IRgba.h"
#include "toolkit/IVectorStyle.h"

namespace ifx {
namespace igfx {

class IControl;
class IGfx;

enum EVShape : int32_t
{
  kVShapeRectangle = 0,
  kVShapeEllipse = 1,
  kVShapeTriangle = 2,
  kVShapeEndsRounded = 3, // only the top corners rounded
  kVShapeAllRounded = 4,
};

class IVectorBase
{
public:
  explicit IVectorBase(const IVectorStyle& style, bool valueInWidget = false);
  virtual ~IVectorBase() = default;

  IVectorBase(const IVectorBase&) = delete;
  IVectorBase& operator=(const IVectorBase&) = delete;

  virtual void OnStyleChanged() {}
  virtual void SetStyle(const IVectorStyle& style);
  virtual void DrawBackground(IGfx& g, const IRECT& r);
  virtual void DrawWidget(IGfx& g) {}
  virtual void DrawLabel(IGfx& g);
  virtual void DrawValue(IGfx& g, bool mouseOver);
  // Any shape outside EVShape draws nothing.
  virtual void DrawButtonShape(IGfx& g, int shape, const IRECT& bounds, bool pressed, bool mouseOver, bool disabled);

  // Lays out label, widget and value rects inside bounds (measuring the texts
  // with the control's graphics) and returns bounds without the label's side.
  IRECT LayoutParts(const IRECT& bounds, bool forShape);
  // A circle of the splash radius at the splash point, clipped to clip.
  void DrawClickSplash(IGfx& g, const IRECT& clip);
  void SetSplash(float x, float y, float radius)
  {
    mSplashX = x;
    mSplashY = y;
    mSplashRadius = radius;
  }

  void SetLabelStr(const char* str) { mLabelStr.Set(str); }
  void SetValueStr(const char* str) { mValueStr.Set(str); }
  const char* GetLabelStr() const { return mLabelStr.Get(); }
  const char* GetValueStr() const { return mValueStr.Get(); }
  void SetLabelInWidget(bool v) { mLabelInWidget = v; }

  const IVectorStyle& GetStyle() const { return mStyle; }
  IRgba GetColor(int kind) const { return mStyle.colorSpec.GetColor(kind); }
  const IRECT& GetWidgetBounds() const { return mWidgetBounds; }
  const IRECT& GetLabelBounds() const { return mLabelBounds; }
  const IRECT& GetValueBounds() const { return mValueBounds; }

  // Half-width of the value rect as a share of the measured value text.
  static constexpr float kValueWidthFactor = 0.66f;

protected:
  // Called by the deriving control's constructor.
  void AttachIControl(IControl* control) { mControl = control; }

  void DrawButtonRect(IGfx& g, const IRECT& bounds, bool pressed, bool mouseOver, bool disabled, bool topOnly);
  void DrawButtonEllipse(IGfx& g, const IRECT& bounds, bool pressed, bool mouseOver, bool disabled);
  void DrawButtonTriangle(IGfx& g, const IRECT& bounds, bool pressed, bool mouseOver, bool disabled);

  IControl* mControl = nullptr;
  IVectorStyle mStyle;
  bool mLabelInWidget = false;
  bool mValueInWidget = false;
  float mSplashRadius = 0.f;
  float mSplashX = 0.f;
  float mSplashY = 0.f;
  IRECT mWidgetBounds;
  IRECT mLabelBounds;
  IRECT mValueBounds;
  IString mLabelStr{128};
  IString mValueStr{128};

private:
  // Where a pressable shape's shadow and face go inside bounds.
  void ShapeRects(const IRECT& bounds, bool pressed, IRECT& face, IRECT& shadow) const;
  IRgba ShapeColor(int kind, bool disabled) const;
};

} // namespace igfx
} // namespace ifx
