#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include "base/IParam.h"
#include "ParamFixtures.h"

using ifx::IParam;
using namespace core_test;

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
}

TEST(Param, NewParameterDefaults)
{
  IParam p;
  EXPECT_EQ(p.Type(), IParam::kTypeNone);
  EXPECT_EQ(p.Unit(), 21);
  EXPECT_EQ(p.Value(), 0.);
  EXPECT_EQ(p.GetMin(), 0.);
  EXPECT_EQ(p.GetMax(), 1.);
  EXPECT_EQ(p.GetStep(), 1.);
  EXPECT_EQ(p.GetDisplayPrecision(), 0);
  EXPECT_EQ(p.GetFlags(), 0);
  EXPECT_STREQ(p.GetName(), "");
  EXPECT_EQ(p.GetShape().GetDisplayType(), IParam::kDisplayLinear);
  EXPECT_EQ(p.NDisplayTexts(), 0);
  EXPECT_FALSE(p.HasDisplayFunc());
}

TEST(Param, ConfigureDoubleSetsFieldsAndConstrainedDefault)
{
  IParam p;
  p.ConfigureDouble("Gain", 250., 0., 100., 1., "%", 0, "Main", IParam::ShapeLinear(), 3);
  EXPECT_EQ(p.Type(), IParam::kTypeDouble);
  EXPECT_EQ(p.Unit(), 21);   // the unit argument is not used
  EXPECT_STREQ(p.GetName(), "Gain");
  EXPECT_STREQ(p.GetLabel(), "%");
  EXPECT_STREQ(p.GetGroup(), "Main");
  EXPECT_EQ(p.GetDefault(), 250.);
  EXPECT_EQ(p.Value(), 100.);

  // max is at least min + step
  IParam narrow;
  narrow.ConfigureDouble("N", 0., 5., 2., 0.5);
  EXPECT_EQ(narrow.GetMax(), 5.5);

  // Long names are cut to 31 characters.
  IParam longName;
  longName.ConfigureDouble("abcdefghijklmnopqrstuvwxyz0123456789");
  EXPECT_STREQ(longName.GetName(), "abcdefghijklmnopqrstuvwxyz01234");
}

TEST(Param, ConfigureEnumKeepsEnumTypeAndTexts)
{
  IParam p;
  MakeInterval(p);
  EXPECT_EQ(p.Type(), IParam::kTypeEnum);
  EXPECT_TRUE(p.GetStepped());
  EXPECT_EQ(p.GetMin(), 0.);
  EXPECT_EQ(p.GetMax(), 11.);
  EXPECT_EQ(p.NDisplayTexts(), 12);
  double v = -1.;
  EXPECT_STREQ(p.GetDisplayTextAtIdx(6, &v), "Tritone");
  EXPECT_EQ(v, 6.);
  EXPECT_EQ(p.GetDisplayTextAtIdx(12), nullptr);

  // An earlier type stays.
  p.ConfigureDouble("Again", 0., 0., 3., 1.);
  EXPECT_EQ(p.Type(), IParam::kTypeEnum);

  IParam noTexts;
  noTexts.ConfigureEnum("Plain", 1, 3);
  EXPECT_EQ(noTexts.NDisplayTexts(), 0);
  EXPECT_EQ(noTexts.Value(), 1.);
}

TEST(Param, SetClampsToRange)
{
  IParam p;
  MakePercent(p);
  p.Set(150.);
  EXPECT_EQ(p.Value(), 100.);
  p.Set(-3.);
  EXPECT_EQ(p.Value(), 0.);
  p.Set(42.);
  EXPECT_EQ(p.Value(), 42.);
  p.SetToDefault();
  EXPECT_EQ(p.Value(), 100.);
}

TEST(Param, SteppedValuesRoundHalfAwayFromZero)
{
  IParam p;
  p.ConfigureDouble("Half", 0., -2., 2., 0.5, "", IParam::kFlagStepped);
  p.Set(0.74);
  EXPECT_EQ(p.Value(), 0.5);
  p.Set(0.75);
  EXPECT_EQ(p.Value(), 1.);
  p.Set(-0.75);
  EXPECT_EQ(p.Value(), -1.);
  EXPECT_EQ(p.Constrain(1.26), 1.5);
  EXPECT_EQ(p.Constrain(7.), 2.);

  // Unstepped doubles keep their value.
  IParam free;
  free.ConfigureDouble("Free", 0., 0., 100., 1.);
  free.Set(42.4);
  EXPECT_DOUBLE_EQ(free.Value(), 42.4);
}

TEST(Param, EnumNormalisation)
{
  IParam octave;
  MakeOctave(octave);
  EXPECT_EQ(octave.FromNormalized(0.5), 2.);
  EXPECT_EQ(octave.FromNormalized(0.6), 2.);     // 2.4
  EXPECT_EQ(octave.FromNormalized(0.625), 3.);   // 2.5 rounds away from zero
  EXPECT_EQ(octave.FromNormalized(1.), 4.);
  EXPECT_EQ(octave.ToNormalized(3.), 0.75);
  EXPECT_EQ(octave.GetDefault(true), 0.5);

  IParam interval;
  MakeInterval(interval);
  EXPECT_DOUBLE_EQ(interval.ToNormalized(6.), 6. / 11.);
  EXPECT_EQ(interval.FromNormalized(7. / 11.), 7.);
}

