// The vector control bases, the level meters and the corner resizer, drawn
// through the recording graphics.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <limits>

#include "base/ISenderPacket.h"
#include "toolkit/ICornerResizerControl.h"
#include "toolkit/IVMeterControl.h"
#include "toolkit/IVPeakAvgMeterControl.h"
#include "toolkit/IVTrackControlBase.h"
#include "support/DrawnShapes.h"
#include "support/GfxFixture.h"
#include "support/PointerEvent.h"

using namespace ifx;
using namespace ifx::igfx;
using namespace ifx::testkit;

namespace {

// A style that leaves the whole rect to the widget.
IVectorStyle PlainStyle()
{
  IVectorStyle s;
  s.showLabel = false;
  s.showValue = false;
  s.widgetFrac = 1.f;
  return s;
}

class Tracks : public IVTrackControlBase
{
public:
  using IVTrackControlBase::IVTrackControlBase;
  void Draw(IGfx& g) override { DrawWidget(g); }
};

std::vector<DrawnShape> Fills(const RecordingGfx& g)
{
  std::vector<DrawnShape> out;
  for (const DrawnShape& s : DrawnShapes(g))
    if (s.kind == DrawnShape::kFill)
      out.push_back(s);
  return out;
}

void ExpectRect(const IRECT& r, float l, float t, float rr, float b)
{
  EXPECT_FLOAT_EQ(r.L, l);
  EXPECT_FLOAT_EQ(r.T, t);
  EXPECT_FLOAT_EQ(r.R, rr);
  EXPECT_FLOAT_EQ(r.B, b);
}

ISenderPacket Packet(float peak0, float avg0, float peak1, float avg1)
{
  ISenderPacket p;
  p.controlTag = 0;
  p.vals[0][0] = peak0;
  p.vals[0][1] = avg0;
  p.vals[1][0] = peak1;
  p.vals[1][1] = avg1;
  return p;
}

} // namespace

using VectorControlTest = GfxFixture;

TEST_F(VectorControlTest, TracksLayOutSideBySideAndBarsRiseWithAPeakStrip)
{
  auto* t = new Tracks(IRECT(0, 0, 20, 100), PlainStyle(), {});
  gfx->AttachControl(t);
  ExpectRect(t->GetTrackBounds(0), 0, 0, 10, 100);
  ExpectRect(t->GetTrackBounds(1), 10, 0, 20, 100);
  // Left edges belong to the track, right edges do not.
  EXPECT_EQ(t->ValueIndexAt(9.99f, 50), 0);
  EXPECT_EQ(t->ValueIndexAt(10, 50), 1);
  EXPECT_EQ(t->ValueIndexAt(20, 50), -1);

  t->SetValue(0.25, 0);
  gfx->ClearOps();
  t->Draw(*gfx);
  const IVectorColorSpec spec;
  auto fills = Fills(*gfx);
  // Per track: background, bar, peak strip.
  ASSERT_EQ(fills.size(), 6u);
  ExpectRect(fills[1].box, 0, 75, 10, 100);
  EXPECT_EQ(fills[1].color, spec.GetColor(kColorForeground));
  ExpectRect(fills[2].box, 0, 75, 10, 76);
  EXPECT_EQ(fills[2].color, spec.GetColor(kColorFrame));
  EXPECT_EQ(gfx->Count(GfxOp::kStroke), 2);  // track frames

  // The track under the mouse fills its bar twice, the second time highlighted.
  t->OnMouseOver(15, 50, IMouseModifiers());
  EXPECT_EQ(t->GetTrackUnderMouse(), 1);
  gfx->ClearOps();
  t->Draw(*gfx);
  fills = Fills(*gfx);
  ASSERT_EQ(fills.size(), 7u);
  EXPECT_EQ(fills[4].color, spec.GetColor(kColorForeground));
  EXPECT_EQ(fills[5].color, spec.GetColor(kColorHighlight));
  ExpectRect(fills[5].box, 10, 100, 20, 100);
  t->OnMouseOut();
  EXPECT_EQ(t->GetTrackUnderMouse(), -1);
}

