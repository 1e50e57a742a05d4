#include "plugin/editor/MurkwispDrawFunctions.h"

// The layers and decorations are not drawn yet: every function is empty, so
// their controls take their places in the layout and draw nothing.
EditorDrawFunctions MakeEditorDrawFunctions(const EditorDisplayValues& values)
{
  return EditorDrawFunctions{};
}
