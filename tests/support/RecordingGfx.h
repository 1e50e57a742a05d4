#pragma once
// A graphics object that draws nothing and records every back-end call: path
// steps, strokes and fills with their paint, blend, transform and clip, text
// runs with fixed measurements, bitmaps and layers, cursor and prompt calls.
#include <string>
#include <vector>

#include "toolkit/IGfx.h"
#include "support/EventLog.h"

namespace ifx {
namespace testkit {

struct GfxOp
{
  enum Kind
  {
    kPathClear,
    kPathClose,
    kPathArc,
    kPathMoveTo,
    kPathLineTo,
    kPathWinding,
    kPathCubic,
    kPathQuad,
    kStroke,
    kFill,
    kSetTransform,
    kSetClip,
    kDrawBitmap,
    kRenderText,
    kMeasureText,
    kNewBitmap,
    kRefreshLayer,
    kCompositeShadow,
    kBeginFrame,
    kEndFrame,
    kControlDrawn,
    kQuickShadow,
    kResizeSurface,
    kResizeNativeWindow,
    kHideCursor,
    kMoveCursor,
    kTextEntry,
    kMenu,
  };

  Kind kind;
  std::vector<float> v;             // coordinates / numbers of the call
  int dir = 0;                      // arc direction, winding flag, ...
  igfx::IPaintPattern pattern;      // strokes and fills
  float thickness = 0.f;
  igfx::IStrokeSettings stroke;
  igfx::IFillSettings fill;
  bool hasBlend = false;
  igfx::IBlendMode blend;
  igfx::ITransform2D transform;     // current transform when recorded
  igfx::IRECT clip;                 // current clip region when recorded
  igfx::IRECT rect;                 // bitmap destination, text bounds, clip set
  std::string text;
  int layerDepth = 0;
  const igfx::APIBitmap* bitmap = nullptr;
};

class RecordingGfx : public igfx::IGfx
{
public:
  // Fixed text metrics: every character is half the font size wide.
  static constexpr float kCharWidthPerSize = 0.5f;

  RecordingGfx(IEditorDelegate& dlg, int w = 1200, int h = 800, int fps = 60, float scale = 1.f)
    : IGfx(dlg, w, h, fps, scale) {}
  ~RecordingGfx() override;

  // -- What was recorded ----------------------------------------------------
  std::vector<GfxOp> ops;
  EventLog* log = nullptr;

  void ClearOps() { ops.clear(); }
  int Count(GfxOp::Kind kind) const;
  std::vector<GfxOp> OfKind(GfxOp::Kind kind) const;
  // Path-building steps only (clear, move, line, arc, curves, close, winding).
  std::vector<GfxOp> PathSteps() const;
  // Compact text form of the path steps, e.g. "M 0 0|L 10 0|Z".
  std::string PathString() const;

  // -- Knobs ------------------------------------------------------------------
  float mouseX = 0.f, mouseY = 0.f;
  bool windowOpen = false;
  int menuChoice = -1;          // index the next native menu returns (-1: cancel)
  bool menuAsync = false;
  bool requestSizeResult = true;
  std::vector<uint8_t> layerPixels; // what ReadLayerPixels returns
  bool flipped = false;
  int alphaIndex = 3;
  float screenScaleFactor = 1.f;    // WindowScaleFactor
  std::vector<uint8_t> lastShadowMask;
  int cursorHideCalls = 0, cursorShowCalls = 0;
  int textEntryParamIdx = -2;
  std::string textEntryText;
  igfx::IRECT textEntryBounds;
  int textEntryLength = 0;
  std::vector<std::string> lastMenuItems;
  std::vector<int> lastMenuFlags;
  std::string lastMenuTitle;
  int menuCalls = 0;
  // The file dialog's scripted answer: the path the user picks, "" for a
  // cancel. Each dialog is recorded with its action (0 open, 1 save), its
  // extensions and the folder it opened in.
  std::string fileChoice;
  struct FilePrompt
  {
    int action;
    std::string extensions;
    std::string folder;
  };
  std::vector<FilePrompt> filePrompts;
  // Addresses handed to the shell, and what the shell answers.
  std::vector<std::string> openedUrls;
  bool openUrlResult = true;
  int nextImageId = 1;
  // Back-end bitmaps alive in the process (caches outlive a single graphics object).
  static inline int liveBitmaps = 0;

  void SetScreenScaleForTest(float s) { SetScreenScale(s); }

