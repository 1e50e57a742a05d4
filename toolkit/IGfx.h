#pragma once
// The drawing-independent half of the editor: owns the controls, knows the
// editor's size and scales, and offers the drawing, input and resource
// operations the controls use. The back end (IGfxVG) and the window
// (IGfxWin) derive from it.
#include <cstdint>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

#include "base/IString.h"
#include "toolkit/IControl.h"
#include "toolkit/IGestureLedger.h"
#include "toolkit/IGfxResources.h"
#include "toolkit/IInputEvents.h"
#include "toolkit/IPaint.h"
#include "toolkit/IPopupMenu.h"
#include "toolkit/IRECT.h"
#include "toolkit/IRegionRects.h"
#include "toolkit/IRgba.h"
#include "toolkit/ITextStyle.h"
#include "toolkit/ITransform2D.h"
#include "platform/ResourceLookup.h"

namespace ifx {

class IEditorDelegate;
class IHeapBuf;

namespace igfx {

class ICornerResizerControl;
class IOverlayMenuControl;
class IOverlayTextEntryControl;
class PlatformFont;
struct SVGPaint;

using IKeyHandlerFunc = std::function<bool(const IKeyEvent& key, bool isUp)>;
using IDisplayTickFunc = std::function<void()>;
using IMsgBoxCompletionHandlerFunc = std::function<void(int result)>;
using IFileDialogCompletionHandlerFunc = std::function<void(const IString& fileName, const IString& path)>;
using IColorPickerHandlerFunc = std::function<void(const IRgba& color)>;
using IRawBuffer = std::vector<uint8_t>;
class IGfx;
// Shows the host's context menu for a parameter, with the items the control
// put in the prompt menu. The VST3 adapter installs one; without it the
// editor shows its own menu.
using IHostContextMenuFunc = std::function<void(IGfx& g, IControl* control, int paramIdx, float x, float y)>;

enum EArcDirection : int32_t
{
  kArcClockwise = 0,
  kArcCounterClockwise = 1
};
enum EResizerMode : int32_t
{
  kResizeModeScale = 0,
  kResizeModeSize = 1
};

// FNV-1a hashes of the two control maps, over the key's bytes lowest first.
struct ControlTagHash
{
  size_t operator()(int32_t tag) const noexcept;
};
struct TouchIdHash
{
  size_t operator()(ITouchID id) const noexcept;
};

class IGfx
{
public:
  // Largest side of an offscreen layer in pixels.
  static constexpr int kMaxLayerSide = 16384;

  IGfx(IEditorDelegate& dlg, int w, int h, int fps = 60, float scale = 1.f);
  virtual ~IGfx();

  IGfx(const IGfx&) = delete;
  IGfx& operator=(const IGfx&) = delete;

  // -- Frame and surface (0-3) -------------------------------------------------------
  virtual void BeginFrame();
  virtual void OnSurfaceCreated() {}
  virtual void OnSurfaceDestroyed() {}
  virtual void EndFrame() {}

