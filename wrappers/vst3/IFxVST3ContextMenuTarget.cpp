#include "wrappers/vst3/IFxVST3ContextMenuTarget.h"

#include "abi/vst3/Vst3Strings.h"
#include "wrappers/vst3/IFxVST3.h"
#include "toolkit/IControl.h"
#include "toolkit/IGfx.h"
#include "toolkit/IPopupMenu.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace ifx {

IFxVST3ContextMenuTarget::IFxVST3ContextMenuTarget(IFxVST3& plugin, igfx::IControl* control)
  : mPlugin(&plugin), mGraphics(plugin.EditorGraphics()), mControl(control)
{
  mPlugin->addRef();
}

IFxVST3ContextMenuTarget::~IFxVST3ContextMenuTarget() { mPlugin->release(); }

tresult PLUGIN_API IFxVST3ContextMenuTarget::queryInterface(const TUID iid, void** obj)
{
  if (!obj)
    return kInvalidArgument;
  if (IidEqual(iid, IContextMenuTarget::iid))
  {
    addRef();
    *obj = static_cast<IContextMenuTarget*>(this);
    return kResultOk;
  }
  return FObject::queryInterface(iid, obj);
}

bool IFxVST3ContextMenuTarget::ControlIsAlive() const
{
  igfx::IGfx* graphics = mPlugin->EditorGraphics();
  if (!mControl || !graphics || graphics != mGraphics)
    return false;
  bool found = false;
  graphics->VisitAllControls([this, &found](igfx::IControl* control) { found = found || control == mControl; });
  return found;
}

tresult PLUGIN_API IFxVST3ContextMenuTarget::executeMenuItem(int32 tag)
{
  if (!ControlIsAlive())
    return kResultFalse;
  mControl->OnContextMenuChoice(tag);
  return kResultOk;
}

void AddItemsToHostContextMenu(IContextMenu& menu, const igfx::IPopupMenu& items, IContextMenuTarget* target,
                               int32& tag)
{
  for (int i = 0; i < items.NItems(); ++i)
  {
    const igfx::IPopupMenu::Item* item = items.GetItem(i);
    IContextMenuItem entry = {};
    StrWidenBytes(entry.name, item->GetText(), 128);
    entry.tag = tag++;
    if (item->GetIsSeparator())
    {
      entry.flags = IContextMenuItem::kIsSeparator;
      menu.addItem(entry, target);
    }
    else if (const igfx::IPopupMenu* submenu = item->GetSubmenu())
    {
      entry.flags = IContextMenuItem::kIsGroupStart;
      menu.addItem(entry, target);
      AddItemsToHostContextMenu(menu, *submenu, target, tag);
      entry.tag = tag++;
      entry.flags = IContextMenuItem::kIsGroupEnd;
      menu.addItem(entry, target);
    }
    else
    {
      entry.flags = 0;
      if (item->GetGreyed())
        entry.flags |= IContextMenuItem::kIsDisabled;
      if (item->GetChecked())
        entry.flags |= IContextMenuItem::kIsChecked;
      menu.addItem(entry, target);
    }
  }
}

} // namespace ifx
