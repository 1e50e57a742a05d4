// What a host reads through the params extension, against the plug-in's own
// parameter table: ids, names, groups, ranges, defaults, flags, and the texts
// both ways.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

#include "ClapTestFixture.h"
#include "base/IParam.h"

using namespace murkwisp;

namespace {

using clap_tests::MurkwispClapFixture;

struct ExpectedParam
{
  const char* name;
  bool continuous;  // exposed normalised
  double min, max, def;  // in the units the host sees
};

// Continuous parameters: 0..1 with the normalised default; stepped ones in
// plain units.
const ExpectedParam kParams[13] = {
  {"Input", true, 0, 1, 1.0},        {"Output", true, 0, 1, 1.0},     {"Haunt", true, 0, 1, 0.5},
  {"Possess", true, 0, 1, 0.5},      {"Octave", false, 0, 4, 2},      {"Interval", false, 0, 11, 0},
  {"Fine", true, 0, 1, 0.5},         {"Freeze", true, 0, 1, 0.0},     {"Smear", true, 0, 1, 0.0},
  {"Whisper", true, 0, 1, 0.0},      {"Whisper Mode", false, 0, 1, 0}, {"Resonance", true, 0, 1, 0.5},
  {"Mix", true, 0, 1, 1.0},
};

struct ClapParamsTest : MurkwispClapFixture
{
  const clap_plugin_params_t* Params() { return hosted->Ext<clap_plugin_params_t>(CLAP_EXT_PARAMS); }

  std::string Text(clap_id id, double value)
  {
    char buffer[64];
    std::memset(buffer, 'x', sizeof(buffer));
    if (!Params()->value_to_text(hosted->Clap(), id, value, buffer, sizeof(buffer)))
      return "(false)";
    return buffer;
  }

  double Value(clap_id id, const char* text)
  {
    double v = -1.0;
    EXPECT_TRUE(Params()->text_to_value(hosted->Clap(), id, text, &v)) << text;
    return v;
  }
};

TEST_F(ClapParamsTest, InfoOfEveryParameterMatchesItsTable)
{
  const clap_plugin_params_t* params = Params();
  ASSERT_NE(params, nullptr);
  ASSERT_EQ(params->count(hosted->Clap()), 13u);
  for (uint32_t i = 0; i < 13; ++i)
  {
    SCOPED_TRACE(kParams[i].name);
    clap_param_info_t info;
    std::memset(&info, 0xAB, sizeof(info));
    ASSERT_TRUE(params->get_info(hosted->Clap(), i, &info));
    EXPECT_EQ(info.id, i);
    EXPECT_STREQ(info.name, kParams[i].name);
    EXPECT_STREQ(info.module, "");
    EXPECT_EQ(info.cookie, nullptr);
    EXPECT_EQ(info.flags, kParams[i].continuous ? 0x8020u : 0x8021u);
    EXPECT_EQ(info.min_value, kParams[i].min);
    EXPECT_EQ(info.max_value, kParams[i].max);
    EXPECT_DOUBLE_EQ(info.default_value, kParams[i].def);
  }
}

TEST_F(ClapParamsTest, ValuesAndTextsInTheUnitsTheHostSees)
{
  EXPECT_EQ(Text(0, 0.5), "50 %");
  EXPECT_EQ(Text(6, 0.25), "-25 cents");
  EXPECT_EQ(Text(6, 0.5), "0 cents");
  EXPECT_EQ(Text(4, 3.0), "+1");
  EXPECT_EQ(Text(5, 7.0), "Perfect 5th");
  EXPECT_EQ(Text(10, 1.0), "Fennows");

  EXPECT_DOUBLE_EQ(Value(0, "42"), 0.42);
  EXPECT_DOUBLE_EQ(Value(6, "-25"), 0.25);
  EXPECT_EQ(Value(5, "Tritone"), 6.0);
  EXPECT_EQ(Value(4, "-2"), 0.0);
  // What value_to_text gives reads back, label and all.
  EXPECT_DOUBLE_EQ(Value(0, "50 %"), 0.5);
  EXPECT_DOUBLE_EQ(Value(6, " -25 cents"), 0.25);

  // Text that is neither a number nor an entry is refused, never read as 0.
  for (const auto& [id, text] : {std::pair<clap_id, const char*>{0, "banana"}, {0, ""}, {0, "12abc"}, {0, "nan"},
                                 {0, "50 cents"}, {6, "inf"}, {5, "Tritonee"}, {10, "fennows"}, {4, "3"}})
  {
    double v = -1.0;
    EXPECT_FALSE(Params()->text_to_value(hosted->Clap(), id, text, &v)) << id << " \"" << text << "\"";
    EXPECT_EQ(v, -1.0);
  }

  // Values read back as the host sees them: normalised or plain.
  claphost::InputEvents in;
  in.AddParamValue(0, 2, 0.25);  // Haunt 25 %
  in.AddParamValue(0, 5, 9.0);   // Interval: major sixth
  claphost::OutputEvents out;
  Params()->flush(hosted->Clap(), in.Clap(), out.Clap());
  double v = -1.0;
  ASSERT_TRUE(Params()->get_value(hosted->Clap(), 2, &v));
  EXPECT_DOUBLE_EQ(v, 0.25);
  EXPECT_DOUBLE_EQ(plugin->GetParam(2)->Value(), 25.0);
  ASSERT_TRUE(Params()->get_value(hosted->Clap(), 5, &v));
  EXPECT_EQ(v, 9.0);
}

TEST_F(ClapParamsTest, TextThatDoesNotFitLeavesTheBufferAlone)
{
  char buffer[4] = {'a', 'b', 'c', 'd'};
  EXPECT_FALSE(Params()->value_to_text(hosted->Clap(), 0, 0.5, buffer, 4));  // "50 %" needs 5
  EXPECT_EQ(std::string(buffer, 4), "abcd");
  char exact[5];
  EXPECT_TRUE(Params()->value_to_text(hosted->Clap(), 0, 0.5, exact, 5));
  EXPECT_STREQ(exact, "50 %");
}

} // namespace