  // -- Drawing (4-32) ----------------------------------------------------------------------
  virtual void DrawSVG(const ISvgDocument& svg, const IRECT& bounds, const IBlendMode* blend = nullptr,
                       const IRgba* strokeColor = nullptr, const IRgba* fillColor = nullptr);
  virtual void DrawRotatedSVG(const ISvgDocument& svg, float destCentreX, float destCentreY, float width, float height,
                              double angle, const IBlendMode* blend = nullptr);
  virtual void DrawBitmap(const IBitmapRef& bitmap, const IRECT& bounds, int srcX, int srcY,
                          const IBlendMode* blend = nullptr) = 0;
  virtual void DrawFittedBitmap(const IBitmapRef& bitmap, const IRECT& bounds, const IBlendMode* blend = nullptr);
  virtual void DrawRotatedBitmap(const IBitmapRef& bitmap, float destCentreX, float destCentreY, double angle,
                                 const IBlendMode* blend = nullptr);
  virtual void DrawPoint(const IRgba& color, float x, float y, const IBlendMode* blend = nullptr);
  virtual void DrawLine(const IRgba& color, float x1, float y1, float x2, float y2, const IBlendMode* blend = nullptr,
                        float thickness = 1.f);
  virtual void DrawDottedLine(const IRgba& color, float x1, float y1, float x2, float y2,
                              const IBlendMode* blend = nullptr, float thickness = 1.f, float dashLen = 2.f);
  virtual void DrawTriangle(const IRgba& color, float x1, float y1, float x2, float y2, float x3, float y3,
                            const IBlendMode* blend = nullptr, float thickness = 1.f);
  virtual void DrawRect(const IRgba& color, const IRECT& bounds, const IBlendMode* blend = nullptr,
                        float thickness = 1.f);
  virtual void DrawRoundRectCorners(const IRgba& color, const IRECT& bounds, float cRTL, float cRTR, float cRBR,
                                    float cRBL, const IBlendMode* blend = nullptr, float thickness = 1.f);
  virtual void DrawRoundRect(const IRgba& color, const IRECT& bounds, float cornerRadius = 5.f,
                             const IBlendMode* blend = nullptr, float thickness = 1.f);
  virtual void DrawArc(const IRgba& color, float cx, float cy, float r, float a1, float a2,
                       const IBlendMode* blend = nullptr, float thickness = 1.f);
  virtual void DrawCircle(const IRgba& color, float cx, float cy, float r, const IBlendMode* blend = nullptr,
                          float thickness = 1.f);
  virtual void DrawRotatedEllipse(const IRgba& color, float cx, float cy, float r1, float r2, float angle,
                                  const IBlendMode* blend = nullptr, float thickness = 1.f);
  virtual void DrawEllipse(const IRgba& color, const IRECT& bounds, const IBlendMode* blend = nullptr,
                           float thickness = 1.f);
  virtual void DrawConvexPolygon(const IRgba& color, const float* x, const float* y, int npoints,
                                 const IBlendMode* blend = nullptr, float thickness = 1.f);
  virtual void DrawDottedRect(const IRgba& color, const IRECT& bounds, const IBlendMode* blend = nullptr,
                              float thickness = 1.f, float dashLen = 2.f);
  virtual void FillTriangle(const IRgba& color, float x1, float y1, float x2, float y2, float x3, float y3,
                            const IBlendMode* blend = nullptr);
  virtual void FillRect(const IRgba& color, const IRECT& bounds, const IBlendMode* blend = nullptr);
  virtual void FillRoundRectCorners(const IRgba& color, const IRECT& bounds, float cRTL, float cRTR, float cRBR,
                                    float cRBL, const IBlendMode* blend = nullptr);
  virtual void FillRoundRect(const IRgba& color, const IRECT& bounds, float cornerRadius = 5.f,
                             const IBlendMode* blend = nullptr);
  virtual void FillCircle(const IRgba& color, float cx, float cy, float r, const IBlendMode* blend = nullptr);
  virtual void FillRotatedEllipse(const IRgba& color, float cx, float cy, float r1, float r2, float angle,
                                  const IBlendMode* blend = nullptr);
  virtual void FillEllipse(const IRgba& color, const IRECT& bounds, const IBlendMode* blend = nullptr);
  virtual void FillArc(const IRgba& color, float cx, float cy, float r, float a1, float a2,
                       const IBlendMode* blend = nullptr);
  virtual void FillConvexPolygon(const IRgba& color, const float* x, const float* y, int npoints,
                                 const IBlendMode* blend = nullptr);
  // Width of the text; 0 (bounds untouched) for a null or empty text.
  virtual float MeasureText(const ITextStyle& text, const char* str, IRECT& bounds) const;
  virtual void DrawMultiLineText(const ITextStyle& text, const char* str, const IRECT& bounds,
                                 const IBlendMode* blend = nullptr);

  // -- Back-end queries and bitmaps (33-39) ------------------------------------------------------
  virtual IRgba GetPoint(int x, int y) = 0;
  virtual void* NativeDrawContext() = 0;
  virtual const char* DrawingBackendName() = 0;
  virtual IBitmapRef ScaleBitmap(const IBitmapRef& inBitmap, const char* cacheName, int targetScale);
  virtual void RetainBitmap(const IBitmapRef& bitmap, const char* cacheName);
  virtual void ReleaseBitmap(const IBitmapRef& bitmap);
  virtual bool SupportsImageType(const char* extension) = 0;

