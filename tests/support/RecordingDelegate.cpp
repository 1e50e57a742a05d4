#include "support/RecordingDelegate.h"

#include <algorithm>
#include <cstdio>

#include "base/IParam.h"

namespace ifx {
namespace testkit {

RecordingDelegate::RecordingDelegate(int nParams) : IGEditorDelegate(nParams) {}

std::vector<DelegateCall> RecordingDelegate::CallsOf(DelegateCall::Kind kind) const
{
  std::vector<DelegateCall> out;
  for (const auto& c : calls)
    if (c.kind == kind)
      out.push_back(c);
  return out;
}

void RecordingDelegate::BeginParamGestureFromUI(int paramIdx)
{
  calls.push_back({DelegateCall::kBeginGesture, paramIdx});
  if (std::find(openGestures.begin(), openGestures.end(), paramIdx) != openGestures.end())
    gestureFaults.push_back("begin " + std::to_string(paramIdx) + " while its gesture is open");
  else
    openGestures.push_back(paramIdx);
  if (log)
    log->Add("dlg:Begin " + std::to_string(paramIdx));
}

void RecordingDelegate::ApplyParamValueFromUI(int paramIdx, double normalizedValue)
{
  calls.push_back({DelegateCall::kValue, paramIdx, normalizedValue});
  if (IParam* p = GetParam(paramIdx))
    p->SetNormalized(normalizedValue);
  if (log)
  {
    char buf[64];
    std::snprintf(buf, sizeof(buf), "dlg:Value %d %g", paramIdx, normalizedValue);
    log->Add(buf);
  }
}

void RecordingDelegate::EndParamGestureFromUI(int paramIdx)
{
  calls.push_back({DelegateCall::kEndGesture, paramIdx});
  const auto open = std::find(openGestures.begin(), openGestures.end(), paramIdx);
  if (open == openGestures.end())
    gestureFaults.push_back("end " + std::to_string(paramIdx) + " without a begin");
  else
    openGestures.erase(open);
  if (log)
    log->Add("dlg:End " + std::to_string(paramIdx));
}

bool RecordingDelegate::RequestEditorSizeFromUI(int width, int height, bool needsPlatformResize)
{
  DelegateCall c{DelegateCall::kSizeRequest};
  c.width = width;
  c.height = height;
  c.needsPlatformResize = needsPlatformResize;
  calls.push_back(c);
  if (log)
    log->Add("dlg:SizeRequest");
  return sizeRequestResult;
}

void RecordingDelegate::BuildEditorLayout(igfx::IGfx* gfx)
{
  calls.push_back({DelegateCall::kLayout});
  if (log)
    log->Add("dlg:Layout");
  IGEditorDelegate::BuildEditorLayout(gfx);
}

} // namespace testkit
} // namespace ifx
