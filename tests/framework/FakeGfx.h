#pragma once
// Graphics and control doubles for the editor delegate tests.
#include <functional>
#include <string>
#include <vector>

#include "toolkit/IControl.h"
#include "toolkit/IGfx.h"
#include "support/RecordingGfx.h"

namespace basetest {

using namespace ifx;
using namespace ifx::igfx;

// The shared recording graphics object, plus what the delegate tests need:
// a destruction counter that outlives the object and a hook run inside
// CloseWindow, as a window's own teardown might.
class FakeGfx : public ifx::testkit::RecordingGfx
{
public:
  FakeGfx(IEditorDelegate& dlg, int w, int h, float scale = 1.f) : RecordingGfx(dlg, w, h, 60, scale) {}
  ~FakeGfx() override { ++*destroyed; }

  int* destroyed = &ownDestroyed;
  int ownDestroyed = 0;
  std::function<void()> onClose;

  void CloseWindow() override
  {
    RecordingGfx::CloseWindow();
    if (onClose)
      onClose();
  }
};

// A control that records what reaches it from the delegate.
class RecordingControl : public IControl
{
public:
  explicit RecordingControl(int paramIdx = -1) : IControl(IRECT(0.f, 0.f, 10.f, 10.f), paramIdx) {}

  void Draw(IGfx&) override {}
  void OnMidi(const IMidiMessage& msg) override { midi.push_back(msg); }
  void OnDelegateMessage(int msgTag, int, const void*) override { messages.push_back(msgTag); }
  bool OnKeyDown(float x, float y, const IKeyEvent& key) override { return Key(x, y, key, false); }
  bool OnKeyUp(float x, float y, const IKeyEvent& key) override { return Key(x, y, key, true); }
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
  struct KeySeen
  {
    float x, y;
    int vk;
    bool up;
  };
  bool Key(float x, float y, const IKeyEvent& key, bool up)
  {
    keys.push_back({x, y, key.VK, up});
    return takesKeys;
  }
  bool takesKeys = true;
  std::vector<KeySeen> keys;
  std::vector<HostValue> hostValues;
  std::vector<IMidiMessage> midi;
  std::vector<int> messages;
};

} // namespace basetest
