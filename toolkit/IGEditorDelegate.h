#pragma once
// The editor delegate of the graphics toolkit: owns the graphics object while
// the editor is open and keeps its size and scale across openings.
#include <functional>

#include "base/IEditorDelegate.h"

namespace ifx {
namespace igfx {

class IGfx;

class IGEditorDelegate : public IEditorDelegate
{
public:
  using MakeGraphicsFunc = std::function<IGfx*()>;
  using LayoutFunc = std::function<void(IGfx*)>;

  explicit IGEditorDelegate(int nParams);
  ~IGEditorDelegate() override;

  void* OpenWindow(void* parent) override;
  void CloseWindow() override;
  void OnHostWindowResized(int width, int height) override;
  bool OnKeyDown(const IKeyEvent& key) override;
  bool OnKeyUp(const IKeyEvent& key) override;
  void PushControlValueToUI(int controlTag, double normalizedValue) override;
  void PushControlMessageToUI(int controlTag, int msgTag, int dataSize, const void* data) override;
  void PushMidiToUI(const IMidiMessage& msg) override;
  void PushParamValueToUI(int paramIdx, double value, bool normalized) override;
  // Width and height (int32) and draw scale (float): 12 bytes.
  bool WriteEditorState(IStateChunk& chunk) override;
  int ReadEditorState(const IStateChunk& chunk, int startPos) override;
  void SetDisplayScale(float scale) override;

  virtual IGfx* MakeEditorGraphics();
  virtual void BuildEditorLayout(IGfx* gfx);
  // The open graphics object, or null.
  virtual IGfx* EditorGraphics() const noexcept { return mGraphics; }

  // The size and scale re-applied at the next opening (0 until a close or a
  // state read stored them).
  int SavedWidth() const noexcept { return mSavedWidth; }
  int SavedHeight() const noexcept { return mSavedHeight; }
  float SavedScale() const noexcept { return mSavedScale; }

  MakeGraphicsFunc makeGraphicsFunc;
  LayoutFunc layoutFunc;

private:
  bool ForwardKey(const IKeyEvent& key, bool (IGfx::*handler)(float, float, const IKeyEvent&));

  IGfx* mGraphics = nullptr; // owned while the editor is open
  int mSavedWidth = 0;
  int mSavedHeight = 0;
  float mSavedScale = 0.f;
  bool mClosing = false;
};

} // namespace igfx

using igfx::IGEditorDelegate;

} // namespace ifx
