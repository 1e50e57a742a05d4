#pragma once
// The editor view, the host's frame around it, and content scaling.
#include "abi/vst3/Vst3Base.h"

namespace Steinberg {

struct ViewRect
{
  int32 left = 0;
  int32 top = 0;
  int32 right = 0;
  int32 bottom = 0;
  int32 getWidth() const { return right - left; }
  int32 getHeight() const { return bottom - top; }
};

static_assert(sizeof(ViewRect) == 16 && alignof(ViewRect) == 4, "ViewRect layout");

constexpr FIDString kPlatformTypeHWND = "HWND";
constexpr FIDString kPlatformTypeX11EmbedWindowID = "X11EmbedWindowID";

enum KeyModifier : int16
{
  kShiftKey = 1 << 0,
  kAlternateKey = 1 << 1,
  kCommandKey = 1 << 2,
  kControlKey = 1 << 3
};

class IPlugFrame;

class IPlugView : public FUnknown
{
public:
  MURKWISP_VST3_IID(0x5BC32507, 0xD06049EA, 0xA6151B52, 0x2B755B29)
  virtual tresult PLUGIN_API isPlatformTypeSupported(FIDString type) = 0;
  virtual tresult PLUGIN_API attached(void* parent, FIDString type) = 0;
  virtual tresult PLUGIN_API removed() = 0;
  virtual tresult PLUGIN_API onWheel(float distance) = 0;
  virtual tresult PLUGIN_API onKeyDown(char16 key, int16 keyCode, int16 modifiers) = 0;
  virtual tresult PLUGIN_API onKeyUp(char16 key, int16 keyCode, int16 modifiers) = 0;
  virtual tresult PLUGIN_API getSize(ViewRect* size) = 0;
  virtual tresult PLUGIN_API onSize(ViewRect* newSize) = 0;
  virtual tresult PLUGIN_API onFocus(TBool state) = 0;
  virtual tresult PLUGIN_API setFrame(IPlugFrame* frame) = 0;
  virtual tresult PLUGIN_API canResize() = 0;
  virtual tresult PLUGIN_API checkSizeConstraint(ViewRect* rect) = 0;
  MURKWISP_VST3_INTERFACE(IPlugView)
};

class IPlugFrame : public FUnknown
{
public:
  MURKWISP_VST3_IID(0x367FAF01, 0xAFA94693, 0x8D4DA2A0, 0xED0882A3)
  virtual tresult PLUGIN_API resizeView(IPlugView* view, ViewRect* newSize) = 0;
  MURKWISP_VST3_INTERFACE(IPlugFrame)
};

class IPlugViewContentScaleSupport : public FUnknown
{
public:
  MURKWISP_VST3_IID(0x65ED9690, 0x8AC44525, 0x8AADEF7A, 0x72EA703F)
  using ScaleFactor = float;
  virtual tresult PLUGIN_API setContentScaleFactor(ScaleFactor factor) = 0;
  MURKWISP_VST3_INTERFACE(IPlugViewContentScaleSupport)
};

} // namespace Steinberg
