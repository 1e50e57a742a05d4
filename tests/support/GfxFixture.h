#pragma once
// The set-up most editor tests share: a recording graphics object over a
// recording delegate, both writing to one log, and a maker for logged test
// controls that count their deletion.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/RecordingDelegate.h"
#include "support/RecordingGfx.h"
#include "support/TestControl.h"

namespace ifx {
namespace testkit {

class GfxFixture : public ::testing::Test
{
protected:
  explicit GfxFixture(int nParams = 4) : dlg(nParams), gfx(std::make_unique<RecordingGfx>(dlg))
  {
    dlg.log = &log;
    gfx->log = &log;
  }

  // Closing the editor ends whatever is still pressed or prompted; after
  // that every gesture the host heard of must have paired.
  void TearDown() override
  {
    gfx.reset();
    EXPECT_EQ(dlg.gestureFaults, std::vector<std::string>{});
    EXPECT_EQ(dlg.openGestures, std::vector<int>{});
  }

  // A logged control, not attached yet.
  TestControl* Make(const char* name, const igfx::IRECT& r = {0, 0, 10, 10}, int paramIdx = -1,
                    igfx::IControlAction action = nullptr)
  {
    auto* c = new TestControl(r, paramIdx, std::move(action), name);
    c->log = &log;
    c->destroyed = &destroyed;
    return c;
  }
  TestControl* Attach(const char* name, const igfx::IRECT& r = {0, 0, 10, 10}, int paramIdx = -1,
                      igfx::IControlAction action = nullptr)
  {
    TestControl* c = Make(name, r, paramIdx, std::move(action));
    gfx->AttachControl(c);
    return c;
  }

  // Declared before the graphics object, which deletes the controls.
  EventLog log;
  int destroyed = 0;
  RecordingDelegate dlg;
  std::unique_ptr<RecordingGfx> gfx;
};

} // namespace testkit
} // namespace ifx