  // -- Shadows, grids, data, fonts, layers (40-48) --------------------------------------------------
  virtual void DrawQuickShadow(const IRECT& innerBounds, const IRECT& outerBounds, float xyDrop, float roundness,
                               float blur, const IBlendMode* blend = nullptr)
  {
  }
  virtual void DrawGrid(const IRgba& color, const IRECT& bounds, float gridSizeH, float gridSizeV,
                        const IBlendMode* blend = nullptr, float thickness = 1.f);
  virtual void DrawData(const IRgba& color, const IRECT& bounds, const float* normYPoints, int nPoints,
                        const float* normXPoints = nullptr, const IBlendMode* blend = nullptr, float thickness = 1.f,
                        const IRgba* fillColor = nullptr);
  virtual bool LoadFontFromMemory(const char* fontID, const void* data, int dataSize);
  virtual bool LoadFont(const char* fontID, const char* fileNameOrResID);
  virtual void AddLayerShadow(IOffscreenLayer* layer, const IDropShadow& shadow);
  virtual void ReadLayerPixels(IOffscreenLayer* layer, IRawBuffer& data) = 0;
  virtual void CompositeShadowMask(IOffscreenLayer* layer, const IRawBuffer& mask, const IDropShadow& shadow) = 0;
  virtual void RefreshLayer() {}

  // -- Paths (49-61) -----------------------------------------------------------------------------------
  virtual void PathClear() = 0;
  virtual void PathClose() = 0;
  // Angles in degrees, clockwise from 12 o'clock.
  virtual void PathArc(float cx, float cy, float r, float a1, float a2, EArcDirection dir = kArcClockwise) = 0;
  virtual void PathMoveTo(float x, float y) = 0;
  virtual void PathLineTo(float x, float y) = 0;
  virtual void SetPathWinding(bool clockwise) {}
  virtual void PathCubicBezierTo(float c1x, float c1y, float c2x, float c2y, float x2, float y2) = 0;
  virtual void PathQuadraticBezierTo(float cx, float cy, float x2, float y2) = 0;
  virtual void PathStroke(const IPaintPattern& pattern, float thickness, const IStrokeSettings& options = {},
                          const IBlendMode* blend = nullptr) = 0;
  virtual void PathFill(const IPaintPattern& pattern, const IFillSettings& options = {},
                        const IBlendMode* blend = nullptr) = 0;
  virtual void SetPathTransform(const ITransform2D& transform) = 0;
  virtual void OnControlDrawn(const IRECT& clip) {}
  virtual void SetClipRegion(const IRECT& r) = 0;

