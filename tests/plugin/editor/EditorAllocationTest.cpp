// The whole editor drawn frame after frame through the real drawing back
// end: once warmed up, no frame allocates, whatever the meters show.
#include <gtest/gtest.h>

#include <cmath>

#include "base/ISenderPacket.h"
#include "plugin/editor/MurkwispLayout.h"
#include "support/AllocationCounter.h"
#include "HeadlessEditor.h"

using namespace murkwisp_test;

TEST(EditorAllocationTest, FramesOfTheFullEditorDoNotAllocate)
{
  HeadlessEditor ed;
  ASSERT_TRUE(ed.Open()) << ed.Error();
  ifx::ISenderPacket packet;
  auto frame = [&](int i) {
    const float level = 0.5f + 0.5f * std::sin(0.1f * static_cast<float>(i));
    packet.vals[0][0] = packet.vals[0][1] = level;
    packet.vals[1][0] = packet.vals[1][1] = 1.f - level;
    ed.plugin->PushControlMessageToUI(kTagInputMeter, 0, sizeof(packet), &packet);
    ed.plugin->PushControlMessageToUI(kTagOutputMeter, 0, sizeof(packet), &packet);
    return ed.Frame();
  };
  // First frames fill the glyph atlas and size the renderer's buffers.
  for (int i = 0; i < 30; ++i)
    ASSERT_TRUE(frame(i));

  int drawn = 0;
  AllocationCounter counter;
  for (int i = 30; i < 330; ++i)
    drawn += frame(i);
  const long allocations = counter.Count();
  EXPECT_EQ(drawn, 300);  // every control redraws every frame
  EXPECT_EQ(allocations, 0);
}