TEST(Param, DoubleNormalisation)
{
  IParam input;
  MakePercent(input);
  EXPECT_EQ(input.ToNormalized(25.), 0.25);
  EXPECT_EQ(input.ToNormalized(250.), 1.);
  EXPECT_EQ(input.ToNormalized(-5.), 0.);
  EXPECT_EQ(input.GetDefault(true), 1.);
  EXPECT_DOUBLE_EQ(input.FromNormalized(0.333), 33.3);
  EXPECT_EQ(input.FromNormalized(1.5), 100.);

  IParam fine;
  MakeFine(fine);
  EXPECT_EQ(fine.ToNormalized(0.), 0.5);
  EXPECT_EQ(fine.FromNormalized(0.25), -25.);
  fine.SetNormalized(0.75);
  EXPECT_EQ(fine.Value(), 25.);
  EXPECT_EQ(fine.GetNormalized(), 0.75);
}

TEST(Param, NonFiniteValuesNeverLeave)
{
  IParam fine;
  MakeFine(fine);
  fine.Set(kNaN);
  EXPECT_EQ(fine.Value(), -50.);
  fine.Set(kInf);
  EXPECT_EQ(fine.Value(), 50.);
  fine.Set(-kInf);
  EXPECT_EQ(fine.Value(), -50.);

  EXPECT_EQ(fine.Constrain(kNaN), -50.);
  EXPECT_EQ(fine.FromNormalized(kNaN), -50.);
  EXPECT_EQ(fine.FromNormalized(kInf), 50.);
  EXPECT_EQ(fine.FromNormalized(-kInf), -50.);
  EXPECT_EQ(fine.ToNormalized(kNaN), 0.);
  EXPECT_EQ(fine.ToNormalized(kInf), 1.);
  // The C libraries differ on whether they read "nan" and "inf"; either way
  // the result lies in the range.
  for (const char* text : {"nan", "inf", "-inf", "1e999"})
  {
    const double v = fine.StringToValue(text);
    EXPECT_TRUE(v >= -50. && v <= 50.) << text;
  }

  IParam octave;
  MakeOctave(octave);
  octave.Set(kNaN);
  EXPECT_EQ(octave.Value(), 0.);
  EXPECT_EQ(octave.FromNormalized(kNaN), 0.);
  EXPECT_EQ(octave.FromNormalized(kInf), 4.);

  // A zero step (degenerate range) must not turn values into NaN either.
  IParam flat;
  flat.ConfigureDouble("Flat", 3., 3., 3., 0., "", IParam::kFlagStepped);
  flat.Set(10.);
  EXPECT_EQ(flat.Value(), 3.);
  EXPECT_EQ(flat.ToNormalized(3.), 0.);
  EXPECT_EQ(flat.FromNormalized(kInf), 3.);
  EXPECT_FALSE(std::isnan(flat.FromNormalized(0.5)));
}

TEST(Param, TextToValue)
{
  IParam interval, input, neg, stepped;
  MakeInterval(interval);
  MakePercent(input);
  input.SetDisplayText(50., "Half");
  neg.ConfigureDouble("Neg", 0., -50., 50., 1., "", IParam::kFlagNegateDisplay);
  stepped.ConfigureDouble("S", 0., 0., 10., 0.5, "", IParam::kFlagStepped);
  struct Case
  {
    const IParam& param;
    const char* text;
    double value;
  };
  const Case cases[] = {
    {interval, "Tritone", 6.}, {interval, "Major 7th", 11.}, {interval, "Augmented 9th", 0.},
    {interval, "7", 0.},   // enums take only their texts
    {interval, nullptr, 0.},
    {input, "42", 42.}, {input, "420", 100.}, {input, "-1", 0.}, {input, "junk", 0.},
    {input, "Half", 50.},  // a display text of a double parameter is matched first
    {neg, "10", -10.},     // negated display: the text is what the user saw
    {stepped, "2.3", 2.5}, // stepped doubles round the parsed number
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.param.StringToValue(c.text), c.value) << c.param.GetName() << " " << (c.text ? c.text : "null");
}

TEST(Param, DisplayPrecisionFollowsStep)
{
  struct Case { double step; int precision; };
  const Case cases[] = {{1., 0}, {0.1, 1}, {0.25, 2}, {0.01, 2}, {0.001, 3}, {0.5, 1},
                        {1e-9, 6}, {10., 0}};
  for (const Case& c : cases)
  {
    IParam p;
    p.ConfigureDouble("P", 0., 0., 100., c.step);
    EXPECT_EQ(p.GetDisplayPrecision(), c.precision) << "step " << c.step;
  }
}
