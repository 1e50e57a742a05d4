#pragma once
// Base of every editor widget: place, values bound to parameters, flags,
// text style and the action, animation and animation-end functions.
#include <cstdint>
#include <functional>
#include <unordered_map>
#include <vector>

#include "base/IString.h"
#include "toolkit/IInputEvents.h"
#include "toolkit/IPaint.h"
#include "toolkit/IRECT.h"
#include "toolkit/IRgba.h"
#include "toolkit/ITextStyle.h"

namespace ifx {

class IEditorDelegate;
class IParam;
struct IMidiMessage;

namespace igfx {

class IGfx;
class IControl;
class IPopupMenu;

using IControlAction = std::function<void(IControl*)>;
using IControlAnimation = std::function<void(IControl*)>;

struct IGestureInfo
{
  float x = 0.f;
  float y = 0.f;
  float scale = 0.f;
  float velocity = 0.f;
  float angle = 0.f;
  int32_t state = 0;
  int32_t type = 0;
};

using IGestureFunc = std::function<void(IControl*, const IGestureInfo&)>;

// FNV-1a over the four bytes of a gesture kind, lowest byte first.
struct GestureKindHash
{
  size_t operator()(int32_t kind) const noexcept;
};

class IControl
{
public:
  struct IValue
  {
    int32_t paramIdx = -1;
    double value = 0.0;
  };

  IControl(const IRECT& bounds, int paramIdx = -1, IControlAction action = nullptr);
  virtual ~IControl();

  IControl(const IControl&) = delete;
  IControl& operator=(const IControl&) = delete;

  // -- Events ------------------------------------------------------------------
  virtual void OnMouseDown(float x, float y, const IMouseModifiers& mod);
  virtual void OnMouseUp(float x, float y, const IMouseModifiers& mod) {}
  virtual void OnMouseDrag(float x, float y, float dX, float dY, const IMouseModifiers& mod) {}
  virtual void OnMouseDoubleClick(float x, float y, const IMouseModifiers& mod);
  virtual void OnMouseWheel(float x, float y, const IMouseModifiers& mod, float d) {}
  virtual bool OnKeyDown(float x, float y, const IKeyEvent& key) { return false; }
  virtual bool OnKeyUp(float x, float y, const IKeyEvent& key) { return false; }
  virtual void OnMouseOver(float x, float y, const IMouseModifiers& mod);
  virtual void OnMouseOut();
  virtual void OnDrop(const char* path) {}
  virtual void OnDropPaths(const std::vector<const char*>& paths);
  virtual void OnRescale() {}
  virtual void OnResize() {}
  virtual void OnInit() {}
  virtual void OnAttached() {}
  virtual void OnDelegateMessage(int msgTag, int dataSize, const void* data) {}
  virtual void OnMidi(const IMidiMessage& msg) {}
  virtual bool OnGesture(const IGestureInfo& info);
  virtual void FillContextMenu(IPopupMenu& menu) {}
  virtual void OnMenuSelection(IPopupMenu* menu, int valIdx);
  virtual void OnTextEntered(const char* text, int valIdx) {}
  virtual void OnContextMenuChoice(int tag) {}

  // -- Drawing -----------------------------------------------------------------
  virtual void Draw(IGfx& g) = 0;
  virtual void DrawHighlight(IGfx& g);

  // -- Values --------------------------------------------------------------------
  virtual void SetParamIndex(int paramIdx, int valIdx = 0);
  virtual int ValueIndexAt(float x, float y) const { return NVals() == 1 ? 0 : -1; }
  virtual void SetValueFromHostSide(double value, int valIdx = 0);
  virtual void SetValueFromEditor(double value, int valIdx = 0);
  virtual void ResetValueToDefault(int valIdx = 0);
  virtual void SetValue(double value, int valIdx = 0);
  virtual void SetTextStyle(const ITextStyle& style) { mText = style; }
  virtual void SetPosition(float x, float y);
  virtual void SetSize(float w, float h);
  virtual void Hide(bool hide);
  virtual void SetDisabled(bool disable);
  virtual void SetIgnoreMouse(bool ignore) { mIgnoreMouse = ignore; }
  virtual bool IsHit(float x, float y) const { return mTargetRECT.Contains(x, y); }
  virtual void SetDirty(bool triggerAction, int valIdx = -1);
  virtual void SetClean() { mDirty = false; }
  virtual bool IsDirty() const { return mAnimation ? true : mDirty; }
  virtual bool WantsGestures() const { return !mGestureFuncs.empty() && !mAnimation; }
  virtual void SetValueFromPointer(float x, float y, int direction, const IRECT& bounds, int valIdx = -1,
                                   double minValue = 0.0, double maxValue = 1.0);
  virtual void OnAnimationEnd();

  // Sets value valIdx (all values for valIdx < 0) to its parameter's default,
  // normalised; values without an existing parameter are skipped.
  void ResetValueToParamDefault(int valIdx);

  // -- Animation -------------------------------------------------------------------
  void SetAnimation(IControlAnimation animation, int durationMs);
  void SetAnimation(IControlAnimation animation) { mAnimation = std::move(animation); }
  const IControlAnimation& GetAnimationFunction() const { return mAnimation; }
  double GetAnimationStart() const { return mAnimationStartMs; }
  double GetAnimationDuration() const { return mAnimationDurationMs; }
  // Elapsed share of the animation (may exceed 1).
  double GetAnimationProgress() const;
  static void DefaultAnimation(IControl* control);
  static void DefaultClickAction(IControl* control);

