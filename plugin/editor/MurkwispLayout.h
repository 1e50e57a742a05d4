#pragma once
// The editor's layout: every control of the 1200 x 800 editor, attached from
// the backdrop at the back to the two popups at the front, and the corner
// resizer. Runs each time an editor opens.
#include "toolkit/IRECT.h"
#include "plugin/editor/MurkwispDrawFunctions.h"

namespace ifx {
class IEditorDelegate;
class IPluginBase;
namespace igfx {
class IGfx;
}
} // namespace ifx

namespace murkwisp {

class FennowIconButton;
class PresetIconButton;
class PresetNameControl;

// The controls that reach others of the same editor, found as the layout
// attaches them. Each editor has its own: nothing of one editor can reach
// another's controls, nor outlive them.
struct EditorLinks
{
  FennowIconButton* aboutButton = nullptr;
  PresetIconButton* presetButton = nullptr;
  PresetNameControl* presetName = nullptr;
};

// The editor's graphics, at the configuration's editor size: the plug-in's
// graphics factory.
ifx::igfx::IGfx* MakeMurkwispGraphics(ifx::IEditorDelegate& delegate);

// The whole layout. plugin (may be null) gives the current preset's name.
void LayoutMurkwispEditor(ifx::igfx::IGfx* g, const ifx::IPluginBase* plugin, const EditorDisplayValues& values);

// The steps, in the order the layout runs them.
void AttachEditorCornerResizer(ifx::igfx::IGfx* g);
void LoadEditorFonts(ifx::igfx::IGfx* g);
void AttachBackgroundLayers(ifx::igfx::IGfx* g, const ifx::igfx::IRECT& bounds, const EditorDrawFunctions& draw);
void AttachHeader(ifx::igfx::IGfx* g, const ifx::IPluginBase* plugin, EditorLinks& links);
void AttachInputSection(ifx::igfx::IGfx* g);
void AttachOutputSection(ifx::igfx::IGfx* g);
void AttachEffectSection(ifx::igfx::IGfx* g);
void AttachDivider(ifx::igfx::IGfx* g, const EditorDrawFunctions& draw);
void AttachPitchShiftSection(ifx::igfx::IGfx* g, const EditorDrawFunctions& draw);
void AttachPopups(ifx::igfx::IGfx* g, const ifx::igfx::IRECT& bounds, const EditorLinks& links);

// The control tags the meter senders and the preset browser address.
enum EEditorTag
{
  kTagInputMeter = 0,
  kTagOutputMeter = 1,
  kTagPresetName = 2,
};

} // namespace murkwisp
