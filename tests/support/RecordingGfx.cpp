#include "support/RecordingGfx.h"

#include <cstdio>
#include <cctype>
#include <cstring>

namespace ifx {
namespace testkit {

using namespace igfx;

namespace {
class FakeBitmap : public APIBitmap
{
public:
  FakeBitmap(int id, int w, int h, float scale, float drawScale, int* live)
    : APIBitmap(id, w, h, scale, drawScale), mLive(live)
  {
    ++*mLive;
  }
  ~FakeBitmap() override { --*mLive; }

private:
  int* mLive;
};

std::string Num(float v)
{
  char buf[32];
  std::snprintf(buf, sizeof(buf), "%g", static_cast<double>(v));
  return buf;
}
} // namespace

RecordingGfx::~RecordingGfx()
{
  // Controls must go while this object's overrides still exist.
  RemoveAllControls();
}

GfxOp& RecordingGfx::Record(GfxOp::Kind kind, std::initializer_list<float> v)
{
  GfxOp op;
  op.kind = kind;
  op.v = v;
  op.transform = mCurrent;
  op.clip = mCurrentClip;
  op.layerDepth = LayerDepth();
  ops.push_back(std::move(op));
  return ops.back();
}

void RecordingGfx::Note(const char* what)
{
  if (log)
    log->Add(what);
}

int RecordingGfx::Count(GfxOp::Kind kind) const
{
  int n = 0;
  for (const auto& op : ops)
    n += op.kind == kind;
  return n;
}

std::vector<GfxOp> RecordingGfx::OfKind(GfxOp::Kind kind) const
{
  std::vector<GfxOp> out;
  for (const auto& op : ops)
    if (op.kind == kind)
      out.push_back(op);
  return out;
}

std::vector<GfxOp> RecordingGfx::PathSteps() const
{
  std::vector<GfxOp> out;
  for (const auto& op : ops)
    switch (op.kind)
    {
      case GfxOp::kPathClear:
      case GfxOp::kPathClose:
      case GfxOp::kPathArc:
      case GfxOp::kPathMoveTo:
      case GfxOp::kPathLineTo:
      case GfxOp::kPathWinding:
      case GfxOp::kPathCubic:
      case GfxOp::kPathQuad: out.push_back(op); break;
      default: break;
    }
  return out;
}

std::string RecordingGfx::PathString() const
{
  std::string s;
  for (const auto& op : PathSteps())
  {
    if (op.kind == GfxOp::kPathClear)
      continue;
    if (!s.empty())
      s += "|";
    switch (op.kind)
    {
      case GfxOp::kPathClose: s += "Z"; break;
      case GfxOp::kPathArc: s += op.dir == kArcClockwise ? "A" : "a"; break;
      case GfxOp::kPathMoveTo: s += "M"; break;
      case GfxOp::kPathLineTo: s += "L"; break;
      case GfxOp::kPathWinding: s += op.dir ? "W cw" : "W ccw"; break;
      case GfxOp::kPathCubic: s += "C"; break;
      case GfxOp::kPathQuad: s += "Q"; break;
      default: break;
    }
    for (float v : op.v)
      s += " " + Num(v);
  }
  return s;
}

bool RecordingGfx::SupportsImageType(const char* extension)
{
  std::string e(extension ? extension : "");
  for (char& c : e)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return e.find("png") != std::string::npos || e.find("jpg") != std::string::npos ||
         e.find("jpeg") != std::string::npos;
}

void RecordingGfx::BeginFrame()
{
  IGfx::BeginFrame();
  Record(GfxOp::kBeginFrame);
  Note("gfx:BeginFrame");
}

void RecordingGfx::EndFrame()
{
  Record(GfxOp::kEndFrame);
  Note("gfx:EndFrame");
}

void RecordingGfx::DrawBitmap(const IBitmapRef& bitmap, const IRECT& bounds, int srcX, int srcY,
                              const IBlendMode* blend)
{
  GfxOp& op = Record(GfxOp::kDrawBitmap, {static_cast<float>(srcX), static_cast<float>(srcY)});
  op.rect = bounds;
  op.bitmap = bitmap.GetAPIBitmap();
  op.hasBlend = blend != nullptr;
  if (blend)
    op.blend = *blend;
}

void RecordingGfx::DrawQuickShadow(const IRECT& inner, const IRECT& outer, float drop, float roundness, float blur,
                                   const IBlendMode* blend)
{
  GfxOp& op = Record(GfxOp::kQuickShadow, {drop, roundness, blur});
  op.rect = outer;
}

void RecordingGfx::CompositeShadowMask(IOffscreenLayer* layer, const IRawBuffer& mask, const IDropShadow& shadow)
{
  lastShadowMask = mask;
  Record(GfxOp::kCompositeShadow);
}

void RecordingGfx::RefreshLayer() { Record(GfxOp::kRefreshLayer); }
void RecordingGfx::PathClear() { Record(GfxOp::kPathClear); }
void RecordingGfx::PathClose() { Record(GfxOp::kPathClose); }

void RecordingGfx::PathArc(float cx, float cy, float r, float a1, float a2, EArcDirection dir)
{
  Record(GfxOp::kPathArc, {cx, cy, r, a1, a2}).dir = dir;
}

void RecordingGfx::PathMoveTo(float x, float y) { Record(GfxOp::kPathMoveTo, {x, y}); }
void RecordingGfx::PathLineTo(float x, float y) { Record(GfxOp::kPathLineTo, {x, y}); }
void RecordingGfx::SetPathWinding(bool clockwise) { Record(GfxOp::kPathWinding).dir = clockwise ? 1 : 0; }

void RecordingGfx::PathCubicBezierTo(float c1x, float c1y, float c2x, float c2y, float x2, float y2)
{
  Record(GfxOp::kPathCubic, {c1x, c1y, c2x, c2y, x2, y2});
}

void RecordingGfx::PathQuadraticBezierTo(float cx, float cy, float x2, float y2)
{
  Record(GfxOp::kPathQuad, {cx, cy, x2, y2});
}

void RecordingGfx::PathStroke(const IPaintPattern& pattern, float thickness, const IStrokeSettings& options,
                              const IBlendMode* blend)
{
  GfxOp& op = Record(GfxOp::kStroke);
  op.pattern = pattern;
  op.thickness = thickness;
  op.stroke = options;
  op.hasBlend = blend != nullptr;
  if (blend)
    op.blend = *blend;
}

void RecordingGfx::PathFill(const IPaintPattern& pattern, const IFillSettings& options, const IBlendMode* blend)
{
  GfxOp& op = Record(GfxOp::kFill);
  op.pattern = pattern;
  op.fill = options;
  op.hasBlend = blend != nullptr;
  if (blend)
    op.blend = *blend;
}

void RecordingGfx::SetPathTransform(const ITransform2D& transform)
{
  mCurrent = transform;
  Record(GfxOp::kSetTransform);
}

void RecordingGfx::OnControlDrawn(const IRECT& clip) { Record(GfxOp::kControlDrawn).rect = clip; }

void RecordingGfx::SetClipRegion(const IRECT& r)
{
  mCurrentClip = r;
  Record(GfxOp::kSetClip).rect = r;
}

bool RecordingGfx::GetMouseLocation(float& x, float& y) const
{
  x = mouseX;
  y = mouseY;
  return true;
}

void RecordingGfx::HideMouseCursor(bool hide, bool lock)
{
  if (hide == GetCursorHidden())
    return;
  SetCursorHidden(hide);
  hide ? ++cursorHideCalls : ++cursorShowCalls;
  Record(GfxOp::kHideCursor).dir = hide;
  Note(hide ? "gfx:HideCursor" : "gfx:ShowCursor");
}

void RecordingGfx::MoveMouseCursor(float x, float y) { Record(GfxOp::kMoveCursor, {x, y}); }

void* RecordingGfx::OpenWindow(void* parent)
{
  windowOpen = true;
  return this;
}

void RecordingGfx::ShowNativeTextEntry(int paramIdx, const ITextStyle& text, const IRECT& bounds, int length,
                                       const char* str)
{
  textEntryParamIdx = paramIdx;
  textEntryText = str ? str : "";
  textEntryBounds = bounds;
  textEntryLength = length;
  Record(GfxOp::kTextEntry).text = textEntryText;
  Note("gfx:TextEntry");
}

void RecordingGfx::AskForFile(IString& fileName, IString& path, int action, const char* extensions,
                              IFileDialogCompletionHandlerFunc completion)
{
  filePrompts.push_back({action, extensions ? extensions : "", path.Get()});
  Note("gfx:AskForFile");
  fileName.Set(fileChoice.c_str());
  if (!fileChoice.empty())
  {
    const size_t slash = fileChoice.find_last_of("/\\");
    path.Set(slash == std::string::npos ? "" : fileChoice.substr(0, slash + 1).c_str());
  }
  if (completion)
    completion(fileName, path);
}

IPopupMenu* RecordingGfx::ShowNativeMenu(IPopupMenu& menu, const IRECT& bounds, bool& isAsync)
{
  ++menuCalls;
  lastMenuItems.clear();
  lastMenuFlags.clear();
  for (int i = 0; i < menu.NItems(); ++i)
  {
    lastMenuItems.push_back(menu.GetItem(i)->GetText());
    lastMenuFlags.push_back(menu.GetItem(i)->GetFlags());
  }
  lastMenuTitle = menu.GetTitle();
  Record(GfxOp::kMenu).rect = bounds;
  Note("gfx:Menu");
  isAsync = menuAsync;
  if (menuAsync || menuChoice < 0)
    return nullptr;
  menu.SetChosenItemIdx(menuChoice);
  return &menu;
}

void RecordingGfx::ResizeNativeWindow(bool parentHasResized)
{
  Record(GfxOp::kResizeNativeWindow).dir = parentHasResized;
  Note("gfx:ResizeNativeWindow");
}

void RecordingGfx::ResizeSurface()
{
  Record(GfxOp::kResizeSurface);
  Note("gfx:ResizeSurface");
}

APIBitmap* RecordingGfx::DecodeBitmapData(const char* name, const void* data, int dataSize, int scale)
{
  return new FakeBitmap(nextImageId++, 16 * scale, 16 * scale, static_cast<float>(scale), 1.f, &liveBitmaps);
}

APIBitmap* RecordingGfx::DecodeBitmapFile(const char* path, int scale, EResourceLocation location, const char* ext)
{
  return new FakeBitmap(nextImageId++, 16 * scale, 16 * scale, static_cast<float>(scale), 1.f, &liveBitmaps);
}

APIBitmap* RecordingGfx::NewBackendBitmap(int width, int height, float scale, float drawScale, bool cacheable)
{
  GfxOp& op = Record(GfxOp::kNewBitmap, {static_cast<float>(width), static_cast<float>(height), scale, drawScale});
  op.dir = cacheable;
  return new FakeBitmap(nextImageId++, width, height, scale, drawScale, &liveBitmaps);
}

float RecordingGfx::MeasureTextRun(const ITextStyle& text, const char* str, IRECT& bounds) const
{
  const float w = kCharWidthPerSize * text.size * static_cast<float>(std::strlen(str));
  bounds = IRECT(bounds.L, bounds.T, bounds.L + w, bounds.T + text.size);
  return w;
}

void RecordingGfx::RenderTextRun(const ITextStyle& text, const char* str, const IRECT& bounds,
                                 const IBlendMode* blend)
{
  GfxOp& op = Record(GfxOp::kRenderText);
  op.text = str;
  op.rect = bounds;
  op.pattern = IPaintPattern(text.color);
  op.hasBlend = blend != nullptr;
  if (blend)
    op.blend = *blend;
}

} // namespace testkit
} // namespace ifx
