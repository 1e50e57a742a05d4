// Pointer and key dispatch, pointer capture, live resize and value prompts.
#include "toolkit/IGfx.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "base/IEditorDelegate.h"
#include "base/IParam.h"

namespace ifx {
namespace igfx {

IControl* IGfx::FindControlAtPoint(float x, float y, bool capture, bool mouseOver, ITouchID touchID)
{
  if (!mCapturedMap.empty())
    if (IControl* captured = GetCapturedControl(touchID))
      return captured;

  IControl* found = nullptr;
  auto hits = [x, y](const IControl* c) {
    const IRECT& r = c->GetRECT();
    return !r.Empty() && r.L <= x && x < r.R && r.T <= y && y < r.B;
  };

  // The in-window menu and text entry are never attached in this editor.
  if (mCornerResizer && hits(mCornerResizer))
    found = mCornerResizer;
  else if (mPerfDisplay && hits(mPerfDisplay))
    found = mPerfDisplay;
  else if (mouseOver && !mEnableMouseOver)
    found = nullptr;
  else
  {
    // The background never takes mouse-over.
    const int stop = mouseOver ? 1 : 0;
    for (int i = NControls() - 1; i >= stop; --i)
    {
      IControl* c = mControls[static_cast<size_t>(i)];
      if (c->IsHidden() || c->GetIgnoreMouse())
        continue;
      if (c->IsDisabled() && !(mouseOver ? c->GetMouseOverWhenDisabled() : c->GetMouseEventsWhenDisabled()))
        continue;
      if (c->IsHit(x, y))
      {
        found = c;
        break;
      }
    }
  }

  if (capture && found)
  {
    if (mEnableMultiTouch && !found->GetWantsMultiTouch() && ControlIsCaptured(found))
      return nullptr;
    mCapturedMap.emplace(touchID, found);
  }
  if (mouseOver)
    mMouseOverIdx = found ? GetControlIdx(found) : -1;
  return found;
}

void IGfx::OnMouseDown(const IMouseEventList& points)
{
  if (points.size() == 1)
  {
    mMouseDownX = points[0].x;
    mMouseDownY = points[0].y;
  }
  for (const IMouseEvent& p : points)
  {
    IControl* control = FindControlAtPoint(p.x, p.y, true, false, p.ms.touchID);
    if (!control)
      continue;
    const int valIdx = control->ValueIndexAt(p.x, p.y);
    const int paramIdx = control->GetParamIdx(std::max(valIdx, 0));
    if (p.ms.R && paramIdx >= 0)
    {
      ReleaseCaptureAndShowCursor();
      PopupHostContextMenuForParam(control, paramIdx, p.x, p.y);
      return;
    }
    mGestures.BeginForControl(IGestureLedger::Press(p.ms.touchID), *control);
    control->OnMouseDown(p.x, p.y, p.ms);
  }
}

void IGfx::OnMouseUp(const IMouseEventList& points)
{
  if (!mCapturedMap.empty())
  {
    for (const IMouseEvent& p : points)
    {
      IControl* control = GetCapturedControl(p.ms.touchID);
      if (!control)
        continue;
      control->OnMouseUp(p.x, p.y, p.ms);
      mGestures.End(IGestureLedger::Press(p.ms.touchID));
      mCapturedMap.erase(p.ms.touchID);
    }
  }

  if (mResizingInProcess)
  {
    mResizingInProcess = false;
    if (mResizerMode == kResizeModeSize)
    {
      if (mCornerResizer)
        mCornerResizer->SetDirty(false, -1);
    }
    else
    {
      VisitAllControls([](IControl* c) { c->OnRescale(); });
      MarkAllControlsDirty();
    }
  }

  if (points.size() == 1 && points[0].ms.touchID == 0)
    OnMouseOver(points[0].x, points[0].y, points[0].ms);
}

void IGfx::OnMouseDrag(const IMouseEventList& points)
{
  if (mResizingInProcess && points.size() == 1)
  {
    const IMouseEvent& p = points[0];
    float scale = mDrawScale;
    if (mResizerMode == kResizeModeSize)
      Resize(static_cast<int>(p.x), static_cast<int>(p.y), mDrawScale, true);
    else if (LiveResizeScale(p.x, p.y, scale))
      Resize(mWidth, mHeight, scale, true);
    return;
  }
  if (mCapturedMap.empty())
    return;
  // A platform text entry takes the pointer; only an in-window one may be dragged.
  if (mTextEntryOwner && !mTextEntryControl)
    return;
  for (const IMouseEvent& p : points)
  {
    IControl* control = GetCapturedControl(p.ms.touchID);
    if (!control || (mTextEntryOwner && control != mTextEntryControl))
      continue;
    if (p.dX != 0.f || p.dY != 0.f)
      control->OnMouseDrag(p.x, p.y, p.dX, p.dY, p.ms);
  }
}

bool IGfx::LiveResizeScale(float x, float y, float& scale) const
{
  // A press at or before the editor's edge gives no ratio to scale by.
  if (!(mMouseDownX > 0.f && mMouseDownY > 0.f))
    return false;
  const float byY = mDrawScale * y / mMouseDownY;
  const float byX = mDrawScale * x / mMouseDownX;
  if (std::isnan(byX) || std::isnan(byY))
    return false;
  // Dragged past the top-left corner: the smallest zoom, never a negative one.
  scale = std::clamp(std::min(byY, byX), mMinScale, mMaxScale);
  return true;
}

bool IGfx::OnMouseOver(float x, float y, const IMouseModifiers& mod)
{
  IControl* control = FindControlAtPoint(x, y, false, true, 0);
  if (control != mMouseOver)
  {
    if (mMouseOver)
      mMouseOver->OnMouseOut();
    mMouseOver = control;
  }
  if (control)
    control->OnMouseOver(x, y, mod);
  return control != nullptr;
}

void IGfx::OnMouseOut()
{
  if (mMouseOver)
    mMouseOver->OnMouseOut();
  mMouseOver = nullptr;
  mMouseOverIdx = -1;
}

void IGfx::OnMouseDblClick(float x, float y, const IMouseModifiers& mod)
{
  IControl* control = FindControlAtPoint(x, y, true, false, 0);
  if (!control)
    return;
  if (control->GetDblAsSingleClick())
  {
    IMouseEvent e;
    e.x = x;
    e.y = y;
    e.ms = mod;
    OnMouseDown(IMouseEventList{e});
    return;
  }
  // A reset is a change of its own: begun and ended around it.
  const IGestureLedger::Holder event = mGestures.NewEvent();
  mGestures.BeginForControl(event, *control);
  control->OnMouseDoubleClick(x, y, mod);
  ReleaseCaptureAndShowCursor();
  mGestures.End(event);
}

void IGfx::OnMouseWheel(float x, float y, const IMouseModifiers& mod, float delta)
{
  IControl* control = FindControlAtPoint(x, y, false, false, 0);
  if (!control)
    return;
  const IGestureLedger::Holder event = mGestures.NewEvent();
  mGestures.BeginForControl(event, *control);
  control->OnMouseWheel(x, y, mod, delta);
  mGestures.End(event);
}

void IGfx::OnDrop(float x, float y, const std::vector<const char*>& paths)
{
  IControl* control = FindControlAtPoint(x, y, false, false, 0);
  if (!control || paths.empty())
    return;
  if (paths.size() == 1)
    control->OnDrop(paths[0]);
  else
    control->OnDropPaths(paths);
}

bool IGfx::OnKeyDown(float x, float y, const IKeyEvent& key)
{
  IControl* control = FindControlAtPoint(x, y, false, false, 0);
  if (control && control != GetControl(0) && control->OnKeyDown(x, y, key))
    return true;
  return mKeyHandlerFunc ? mKeyHandlerFunc(key, false) : false;
}

bool IGfx::OnKeyUp(float x, float y, const IKeyEvent& key)
{
  IControl* control = FindControlAtPoint(x, y, false, false, 0);
  if (control && control != GetControl(0) && control->OnKeyUp(x, y, key))
    return true;
  return mKeyHandlerFunc ? mKeyHandlerFunc(key, true) : false;
}

// -- Prompts ------------------------------------------------------------------------

void IGfx::AskValueFromUser(IControl* control, const IRECT& bounds, int valIdx)
{
  if (!control)
    return;
  const IParam* param = control->GetParam(valIdx);
  if (!param)
    return;
  // The prompt shows the parameter's own current value.
  const double value = param->Value();
  const bool useMenu =
    param->Type() == IParam::kTypeEnum || (param->Type() == IParam::kTypeBool && param->NDisplayTexts() > 0);
  IString current;
  if (useMenu)
  {
    param->GetDisplayText(value, false, current, true);
    mPromptPopupMenu.SetChosenItemIdx(-1);
    mPromptPopupMenu.ClearItems(true);
    for (int i = 0; i < param->NDisplayTexts(); ++i)
    {
      // The item for index i is the display text whose value equals i exactly.
      const char* text = "";
      for (int t = 0; t < param->NDisplayTexts(); ++t)
      {
        double v = 0.0;
        const char* candidate = param->GetDisplayTextAtIdx(t, &v);
        if (candidate && v == static_cast<double>(i))
        {
          text = candidate;
          break;
        }
      }
      const int flags = std::strcmp(text, current.Get()) == 0 ? IPopupMenu::kChecked : IPopupMenu::kNoFlags;
      mPromptPopupMenu.AddItem(text, flags, -1);
    }
    mPromptPopupMenu.SetTitle(param->GetName());
    ShowMenu(control, mPromptPopupMenu, bounds, valIdx);
  }
  else
  {
    param->GetDisplayText(value, false, current, false);
    if (control->GetPromptShowsParamLabel())
    {
      current.Append(" ");
      current.Append(param->GetLabelForValue());
    }
    ShowTextEntry(control, control->GetText(), bounds, current.Get(), valIdx);
  }
}

void IGfx::ShowTextEntry(IControl* control, const ITextStyle& text, const IRECT& bounds, const char* str, int valIdx)
{
  if (!control)
    return;
  mTextEntryOwner = control;
  mTextEntryValIdx = valIdx;
  const int paramIdx = valIdx < 0 ? -1 : control->GetParamIdx(valIdx);
  ShowNativeTextEntry(paramIdx, text, bounds, control->GetTextEntryLength(), str ? str : "");
  control->SetDirty(false, -1);
}

void IGfx::ShowMenu(IControl* control, IPopupMenu& menu, const IRECT& bounds, int valIdx, bool isContext)
{
  // Where the host shows parameter context menus (VST3), the editor's own
  // menus are never context menus.
  isContext = isContext && !mHostContextMenuFunc;
  // A menu still open is replaced, and what it held ends. A value menu opened
  // during a press keeps the press's gestures open until its answer comes.
  mGestures.End(IGestureLedger::Menu());
  if (!isContext && control)
    for (const auto& kv : mCapturedMap)
      if (kv.second == control)
        mGestures.Move(IGestureLedger::Press(kv.first), IGestureLedger::Menu());
  ReleaseCaptureAndShowCursor();
  mMenuOwner = control;
  mMenuValIdx = valIdx;
  mMenuIsContext = isContext;
  bool isAsync = false;
  IPopupMenu* chosen = ShowNativeMenu(menu, bounds, isAsync);
  if (!isAsync)
    ApplyMenuSelection(chosen);
}

void IGfx::ApplyTextEntryResult(const char* text)
{
  IControl* owner = mTextEntryOwner;
  if (!owner)
    return;
  const int valIdx = mTextEntryValIdx;
  mTextEntryOwner = nullptr;
  mTextEntryValIdx = -1;
  const IParam* param = valIdx >= 0 ? owner->GetParam(valIdx) : nullptr;
  if (param)
  {
    // The value gets a gesture of its own: the press that opened the entry
    // is usually long over.
    const IGestureLedger::Holder event = mGestures.NewEvent();
    mGestures.Begin(event, owner->GetParamIdx(valIdx));
    owner->SetValueFromEditor(param->ToNormalized(param->StringToValue(text ? text : "")), valIdx);
    mGestures.End(event);
  }
  else
  {
    owner->OnTextEntered(text ? text : "", valIdx);
  }
}

void IGfx::ApplyMenuSelection(IPopupMenu* menu)
{
  IControl* owner = mMenuOwner;
  if (!owner)
    return;
  const int valIdx = mMenuValIdx;
  const bool isContext = mMenuIsContext;
  mMenuOwner = nullptr;
  mMenuValIdx = -1;
  mMenuIsContext = false;

  // The answer holds what the menu held, so that a menu the owner opens from
  // its answer starts with nothing to end.
  const IGestureLedger::Holder answer = mGestures.NewEvent();
  mGestures.Move(IGestureLedger::Menu(), answer);
  // A context menu's choice is no value change of the editor's (the host's
  // menu is not bracketed either): it begins nothing.
  if (isContext)
  {
    owner->OnContextMenuChoice(menu ? menu->GetChosenItemIdx() : -1);
  }
  else
  {
    IPopupMenu* chosen = menu && menu->GetChosenItemIdx() != -1 ? menu : nullptr;
    // A menu opened outside a press has no gesture yet for the value it sets.
    if (chosen)
      mGestures.BeginForControl(answer, *owner);
    owner->OnMenuSelection(chosen, valIdx);
  }
  mGestures.End(answer);
}

void IGfx::PopupHostContextMenuForParam(IControl* control, int paramIdx, float x, float y)
{
  mPromptPopupMenu.SetChosenItemIdx(-1);
  mPromptPopupMenu.ClearItems(true);
  if (control)
    control->FillContextMenu(mPromptPopupMenu);
  // The VST3 adapter installs the host's parameter menu; without it (CLAP) the
  // editor shows its own.
  if (mHostContextMenuFunc)
    mHostContextMenuFunc(*this, control, paramIdx, x, y);
  else if (mPromptPopupMenu.NItems() > 0)
    ShowMenu(control, mPromptPopupMenu, IRECT(x, y, x, y), -1, true);
}

} // namespace igfx
} // namespace ifx
