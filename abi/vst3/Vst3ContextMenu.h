#pragma once
// Host context menus for parameters (the editor asks for them on a right
// click) and the target interface our controls implement.
#include <cstddef>

#include "abi/vst3/Vst3Types.h"

namespace Steinberg {
class IPlugView;
namespace Vst {

struct IContextMenuItem
{
  enum Flags : int32
  {
    kIsSeparator = 1 << 0,
    kIsDisabled = 1 << 1,
    kIsChecked = 1 << 2,
    kIsGroupStart = 1 << 3 | kIsDisabled,
    kIsGroupEnd = 1 << 4 | kIsSeparator,
  };
  String128 name;
  int32 tag;
  int32 flags;
};

static_assert(sizeof(IContextMenuItem) == 264 && offsetof(IContextMenuItem, tag) == 256 &&
                offsetof(IContextMenuItem, flags) == 260,
              "IContextMenuItem layout");

class IContextMenuTarget : public FUnknown
{
public:
  MURKWISP_VST3_IID(0x3CDF2E75, 0x85D34144, 0xBF86D36B, 0xD7C4894D)
  virtual tresult PLUGIN_API executeMenuItem(int32 tag) = 0;
  MURKWISP_VST3_INTERFACE(IContextMenuTarget)
};

class IContextMenu : public FUnknown
{
public:
  MURKWISP_VST3_IID(0x2E93C863, 0x0C9C4588, 0x97DBECF5, 0xAD17817D)
  using Item = IContextMenuItem;
  virtual int32 PLUGIN_API getItemCount() = 0;
  virtual tresult PLUGIN_API getItem(int32 index, Item& item, IContextMenuTarget** target) = 0;
  virtual tresult PLUGIN_API addItem(const Item& item, IContextMenuTarget* target) = 0;
  virtual tresult PLUGIN_API removeItem(const Item& item, IContextMenuTarget* target) = 0;
  virtual tresult PLUGIN_API popup(UCoord x, UCoord y) = 0;
  MURKWISP_VST3_INTERFACE(IContextMenu)
};

class IComponentHandler3 : public FUnknown
{
public:
  MURKWISP_VST3_IID(0x69F11617, 0xD26B400D, 0xA4B6B964, 0x7B6EBBAB)
  // paramID null asks for the generic menu; the caller releases the menu.
  virtual IContextMenu* PLUGIN_API createContextMenu(IPlugView* plugView, const ParamID* paramID) = 0;
  MURKWISP_VST3_INTERFACE(IComponentHandler3)
};

} // namespace Vst
} // namespace Steinberg
