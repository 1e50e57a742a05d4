// The window's message arithmetic without a window: scales from DPI, pixel
// and editor rectangles, wheel notches, the pen signature, the cursor table,
// key texts, and touch records sorted into presses, releases and moves.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "window/TouchTracker.h"
#include "window/WindowInput.h"
#include "window/WindowScale.h"

using namespace ifx::igfx;

TEST(WindowScale, DpiGivesTheScaleAndTheOpeningScaleIsAWholeNumberOfAtLeastOne)
{
  EXPECT_EQ(ScaleFromDpi(0), 1.f);
  EXPECT_EQ(ScaleFromDpi(96), 1.f);
  EXPECT_EQ(ScaleFromDpi(144), 1.5f);
  EXPECT_EQ(ScaleFromDpi(192), 2.f);
  EXPECT_FLOAT_EQ(ScaleFromDpi(120), 1.25f);
  EXPECT_FLOAT_EQ(ScaleFromDpi(72), 0.75f);
  const float scales[][2] = {{1.f, 1}, {1.5f, 1}, {1.99f, 1}, {2.f, 2},       {3.25f, 3}, {0.75f, 1},
                             {0.f, 1}, {-2.f, 1}, {NAN, 1},   {INFINITY, 64}, {1e9f, 64}};
  for (const auto& s : scales)
    EXPECT_EQ(IntegerWindowScale(s[0]), static_cast<int>(s[1])) << s[0];
}

TEST(WindowScale, TheTickAppliesTheWindowsDpiScaleOnlyWhenItChanged)
{
  // In order: the window opens ('o'), the host sets the display scale ('h')
  // or a tick looks ('t'), each with the window's DPI scale and the display
  // scale at that moment; whether the tick applies the DPI scale.
  const struct
  {
    char event;
    float dpi, display;
    bool applies;
  } steps[] = {
    {'o', 1.5f, 1.f, false},  {'t', 1.5f, 1.f, true},   {'t', 1.5f, 1.5f, false}, // opened at 1 on a 1.5 display
    {'h', 1.5f, 2.f, false},  {'t', 1.5f, 2.f, false},  {'t', 1.5f, 2.f, false},  // the host's 2 stays
    {'t', 1.25f, 2.f, true},  {'h', 1.25f, 1.f, false}, {'t', 1.25f, 1.f, false}, // another monitor; a host at 1
    {'t', 1.f, 1.f, false},   {'t', 1.25f, 1.f, true},                            // to the host's scale, and back
    {'o', 2.f, 2.f, false},   {'h', 2.f, 1.5f, false},  {'t', 2.f, 1.5f, false},  // the host before the first tick
    {'o', 1.f, 1.5f, false},  {'t', 1.f, 1.5f, true},                             // reopened: seen afresh
  };
  DpiScaleWatch watch;
  int i = 0;
  for (const auto& s : steps)
  {
    if (s.event == 'o')
      watch.Reset();
    else if (s.event == 'h')
      watch.HostSetScale(s.dpi);
    else
      EXPECT_EQ(watch.Follow(s.dpi, s.display), s.applies) << "step " << i;
    ++i;
  }
}

TEST(WindowInput, RectanglesRoundOutwardsBothWays)
{
  PixelRect p = EditorToPixels(IRECT(10.2f, 20.7f, 30.1f, 40.f), 1.5f);
  EXPECT_EQ(p.left, 15);   // 15.3
  EXPECT_EQ(p.top, 31);    // 31.05
  EXPECT_EQ(p.right, 46);  // 45.15
  EXPECT_EQ(p.bottom, 60); // exactly 60
  IRECT r = PixelsToEditor(PixelRect{15, 31, 46, 60}, 1.5f);
  EXPECT_EQ(r.L, 10.f);
  EXPECT_EQ(r.T, 20.f);
  EXPECT_EQ(r.R, 31.f);
  EXPECT_EQ(r.B, 40.f);
  r = PixelsToEditor(PixelRect{-3, 0, 1201, 800}, 1.f);
  EXPECT_EQ(r.L, -3.f);
  EXPECT_EQ(r.R, 1201.f);
  // Out of any range: clamped, not undefined.
  p = EditorToPixels(IRECT(-INFINITY, NAN, 1e30f, 5.f), 2.f);
  EXPECT_LT(p.left, -100000000);
  EXPECT_LT(p.top, -100000000);
  EXPECT_GT(p.right, 100000000);
  EXPECT_EQ(p.bottom, 10);
  // A scale that is no scale divides by 1.
  EXPECT_EQ(PixelsToEditor(PixelRect{0, 0, 7, 9}, 0.f).R, 7.f);
}

