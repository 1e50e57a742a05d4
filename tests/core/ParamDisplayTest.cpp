#include <gtest/gtest.h>

#include <limits>
#include "core/IParam.h"
#include "core/IString.h"
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

} // namespace

TEST(ParamDisplay, EnumTextsAndNumericFallback)
{
  IParam interval;
  MakeInterval(interval);
  EXPECT_EQ(Display(interval, 7.), "Perfect 5th");
  EXPECT_EQ(Display(interval, 0.), "Unison");
  EXPECT_EQ(Display(interval, 7., false, false), "7");
  EXPECT_EQ(Display(interval, 7. / 11., true), "Perfect 5th");
  EXPECT_EQ(Display(interval, 7.2), "7");   // no exact text: the number

  IParam octave;
  MakeOctave(octave);
  EXPECT_EQ(Display(octave, 0.5, true), "0");
  EXPECT_EQ(Display(octave, 1., true), "+2");
  EXPECT_EQ(Display(octave, 0.6, true), "0");

  IParam percent;
  MakePercent(percent);
  percent.SetDisplayText(3., "");
  percent.SetDisplayText(4., "Four");
  EXPECT_EQ(Display(percent, 3.), "3");   // an empty text: the number
  EXPECT_EQ(Display(percent, 4.), "Four");
}

TEST(ParamDisplay, IntegersAndPrecision)
{
  IParam fine;
  MakeFine(fine);
  EXPECT_EQ(Display(fine, -12.), "-12");
  EXPECT_EQ(Display(fine, 0.5, true), "0");
  EXPECT_EQ(Display(fine, 12.5), "13");    // round half away from zero
  EXPECT_EQ(Display(fine, -12.5), "-13");

  IParam tenth;
  tenth.ConfigureDouble("T", 0., -10., 10., 0.1);
  EXPECT_EQ(Display(tenth, 2.2), "2.2");
  EXPECT_EQ(Display(tenth, -3.), "-3.0");

  IParam quarter;
  quarter.ConfigureDouble("Q", 0., 0., 1., 0.25);
  EXPECT_EQ(Display(quarter, 0.75), "0.75");
}

TEST(ParamDisplay, NegativeZeroShowsAsZero)
{
  IParam fine;
  MakeFine(fine);
  EXPECT_EQ(Display(fine, -0.), "0");
  EXPECT_EQ(Display(fine, -0.4), "0");

  IParam hundredth;
  hundredth.ConfigureDouble("H", 0., -1., 1., 0.01);
  EXPECT_EQ(Display(hundredth, -0.), "0.00");

  IParam neg;
  neg.ConfigureDouble("N", 0., -1., 1., 0.1, "", IParam::kFlagNegateDisplay);
  EXPECT_EQ(Display(neg, 0.), "0.0");
}

TEST(ParamDisplay, NegateAndSignFlags)
{
  IParam neg;
  neg.ConfigureDouble("Neg", 0., -50., 50., 1., "", IParam::kFlagNegateDisplay);
  EXPECT_EQ(Display(neg, 10.), "-10");
  EXPECT_EQ(Display(neg, -7.), "7");

  IParam sign;
  sign.ConfigureDouble("Sign", 0., -10., 10., 0.1, "", IParam::kFlagSignDisplay);
  EXPECT_EQ(Display(sign, 2.5), "+2.5");
  EXPECT_EQ(Display(sign, -2.5), "-2.5");
  EXPECT_EQ(Display(sign, 0.), "0.0");

  // Both: the sign belongs to the negated value.
  IParam both;
  both.ConfigureDouble("Both", 0., -10., 10., 0.5, "",
                       IParam::kFlagSignDisplay | IParam::kFlagNegateDisplay);
  EXPECT_EQ(Display(both, 2.5), "-2.5");
  EXPECT_EQ(Display(both, -2.5), "+2.5");

  // Whole-number display has no sign.
  IParam wholeSign;
  wholeSign.ConfigureDouble("W", 0., -10., 10., 1., "", IParam::kFlagSignDisplay);
  EXPECT_EQ(Display(wholeSign, 3.), "3");
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

TEST(ParamDisplay, ValuesOutsideTheUsualRanges)
{
  IParam huge;
  huge.ConfigureDouble("Huge", 0., 0., 1e12, 1.);
  EXPECT_EQ(Display(huge, 1e11), "100000000000");
  EXPECT_EQ(Display(huge, -3e9), "-3000000000");

  IParam input;
  MakePercent(input);
  EXPECT_EQ(Display(input, std::numeric_limits<double>::quiet_NaN()), "0");
  EXPECT_EQ(Display(input, std::numeric_limits<double>::quiet_NaN(), true), "0");
  EXPECT_EQ(Display(input, 5., true), "100");   // normalised values are constrained

  // Texts are cut to the 31 characters of their field.
  IParam longText;
  longText.ConfigureEnum("L", 0, 1, "", 0, "", "0123456789012345678901234567890123456789");
  EXPECT_EQ(Display(longText, 0.), "0123456789012345678901234567890");
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
