#pragma once
// A renderer over a recording GL table in a frame of 100 x 100, with the
// calls, uniform blocks, indices and paint slots of a submitted frame.

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "renderer/CanvasContext.h"
#include "renderer/CanvasGLBackend.h"
#include "renderer/CanvasPaint.h"
#include "renderer/CanvasRenderTarget.h"
#include "renderer/RecordingGL.h"

using namespace ifx::canvas;

using Lines = std::vector<std::string>;

inline std::string L(const char* name, std::vector<double> args = {}) { return RecordingGL::Line(name, args); }

constexpr double kAll = 4294967295.0; // 0xffffffff

class GLSequence : public ::testing::Test
{
protected:
  void SetUp() override
  {
    RecordingGL::Reset();
    canvas = CreateCanvasGL(RecordingGL::Table(), Flags());
    ASSERT_NE(canvas, nullptr);
    b = CanvasGLBackendOf(canvas);
    canvas->StartFrame(100.f, 100.f, 1.f);
  }
  void TearDown() override { CanvasContext::Destroy(canvas); }
  virtual int Flags() const { return kCanvasGLAntiAlias; }

  // The calls of FinishFrame.
  Lines Submit()
  {
    mark = RecordingGL::Log().size();
    canvas->FinishFrame();
    return RecordingGL::Lines(mark);
  }
  // The calls of FinishFrame that draw the queued calls: from the first
  // blend function to the end of the last call.
  Lines SubmitCalls()
  {
    Lines all = Submit();
    size_t first = 0;
    while (first < all.size() && all[first].rfind("glBlendFuncSeparate", 0) != 0)
      first++;
    size_t last = all.size();
    while (last > first && all[last - 1] != L("glDisableVertexAttribArray", {0}))
      last--;
    return Lines(all.begin() + (long)first + 1, all.begin() + (long)last - 1);
  }
  // The uniform blocks uploaded while drawing, in order (a batch uploads
  // several at once).
  std::vector<std::vector<float>> Blocks() const
  {
    std::vector<std::vector<float>> out;
    for (size_t i = mark; i < RecordingGL::Log().size(); i++)
      if (RecordingGL::Log()[i].name == "glUniform4fv")
      {
        const std::vector<float>& f = RecordingGL::Log()[i].floats;
        for (size_t at = 0; at + 44 <= f.size(); at += 44)
          out.emplace_back(f.begin() + (long)at, f.begin() + (long)at + 44);
      }
    return out;
  }
  // What the frame uploaded to the buffer bound to `target`: the n-th such
  // upload (vertices 0, paint slots 1).
  std::vector<unsigned char> Uploaded(cgl::Enum target, int n = 0) const
  {
    for (size_t i = mark; i < RecordingGL::Log().size(); i++)
    {
      const GLRecord& r = RecordingGL::Log()[i];
      if (r.name == "glBufferData" && r.Arg(0) == target && n-- == 0)
        return r.bytes;
    }
    return {};
  }
  std::vector<int> Indices() const
  {
    const std::vector<unsigned char> bytes = Uploaded(cgl::kElementArrayBuffer);
    std::vector<int> out(bytes.size() / 2);
    for (size_t i = 0; i < out.size(); i++)
      out[i] = bytes[2 * i] | bytes[2 * i + 1] << 8;
    return out;
  }
  std::vector<float> Slots() const
  {
    const std::vector<unsigned char> bytes = Uploaded(cgl::kArrayBuffer, 1);
    std::vector<float> out(bytes.size() / 4);
    std::memcpy(out.data(), bytes.data(), bytes.size());
    return out;
  }
  // The drawing part of a submitted frame in short: "blend", "upload n"
  // (blocks), "bind <label>", "draw n" (indices), "drawArrays", "clear".
  Lines Summary(const std::map<double, std::string>& labels = {})
  {
    Submit();
    Lines out;
    bool drawing = false;
    for (size_t i = mark; i < RecordingGL::Log().size(); i++)
    {
      const GLRecord& r = RecordingGL::Log()[i];
      if (r.name == "glUniform2fv")
        drawing = true;
      else if (r.name == "glDisableVertexAttribArray")
        break;
      else if (!drawing)
        continue;
      else if (r.name == "glBlendFuncSeparate")
        out.push_back("blend");
      else if (r.name == "glUniform4fv")
        out.push_back("upload " + std::to_string((int)r.Arg(1) / 11));
      else if (r.name == "glBindTexture")
        out.push_back("bind " + (labels.count(r.Arg(1)) ? labels.at(r.Arg(1)) : std::string("?")));
      else if (r.name == "glDrawElements")
        out.push_back("draw " + std::to_string((int)r.Arg(1)));
      else if (r.name == "glDrawArrays")
        out.push_back("drawArrays");
      else if (r.name == "glClear")
        out.push_back("clear");
    }
    return out;
  }
  double DummyName() const { return b->FindTexture(b->dummyTex)->tex; }

  void Rect(float x, float y, float w, float h)
  {
    canvas->BeginPath();
    canvas->AddRectangle(x, y, w, h);
    canvas->FillPath();
  }

  CanvasContext* canvas = nullptr;
  CanvasGLBackend* b = nullptr;
  size_t mark = 0;
};

// Offsets of the fragment-uniform block, in floats.
enum
{
  kScissorMat = 0,
  kPaintMat = 12,
  kInner = 24,
  kOuter = 28,
  kScissorExt = 32,
  kScissorScale = 34,
  kExtent = 36,
  kRadius = 38,
  kFeather = 39,
  kStrokeMult = 40,
  kStrokeThr = 41,
  kTexType = 42,
  kType = 43
};