TEST_F(VectorControlTest, HorizontalPaddingBaselineAndStepCells)
{
  auto* h = new Tracks(IRECT(0, 0, 100, 20), PlainStyle(), {});
  h->SetDirection(kHorizontal);
  h->SetTrackPadding(1);
  gfx->AttachControl(h);
  ExpectRect(h->GetTrackBounds(0), 0, 1, 100, 9);
  ExpectRect(h->GetTrackBounds(1), 0, 11, 100, 19);

  // From the baseline down to the value, the peak strip at the bottom end.
  auto* v = new Tracks(IRECT(0, 0, 20, 100), PlainStyle(), {});
  v->SetBaseline(0.5);
  gfx->AttachControl(v);
  v->SetValue(0.25, 0);
  gfx->ClearOps();
  v->DrawBackground(*gfx, v->GetRECT());
  v->Draw(*gfx);
  auto shapes = DrawnShapes(*gfx);
  ASSERT_GE(shapes.size(), 5u);
  EXPECT_EQ(shapes[1].kind, DrawnShape::kStroke);  // the baseline
  ExpectRect(shapes[1].box, 0, 50, 20, 50);
  ExpectRect(shapes[3].box, 0, 50, 10, 75);
  ExpectRect(shapes[4].box, 0, 74, 10, 75);

  // Four steps and the zero step: five cells, cell 0 at the bottom; a bar
  // lights only the cell its value falls in (the first, on a shared edge).
  auto* s = new Tracks(IRECT(0, 0, 20, 100), PlainStyle(), {});
  s->SetSteps(4);
  gfx->AttachControl(s);
  ASSERT_EQ(s->NStepCells(), 5);
  ExpectRect(s->GetStepBounds(0), 0, 80, 20, 100);
  ExpectRect(s->GetStepBounds(4), 0, 0, 20, 20);
  const struct { double v; float top; } cases[] = {{0.0, 80}, {0.55, 40}, {0.8, 20}, {1.0, 0}};
  for (const auto& c : cases)
  {
    s->SetValue(c.v, 0);
    gfx->ClearOps();
    s->Draw(*gfx);
    const auto fills = Fills(*gfx);
    ASSERT_EQ(fills.size(), 4u) << c.v;  // background and cell per track
    EXPECT_FLOAT_EQ(fills[1].box.T, c.top) << c.v;
    EXPECT_FLOAT_EQ(fills[1].box.B, c.top + 20) << c.v;
  }
  s->SetZeroValueStep(false);
  s->SetValue(0.0, 0);
  s->SetValue(0.0, 1);
  s->OnResize();
  EXPECT_EQ(s->NStepCells(), 4);
  gfx->ClearOps();
  s->Draw(*gfx);
  EXPECT_EQ(Fills(*gfx).size(), 2u);  // zero lights nothing without the zero step
}

TEST_F(VectorControlTest, LayoutPartsPlacesLabelValueAndWidget)
{
  // The recording graphics measures a character as half the font size wide
  // and a line as the font size high.
  IVectorStyle style;
  style.labelText.size = 20;   // "Level": 50 x 20
  style.valueText.size = 10;   // "-6 dB": 25 x 10
  style.widgetFrac = 0.5f;
  auto* t = new Tracks(IRECT(0, 0, 100, 100), style, {});
  gfx->AttachControl(t);
  t->SetLabelStr("Level");
  t->SetValueStr("-6 dB");

  const struct { int position; IRECT label; IRECT rest; } sides[] = {
    {kLabelTop, {25, 0, 75, 20}, {0, 20, 100, 100}},
    {kLabelRight, {50, 40, 100, 60}, {0, 0, 50, 100}},
    {kLabelBottom, {25, 80, 75, 100}, {0, 0, 100, 80}},
    {kLabelLeft, {0, 40, 50, 60}, {50, 0, 100, 100}},
  };
  for (const auto& side : sides)
  {
    style.labelPosition = side.position;
    style.valueText.valign = kVAlignBottom;
    t->SetStyle(style);
    const IRECT rest = t->LayoutParts(t->GetRECT(), false);
    EXPECT_EQ(t->GetLabelBounds(), side.label) << side.position;
    EXPECT_EQ(rest, side.rest) << side.position;
  }

  // Value at the bottom of what the label leaves; the widget takes the rest,
  // halved about its centre.
  style.labelPosition = kLabelTop;
  t->SetStyle(style);
  t->LayoutParts(t->GetRECT(), false);
  const float half = IVectorBase::kValueWidthFactor * 25.f;
  ExpectRect(t->GetValueBounds(), 50 - half, 90, 50 + half, 100);
  ExpectRect(t->GetWidgetBounds(), 25, 37.5f, 75, 72.5f);
  // At the top the widget goes below the value; in the middle the value lies over it.
  style.valueText.valign = kVAlignTop;
  t->SetStyle(style);
  t->LayoutParts(t->GetRECT(), false);
  ExpectRect(t->GetValueBounds(), 50 - half, 20, 50 + half, 30);
  ExpectRect(t->GetWidgetBounds(), 25, 47.5f, 75, 82.5f);
  style.valueText.valign = kVAlignMiddle;
  t->SetStyle(style);
  t->LayoutParts(t->GetRECT(), false);
  ExpectRect(t->GetValueBounds(), 50 - half, 55, 50 + half, 65);
  ExpectRect(t->GetWidgetBounds(), 25, 40, 75, 80);

  // For a shape: half the frame in on every side, the shadow offset off the
  // left, right and bottom, then the widget fraction again.
  style.showValue = false;
  style.widgetFrac = 1.f;
  style.frameThickness = 2.f;
  style.shadowOffset = 3.f;
  t->SetStyle(style);
  t->LayoutParts(t->GetRECT(), true);
  ExpectRect(t->GetWidgetBounds(), 4, 21, 96, 96);

  // A label that measures no height is as high as it is wide (at least 1).
  style.labelText.size = 0;
  t->SetStyle(style);
  t->LayoutParts(t->GetRECT(), false);
  ExpectRect(t->GetLabelBounds(), 49.5f, 0, 50.5f, 1);

  // In the widget: the label and value rects are the widget's.
  t->SetLabelInWidget(true);
  t->LayoutParts(t->GetRECT(), false);
  EXPECT_EQ(t->GetLabelBounds(), t->GetWidgetBounds());
}