  // -- Platform (65-98) ---------------------------------------------------------------------------------
  virtual bool GetMouseLocation(float& x, float& y) const = 0;
  virtual void HideMouseCursor(bool hide = true, bool lock = true) = 0;
  virtual void MoveMouseCursor(float x, float y) = 0;
  // Returns the previous cursor type.
  virtual int SetMouseCursor(int cursorType);
  virtual void CancelUserEdit() = 0;
  virtual void* OpenWindow(void* parent) = 0;
  virtual void CloseWindow() = 0;
  virtual void* GetWindow() = 0;
  virtual bool IsWindowOpen() { return GetWindow() != nullptr; }
  virtual bool PasteTextFromClipboard(IString& text) = 0;
  virtual bool CopyTextToClipboard(const char* text) = 0;
  virtual bool CopyFilePathToClipboard(const char* path) { return false; }
  virtual bool StartFileDragOut(const char* path) { return false; }
  virtual int ShowMessageBox(const char* text, const char* caption, int buttons,
                             IMsgBoxCompletionHandlerFunc completion = nullptr) = 0;
  virtual void AskForFile(IString& fileName, IString& path, int action, const char* extensions,
                          IFileDialogCompletionHandlerFunc completion = nullptr) = 0;
  virtual void AskForDirectory(IString& dir, IFileDialogCompletionHandlerFunc completion = nullptr) = 0;
  virtual bool AskForColour(IRgba& color, const char* prompt = "", IColorPickerHandlerFunc completion = nullptr) = 0;
  virtual bool OpenURL(const char* url, const char* windowTitle = nullptr, const char* confirmMsg = nullptr,
                       const char* errMsg = nullptr) = 0;
  virtual const char* PlatformName() const { return ""; }
  virtual bool RevealPathInFileBrowser(const char* path, bool select = false) { return false; }
  virtual void SetModuleHandle(void* instance) {}
  virtual void* ModuleHandle() const { return nullptr; }
  // Fonts from the platform: a new font the caller owns, or null. Style 0
  // normal, 1 bold, 2 italic. The bytes given stay the caller's.
  virtual PlatformFont* LoadPlatformFontByName(const char* fontID, const char* fontName, int style) = 0;
  virtual PlatformFont* LoadPlatformFontFromMemory(const char* fontID, const void* data, int dataSize) = 0;
  virtual PlatformFont* LoadPlatformFont(const char* fontID, const char* fileNameOrResID) = 0;
  // Keeps what native text entry needs of the font (its own copy; the font
  // stays the caller's); the first font cached under an id stays.
  virtual void CachePlatformFont(const char* fontID, PlatformFont* font) = 0;
  // Asked before a resource is located; the answer is not used.
  virtual const char* GetBundleID() const { return ""; }
  virtual void ActivateGLContext() {}
  virtual void DeactivateGLContext() {}
  virtual void ShowNativeTextEntry(int paramIdx, const ITextStyle& text, const IRECT& bounds, int length,
                                   const char* str) = 0;
  // Returns the chosen menu (null when cancelled) unless isAsync comes back true.
  virtual IPopupMenu* ShowNativeMenu(IPopupMenu& menu, const IRECT& bounds, bool& isAsync) = 0;

  // -- Window scale and surface (100-104) ----------------------------------------------------------------
  virtual bool SupportsMultiTouch() const { return false; }
  virtual float WindowScaleFactor() const { return 1.f; }
  // The display scale the host sets (the editor delegate's SetDisplayScale).
  // A window that follows its display's DPI keeps it until that DPI changes.
  virtual void SetHostDisplayScale(float scale) { SetDisplayScale(scale); }
  virtual void ResizeNativeWindow(bool parentHasResized) {}
  virtual void ResizeSurface() {}

  // -- Resources (105-118) -----------------------------------------------------------------------------------
  virtual IBitmapRef LoadBitmapFromMemory(const char* name, const void* data, int dataSize, int nStates = 1,
                                          bool framesAreHorizontal = false, int targetScale = 0);
  virtual IBitmapRef LoadBitmap(const char* name, int nStates = 1, bool framesAreHorizontal = false,
                                int targetScale = 0);
  virtual ISvgDocument LoadSVGFromMemory(const char* name, const char* text, int length, const char* units = "px",
                                         float dpi = 72.f);
  virtual ISvgDocument LoadSVG(const char* fileName, const char* units = "px", float dpi = 72.f);
  virtual bool LoadResource(const char* name, const char* type, IHeapBuf& result);
  // name lets a back end that keeps its own cache find the bitmap again. Null
  // when the bytes do not decode.
  virtual APIBitmap* DecodeBitmapData(const char* name, const void* data, int dataSize, int scale) = 0;
  virtual APIBitmap* DecodeBitmapFile(const char* path, int scale, EResourceLocation location, const char* ext) = 0;
  virtual APIBitmap* NewBackendBitmap(int width, int height, float scale, float drawScale, bool cacheable = false) = 0;
  // Reads the font's bytes into the back end (see FontDataCache.h); the font
  // stays the caller's.
  virtual bool RegisterBackendFont(const char* fontID, PlatformFont* font) = 0;
  virtual int AlphaChannelIndex() const = 0;
  virtual bool IsBitmapFlipped() const = 0;
  virtual float MeasureTextRun(const ITextStyle& text, const char* str, IRECT& bounds) const = 0;
  virtual void RenderTextRun(const ITextStyle& text, const char* str, const IRECT& bounds, const IBlendMode* blend) = 0;

