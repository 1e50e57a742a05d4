#pragma once
// The two popups over a recording graphics object, in front of a control
// that takes what closed popups let through and the preset name the browser
// updates. The delegate is a plug-in with n presets ("Preset i", each with
// its own Haunt value) that counts what it tells a host after a restore or a
// load, or any other delegate.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>

#include "framework/TestPlugin.h"
#include "plugin/editor/AboutPopup.h"
#include "plugin/editor/PresetNameControl.h"
#include "plugin/editor/PresetPopup.h"
#include "support/RecordingGfx.h"
#include "support/TestControl.h"

using namespace murkwisp;

namespace popuptest {

using namespace ifx::igfx;

inline constexpr IRgba kText{255, 180, 170, 190};
inline constexpr IRgba kAccent{255, 120, 80, 160};

class PresetsPlugin : public basetest::TestPlugin
{
public:
  explicit PresetsPlugin(int nPresets) : TestPlugin(Config(nPresets))
  {
    for (int i = 0; i < nPresets; ++i)
      MakePreset(("Preset " + std::to_string(i)).c_str(), 50., 50., HauntOf(i), 50., 2, 0, 0., 80., 64., 0., 0, 50.,
                 100.);
  }
  static double HauntOf(int preset) { return 2. * preset + 1.; }
  double Haunt() const { return GetParam(basetest::kHaunt)->Value(); }
  void ClearName(int preset) { GetPresetSlot(preset)->SetName(""); }

  // A VST3 host hears of new values through the restored state, a CLAP host
  // through the restored preset.
  void OnStateRestored() override
  {
    ++hostTold;
    TestPlugin::OnStateRestored();
  }
  void OnPresetRestored() override { ++presetsRestored; }
  int hostTold = 0;
  int presetsRestored = 0;

private:
  static ifx::IPluginConfiguration Config(int nPresets)
  {
    ifx::IPluginConfiguration c = basetest::TestConfig();
    c.presetCount = nPresets;
    return c;
  }
};

template <class Delegate>
class PopupHarness
{
public:
  template <class... Args>
  explicit PopupHarness(Args&&... args) : dlg(std::forward<Args>(args)...), gfx(dlg)
  {
    // Control 0 is the backdrop, which never takes keys.
    gfx.AttachControl(new ifx::testkit::TestControl(gfx.GetBounds(), -1, nullptr, "backdrop"));
    beneath = Attach(new ifx::testkit::TestControl(gfx.GetBounds(), -1, nullptr, "beneath"));
    presetName = Attach(new PresetNameControl(IRECT(1000, 18, 1146, 40), "", ITextStyle()));
    about = Attach(new AboutPopup(gfx.GetBounds(), IRgba(240, 20, 18, 28), kText, kAccent));
    presets = Attach(new PresetPopup(gfx.GetBounds(), IRgba(240, 20, 18, 28), kText, kAccent));
    presets->SetPresetNameControl(presetName);
  }

  // One frame of a popup, recorded from scratch.
  void Frame(IControl* popup)
  {
    gfx.ClearOps();
    popup->Draw(gfx);
  }
  bool Drew(const std::string& text) const
  {
    for (const auto& op : gfx.OfKind(ifx::testkit::GfxOp::kRenderText))
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
  void Click(const IRECT& r) { Click(r.MW(), r.MH()); }
  // As the window delivers one: a click, then the double click.
  void DoubleClick(float x, float y)
  {
    Click(x, y);
    gfx.OnMouseDblClick(x, y, IMouseModifiers(true));
  }
  bool Key(int vk)
  {
    IKeyEvent key;
    key.VK = vk;
    return gfx.OnKeyDown(600.f, 400.f, key);
  }

  Delegate dlg;
  ifx::testkit::RecordingGfx gfx;
  ifx::testkit::TestControl* beneath = nullptr;
  PresetNameControl* presetName = nullptr;
  AboutPopup* about = nullptr;
  PresetPopup* presets = nullptr;

private:
  template <class T>
  T* Attach(T* control)
  {
    gfx.AttachControl(control);
    return control;
  }
};

// A file in the test's temporary folder, removed at both ends.
struct TempFile
{
  explicit TempFile(const char* name) : path(::testing::TempDir() + name) { std::remove(path.c_str()); }
  ~TempFile() { std::remove(path.c_str()); }
  bool Exists() const
  {
    FILE* f = std::fopen(path.c_str(), "rb");
    return f && std::fclose(f) == 0;
  }
  std::string path;
};

} // namespace popuptest
