#pragma once
// An editor delegate that records what the editor tells it: values, gestures,
// size requests and layout calls. Parameters 0..n-1 are left unconfigured
// (range 0..1) for tests to configure as they need.
#include <string>
#include <vector>

#include "toolkit/IGEditorDelegate.h"
#include "support/EventLog.h"

namespace ifx {
namespace testkit {

struct DelegateCall
{
  enum Kind { kValue, kBeginGesture, kEndGesture, kSizeRequest, kLayout };
  Kind kind;
  int paramIdx = -1;
  double value = 0.0;
  int width = 0, height = 0;
  bool needsPlatformResize = false;
};

class RecordingDelegate : public igfx::IGEditorDelegate
{
public:
  explicit RecordingDelegate(int nParams = 4);

  std::vector<DelegateCall> calls;
  EventLog* log = nullptr;
  bool sizeRequestResult = true;
  // Host gestures must pair: every begin for a parameter without an open
  // gesture, every end for one with. Anything else is written here.
  std::vector<std::string> gestureFaults;
  std::vector<int> openGestures;

  std::vector<DelegateCall> CallsOf(DelegateCall::Kind kind) const;
  void ClearCalls() { calls.clear(); }

  void BeginParamGestureFromUI(int paramIdx) override;
  void ApplyParamValueFromUI(int paramIdx, double normalizedValue) override;
  void EndParamGestureFromUI(int paramIdx) override;
  bool RequestEditorSizeFromUI(int width, int height, bool needsPlatformResize) override;
  void BuildEditorLayout(igfx::IGfx* gfx) override;
};

} // namespace testkit
} // namespace ifx