TEST(WindowInput, WheelNotchesPenSignatureAndCursors)
{
  const int wheels[][2] = {{120, 1}, {60, 0}, {-60, 0}, {-240, -2}, {359, 2}, {-32768, -273}, {0, 0}};
  for (const auto& w : wheels)
    EXPECT_EQ(WheelNotches(static_cast<int16_t>(w[0])), static_cast<float>(w[1])) << w[0];

  EXPECT_TRUE(IsPenOrTouchMessage(0xFF515700u));
  EXPECT_TRUE(IsPenOrTouchMessage(0xFF515780u)); // the low byte says pen or touch
  EXPECT_TRUE(IsPenOrTouchMessage(0xFFFFFFFFFF515701ull));
  EXPECT_FALSE(IsPenOrTouchMessage(0));
  EXPECT_FALSE(IsPenOrTouchMessage(0xFF515600u));
  EXPECT_FALSE(IsPenOrTouchMessage(0x00515700u));

  const int cursors[] = {32512, 32513, 32514, 32515, 32516, 32642, 32643,
                         32644, 32645, 32646, 32648, 32649, 32650, 32651};
  for (int type = 0; type < 14; ++type)
    EXPECT_EQ(SystemCursorForType(type), cursors[type]) << type;
  for (int type : {-1, 14, 100, -2147483647 - 1})
    EXPECT_EQ(SystemCursorForType(type), 32512) << type;
}

TEST(WindowInput, KeyTextsAreValidUtf8OrTheKeyIsPassedOn)
{
  struct Case
  {
    std::u16string units;
    bool ok;
    const char* text;
  };
  const Case cases[] = {
    {u"", true, ""},
    {u"a", true, "a"},
    {u"\u00e9", true, "\xC3\xA9"},
    {u"\u20ac", true, "\xE2\x82\xAC"},
    {u"\U0001F600", true, "\xF0\x9F\x98\x80"}, // one character in two units
    {u"`e", false, ""},                        // a dead key and a letter
    {std::u16string(1, char16_t(0xD800)), false, ""},
    {std::u16string(1, char16_t(0xDC00)), false, ""},
    {std::u16string{char16_t(0xDC00), char16_t(0xD800)}, false, ""},
    {u"abc", false, ""},
  };
  for (const Case& c : cases)
  {
    char text[5] = {'x', 'x', 'x', 'x', 'x'};
    EXPECT_EQ(KeyTextFromUtf16(c.units.data(), static_cast<int>(c.units.size()), text), c.ok);
    EXPECT_STREQ(text, c.text);
  }
  char text[5];
  EXPECT_FALSE(KeyTextFromUtf16(nullptr, 1, text));
  EXPECT_FALSE(KeyTextFromUtf16(u"a", -1, text));
}

TEST(TouchTracker, RecordsBecomePressesReleasesAndMovesWithTheirDistance)
{
  TouchTracker touches;
  IMouseEventList downs, ups, moves;
  auto add = [&](uint32_t id, float x, float y, bool down, bool up, bool move, float radius = 0.f) {
    touches.Add(TouchRecord{id, x, y, down, up, move, radius}, downs, ups, moves);
  };
  add(7, 10.f, 20.f, true, false, false, 3.f);
  add(0xFFFFFFFFu, 1.f, 2.f, true, false, false);
  ASSERT_EQ(downs.size(), 2u);
  EXPECT_EQ(downs[0].ms.touchID, 7u);
  EXPECT_EQ(downs[0].ms.touchRadius, 3.f);
  EXPECT_EQ(downs[1].ms.touchID, 0xFFFFFFFFull); // widened, not sign-extended
  EXPECT_FALSE(downs[0].ms.L || downs[0].ms.R || downs[0].ms.S || downs[0].ms.C || downs[0].ms.A);
  EXPECT_EQ(touches.ActivePoints(), 2);

  add(7, 14.f, 17.f, false, false, true);
  add(7, 15.f, 17.f, false, false, true);
  ASSERT_EQ(moves.size(), 2u);
  EXPECT_EQ(moves[0].dX, 4.f);
  EXPECT_EQ(moves[0].dY, -3.f);
  EXPECT_EQ(moves[1].dX, 1.f); // from the last move
  EXPECT_EQ(moves[1].dY, 0.f);

  // Pressed again while down: listed, but the point keeps its own history.
  add(7, 50.f, 50.f, true, false, false);
  add(7, 16.f, 17.f, false, false, true);
  EXPECT_EQ(moves.back().dX, 1.f);

  // Down and up in one record counts only as down.
  add(9, 5.f, 5.f, true, true, false);
  EXPECT_EQ(downs.size(), 4u);
  EXPECT_TRUE(ups.empty());
  EXPECT_EQ(touches.ActivePoints(), 3);

  add(7, 16.f, 18.f, false, true, true);
  ASSERT_EQ(ups.size(), 1u);
  EXPECT_EQ(ups[0].ms.touchID, 7u);
  EXPECT_EQ(moves.size(), 3u); // up wins over move
  EXPECT_EQ(touches.ActivePoints(), 2);

  // A point never seen going down: it starts with its move, no distance.
  add(11, 30.f, 40.f, false, false, true);
  EXPECT_EQ(moves.back().dX, 0.f);
  EXPECT_EQ(moves.back().dY, 0.f);
  add(11, 31.f, 42.f, false, false, true);
  EXPECT_EQ(moves.back().dY, 2.f);
  // A record with no flag is ignored; an unknown release is still a release.
  add(12, 0.f, 0.f, false, false, false);
  add(13, 0.f, 0.f, false, true, false);
  EXPECT_EQ(ups.size(), 2u);
  EXPECT_EQ(touches.ActivePoints(), 3);
  touches.Clear();
  EXPECT_EQ(touches.ActivePoints(), 0);
}
