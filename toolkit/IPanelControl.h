#pragma once
// A container that fills its rectangle with a paint, optionally framed.
#include "toolkit/IContainerBase.h"
#include "toolkit/IPaint.h"

namespace ifx {
namespace igfx {

class IPanelControl : public IContainerBase
{
public:
  IPanelControl(const IRECT& bounds, const IPaintPattern& pattern, bool drawFrame = false,
                AttachFunc attachFunc = nullptr, ResizeFunc resizeFunc = nullptr);

  void Draw(IGfx& g) override;

  const IPaintPattern& GetPattern() const { return mPattern; }
  bool GetDrawFrame() const { return mDrawFrame; }

private:
  IPaintPattern mPattern;
  bool mDrawFrame;
};

} // namespace igfx
} // namespace ifx