TEST_F(VectorControlTest, ButtonShapesFillShadowFaceAndFrame)
{
  IVectorStyle style = PlainStyle();
  style.roundness = 1.f;
  auto* t = new Tracks(IRECT(0, 0, 40, 40), style, {});
  gfx->AttachControl(t);
  const IVectorColorSpec spec;
  for (int shape = 0; shape <= 5; ++shape)
  {
    gfx->ClearOps();
    t->DrawButtonShape(*gfx, shape, IRECT(0, 0, 40, 40), false, true, false);
    const auto shapes = DrawnShapes(*gfx);
    if (shape == 5)
    {
      EXPECT_TRUE(shapes.empty());
      continue;
    }
    // Shadow, face, highlight (mouse over), frame.
    ASSERT_EQ(shapes.size(), 4u) << shape;
    EXPECT_EQ(shapes[0].color, spec.GetColor(kColorShadow));
    EXPECT_EQ(shapes[1].color, spec.GetColor(kColorForeground));
    EXPECT_EQ(shapes[2].color, spec.GetColor(kColorHighlight));
    EXPECT_EQ(shapes[3].kind, DrawnShape::kStroke);
    EXPECT_EQ(shapes[3].color, spec.GetColor(kColorFrame));
  }
  // Pressed: no shadow, the face in the pressed colour, moved onto the
  // shadow's place; disabled colours lose a quarter of their alpha.
  gfx->ClearOps();
  t->DrawButtonShape(*gfx, kVShapeRectangle, IRECT(0, 0, 40, 40), true, false, true);
  const auto pressed = DrawnShapes(*gfx);
  ASSERT_EQ(pressed.size(), 2u);
  IRgba face = spec.GetColor(kColorPressed);
  face.A -= 63;
  EXPECT_EQ(pressed[0].color, face);
  ExpectRect(pressed[0].box, 3.5f, 3.5f, 39.5f, 39.5f);
}

