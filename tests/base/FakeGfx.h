#pragma once
// A graphics object without drawing or window: records what the editor
// delegate asks of it. Good enough until a shared recording kit exists.
#include <functional>
#include <string>
#include <vector>

#include "graphics/IControl.h"
#include "graphics/IGfx.h"

namespace basetest {

using namespace ifx;
using namespace ifx::igfx;

class FakeGfx : public IGfx
{
public:
  FakeGfx(IEditorDelegate& dlg, int w, int h, float scale = 1.f) : IGfx(dlg, w, h, 60, scale) {}
  ~FakeGfx() override { ++*destroyed; }

  // Shared with the test so that it outlives the object.
  int* destroyed = &ownDestroyed;
  int ownDestroyed = 0;
  std::vector<std::string> calls;
  void* window = nullptr;
  float windowScale = 1.f;
  float mouseX = 0.f, mouseY = 0.f;

  void DrawBitmap(const IBitmapRef&, const IRECT&, int, int, const IBlendMode*) override {}
  IRgba GetPoint(int, int) override { return IRgba(); }
  void* NativeDrawContext() override { return nullptr; }
  const char* DrawingBackendName() override { return "fake"; }
  bool SupportsImageType(const char*) override { return false; }
  void ReadLayerPixels(IOffscreenLayer*, IRawBuffer&) override {}
  void CompositeShadowMask(IOffscreenLayer*, const IRawBuffer&, const IDropShadow&) override {}
  void PathClear() override {}
  void PathClose() override {}
  void PathArc(float, float, float, float, float, EArcDirection) override {}
  void PathMoveTo(float, float) override {}
  void PathLineTo(float, float) override {}
  void PathCubicBezierTo(float, float, float, float, float, float) override {}
  void PathQuadraticBezierTo(float, float, float, float) override {}
  void PathStroke(const IPaintPattern&, float, const IStrokeSettings&, const IBlendMode*) override {}
  void PathFill(const IPaintPattern&, const IFillSettings&, const IBlendMode*) override {}
  void SetPathTransform(const ITransform2D&) override {}
  void SetClipRegion(const IRECT&) override {}
  bool GetMouseLocation(float& x, float& y) const override
  {
    x = mouseX;
    y = mouseY;
    return true;
  }
  void HideMouseCursor(bool, bool) override {}
  void MoveMouseCursor(float, float) override {}
  void CancelUserEdit() override {}
  void* OpenWindow(void* parent) override
  {
    calls.push_back("OpenWindow");
    window = parent;
    return parent;
  }
  void CloseWindow() override
  {
    calls.push_back("CloseWindow");
    window = nullptr;
    if (onClose)
      onClose();
  }
  // Runs inside CloseWindow, as a window's own teardown might.
  std::function<void()> onClose;
  void* GetWindow() override { return window; }
  bool PasteTextFromClipboard(IString&) override { return false; }
  bool CopyTextToClipboard(const char*) override { return false; }
  int ShowMessageBox(const char*, const char*, int, IMsgBoxCompletionHandlerFunc) override { return 0; }
  void AskForFile(IString&, IString&, int, const char*, IFileDialogCompletionHandlerFunc) override {}
  void AskForDirectory(IString&, IFileDialogCompletionHandlerFunc) override {}
  bool AskForColour(IRgba&, const char*, IColorPickerHandlerFunc) override { return false; }
  bool OpenURL(const char*, const char*, const char*, const char*) override { return false; }
  PlatformFont* LoadPlatformFontByName(const char*, const char*, int) override { return nullptr; }
  PlatformFont* LoadPlatformFontFromMemory(const char*, const void*, int) override { return nullptr; }
  PlatformFont* LoadPlatformFont(const char*, const char*) override { return nullptr; }
  void CachePlatformFont(const char*, PlatformFont*) override {}
  void ShowNativeTextEntry(int, const ITextStyle&, const IRECT&, int, const char*) override {}
  IPopupMenu* ShowNativeMenu(IPopupMenu&, const IRECT&, bool& isAsync) override
  {
    isAsync = false;
    return nullptr;
  }
  float WindowScaleFactor() const override { return windowScale; }
  void ResizeNativeWindow(bool) override { calls.push_back("ResizeNativeWindow"); }
  APIBitmap* DecodeBitmapData(const void*, int, int) override { return nullptr; }
  APIBitmap* DecodeBitmapFile(const char*, int, EResourceLocation, const char*) override { return nullptr; }
  APIBitmap* NewBackendBitmap(int, int, float, float, bool) override { return nullptr; }
  bool RegisterBackendFont(const char*, PlatformFont*) override { return false; }
  int AlphaChannelIndex() const override { return 3; }
  bool IsBitmapFlipped() const override { return false; }
  float MeasureTextRun(const ITextStyle&, const char*, IRECT&) const override { return 0.f; }
  void RenderTextRun(const ITextStyle&, const char*, const IRECT&, const IBlendMode*) override {}
};

// A control that records what reaches it from the delegate.
class RecordingControl : public IControl
{
public:
  explicit RecordingControl(int paramIdx = -1) : IControl(IRECT(0.f, 0.f, 10.f, 10.f), paramIdx) {}

  void Draw(IGfx&) override {}
  void OnMidi(const IMidiMessage& msg) override { midi.push_back(msg); }
  void OnDelegateMessage(int msgTag, int, const void*) override { messages.push_back(msgTag); }
  void SetValueFromHostSide(double value, int valIdx) override
  {
    hostValues.push_back({valIdx, value});
    IControl::SetValueFromHostSide(value, valIdx);
  }

  struct HostValue
  {
    int valIdx;
    double value;
  };
  std::vector<HostValue> hostValues;
  std::vector<IMidiMessage> midi;
  std::vector<int> messages;
};

} // namespace basetest
