#pragma once
// The popups over a recording graphics object whose delegate is a plug-in
// with as many presets as a test asks for, each with its own Haunt value,
// counting what it would tell a host after a restore or a file load.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "base/TestPlugin.h"
#include "graphics/IGfx.h"
#include "plugin/editor/AboutPopup.h"
#include "plugin/editor/PresetNameControl.h"
#include "plugin/editor/PresetPopup.h"
#include "support/RecordingGfx.h"
#include "support/TestControl.h"

namespace popuptest {

using namespace ifx::igfx;

inline constexpr IRgba kPanel{240, 20, 18, 28};
inline constexpr IRgba kText{255, 180, 170, 190};
inline constexpr IRgba kAccent{255, 120, 80, 160};

class PresetsPlugin : public basetest::TestPlugin
{
public:
  explicit PresetsPlugin(int nPresets) : TestPlugin(Config(nPresets))
  {
    for (int i = 0; i < nPresets; ++i)
    {
      const std::string name = "Preset " + std::to_string(i);
      MakePreset(name.c_str(), 50., 50., HauntOf(i), 50., 2, 0, 0., 80., 64., 0., 0, 50., 100.);
    }
  }
  static double HauntOf(int preset) { return 2. * preset + 1.; }
  void ClearName(int preset) { GetPresetSlot(preset)->SetName(""); }

  // A VST3 host hears of new values through the restored state, a CLAP host
  // through the restored preset.
  void OnStateRestored() override
  {
    ++statesRestored;
    TestPlugin::OnStateRestored();
  }
  void OnPresetRestored() override { ++presetsRestored; }
  int statesRestored = 0;
  int presetsRestored = 0;

private:
  static ifx::IPluginConfiguration Config(int nPresets)
  {
    ifx::IPluginConfiguration c = basetest::TestConfig();
    c.presetCount = nPresets;
    return c;
  }
};

// Each popup test owns one of each popup over its own graphics object, in
// front of a backdrop, a control over the whole editor that takes what the
// closed popups let through, and the preset name the browser updates. The
// delegate outlives the graphics object, which deletes the controls.
template <class Delegate>
class PopupHarness
{
public:
  template <class... Args>
  explicit PopupHarness(Args&&... args) : dlg(std::forward<Args>(args)...), gfx(dlg)
  {
    gfx.AttachControl(new ifx::testkit::TestControl(gfx.GetBounds(), -1, nullptr, "backdrop"));
    beneath = new ifx::testkit::TestControl(gfx.GetBounds(), -1, nullptr, "beneath");
    gfx.AttachControl(beneath);
    presetName = new PresetNameControl(IRECT(1000, 18, 1146, 40), "", ITextStyle());
    gfx.AttachControl(presetName);
    about = new AboutPopup(gfx.GetBounds(), kPanel, kText, kAccent);
    presets = new PresetPopup(gfx.GetBounds(), kPanel, kText, kAccent);
    gfx.AttachControl(about);
    gfx.AttachControl(presets);
    presets->SetPresetNameControl(presetName);
  }

  // One frame of a popup, recorded from scratch.
  void Frame(IControl* popup)
  {
    gfx.ClearOps();
    popup->Draw(gfx);
  }
  // The texts the last frame drew, in order.
  std::vector<ifx::testkit::GfxOp> Texts() const { return gfx.OfKind(ifx::testkit::GfxOp::kRenderText); }
  bool Drew(const std::string& text) const
  {
    for (const auto& op : Texts())
      if (op.text == text)
        return true;
    return false;
  }

  void Click(float x, float y)
  {
    IMouseEvent e;
    e.x = x;
    e.y = y;
    e.ms.L = true;
    gfx.OnMouseDown({e});
    gfx.OnMouseUp({e});
  }
  // As the window delivers one: a click, then the double click.
  void DoubleClick(float x, float y)
  {
    Click(x, y);
    gfx.OnMouseDblClick(x, y, IMouseModifiers(true));
  }
  bool Key(int vk, float x = 600.f, float y = 400.f)
  {
    IKeyEvent key;
    key.VK = vk;
    return gfx.OnKeyDown(x, y, key);
  }
  void Wheel(float x, float y, float delta) { gfx.OnMouseWheel(x, y, IMouseModifiers(), delta); }

  Delegate dlg;
  ifx::testkit::RecordingGfx gfx;
  ifx::testkit::TestControl* beneath = nullptr;
  PresetNameControl* presetName = nullptr;
  AboutPopup* about = nullptr;
  PresetPopup* presets = nullptr;
};

// A file in the test's temporary folder, removed at the end.
class TempFile
{
public:
  explicit TempFile(const char* name) : path(::testing::TempDir() + name) { std::remove(path.c_str()); }
  ~TempFile() { std::remove(path.c_str()); }
  bool Exists() const
  {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (f)
      std::fclose(f);
    return f != nullptr;
  }
  std::string path;
};

} // namespace popuptest