TEST_F(VectorControlTest, MeterReadsLevelsOfItsOwnChannelsOnItsScale)
{
  using Meter = IVMeterControl<2>;
  auto* log = new Meter(IRECT(0, 0, 20, 720), "", PlainStyle(), kMeterLog, {}, {0}, -60.f, 12.f);
  auto* lin = new Meter(IRECT(0, 0, 20, 100), "", PlainStyle(), kMeterLinear);
  gfx->AttachControl(log);
  gfx->AttachControl(lin);
  const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
  const double half = (20 * std::log10(0.5) + 60) / 72, zeroDb = 60.0 / 72.0;
  // Each message arrives on values of 0.5; -1 below means "left at 0.5".
  const struct { Meter* m; int tag; bool disabled; float a, b; int n, offset, size; double v0, v1; } cases[] = {
    {log, 0, false, 1.f, 0.001f, 2, 0, Meter::kMessageSize, zeroDb, 0.0},  // 0 dB, -60 dB
    {log, 0, false, 3.9811f, -1.f, 2, 0, Meter::kMessageSize, 1.0, zeroDb},  // +12 dB; |x|
    {log, 1, false, 0.f, 0.f, 2, 0, Meter::kMessageSize, -1, -1},            // another message
    {log, 0, true, 0.f, 0.f, 2, 0, Meter::kMessageSize, -1, -1},             // disabled
    {log, 0, false, 0.f, 0.5f, 1, 1, Meter::kMessageSize, -1, half},         // channel 1 only
    {log, 0, false, 0.f, 0.f, -5, 0, Meter::kMessageSize, -1, -1},           // negative count
    {log, 0, false, 0.f, 0.f, INT_MAX, INT_MAX, Meter::kMessageSize, -1, -1},
    {log, 0, false, 0.f, 0.f, INT_MAX, INT_MIN, Meter::kMessageSize, -1, -1},
    {log, 0, false, 1.f, 1.f, 2, 0, Meter::kMessageSize - 1, 0.0, 0.0},      // too short: silence
    {log, 0, false, nan, inf, 2, 0, Meter::kMessageSize, 0.0, 0.0},          // not finite: silence
    {lin, 0, false, -0.5f, 0.25f, 2, 0, Meter::kMessageSize, 0.0, 0.25},
    {lin, 0, false, 1.5f, nan, 2, 0, Meter::kMessageSize, 1.0, 0.0},
  };
  for (const auto& c : cases)
  {
    c.m->SetValue(0.5, 0);
    c.m->SetValue(0.5, 1);
    c.m->SetDisabled(c.disabled);
    Meter::Message msg;
    msg.nChans = c.n;
    msg.chanOffset = c.offset;
    msg.vals[0] = c.a;
    msg.vals[1] = c.b;
    c.m->OnDelegateMessage(c.tag, c.size, &msg);
    EXPECT_NEAR(c.m->GetValue(0), c.v0 < 0 ? 0.5 : c.v0, 1e-5) << &c - cases;
    EXPECT_NEAR(c.m->GetValue(1), c.v1 < 0 ? 0.5 : c.v1, 1e-5) << &c - cases;
    c.m->SetDisabled(false);
  }
}

TEST_F(VectorControlTest, MeterMarksSitOnTheScaleWithTheirLabels)
{
  IVectorStyle style = PlainStyle();
  style.showValue = true;
  style.valueText.valign = kVAlignMiddle;
  auto* m = new IVMeterControl<2>(IRECT(0, 0, 20, 720), "", style, kMeterLog, {}, {0, -48}, -60.f, 12.f);
  gfx->AttachControl(m);
  gfx->ClearOps();
  m->Draw(*gfx);
  std::vector<DrawnShape> lines, texts;
  for (const DrawnShape& s : DrawnShapes(*gfx))
  {
    if (s.kind == DrawnShape::kStroke && s.box.H() == 0.f)
      lines.push_back(s);
    if (s.kind == DrawnShape::kText)
      texts.push_back(s);
  }
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_NEAR(lines[0].box.T, 720 - 720 * 60.f / 72.f, 1e-3);
  EXPECT_NEAR(lines[1].box.T, 720 - 720 * 12.f / 72.f, 1e-3);
  EXPECT_EQ(lines[0].color, IVectorColorSpec().GetColor(kColorHighlight));
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].text, "0 dB");
  EXPECT_EQ(texts[1].text, "-48 dB");
  EXPECT_NEAR(texts[1].box.B - texts[1].box.T, 10.f, 1e-4);
}

