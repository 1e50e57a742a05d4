#include "renderer/RecordingBackend.h"

using namespace ifx::canvas;

namespace
{
RecordingBackend& Self(void* user) { return *static_cast<RecordingBackend*>(user); }

RecordedCall& Add(void* user, const char* name)
{
  auto& calls = Self(user).calls;
  calls.emplace_back();
  calls.back().name = name;
  return calls.back();
}

std::vector<RecordedPath> CopyPaths(const CanvasFlatPath* paths, int npaths)
{
  std::vector<RecordedPath> out;
  for (int i = 0; i < npaths; i++)
  {
    RecordedPath p;
    if (paths[i].fill)
      p.fill.assign(paths[i].fill, paths[i].fill + paths[i].nfill);
    if (paths[i].stroke)
      p.fringe.assign(paths[i].stroke, paths[i].stroke + paths[i].nstroke);
    p.convex = paths[i].convex;
    p.closed = paths[i].closed;
    out.push_back(p);
  }
  return out;
}

int SetUp(void* user)
{
  Add(user, "SetUp");
  return Self(user).failSetUp ? 0 : 1;
}

int MakeTexture(void* user, int type, int w, int h, int flags, const unsigned char*)
{
  auto& c = Add(user, "MakeTexture");
  c.type = type;
  c.w = w;
  c.h = h;
  c.flags = flags;
  RecordingBackend& self = Self(user);
  if (self.failMakeTexture)
    return 0;
  self.textures.push_back({++self.nextTexture, type, w, h, flags});
  c.image = self.nextTexture;
  return self.nextTexture;
}

int FreeTexture(void* user, int image)
{
  Add(user, "FreeTexture").image = image;
  auto& t = Self(user).textures;
  for (size_t i = 0; i < t.size(); i++)
    if (t[i].id == image)
    {
      t.erase(t.begin() + (long)i);
      return 1;
    }
  return 0;
}

int WriteTexture(void* user, int image, int x, int y, int w, int h, const unsigned char*)
{
  auto& c = Add(user, "WriteTexture");
  c.image = image;
  c.x = x;
  c.y = y;
  c.w = w;
  c.h = h;
  return Self(user).FindTexture(image) ? 1 : 0;
}

int QueryTextureSize(void* user, int image, int* w, int* h)
{
  const RecordingTexture* t = Self(user).FindTexture(image);
  if (!t)
    return 0;
  *w = t->w;
  *h = t->h;
  return 1;
}

void SetViewSize(void* user, float w, float h, float ratio)
{
  auto& c = Add(user, "SetViewSize");
  c.w = (int)w;
  c.h = (int)h;
  c.ratio = ratio;
}

void DiscardFrame(void* user) { Add(user, "DiscardFrame"); }
void SubmitFrame(void* user) { Add(user, "SubmitFrame"); }

void QueueFill(void* user, const CanvasPaint* paint, CanvasComposite composite, const CanvasClip* scissor,
               float fringe, const float* bounds, const CanvasFlatPath* paths, int npaths)
{
  auto& c = Add(user, "QueueFill");
  c.paint = *paint;
  c.composite = composite;
  c.scissor = *scissor;
  c.fringe = fringe;
  for (int i = 0; i < 4; i++)
    c.bounds[i] = bounds[i];
  c.paths = CopyPaths(paths, npaths);
}

void QueueStroke(void* user, const CanvasPaint* paint, CanvasComposite composite, const CanvasClip* scissor,
                 float fringe, float strokeWidth, const CanvasFlatPath* paths, int npaths)
{
  auto& c = Add(user, "QueueStroke");
  c.paint = *paint;
  c.composite = composite;
  c.scissor = *scissor;
  c.fringe = fringe;
  c.strokeWidth = strokeWidth;
  c.paths = CopyPaths(paths, npaths);
}

void QueueTriangles(void* user, const CanvasPaint* paint, CanvasComposite composite, const CanvasClip* scissor,
                    const CanvasVertex* verts, int nverts, float fringe)
{
  auto& c = Add(user, "QueueTriangles");
  c.paint = *paint;
  c.composite = composite;
  c.scissor = *scissor;
  c.fringe = fringe;
  c.triangles.assign(verts, verts + nverts);
}

void TearDown(void* user) { Add(user, "TearDown"); }
} // namespace

RecordingBackend::RecordingBackend() = default;

CanvasBackend RecordingBackend::Table(int edgeAntiAlias)
{
  CanvasBackend b{};
  b.user = this;
  b.edgeAntiAlias = edgeAntiAlias;
  b.setUp = SetUp;
  b.makeTexture = MakeTexture;
  b.freeTexture = FreeTexture;
  b.writeTexture = WriteTexture;
  b.queryTextureSize = QueryTextureSize;
  b.setViewSize = SetViewSize;
  b.discardFrame = DiscardFrame;
  b.submitFrame = SubmitFrame;
  b.queueFill = QueueFill;
  b.queueStroke = QueueStroke;
  b.queueTriangles = QueueTriangles;
  b.tearDown = TearDown;
  return b;
}

std::vector<std::string> RecordingBackend::Names() const
{
  std::vector<std::string> out;
  for (const auto& c : calls)
    out.push_back(c.name);
  return out;
}

std::vector<RecordedCall> RecordingBackend::CallsNamed(const std::string& name) const
{
  std::vector<RecordedCall> out;
  for (const auto& c : calls)
    if (c.name == name)
      out.push_back(c);
  return out;
}

const RecordingTexture* RecordingBackend::FindTexture(int id) const
{
  for (const auto& t : textures)
    if (t.id == id)
      return &t;
  return nullptr;
}