  // -- Non-virtual -----------------------------------------------------------------------------------------

  // Scale (119)
  float GetTotalScale() const { return mDrawScale * mScreenScale; }
  float GetDrawScale() const { return mDrawScale; }
  float GetScreenScale() const { return mScreenScale; }
  float GetMinScale() const { return mMinScale; }
  float GetMaxScale() const { return mMaxScale; }
  int Width() const { return mWidth; }
  int Height() const { return mHeight; }
  int WindowWidth() const { return static_cast<int>(static_cast<float>(mWidth) * GetTotalScale()); }
  int WindowHeight() const { return static_cast<int>(static_cast<float>(mHeight) * GetTotalScale()); }
  int FPS() const { return mFPS; }
  IRECT GetBounds() const { return IRECT(0.f, 0.f, static_cast<float>(mWidth), static_cast<float>(mHeight)); }
  IEditorDelegate* GetDelegate() const { return mDelegate; }

  void Resize(int w, int h, float scale, bool needsPlatformResize = true);
  void SetDisplayScale(float scale);

  // Control list
  IControl* AttachControl(IControl* control, int ctrlTag = -1, const char* group = "");
  IControl* AttachBackground(IControl* control);
  IControl* FindControlByTag(int ctrlTag) const;
  IControl* GetControl(int idx) const;
  int NControls() const { return static_cast<int>(mControls.size()); }
  int GetControlIdx(const IControl* control) const;
  void RemoveAllControls();
  void VisitListedControls(const std::function<void(IControl*)>& func);
  void VisitAllControls(const std::function<void(IControl*)>& func);
  void MarkAllControlsDirty();
  // Every control other than caller whose first value bound to paramIdx takes
  // value from the host side; special controls are not visited.
  void UpdatePeers(IControl* caller, int paramIdx, double value);

  IControl* GetCornerResizer() const { return mCornerResizer; }
  // Takes ownership; the resizer places itself in OnRescale.
  void AttachCornerResizer(IControl* control, EResizerMode mode = kResizeModeScale);
  IControl* GetFrameRateDisplay() const { return mPerfDisplay; }
  void AttachFrameRateDisplay(IControl* control);
  void AddExtraControl(IControl* control);

  // Pointer capture
  bool ControlIsCaptured() const { return !mCapturedMap.empty(); }
  bool ControlIsCaptured(const IControl* control) const;
  void ReleaseMouseCapture();
  IControl* GetCapturedControl(ITouchID id = 0) const;
  void SetCapturedControl(ITouchID id, IControl* control);

  int GetMouseOverIdx() const { return mMouseOverIdx; }
  IControl* GetMouseOver() const { return mMouseOver; }
  bool GetMouseOverEnabled() const { return mEnableMouseOver; }
  bool GetMultiTouchEnabled() const { return mEnableMultiTouch; }
  bool GetLayoutOnResize() const { return mLayoutOnResize; }
  void SetLayoutOnResize(bool v) { mLayoutOnResize = v; }
  bool GetResizingInProcess() const { return mResizingInProcess; }
  void StartLiveResize(float x, float y)
  {
    mResizingInProcess = true;
    mMouseDownX = x;
    mMouseDownY = y;
  }
  int GetResizerMode() const { return mResizerMode; }
  void SetResizerMode(int mode) { mResizerMode = mode; }
  bool GetCursorHidden() const { return mCursorHidden; }
  int GetCursorType() const { return mCursorType; }
  void SetKeyHandlerFunc(IKeyHandlerFunc func) { mKeyHandlerFunc = std::move(func); }
  void SetDisplayTickFunc(IDisplayTickFunc func) { mDisplayTickFunc = std::move(func); }
  IPopupMenu& GetPromptMenu() { return mPromptPopupMenu; }

  // -- Resource search --------------------------------------------------------------------------------------------
  // Looks for name at targetScale, then at its other scales ("name@2x.png");
  // returns the location kind and sets path and the scale found (0 when none).
  int FindImageResource(const char* name, const char* ext, IString& path, int targetScale, int& sourceScale);
  // A cached bitmap of name at the nearest scale, searched as above; null when none.
  APIBitmap* FindCachedBitmap(const char* name, int targetScale, int& sourceScale);

