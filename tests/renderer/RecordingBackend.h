#pragma once
// A render back end that records every callback with copies of its data, for
// tests of the vector renderer without a GPU.

#include <string>
#include <vector>

#include "renderer/CanvasTypes.h"

using namespace ifx::canvas;

struct RecordedPath
{
  std::vector<CanvasVertex> fill;
  std::vector<CanvasVertex> fringe;
  int convex = 0;
  int closed = 0;
};

struct RecordedCall
{
  std::string name;
  CanvasPaint paint{};
  CanvasComposite composite{};
  CanvasClip scissor{};
  float fringe = 0.f;
  float strokeWidth = 0.f;
  float bounds[4] = {};
  std::vector<RecordedPath> paths;
  std::vector<CanvasVertex> triangles;
  int image = 0;
  int x = 0, y = 0, w = 0, h = 0, type = 0, flags = 0;
  float ratio = 0.f;
};

struct RecordingTexture
{
  int id, type, w, h, flags;
};

class RecordingBackend
{
public:
  RecordingBackend();

  // The callback table pointing at this recorder.
  CanvasBackend Table(int edgeAntiAlias = 1);

  std::vector<std::string> Names() const;
  std::vector<RecordedCall> CallsNamed(const std::string& name) const;
  void Clear() { calls.clear(); }
  const RecordingTexture* FindTexture(int id) const;

  std::vector<RecordedCall> calls;
  std::vector<RecordingTexture> textures;
  int nextTexture = 0;
  bool failSetUp = false;
  bool failMakeTexture = false;
};
