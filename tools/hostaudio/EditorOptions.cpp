#include <cstdio>

#include "hostaudio/EditorSession.h"

namespace hostaudio {

namespace {

// "a[,b[,c[,d]]]": exactly n integers and nothing after them.
bool ParseInts(const char* v, int n, int* out)
{
  char extra = 0;
  int got = 0;
  switch (n)
  {
    case 1: got = std::sscanf(v, "%d%c", &out[0], &extra); break;
    case 2: got = std::sscanf(v, "%d,%d%c", &out[0], &out[1], &extra); break;
    case 3: got = std::sscanf(v, "%d,%d,%d%c", &out[0], &out[1], &out[2], &extra); break;
    case 4: got = std::sscanf(v, "%d,%d,%d,%d%c", &out[0], &out[1], &out[2], &out[3], &extra); break;
    default: return false;
  }
  return got == n;
}

} // namespace

bool ParseEditorOption(const std::string& opt, const char* v, EditorOptions& e)
{
  int n[4] = {};
  double factor = 0.;
  char extra = 0;
  EditorInput in;
  if (opt == "--screenshot")
  {
    e.screenshot = v;
  }
  else if (opt == "--pixel" && ParseInts(v, 2, n))
  {
    e.pixels.push_back({n[0], n[1]});
  }
  else if (opt == "--measure" && ParseInts(v, 1, n) && n[0] > 0)
  {
    e.measureMs = n[0];
  }
  else if (opt == "--reopen" && ParseInts(v, 1, n) && n[0] >= 0)
  {
    e.reopen = n[0];
  }
  else if (opt == "--play" && *v)
  {
    e.play = v;
  }
  else if (opt == "--scale" && std::sscanf(v, "%lf%c", &factor, &extra) == 1)
  {
    e.scales.push_back(factor);
  }
  else if ((opt == "--click" || opt == "--right-click" || opt == "--double-click") && ParseInts(v, 2, n))
  {
    in.kind = opt == "--click"         ? EditorInput::kClick
              : opt == "--right-click" ? EditorInput::kRightClick
                                       : EditorInput::kDoubleClick;
    in.x = n[0];
    in.y = n[1];
    e.inputs.push_back(in);
  }
  else if (opt == "--drag" && ParseInts(v, 4, n))
  {
    in.kind = EditorInput::kDrag;
    in.x = n[0], in.y = n[1], in.x2 = n[2], in.y2 = n[3];
    e.inputs.push_back(in);
  }
  else if (opt == "--wheel" && ParseInts(v, 3, n))
  {
    in.kind = EditorInput::kWheel;
    in.x = n[0], in.y = n[1], in.value = n[2];
    e.inputs.push_back(in);
  }
  else if (opt == "--key" && ParseInts(v, 1, n))
  {
    in.kind = EditorInput::kKey;
    in.value = n[0];
    e.inputs.push_back(in);
  }
  else if (opt == "--shot" && *v)
  {
    in.kind = EditorInput::kShot;
    in.path = v;
    e.inputs.push_back(in);
  }
  else
  {
    return false;
  }
  return true;
}

} // namespace hostaudio
