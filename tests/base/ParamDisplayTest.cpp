#include <gtest/gtest.h>

#include <limits>
#include "base/IParam.h"
#include "base/IString.h"
#include "ParamFixtures.h"

using ifx::IParam;
using ifx::IString;
using namespace core_test;

namespace {

std::string Display(const IParam& p, double v, bool normalized = false, bool withTexts = true)
{
  IString s;
  p.GetDisplayText(v, normalized, s, withTexts);
  return s.Get();
}

// One parameter of each display kind.
struct DisplayParams
{
  DisplayParams()
  {
    MakeInterval(interval);
    MakeOctave(octave);
    MakeFine(fine);
    MakePercent(percent);
    percent.SetDisplayText(3., "");
    percent.SetDisplayText(4., "Four");
    tenth.ConfigureDouble("Tenth", 0., -10., 10., 0.1);
    quarter.ConfigureDouble("Quarter", 0., 0., 1., 0.25);
    hundredth.ConfigureDouble("Hundredth", 0., -1., 1., 0.01);
    negTenth.ConfigureDouble("NegTenth", 0., -1., 1., 0.1, "", IParam::kFlagNegateDisplay);
    neg.ConfigureDouble("Neg", 0., -50., 50., 1., "", IParam::kFlagNegateDisplay);
    sign.ConfigureDouble("Sign", 0., -10., 10., 0.1, "", IParam::kFlagSignDisplay);
    both.ConfigureDouble("Both", 0., -10., 10., 0.5, "", IParam::kFlagSignDisplay | IParam::kFlagNegateDisplay);
    wholeSign.ConfigureDouble("WholeSign", 0., -10., 10., 1., "", IParam::kFlagSignDisplay);
    huge.ConfigureDouble("Huge", 0., 0., 1e12, 1.);
    longText.ConfigureEnum("LongText", 0, 1, "", 0, "", "0123456789012345678901234567890123456789");
  }
  IParam interval, octave, fine, percent, tenth, quarter, hundredth, negTenth, neg, sign, both, wholeSign, huge,
    longText;
};

} // namespace

TEST(ParamDisplay, TextsForValues)
{
  const DisplayParams d;
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Case
  {
    const IParam& param;
    double value;
    bool normalized;
    const char* text;
  };
  const Case cases[] = {
    // Enum texts; without an exact text, the number.
    {d.interval, 7., false, "Perfect 5th"}, {d.interval, 0., false, "Unison"},
    {d.interval, 7. / 11., true, "Perfect 5th"}, {d.interval, 7.2, false, "7"},
    {d.octave, 0.5, true, "0"}, {d.octave, 1., true, "+2"}, {d.octave, 0.6, true, "0"},
    // An empty display text gives the number.
    {d.percent, 3., false, "3"}, {d.percent, 4., false, "Four"},
    // Digits after the point follow the step; halves round away from zero.
    {d.fine, -12., false, "-12"}, {d.fine, 0.5, true, "0"}, {d.fine, 12.5, false, "13"},
    {d.fine, -12.5, false, "-13"}, {d.tenth, 2.2, false, "2.2"}, {d.tenth, -3., false, "-3.0"},
    {d.quarter, 0.75, false, "0.75"},
    // Negative zero shows as zero.
    {d.fine, -0., false, "0"}, {d.fine, -0.4, false, "0"}, {d.hundredth, -0., false, "0.00"},
    {d.negTenth, 0., false, "0.0"},
    // Negated and signed display: the sign belongs to the negated value, and
    // whole-number display has none.
    {d.neg, 10., false, "-10"}, {d.neg, -7., false, "7"}, {d.sign, 2.5, false, "+2.5"},
    {d.sign, -2.5, false, "-2.5"}, {d.sign, 0., false, "0.0"}, {d.both, 2.5, false, "-2.5"},
    {d.both, -2.5, false, "+2.5"}, {d.wholeSign, 3., false, "3"},
    // Values outside the usual ranges; normalised values are constrained.
    {d.huge, 1e11, false, "100000000000"}, {d.huge, -3e9, false, "-3000000000"},
    {d.percent, nan, false, "0"}, {d.percent, nan, true, "0"}, {d.percent, 5., true, "100"},
    // Texts are cut to the 31 characters of their field.
    {d.longText, 0., false, "0123456789012345678901234567890"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Display(c.param, c.value, c.normalized), c.text)
      << c.param.GetName() << " " << c.value << (c.normalized ? " normalised" : "");

  EXPECT_EQ(Display(d.interval, 7., false, false), "7");   // texts left out
}

TEST(ParamDisplay, DisplayFunctionReplacesNumbers)
{
  IParam p;
  p.ConfigureDouble("F", 0., 0., 100., 1., "", 0, "", IParam::ShapeLinear(), 21,
                    [](double v, IString& out) { out.SetFormatted(32, "<%g>", v); });
  EXPECT_TRUE(p.HasDisplayFunc());
  EXPECT_EQ(Display(p, 40.), "<40>");
  EXPECT_EQ(Display(p, 0.5, true), "<50>");
  p.SetDisplayText(40., "Forty");
  EXPECT_EQ(Display(p, 40.), "<40>");
}

TEST(ParamDisplay, LabelForCurrentValue)
{
  IParam input;
  MakePercent(input);
  EXPECT_STREQ(input.GetLabelForValue(), "%");

  IParam steps;
  steps.ConfigureEnum("Steps", 1, 3, "st", 0, "", "Off", "", "Full");
  EXPECT_STREQ(steps.GetLabelForValue(), "st");   // 1 has an empty text
  steps.Set(0.);
  EXPECT_STREQ(steps.GetLabelForValue(), "");     // "Off"
  steps.Set(2.);
  EXPECT_STREQ(steps.GetLabelForValue(), "");

  // Decided on the value truncated to a whole number.
  IParam gain;
  gain.ConfigureDouble("Gain", 0., 0., 10., 0.1, "dB");
  gain.SetDisplayText(1., "Unity");
  gain.Set(1.7);
  EXPECT_STREQ(gain.GetLabelForValue(), "");
  gain.Set(2.1);
  EXPECT_STREQ(gain.GetLabelForValue(), "dB");
}
