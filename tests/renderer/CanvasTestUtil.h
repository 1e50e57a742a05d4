#pragma once
#include <gtest/gtest.h>

#include <cmath>

#include "renderer/CanvasContext.h"
#include "renderer/CanvasPaint.h"
#include "renderer/RecordingBackend.h"

using namespace ifx::canvas;

// A context over a recording back end, inside a 200 x 200 frame at ratio 1.
class CanvasFixture : public ::testing::Test
{
protected:
  void SetUp() override
  {
    ctx = CanvasContext::Create(rec.Table());
    ASSERT_NE(ctx, nullptr);
    ctx->StartFrame(200.f, 200.f, 1.f);
    rec.Clear();
  }
  void TearDown() override { CanvasContext::Destroy(ctx); }

  const CanvasFlatPoint* Points(int path = 0) const { return &ctx->cache->points[ctx->cache->paths[path].first]; }
  int Count(int path = 0) const { return ctx->cache->paths[path].count; }

  RecordedCall LastCall(const char* name) const
  {
    auto calls = rec.CallsNamed(name);
    EXPECT_FALSE(calls.empty());
    return calls.empty() ? RecordedCall{} : calls.back();
  }

  RecordingBackend rec;
  CanvasContext* ctx = nullptr;
};

inline bool AllFinite(const std::vector<CanvasVertex>& v)
{
  for (const auto& p : v)
    if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.u) || !std::isfinite(p.v))
      return false;
  return true;
}
