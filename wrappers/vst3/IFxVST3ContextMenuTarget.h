#pragma once
// The host's parameter context menu, VST3 side. The editor's right click on a
// control bound to a parameter reaches IFxVST3::PopupHostContextMenu, which
// asks the host for its menu, adds the control's own items to it with one of
// these targets, and pops it up; the host hands the user's choice back
// through the target.
#include "abi/vst3/FObject.h"
#include "abi/vst3/Vst3ContextMenu.h"

namespace ifx {

class IFxVST3;

namespace igfx {
class IControl;
class IGfx;
class IPopupMenu;
} // namespace igfx

// A reference-counted host object that forwards executeMenuItem(tag) to the
// control's OnContextMenuChoice(tag). It holds the plug-in (a reference) and
// finds the control again on every call: a choice that comes after the
// editor that showed the menu has closed, or after the control has left it,
// reaches nothing.
class IFxVST3ContextMenuTarget final
  : public Steinberg::Vst::IContextMenuTarget
  , public Steinberg::FObject
{
public:
  // Reference count 1, for the caller. The control must be in the plug-in's
  // open editor graphics at this point (null: a target that never forwards).
  IFxVST3ContextMenuTarget(IFxVST3& plugin, igfx::IControl* control);

  MURKWISP_FOBJECT_CLASS(IFxVST3ContextMenuTarget, Steinberg::FObject)
  Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override;
  MURKWISP_FOBJECT_REFCOUNT
  // kResultOk once the control has the choice; kResultFalse when it is gone.
  Steinberg::tresult PLUGIN_API executeMenuItem(Steinberg::int32 tag) override;

private:
  ~IFxVST3ContextMenuTarget() override;
  bool ControlIsAlive() const;

  IFxVST3* mPlugin;
  igfx::IGfx* mGraphics;
  igfx::IControl* mControl;
};

// Adds the editor's items to the host's menu in order, numbering them from
// tag on (tag is left at the next number): a separator item becomes a
// separator entry; an item with a submenu a group-start entry, its submenu's
// items and a group-end entry with the next number and the same title; any
// other item an entry, disabled when greyed and checked when checked. Titles
// are widened byte by byte and cut to 127 units. Every entry carries target.
void AddItemsToHostContextMenu(Steinberg::Vst::IContextMenu& menu, const igfx::IPopupMenu& items,
                               Steinberg::Vst::IContextMenuTarget* target, Steinberg::int32& tag);

} // namespace ifx
