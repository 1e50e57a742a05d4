#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "toolkit/IPaint.h"
#include "toolkit/IPopupMenu.h"
#include "toolkit/IVectorStyle.h"

using namespace ifx::igfx;

TEST(VectorColorSpec, DefaultsAndListConstruction)
{
  const IVectorColorSpec defaults;
  EXPECT_EQ(defaults.GetColor(kColorForeground), kColorMidGrey);
  EXPECT_EQ(defaults.GetColor(kColorShadow), kColorShadowDefault);
  EXPECT_EQ(defaults.GetColor(kColorExtra3), kColorBlue);
  EXPECT_EQ(IVectorColorSpec({}), defaults);

  const IVectorColorSpec two{kColorRed, kColorGreen};
  EXPECT_EQ(two.GetColor(0), kColorRed);
  EXPECT_EQ(two.GetColor(1), kColorGreen);
  for (int k = 2; k < kNumVectorColors; ++k)
    EXPECT_EQ(two.GetColor(k), IVectorColorSpec::GetDefaultColor(k)) << k;

  // Ten colours: the tenth has no kind to go to.
  const IVectorColorSpec ten{kColorRed, kColorRed, kColorRed, kColorRed, kColorRed,
                             kColorRed, kColorRed, kColorRed, kColorRed, kColorGreen};
  EXPECT_EQ(ten.GetColor(8), kColorRed);
}

TEST(VectorColorSpec, KindsOutsideTheTableAreTransparent)
{
  EXPECT_EQ(IVectorColorSpec::GetDefaultColor(9), IRgba(0, 0, 0, 0));
  EXPECT_EQ(IVectorColorSpec::GetDefaultColor(-1), IRgba(0, 0, 0, 0));
  const IVectorColorSpec spec{kColorRed};
  EXPECT_EQ(spec.GetColor(9), kColorTransparent);
  EXPECT_EQ(spec.GetColor(-5), kColorTransparent);
}

TEST(TextStyle, PredefinedStylesDifferOnlyWhereIntended)
{
  EXPECT_STREQ(kDefaultText.font, "Roboto-Regular");
  EXPECT_EQ(kDefaultText.size, 14.f);
  EXPECT_EQ(kDefaultText.color, kColorBlack);
  EXPECT_EQ(kDefaultText.textEntryBGColor, kColorWhite);

  ITextStyle label = kDefaultLabelText;
  EXPECT_EQ(label.size, 19.f);
  EXPECT_EQ(label.valign, kVAlignTop);
  label.size = 14.f;
  label.valign = kVAlignMiddle;
  EXPECT_EQ(label, kDefaultText);

  ITextStyle value = kDefaultValueText;
  EXPECT_EQ(value.valign, kVAlignBottom);
  value.valign = kVAlignMiddle;
  EXPECT_EQ(value, kDefaultText);
}

TEST(TextStyle, LongFontNamesAreTruncatedToFit)
{
  const std::string longName(200, 'x');
  ITextStyle s(12.f, kColorRed, longName.c_str());
  EXPECT_EQ(std::strlen(s.font), ITextStyle::kFontNameSize - 1);
  s.SetFont("Cinzel-Regular");
  EXPECT_STREQ(s.font, "Cinzel-Regular");
  s.SetFont(nullptr);
  EXPECT_STREQ(s.font, "");
}

TEST(VectorStyle, DefaultsAsDocumented)
{
  const IVectorStyle& s = kDefaultVectorStyle;
  EXPECT_TRUE(s.showLabel && s.showValue && s.drawFrame && s.drawShadows);
  EXPECT_FALSE(s.emboss);
  EXPECT_EQ(s.frameThickness, 1.f);
  EXPECT_EQ(s.shadowOffset, 3.f);
  EXPECT_EQ(s.labelText, kDefaultLabelText);
  EXPECT_EQ(s.valueText, kDefaultValueText);
  EXPECT_EQ(s.labelPosition, kLabelTop);
}

TEST(StrokeSettings, DashCountClampedToEightSlots)
{
  IStrokeSettings s;
  const float lengths[12] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  s.SetDash(lengths, 2.f, 12);
  EXPECT_EQ(s.dash.count, 8);
  EXPECT_EQ(s.dash.lengths[7], 8.f);
  EXPECT_EQ(s.dash.offset, 2.f);
  s.SetDash(lengths, 0.f, -3);
  EXPECT_EQ(s.dash.count, 0);
}

TEST(PaintPattern, SolidPatternAndStopLimit)
{
  const IPaintPattern solid(kColorRed);
  EXPECT_EQ(solid.kind, kPatternSolid);
  EXPECT_EQ(solid.extend, kExtendPad);
  EXPECT_EQ(solid.nStops, 1);
  EXPECT_EQ(solid.stops[0].color, kColorRed);
  EXPECT_EQ(solid.stops[5].color, kColorBlack);
  EXPECT_TRUE(solid.transform.IsIdentity());

  IPaintPattern g(kPatternLinear);
  for (int i = 0; i < 20; ++i)
    g.AddStop(kColorBlue, static_cast<float>(i) / 20.f);
  EXPECT_EQ(g.nStops, IPaintPattern::kMaxStops);
}

TEST(PopupMenu, ClearingDeletesSubmenusRecursively)
{
  IPopupMenu menu("Title");
  menu.AddItem("one");
  IPopupMenu::Item* second = menu.AddItem("two");
  auto* sub = new IPopupMenu();
  sub->AddItem("a");
  sub->AddItem("b", IPopupMenu::kChecked);
  second->SetSubmenu(sub);
  EXPECT_EQ(menu.NItems(), 2);
  EXPECT_EQ(menu.GetItem(1)->GetSubmenu()->NItems(), 2);
  EXPECT_TRUE(sub->GetItem(1)->GetChecked());
  menu.ClearItems(true); // leaks would show under the sanitizers
  EXPECT_EQ(menu.NItems(), 0);
  EXPECT_EQ(menu.GetItem(0), nullptr);
  EXPECT_STREQ(menu.GetItemText(3), "");
}

TEST(PopupMenu, ItemsKeepOrderTagAndChosenIndex)
{
  IPopupMenu menu;
  EXPECT_EQ(menu.GetChosenItemIdx(), -1);
  menu.AddItem("x");
  menu.AddItem("y", IPopupMenu::kDisabled, 7);
  EXPECT_EQ(menu.GetItem(0)->GetTag(), -1);
  EXPECT_EQ(menu.GetItem(1)->GetTag(), 7);
  EXPECT_FALSE(menu.GetItem(1)->GetEnabled());
  menu.SetChosenItemIdx(1);
  EXPECT_STREQ(menu.GetChosenItem()->GetText(), "y");
  int completions = 0;
  menu.SetFunction([&](IPopupMenu* m) { completions += m == &menu; });
  menu.ExecFunction();
  EXPECT_EQ(completions, 1);
}
