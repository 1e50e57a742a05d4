// Without windows the editor cannot open: the view must say so.
#include <cstdio>

#include "vst3host/EditorSession.h"

namespace vst3host {

bool RunEditorSession(IPlugView* view, void*, ComponentHandler&, const EditorOptions&) {
  const tresult r = view->attached(nullptr, kPlatformTypeHWND);
  std::printf("editor.attach: %s\n", r == kResultOk ? "ok" : "refused");
  if (r == kResultOk) view->removed();
  const bool ok = r != kResultOk;
  std::printf("editor check: %s\n", ok ? "PASS" : "FAIL");
  return ok;
}

}  // namespace vst3host