  // -- IGfx --------------------------------------------------------------------
  void BeginFrame() override;
  void EndFrame() override;
  void DrawBitmap(const igfx::IBitmapRef& bitmap, const igfx::IRECT& bounds, int srcX, int srcY,
                  const igfx::IBlendMode* blend) override;
  igfx::IRgba GetPoint(int x, int y) override { return igfx::kColorBlack; }
  void* NativeDrawContext() override { return nullptr; }
  const char* DrawingBackendName() override { return "Recording"; }
  // PNG and JPEG, as the real back end.
  bool SupportsImageType(const char* extension) override;
  void DrawQuickShadow(const igfx::IRECT& inner, const igfx::IRECT& outer, float drop, float roundness, float blur,
                       const igfx::IBlendMode* blend) override;
  void ReadLayerPixels(igfx::IOffscreenLayer* layer, igfx::IRawBuffer& data) override { data = layerPixels; }
  void CompositeShadowMask(igfx::IOffscreenLayer* layer, const igfx::IRawBuffer& mask,
                           const igfx::IDropShadow& shadow) override;
  void RefreshLayer() override;
  void PathClear() override;
  void PathClose() override;
  void PathArc(float cx, float cy, float r, float a1, float a2, igfx::EArcDirection dir) override;
  void PathMoveTo(float x, float y) override;
  void PathLineTo(float x, float y) override;
  void SetPathWinding(bool clockwise) override;
  void PathCubicBezierTo(float c1x, float c1y, float c2x, float c2y, float x2, float y2) override;
  void PathQuadraticBezierTo(float cx, float cy, float x2, float y2) override;
  void PathStroke(const igfx::IPaintPattern& pattern, float thickness, const igfx::IStrokeSettings& options,
                  const igfx::IBlendMode* blend) override;
  void PathFill(const igfx::IPaintPattern& pattern, const igfx::IFillSettings& options,
                const igfx::IBlendMode* blend) override;
  void SetPathTransform(const igfx::ITransform2D& transform) override;
  void OnControlDrawn(const igfx::IRECT& clip) override;
  void SetClipRegion(const igfx::IRECT& r) override;
  bool GetMouseLocation(float& x, float& y) const override;
  void HideMouseCursor(bool hide, bool lock) override;
  void MoveMouseCursor(float x, float y) override;
  void CancelUserEdit() override {}
  void* OpenWindow(void* parent) override;
  void CloseWindow() override { windowOpen = false; }
  void* GetWindow() override { return windowOpen ? this : nullptr; }
  bool PasteTextFromClipboard(IString& text) override { return false; }
  bool CopyTextToClipboard(const char* text) override { return false; }
  int ShowMessageBox(const char* text, const char* caption, int buttons,
                     igfx::IMsgBoxCompletionHandlerFunc completion) override { return 0; }
  // Answers with fileChoice as the window's dialog would: the full path and
  // its folder when chosen, an empty name and the folder kept when cancelled.
  void AskForFile(IString& fileName, IString& path, int action, const char* extensions,
                  igfx::IFileDialogCompletionHandlerFunc completion) override;
  void AskForDirectory(IString& dir, igfx::IFileDialogCompletionHandlerFunc completion) override {}
  bool AskForColour(igfx::IRgba& color, const char* prompt, igfx::IColorPickerHandlerFunc completion) override
  {
    return false;
  }
  bool OpenURL(const char* url, const char* windowTitle, const char* confirmMsg, const char* errMsg) override
  {
    openedUrls.push_back(url ? url : "");
    return openUrlResult;
  }
  igfx::PlatformFont* LoadPlatformFontByName(const char*, const char*, int) override { return nullptr; }
  igfx::PlatformFont* LoadPlatformFontFromMemory(const char*, const void*, int) override { return nullptr; }
  igfx::PlatformFont* LoadPlatformFont(const char*, const char*) override { return nullptr; }
  void CachePlatformFont(const char*, igfx::PlatformFont*) override {}
  void ShowNativeTextEntry(int paramIdx, const igfx::ITextStyle& text, const igfx::IRECT& bounds, int length,
                           const char* str) override;
  igfx::IPopupMenu* ShowNativeMenu(igfx::IPopupMenu& menu, const igfx::IRECT& bounds, bool& isAsync) override;
  float WindowScaleFactor() const override { return screenScaleFactor; }
  void ResizeNativeWindow(bool parentHasResized) override;
  void ResizeSurface() override;
  igfx::APIBitmap* DecodeBitmapData(const char* name, const void* data, int dataSize, int scale) override;
  igfx::APIBitmap* DecodeBitmapFile(const char* path, int scale, EResourceLocation location,
                                    const char* ext) override;
  igfx::APIBitmap* NewBackendBitmap(int width, int height, float scale, float drawScale, bool cacheable) override;
  bool RegisterBackendFont(const char* fontID, igfx::PlatformFont* font) override { return false; }
  int AlphaChannelIndex() const override { return alphaIndex; }
  bool IsBitmapFlipped() const override { return flipped; }
  float MeasureTextRun(const igfx::ITextStyle& text, const char* str, igfx::IRECT& bounds) const override;
  void RenderTextRun(const igfx::ITextStyle& text, const char* str, const igfx::IRECT& bounds,
                     const igfx::IBlendMode* blend) override;

private:
  GfxOp& Record(GfxOp::Kind kind, std::initializer_list<float> v = {});
  void Note(const char* what);
  igfx::ITransform2D mCurrent;
  igfx::IRECT mCurrentClip;
  mutable std::vector<GfxOp> mConstOps; // measurements from const calls
};

} // namespace testkit
} // namespace ifx
