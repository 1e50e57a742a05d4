// Without windows the editor cannot open: the plug-in must say so.
#include <cstdio>

#include "hostaudio/EditorSession.h"

namespace hostaudio {

bool ResizeHostWindow(void*, int, int) { return false; }

bool RunEditorSession(const EditorHooks& editor, int, int, void*, const EditorOptions&)
{
  const bool opened = editor.open(nullptr);
  std::printf("editor.attach: %s\n", opened ? "ok" : "refused");
  if (opened)
    editor.close();
  std::printf("editor check: %s\n", opened ? "FAIL" : "PASS");
  return !opened;
}

} // namespace hostaudio