  void SetActionFunction(IControlAction action) { mAction = std::move(action); }
  const IControlAction& GetActionFunction() const { return mAction; }
  void SetAnimationEndActionFunction(IControlAction action) { mAnimationEndAction = std::move(action); }
  const IControlAction& GetAnimationEndActionFunction() const { return mAnimationEndAction; }

  void AttachGestureRecognizer(int32_t kind, IGestureFunc func);
  int32_t GetLastGesture() const { return mLastGesture; }

  // -- Accessors (value accessors are bounds-checked: a bad index reads as
  //    unbound 0.0 and writes nothing) ---------------------------------------------
  int NVals() const { return static_cast<int>(mVals.size()); }
  double GetValue(int valIdx = 0) const;
  int GetParamIdx(int valIdx = 0) const;
  bool IsValIdxValid(int valIdx) const { return valIdx >= 0 && valIdx < NVals(); }
  // The parameter behind value valIdx, or null.
  const IParam* GetParam(int valIdx = 0) const;
  // Index of the first value bound to paramIdx, or -1.
  int LinkedToParam(int paramIdx) const;
  void AddValue(int paramIdx = -1, double value = 0.0) { mVals.push_back(IValue{paramIdx, value}); }
  void SetNVals(int n);

  const IRECT& GetRECT() const { return mRECT; }
  void SetRECT(const IRECT& r) { mRECT = r; }
  const IRECT& GetTargetRECT() const { return mTargetRECT; }
  void SetTargetRECT(const IRECT& r) { mTargetRECT = r; }
  void SetTargetAndDrawRECTs(const IRECT& r) { mRECT = mTargetRECT = r; }

  const char* GetGroup() const { return mGroup.Get(); }
  void SetGroup(const char* group) { mGroup.Set(group); }
  const char* GetTooltip() const { return mTooltip.Get(); }
  void SetTooltip(const char* tip) { mTooltip.Set(tip); }
  const ITextStyle& GetText() const { return mText; }
  const IBlendMode& GetBlend() const { return mBlend; }
  const IBlendMode* GetBlendPtr() const { return &mBlend; }
  int GetTextEntryLength() const { return mTextEntryLength; }
  void SetTextEntryLength(int len) { mTextEntryLength = len; }

  bool IsHidden() const { return mHide; }
  bool IsDisabled() const { return mDisabled; }
  bool GetIgnoreMouse() const { return mIgnoreMouse; }
  bool GetPromptDisabled() const { return mPromptDisabled; }
  void SetPromptDisabled(bool v) { mPromptDisabled = v; }
  bool GetDblAsSingleClick() const { return mDblAsSingleClick; }
  void SetDblAsSingleClick(bool v) { mDblAsSingleClick = v; }
  bool GetMouseOverWhenDisabled() const { return mMouseOverWhenDisabled; }
  void SetMouseOverWhenDisabled(bool v) { mMouseOverWhenDisabled = v; }
  bool GetMouseEventsWhenDisabled() const { return mMouseEventsWhenDisabled; }
  void SetMouseEventsWhenDisabled(bool v) { mMouseEventsWhenDisabled = v; }
  bool GetWantsMidi() const { return mWantsMidi; }
  void SetWantsMidi(bool v) { mWantsMidi = v; }
  bool GetWantsMultiTouch() const { return mWantsMultiTouch; }
  void SetWantsMultiTouch(bool v) { mWantsMultiTouch = v; }
  bool GetPromptShowsParamLabel() const { return mPromptShowsParamLabel; }
  void SetPromptShowsParamLabel(bool v) { mPromptShowsParamLabel = v; }
  bool GetMouseIsOver() const { return mMouseIsOver; }
  bool GetHighlight() const { return mHighlight; }
  void SetHighlight(bool v) { mHighlight = v; }
  const IRgba& GetHighlightColor() const { return mHighlightColor; }
  void SetHighlightColor(const IRgba& c) { mHighlightColor = c; }

  // The enclosing container, which clips this control when drawn.
  IControl* GetParent() const { return mParent; }
  void SetParent(IControl* parent) { mParent = parent; }

  IEditorDelegate* GetDelegate() const { return mDelegate; }
  void SetDelegate(IEditorDelegate* dlg) { mDelegate = dlg; }
  IGfx* GetUI() const { return mGraphics; }
  void SetGraphics(IGfx* g) { mGraphics = g; }

protected:
  IRECT mRECT;
  IRECT mTargetRECT;
  IString mGroup{128};
  ITextStyle mText;
  IBlendMode mBlend;
  int mTextEntryLength = 7;
  bool mDirty = true;
  bool mHide = false;
  bool mDisabled = false;
  bool mPromptDisabled = true;
  bool mDblAsSingleClick = false;
  bool mMouseOverWhenDisabled = false;
  bool mMouseEventsWhenDisabled = false;
  bool mIgnoreMouse = false;
  bool mWantsMidi = false;
  bool mWantsMultiTouch = false;
  bool mPromptShowsParamLabel = false;
  bool mMouseIsOver = false;
  IString mTooltip{128};
  IRgba mHighlightColor = kDefaultHighlightColor;
  bool mHighlight = false;
  IControl* mParent = nullptr;
  IEditorDelegate* mDelegate = nullptr;
  IGfx* mGraphics = nullptr;
  IControlAction mAction;
  IControlAction mAnimationEndAction;
  IControlAnimation mAnimation;
  double mAnimationStartMs = 0.0;
  double mAnimationDurationMs = 0.0;
  std::vector<IValue> mVals;
  std::unordered_map<int32_t, IGestureFunc, GestureKindHash> mGestureFuncs;
  int32_t mLastGesture = 0;
};

} // namespace igfx
} // namespace ifx
