#include "toolkit/IGfx.h"

#include <algorithm>
#include <cmath>

#include "base/IEditorDelegate.h"
#include "toolkit/IGEditorDelegate.h"
#include "toolkit/ResourceCaches.h"

namespace ifx {
namespace igfx {

namespace {
uint64_t Fnv1a(uint64_t value, int nBytes)
{
  uint64_t h = 0xcbf29ce484222325ull;
  for (int i = 0; i < nBytes; ++i)
  {
    h ^= (value >> (8 * i)) & 0xFFu;
    h *= 0x100000001b3ull;
  }
  return h;
}
} // namespace

size_t ControlTagHash::operator()(int32_t tag) const noexcept
{
  return static_cast<size_t>(Fnv1a(static_cast<uint32_t>(tag), 4));
}

size_t TouchIdHash::operator()(ITouchID id) const noexcept { return static_cast<size_t>(Fnv1a(id, 8)); }

IGfx::IGfx(IEditorDelegate& dlg, int w, int h, int fps, float scale)
  : mWidth(w), mHeight(h), mFPS(fps), mDrawScale(scale), mDelegate(&dlg), mGestures(dlg)
{
  mCtrlTags.rehash(8);
  mCapturedMap.rehash(8);
  mCtrlTags.max_load_factor(1.f);
  mCapturedMap.max_load_factor(1.f);

  // Bitmap cache before SVG cache, always.
  auto& bitmaps = BitmapCache();
  auto& svgs = SVGCache();
  std::lock_guard<std::recursive_mutex> lockBitmaps(bitmaps.Lock());
  bitmaps.Retain();
  std::lock_guard<std::recursive_mutex> lockSvgs(svgs.Lock());
  svgs.Retain();
}

IGfx::~IGfx()
{
  // Removing controls must not make a cursor call.
  mCursorHidden = false;
  RemoveAllControls();

  {
    auto& bitmaps = BitmapCache();
    auto& svgs = SVGCache();
    std::lock_guard<std::recursive_mutex> lockBitmaps(bitmaps.Lock());
    std::lock_guard<std::recursive_mutex> lockSvgs(svgs.Lock());
    bitmaps.Release();
    svgs.Release();
  }

  for (IOffscreenLayer* layer : mLayers)
    delete layer;
  mLayers.clear();
}

// -- Control list ---------------------------------------------------------------

void IGfx::DeleteControl(IControl* control) { delete control; }

IControl* IGfx::AttachControl(IControl* control, int ctrlTag, const char* group)
{
  if (!control)
    return nullptr;
  if (ctrlTag >= 0)
  {
    if (!mCtrlTags.emplace(ctrlTag, control).second)
      return nullptr;
  }
  control->SetDelegate(mDelegate);
  auto* gDelegate = dynamic_cast<IGEditorDelegate*>(mDelegate);
  control->SetGraphics(gDelegate && gDelegate->EditorGraphics() ? gDelegate->EditorGraphics() : this);
  control->OnInit();
  control->OnResize();
  control->OnRescale();
  control->SetGroup(group ? group : "");
  mControls.push_back(control);
  control->OnAttached();
  return control;
}

IControl* IGfx::AttachBackground(IControl* control)
{
  if (control)
    mControls.insert(mControls.begin(), control);
  return control;
}

IControl* IGfx::FindControlByTag(int ctrlTag) const
{
  const auto it = mCtrlTags.find(ctrlTag);
  return it == mCtrlTags.end() ? nullptr : it->second;
}

IControl* IGfx::GetControl(int idx) const
{
  return idx >= 0 && idx < NControls() ? mControls[static_cast<size_t>(idx)] : nullptr;
}

int IGfx::GetControlIdx(const IControl* control) const
{
  for (int i = 0; i < NControls(); ++i)
    if (mControls[static_cast<size_t>(i)] == control)
      return i;
  return -1;
}

bool IGfx::ReplaceSpecialControl(IControl*& slot, IControl* control)
{
  if (slot == control)
    return false;
  DeleteControl(slot);
  slot = control;
  if (!control)
    return false;
  control->SetDelegate(mDelegate);
  control->SetGraphics(this);
  control->OnInit();
  return true;
}

void IGfx::AttachCornerResizer(IControl* control, EResizerMode mode)
{
  if (mCornerResizer == control)
    return;
  mResizerMode = mode;
  // The resizer places itself in the corner when rescaled.
  if (ReplaceSpecialControl(mCornerResizer, control))
  {
    control->OnResize();
    control->OnRescale();
  }
}

void IGfx::AttachFrameRateDisplay(IControl* control)
{
  if (ReplaceSpecialControl(mPerfDisplay, control))
  {
    control->OnResize();
    control->OnRescale();
  }
}

void IGfx::AddExtraControl(IControl* control)
{
  if (!control)
    return;
  control->SetDelegate(mDelegate);
  control->SetGraphics(this);
  mExtraControls.push_back(control);
}

void IGfx::RemoveAllControls()
{
  // Presses, menus and prompts end with the controls that held them.
  mCapturedMap.clear();
  mGestures.EndAll();
  if (mCursorHidden)
    HideMouseCursor(false, true);
  mMouseOver = nullptr;
  mMouseOverIdx = -1;

  DeleteControl(mMenuControl);
  mMenuControl = nullptr;
  DeleteControl(mTextEntryControl);
  mTextEntryControl = nullptr;
  DeleteControl(mCornerResizer);
  mCornerResizer = nullptr;
  DeleteControl(mPerfDisplay);
  mPerfDisplay = nullptr;

  while (!mExtraControls.empty())
  {
    IControl* c = mExtraControls.back();
    mExtraControls.pop_back();
    DeleteControl(c);
  }
  mCtrlTags.clear();
  while (!mControls.empty())
  {
    IControl* c = mControls.back();
    mControls.pop_back();
    DeleteControl(c);
  }
  mTextEntryOwner = nullptr;
  mMenuOwner = nullptr;
}

void IGfx::VisitListedControls(const std::function<void(IControl*)>& func)
{
  // Index-based: a visitor may not add controls, but must not invalidate us either.
  for (size_t i = 0; i < mControls.size(); ++i)
    func(mControls[i]);
}

void IGfx::VisitAllControls(const std::function<void(IControl*)>& func)
{
  for (size_t i = 0; i < mControls.size(); ++i)
    func(mControls[i]);
  if (mPerfDisplay)
    func(mPerfDisplay);
  if (mCornerResizer)
    func(mCornerResizer);
  if (mTextEntryControl)
    func(mTextEntryControl);
  if (mMenuControl)
    func(mMenuControl);
  for (size_t i = 0; i < mExtraControls.size(); ++i)
    func(mExtraControls[i]);
}

void IGfx::MarkAllControlsDirty()
{
  VisitAllControls([](IControl* c) { c->SetDirty(false, -1); });
}

void IGfx::UpdatePeers(IControl* caller, int paramIdx, double value)
{
  VisitListedControls([caller, paramIdx, value](IControl* c) {
    if (c == caller)
      return;
    const int valIdx = c->LinkedToParam(paramIdx);
    if (valIdx >= 0)
      c->SetValueFromHostSide(value, valIdx);
  });
}

// -- Capture ----------------------------------------------------------------------

bool IGfx::ControlIsCaptured(const IControl* control) const
{
  for (const auto& kv : mCapturedMap)
    if (kv.second == control)
      return true;
  return false;
}

IControl* IGfx::GetCapturedControl(ITouchID id) const
{
  const auto it = mCapturedMap.find(id);
  return it == mCapturedMap.end() ? nullptr : it->second;
}

void IGfx::SetCapturedControl(ITouchID id, IControl* control)
{
  if (control)
  {
    mCapturedMap.emplace(id, control);
  }
  else
  {
    mCapturedMap.erase(id);
    mGestures.End(IGestureLedger::Press(id));
  }
}

void IGfx::ReleaseMouseCapture() { ReleaseCaptureAndShowCursor(); }

void IGfx::ReleaseCaptureAndShowCursor()
{
  mCapturedMap.clear();
  mGestures.EndKind(IGestureLedger::kHolderPress);
  if (mCursorHidden)
    HideMouseCursor(false, true);
}

int IGfx::SetMouseCursor(int cursorType)
{
  const int previous = mCursorType;
  mCursorType = cursorType;
  return previous;
}

// -- Size and scale -----------------------------------------------------------------

void IGfx::Resize(int w, int h, float scale, bool needsPlatformResize)
{
  mDelegate->ClampEditorSize(w, h);
  // A scale that is not a number (a resizer dragged over a degenerate area)
  // keeps the current one instead of poisoning every size computed from it.
  if (std::isnan(scale))
    scale = mDrawScale;
  scale = std::clamp(scale, mMinScale, mMaxScale);
  if (w == mWidth && h == mHeight && scale == mDrawScale)
    return;

  ReleaseCaptureAndShowCursor();
  mWidth = w;
  mHeight = h;
  mDrawScale = scale;

  if (mCornerResizer)
    mCornerResizer->OnRescale();

  const float factor = WindowScaleFactor();
  const int ww = static_cast<int>(factor * static_cast<float>(static_cast<int>(static_cast<float>(w) * scale)));
  const int wh = static_cast<int>(factor * static_cast<float>(static_cast<int>(static_cast<float>(h) * scale)));
  ResizeNativeWindow(mDelegate->RequestEditorSizeFromUI(ww, wh, needsPlatformResize));

  VisitAllControls([](IControl* c) { c->OnResize(); });
  MarkAllControlsDirty();
  ResizeSurface();

  if (mLayoutOnResize)
    if (auto* gDelegate = dynamic_cast<IGEditorDelegate*>(mDelegate))
      gDelegate->BuildEditorLayout(this);
}

void IGfx::SetDisplayScale(float scale)
{
  mScreenScale = scale;
  const float factor = WindowScaleFactor();
  const int ww =
    static_cast<int>(factor * static_cast<float>(static_cast<int>(static_cast<float>(mWidth) * mDrawScale)));
  const int wh =
    static_cast<int>(factor * static_cast<float>(static_cast<int>(static_cast<float>(mHeight) * mDrawScale)));
  ResizeNativeWindow(mDelegate->RequestEditorSizeFromUI(ww, wh, true));
  VisitAllControls([](IControl* c) { c->OnRescale(); });
  MarkAllControlsDirty();
  ResizeSurface();
}

} // namespace igfx
} // namespace ifx
