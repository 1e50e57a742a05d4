#pragma once
// The parameter list and every path between the plug-in and its editor.
// Wrappers, controls and the plug-in all speak to the editor through here.
#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "base/EParamChangeSource.h"
#include "base/IMidiMessage.h"
#include "base/ISysEx.h"

namespace ifx {

class IParam;
class IStateChunk;
namespace igfx {
struct IKeyEvent;
}

class IEditorDelegate
{
public:
  explicit IEditorDelegate(int nParams);
  virtual ~IEditorDelegate();

  IEditorDelegate(const IEditorDelegate&) = delete;
  IEditorDelegate& operator=(const IEditorDelegate&) = delete;

  // -- Parameters ----------------------------------------------------------
  int NParams() const noexcept { return static_cast<int>(mParams.size()); }
  // Null outside 0..NParams()-1.
  IParam* GetParam(int paramIdx) noexcept;
  const IParam* GetParam(int paramIdx) const noexcept;

  // -- Editor size (main thread) ---------------------------------------------
  int GetEditorWidth() const noexcept { return mEditorWidth.load(std::memory_order_relaxed); }
  int GetEditorHeight() const noexcept { return mEditorHeight.load(std::memory_order_relaxed); }
  void SetEditorSize(int width, int height) noexcept;
  // Each pair is stored sorted: the smaller value becomes the minimum.
  void SetSizeConstraints(int widthA, int widthB, int heightA, int heightB) noexcept;
  int GetMinWidth() const noexcept { return mMinWidth; }
  int GetMaxWidth() const noexcept { return mMaxWidth; }
  int GetMinHeight() const noexcept { return mMinHeight; }
  int GetMaxHeight() const noexcept { return mMaxHeight; }

  // PushParamValueToUI for every parameter with its normalised value.
  void PushAllParamValuesToUI();

  // -- Window ----------------------------------------------------------------
  virtual void* OpenWindow(void* parent);
  virtual void CloseWindow();
  virtual void OnHostWindowResized(int width, int height) {}
  virtual void OnEditorOpened();
  virtual void OnEditorClosing() {}

  // -- Change notifications ----------------------------------------------------
  virtual void OnParamIndexChanged(int paramIdx) {}
  // May run on the audio thread (host automation): no allocation here.
  virtual void OnParamChange(int paramIdx, EParamChangeSource source, int sampleOffset = -1);
  virtual void OnParamChangedForUI(int paramIdx, EParamChangeSource source) {}
  virtual void OnParamsReset(EParamChangeSource source);
  virtual void OnMidiForUI(const IMidiMessage& msg) {}
  virtual void OnSysExForUI(const ISysExMessage& msg) {}
  virtual bool OnMessage(int msgTag, int controlTag, int dataSize, const void* data) { return false; }
  virtual void OnStateRestored();
  virtual bool OnKeyDown(const igfx::IKeyEvent& key) { return false; }
  virtual bool OnKeyUp(const igfx::IKeyEvent& key) { return false; }

  // -- Plug-in to editor ---------------------------------------------------------
  virtual void PushControlValueToUI(int controlTag, double normalizedValue) {}
  virtual void PushControlMessageToUI(int controlTag, int msgTag, int dataSize, const void* data);
  virtual void PushMessageToUI(int msgTag, int dataSize, const void* data);
  virtual void PushMidiToUI(const IMidiMessage& msg);
  virtual void PushSysExToUI(const ISysExMessage& msg);
  virtual void PushParamValueToUI(int paramIdx, double value, bool normalized);

  // -- Editor to plug-in -----------------------------------------------------------
  virtual void ApplyAllParamValuesFromUI() {}
  virtual void BeginParamGestureFromUI(int paramIdx) {}
  virtual void ApplyParamValueFromUI(int paramIdx, double normalizedValue) {}
  virtual void EndParamGestureFromUI(int paramIdx) {}
  virtual bool RequestEditorSizeFromUI(int width, int height, bool needsPlatformResize) { return false; }
  virtual void PushMidiFromUI(const IMidiMessage& msg) {}
  virtual void PushSysExFromUI(const ISysExMessage& msg) {}
  virtual void PushMessageFromUI(int msgTag, int controlTag, int dataSize, const void* data) {}
  virtual void QueueMidiFromUI(const IMidiMessage& msg) {}
  virtual void QueueSysExFromUI(const ISysExMessage& msg) {}

  // -- Editor size and state -----------------------------------------------------------
  // True when both lie within the limits; otherwise clamps them and returns false.
  virtual bool ClampEditorSize(int& width, int& height) const noexcept;
  virtual bool WriteEditorState(IStateChunk& chunk) { return true; }
  virtual int ReadEditorState(const IStateChunk& chunk, int startPos) { return startPos; }
  virtual void SetDisplayScale(float scale) {}

private:
  std::vector<std::unique_ptr<IParam>> mParams;
  std::atomic<int> mEditorWidth{0};
  std::atomic<int> mEditorHeight{0};
  int mMinWidth = 10;
  int mMaxWidth = 100000;
  int mMinHeight = 10;
  int mMaxHeight = 100000;
};

} // namespace ifx