TEST_F(VectorControlTest, PeakAverageMeterShowsAveragesAsBarsAndPeaksAsMarkers)
{
  using Meter = IVPeakAvgMeterControl<2>;
  auto* m = new Meter(IRECT(0, 0, 20, 720), "", PlainStyle());
  gfx->AttachControl(m);
  ISenderPacket p = Packet(1.f, 0.5f, 8.f, 0.f);
  m->OnDelegateMessage(0, Meter::kPacketSize, &p);
  EXPECT_NEAR(m->GetValue(0), (20 * std::log10(0.5) + 60) / 72, 1e-6);
  EXPECT_NEAR(m->GetPeak(0), 60.f / 72.f, 1e-6);
  EXPECT_EQ(m->GetValue(1), 0.0);
  EXPECT_NEAR(m->GetPeak(1), (20 * std::log10(8.0) + 60) / 72, 1e-5);  // above the scale, kept

  // Markers: one unit high at the peak, the over-scale peak pinned to the
  // top in the next colour kind.
  gfx->ClearOps();
  m->Draw(*gfx);
  const IVectorColorSpec spec;
  std::vector<DrawnShape> markers;
  for (const DrawnShape& s : Fills(*gfx))
    if (s.color == spec.GetColor(kColorExtra1) || s.color == spec.GetColor(kColorExtra2))
      markers.push_back(s);
  ASSERT_EQ(markers.size(), 2u);
  ExpectRect(markers[0].box, 0, 120, 10, 121);
  EXPECT_EQ(markers[0].color, spec.GetColor(kColorExtra1));
  ExpectRect(markers[1].box, 10, 0, 20, 1);
  EXPECT_EQ(markers[1].color, spec.GetColor(kColorExtra2));

  // Short packets, non-finite levels: silence, and no marker.
  m->OnDelegateMessage(0, Meter::kPacketSize - 1, &p);
  EXPECT_EQ(m->GetValue(0), 0.0);
  EXPECT_EQ(m->GetPeak(0), 0.f);
  m->OnDelegateMessage(0, Meter::kPacketSize, &p);
  ISenderPacket bad = Packet(std::nanf(""), -std::numeric_limits<float>::infinity(), 1.f, 1.f);
  bad.nChans = 1;
  m->OnDelegateMessage(0, Meter::kPacketSize, &bad);
  EXPECT_EQ(m->GetValue(0), 0.0);
  EXPECT_EQ(m->GetPeak(0), 0.f);
  EXPECT_NEAR(m->GetPeak(1), (20 * std::log10(8.0) + 60) / 72, 1e-5);  // channel 1 not in the packet
  gfx->ClearOps();
  m->Draw(*gfx);
  int marks = 0;
  for (const DrawnShape& s : Fills(*gfx))
    marks += s.color == spec.GetColor(kColorExtra1);
  EXPECT_EQ(marks, 0);
}

TEST_F(VectorControlTest, CornerResizerPlacesDrawsAndResizes)
{
  auto* r = new ICornerResizerControl(gfx->GetBounds(), 20.f);
  ExpectRect(r->GetRECT(), 1181, 781, 1199, 799);
  gfx->AttachCornerResizer(r, kResizeModeScale);
  ExpectRect(r->GetRECT(), 1180, 780, 1200, 800);
  ExpectRect(r->GetTargetRECT(), 1180, 780, 1200, 800);

  // The corner keeps its size on screen.
  gfx->Resize(1200, 800, 2.f);
  ExpectRect(r->GetRECT(), 1190, 790, 1200, 800);

  // Hovering changes the cursor once; leaving restores the one before.
  gfx->SetMouseCursor(2);
  EXPECT_TRUE(gfx->OnMouseOver(1195, 795, IMouseModifiers()));
  EXPECT_TRUE(gfx->OnMouseOver(1196, 796, IMouseModifiers()));
  EXPECT_EQ(gfx->GetCursorType(), ICornerResizerControl::kResizeCursor);
  gfx->ClearOps();
  r->Draw(*gfx);
  EXPECT_EQ(DrawnShapes(*gfx).at(0).color, kColorBlack);
  EXPECT_EQ(DrawnShapes(*gfx).at(0).pathPoints, 3);
  gfx->OnMouseOver(10, 10, IMouseModifiers());
  EXPECT_EQ(gfx->GetCursorType(), 2);
  gfx->ClearOps();
  r->Draw(*gfx);
  EXPECT_EQ(DrawnShapes(*gfx).at(0).color, kColorTranslucent);

  // Pressing starts the live resize (drawn black); a double click returns to
  // the size at construction, at draw scale 1.
  const IMouseEvent down = PointerEvent(1195, 795);
  gfx->OnMouseDown({down});
  EXPECT_TRUE(gfx->GetResizingInProcess());
  gfx->ClearOps();
  r->Draw(*gfx);
  EXPECT_EQ(DrawnShapes(*gfx).at(0).color, kColorBlack);
  gfx->OnMouseUp({down});
  EXPECT_FALSE(gfx->GetResizingInProcess());
  gfx->Resize(1400, 900, 1.5f);
  gfx->OnMouseDblClick(1399, 899, IMouseModifiers());
  EXPECT_EQ(gfx->Width(), 1200);
  EXPECT_EQ(gfx->Height(), 800);
  EXPECT_EQ(gfx->GetDrawScale(), 1.f);
  ExpectRect(r->GetRECT(), 1180, 780, 1200, 800);
}

TEST_F(VectorControlTest, CornerResizerIsInitialisedResizedThenRescaled)
{
  TestControl* r = Make("resizer", {0, 0, 20, 20});
  gfx->AttachCornerResizer(r);
  const std::vector<std::string> expected = {"init:resizer", "resize:resizer", "rescale:resizer"};
  EXPECT_EQ(log.Entries(), expected);
}
