#pragma once
// One initialised instance per test, in the format this program was built
// for; whatever rule of the format it broke fails the test at the end.
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "base/IParam.h"
#include "framework/IFxAPIBase.h"
#include "framework/IFxProcessor.h"
#include "wrappers/shared/FormatAdapter.h"

namespace wrappertest {

class WrapperTest : public ::testing::TestWithParam<Format>
{
protected:
  void SetUp() override
  {
    plug = Make();
    ASSERT_TRUE(plug->Initialised());
  }
  void TearDown() override
  {
    if (plug)
      ExpectNoComplaints(*plug);
    plug.reset();
  }

  // Another instance of the same format, for tests that compare two.
  std::unique_ptr<FormatAdapter> Make() const { return GetParam().make(); }
  static void ExpectNoComplaints(const FormatAdapter& p)
  {
    const std::vector<std::string> complaints = p.HostComplaints();
    EXPECT_TRUE(complaints.empty()) << complaints.front();
  }
  double Value(int idx) { return plug->Plugin().GetParam(idx)->Value(); }

  std::unique_ptr<FormatAdapter> plug;
};

inline std::string FormatName(const ::testing::TestParamInfo<Format>& info) { return info.param.name; }

} // namespace wrappertest