  // -- Draw loop and layers ------------------------------------------------------------------------------------
  bool IsDirty(IRegionRects& rects);
  void Draw(IRegionRects& rects);
  void DrawControl(IControl* control, const IRECT& bounds, float scale);
  // False, with no layer pushed, when the bounds give no drawable pixel size
  // (not finite, empty, or above kMaxLayerSide) or the back end makes no bitmap.
  bool StartLayer(IControl* control, const IRECT& bounds, bool cacheable = false);
  void PushLayer(IOffscreenLayer* layer);
  IOffscreenLayer* PopLayer();
  int LayerDepth() const { return static_cast<int>(mLayers.size()); }
  IOffscreenLayer* TopLayer() const { return mLayers.empty() ? nullptr : mLayers.back(); }
  void ClipToPathRegion(const IRECT& r);
  const IRECT& GetClipRECT() const { return mClipRECT; }
  // One transposing blur pass over alpha bytes.
  static void BlurPass(uint8_t* out, const uint8_t* in, const uint8_t* kernel, int width, int height, int outStride,
                       int inStride, int kernelSize, uint32_t norm);
  // Ring of recent frame intervals, kept while a frame-rate display is attached.
  const float* GetFrameIntervals() const { return mFrameIntervals; }
  int GetFrameIntervalIdx() const { return mFrameIntervalIdx; }

  // -- Paths, text and transforms ----------------------------------------------------------------------------------
  void PathRect(const IRECT& bounds);
  void PathRoundRect(const IRECT& bounds, float ctl, float ctr, float cbr, float cbl);
  void PathRoundRect(const IRECT& bounds, float cr) { PathRoundRect(bounds, cr, cr, cr, cr); }
  void PathCircle(float cx, float cy, float r);
  void PathEllipse(float cx, float cy, float r1, float r2, float angle = 0.f);
  void PathConvexPolygon(const float* x, const float* y, int nPoints);
  void SavePathTransform();
  // Pops the saved transform; nothing on an empty stack.
  void RestorePathTransform();
  void ResetPathTransform(bool clearStack = false);
  void PathTransformTranslate(float x, float y);
  void PathTransformScale(float x, float y);
  void PathTransformRotate(float angle);
  void PathTransformMatrix(const ITransform2D& m);
  const ITransform2D& GetTransform() const { return mTransform; }
  int TransformStackDepth() const { return static_cast<int>(mTransformStack.size()); }
  void DrawText(const ITextStyle& text, const char* str, const IRECT& bounds, const IBlendMode* blend = nullptr);
  void DrawVerticalLine(const IRgba& color, const IRECT& bounds, float x, float thickness = 1.f);
  void DrawHorizontalLine(const IRgba& color, const IRECT& bounds, float y, float thickness = 1.f);
  void ComputeTextRotation(const ITextStyle& text, const IRECT& bounds, IRECT& rect, double& tx, double& ty) const;
  static IPaintPattern SVGPaintToPattern(const SVGPaint& paint, float opacity);
  void RenderSVG(const ISvgDocument& svg, const IBlendMode* blend = nullptr, const IRgba* strokeColor = nullptr,
                 const IRgba* fillColor = nullptr);

