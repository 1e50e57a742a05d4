#pragma once
// The test hosts' editor command, window half: a host's top-level window the
// plug-in's editor is opened in (a child of class "IFxWndClass"), the
// message pump, input posted to the editor, and a screenshot read back from
// it. Windows has the real window; other systems have none, and there the
// editor must refuse to open. The format's host supplies how its editor is
// opened and closed.
#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace hostaudio {

// One piece of input, in editor window pixels, or a picture taken between
// two pieces once the editor has drawn what came before.
struct EditorInput
{
  enum Kind
  {
    kClick,
    kRightClick,
    kDoubleClick,
    kDrag,
    kWheel,
    kKey,
    kShot
  };
  Kind kind = kClick;
  int x = 0, y = 0;
  int x2 = 0, y2 = 0; // drag: where it ends
  int value = 0;      // wheel: delta (120 a notch); key: virtual-key code
  std::string path;   // shot: the PNG written
};

struct EditorOptions
{
  std::string screenshot;                  // PNG written here when set
  std::vector<std::pair<int, int>> pixels; // printed from the picture
  std::vector<EditorInput> inputs;
  int measureMs = 1000; // redraw ticks counted this long
  int reopen = 1;       // times closed and opened again
  std::string play;     // a test signal played through before the screenshot
  std::vector<double> scales; // display scales the host sets, one after another, before the input
};

// The options --screenshot path, --pixel x,y, --click x,y, --right-click x,y,
// --double-click x,y, --drag x,y,x2,y2, --wheel x,y,delta, --key vk,
// --shot path, --measure ms, --reopen n, --play signal (a GenerateSignal
// kind) and --scale factor; false for any other option or a bad value.
bool ParseEditorOption(const std::string& option, const char* value, EditorOptions& options);

// How the format's host opens its editor in a parent window and closes it.
struct EditorHooks
{
  std::function<bool(void* parent)> open; // false: refused
  std::function<bool()> close;
  std::function<size_t()> paramEdits; // parameter edits the host has seen
  // Plays half a second of a test signal through the plug-in, as its audio
  // thread would, while the editor is open; false when it could not.
  std::function<bool(const std::string& signal)> play;
  // The host's display scale (VST3 setContentScaleFactor, CLAP set_scale);
  // the editor's size as the host reads it (getSize, get_size); the sizes
  // the editor has asked the host for so far (resizeView, request_resize).
  std::function<bool(double factor)> scale;
  std::function<std::pair<int, int>()> size;
  std::function<std::vector<std::pair<int, int>>()> sizeRequests;
};

// What a host does when its editor asks for a size: the client area of its
// window (the parent the editor was opened in) made width x height. False
// when the window could not take that size.
bool ResizeHostWindow(void* window, int width, int height);

// Opens the editor in a host window of width x height, reports what the host
// sees (lines the tests look for), posts the input, takes the screenshot,
// closes and reopens. module: the plug-in module, whose window class is
// checked. True when everything that must hold held.
bool RunEditorSession(const EditorHooks& editor, int width, int height, void* module, const EditorOptions& options);

} // namespace hostaudio
