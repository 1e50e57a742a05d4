#pragma once
// The editor command's window half: a host's top-level window that the
// editor view is attached to, the message pump, input posted to the editor
// and a screenshot read back from it. Windows has the real window; other
// systems have none, and there the view must refuse to attach.
#include <string>
#include <utility>
#include <vector>

#include "abi/vst3/Vst3PlugView.h"
#include "vst3host/HostObjects.h"

namespace vst3host {

// One piece of input, in editor window pixels.
struct EditorInput {
  enum Kind { kClick, kRightClick, kDoubleClick, kDrag, kWheel, kKey };
  Kind kind = kClick;
  int x = 0, y = 0;
  int x2 = 0, y2 = 0;  // drag: where it ends
  int value = 0;       // wheel: delta (120 a notch); key: virtual-key code
};

struct EditorOptions {
  std::string screenshot;                     // PNG written here when set
  std::vector<std::pair<int, int>> pixels;    // printed from the picture
  std::vector<EditorInput> inputs;
  int measureMs = 1000;                       // redraw ticks counted this long
  int reopen = 1;                             // times closed and opened again
};

// Attaches the view in a host window, reports what the host sees (lines the
// tests look for), posts the input, takes the screenshot, detaches and
// reopens. True when everything that must hold held.
bool RunEditorSession(IPlugView* view, void* module, ComponentHandler& handler, const EditorOptions& options);

}  // namespace vst3host