  // -- Input dispatch and prompts -------------------------------------------------------------------------------------
  IControl* FindControlAtPoint(float x, float y, bool capture = false, bool mouseOver = false, ITouchID touchID = 0);
  void OnMouseDown(const IMouseEventList& points);
  void OnMouseUp(const IMouseEventList& points);
  void OnMouseDrag(const IMouseEventList& points);
  bool OnMouseOver(float x, float y, const IMouseModifiers& mod);
  void OnMouseOut();
  void OnMouseDblClick(float x, float y, const IMouseModifiers& mod);
  void OnMouseWheel(float x, float y, const IMouseModifiers& mod, float delta);
  void OnDrop(float x, float y, const std::vector<const char*>& paths);
  bool OnKeyDown(float x, float y, const IKeyEvent& key);
  bool OnKeyUp(float x, float y, const IKeyEvent& key);
  void AskValueFromUser(IControl* control, const IRECT& bounds, int valIdx);
  void ShowTextEntry(IControl* control, const ITextStyle& text, const IRECT& bounds, const char* str, int valIdx);
  void ShowMenu(IControl* control, IPopupMenu& menu, const IRECT& bounds, int valIdx, bool isContext = false);
  void ApplyTextEntryResult(const char* text);
  void ApplyMenuSelection(IPopupMenu* menu);
  void PopupHostContextMenuForParam(IControl* control, int paramIdx, float x, float y);
  void SetHostContextMenuFunc(IHostContextMenuFunc func) { mHostContextMenuFunc = std::move(func); }
  IControl* GetTextEntryOwner() const { return mTextEntryOwner; }
  IControl* GetMenuOwner() const { return mMenuOwner; }

protected:
  void SetScreenScale(float scale) { mScreenScale = scale; }
  void SetCursorHidden(bool hidden) { mCursorHidden = hidden; }
  // Shows a hidden cursor again and forgets every captured control, ending
  // the host gestures their presses began.
  void ReleaseCaptureAndShowCursor();

private:
  // Finds or decodes a bitmap at the scale asked for; sets decoded when the
  // caller now owns what it returns.
  using BitmapSource = std::function<APIBitmap*(int targetScale, const char* ext, bool& decoded)>;
  IBitmapRef LoadBitmapVia(const char* name, int nStates, bool framesAreHorizontal, int targetScale,
                           const BitmapSource& source);
  bool AdoptPlatformFont(const char* fontID, PlatformFont* font);
  // The draw scale a live resize in scale mode asks for with the pointer at
  // (x, y): the smaller of the two ratios to the press point, within the
  // zoom limits. False when there is none (a press at or before the edge).
  bool LiveResizeScale(float x, float y, float& scale) const;
  // Puts control (owned, may be null) in a special-control slot, deleting the old one.
  bool ReplaceSpecialControl(IControl*& slot, IControl* control);
  void ApplyTransform();
  void DeleteControl(IControl* control);

  std::vector<IControl*> mControls;
  std::unordered_map<int32_t, IControl*, ControlTagHash> mCtrlTags;
  IControl* mCornerResizer = nullptr;
  std::vector<IControl*> mExtraControls;
  IControl* mMenuControl = nullptr;
  IControl* mPerfDisplay = nullptr;
  IControl* mTextEntryControl = nullptr;
  IPopupMenu mPromptPopupMenu;
  int mCursorType = 0;
  int mWidth;
  int mHeight;
  int mFPS;
  float mScreenScale = 1.f;
  float mDrawScale;
  std::unordered_map<ITouchID, IControl*, TouchIdHash> mCapturedMap;
  IControl* mMouseOver = nullptr;
  int mMouseOverIdx = -1;

protected:
  IControl* mTextEntryOwner = nullptr;
  int mTextEntryValIdx = -1;
  IControl* mMenuOwner = nullptr;
  int mMenuValIdx = -1;
  bool mMenuIsContext = false;
  float mMouseDownX = -1.f;
  float mMouseDownY = -1.f;

private:
  float mMinScale = 0.5f;
  float mMaxScale = 4.f;
  bool mEnableMouseOver = false;
  bool mResizingInProcess = false;
  bool mLayoutOnResize = false;
  bool mEnableMultiTouch = false;
  int mResizerMode = kResizeModeScale;
  double mPrevTimestamp = 0.0;
  float mFrameIntervals[100] = {};
  int mFrameIntervalIdx = 0;
  IKeyHandlerFunc mKeyHandlerFunc;
  IHostContextMenuFunc mHostContextMenuFunc;
  IDisplayTickFunc mDisplayTickFunc;
  IEditorDelegate* mDelegate;
  IGestureLedger mGestures;
  bool mCursorHidden = false;
  std::vector<IOffscreenLayer*> mLayers;
  IRECT mClipRECT;
  ITransform2D mTransform;
  std::vector<ITransform2D> mTransformStack;
};

} // namespace igfx
} // namespace ifx
