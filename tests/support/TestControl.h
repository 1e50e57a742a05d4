#pragma once
// A concrete control for tests: counts its callbacks, logs its draws and value
// changes, and can be given several values.
#include <string>
#include <vector>

#include "toolkit/IControl.h"
#include "toolkit/IGfx.h"
#include "toolkit/IPopupMenu.h"
#include "support/EventLog.h"

namespace ifx {
namespace testkit {

class TestControl : public igfx::IControl
{
public:
  TestControl(const igfx::IRECT& bounds, int paramIdx = -1, igfx::IControlAction action = nullptr,
              std::string name = "c")
    : IControl(bounds, paramIdx, std::move(action)), name(std::move(name)) {}

  std::string name;
  EventLog* log = nullptr;
  int draws = 0, inits = 0, resizes = 0, rescales = 0, attaches = 0;
  int mouseDowns = 0, mouseUps = 0, drags = 0, doubleClicks = 0, wheels = 0, keyDowns = 0;
  int drops = 0, mouseOvers = 0, mouseOuts = 0, hostValues = 0, menuSelections = 0, textEntries = 0, contextChoices = 0;
  int lastContextChoice = -100;
  std::vector<std::string> contextItems; // what FillContextMenu adds
  std::string lastText;
  int* destroyed = nullptr;
  igfx::IRECT lastDrawClip;
  bool keyResult = false;
  int valueIndexAt = -2; // -2: base behaviour

  ~TestControl() override
  {
    if (destroyed)
      ++*destroyed;
  }

  void Draw(igfx::IGfx& g) override
  {
    ++draws;
    lastDrawClip = g.GetClipRECT();
    if (log)
      log->Add("draw:" + name);
  }
  void OnInit() override { ++inits; Log("init:"); }
  void OnResize() override { ++resizes; Log("resize:"); }
  void OnRescale() override { ++rescales; Log("rescale:"); }
  void OnAttached() override { ++attaches; Log("attached:"); }
  void Log(const char* what)
  {
    if (log)
      log->Add(what + name);
  }
  void OnMouseDown(float x, float y, const igfx::IMouseModifiers& mod) override
  {
    ++mouseDowns;
    IControl::OnMouseDown(x, y, mod);
  }
  void OnMouseUp(float x, float y, const igfx::IMouseModifiers& mod) override { ++mouseUps; }
  void OnMouseDrag(float x, float y, float dX, float dY, const igfx::IMouseModifiers& mod) override { ++drags; }
  void OnMouseDoubleClick(float x, float y, const igfx::IMouseModifiers& mod) override
  {
    ++doubleClicks;
    IControl::OnMouseDoubleClick(x, y, mod);
  }
  void OnMouseWheel(float x, float y, const igfx::IMouseModifiers& mod, float d) override { ++wheels; }
  void OnDrop(const char* path) override { ++drops; }
  bool OnKeyDown(float x, float y, const igfx::IKeyEvent& key) override
  {
    ++keyDowns;
    return keyResult;
  }
  void OnMouseOver(float x, float y, const igfx::IMouseModifiers& mod) override
  {
    ++mouseOvers;
    IControl::OnMouseOver(x, y, mod);
  }
  void OnMouseOut() override
  {
    ++mouseOuts;
    IControl::OnMouseOut();
  }
  void SetValueFromHostSide(double value, int valIdx) override
  {
    ++hostValues;
    if (log)
      log->Add("host:" + name);
    IControl::SetValueFromHostSide(value, valIdx);
  }
  void SetValue(double value, int valIdx) override
  {
    if (log)
      log->Add("set:" + name + " " + std::to_string(value));
    IControl::SetValue(value, valIdx);
  }
  void OnMenuSelection(igfx::IPopupMenu* menu, int valIdx) override
  {
    ++menuSelections;
    IControl::OnMenuSelection(menu, valIdx);
  }
  void OnTextEntered(const char* text, int valIdx) override
  {
    ++textEntries;
    lastText = text;
  }
  void FillContextMenu(igfx::IPopupMenu& menu) override
  {
    for (const std::string& item : contextItems)
      menu.AddItem(item.c_str());
  }
  void OnContextMenuChoice(int tag) override
  {
    ++contextChoices;
    lastContextChoice = tag;
  }
  int ValueIndexAt(float x, float y) const override
  {
    return valueIndexAt == -2 ? IControl::ValueIndexAt(x, y) : valueIndexAt;
  }
};

} // namespace testkit
} // namespace ifx
