#pragma once
// A string drawn in a text style over a background colour.
#include "base/IString.h"
#include "toolkit/IControl.h"

namespace ifx {
namespace igfx {

class ITextControl : public IControl
{
public:
  // A null text leaves the string empty. Ignores the mouse.
  ITextControl(const IRECT& bounds, const char* text = "", const ITextStyle& style = kDefaultText);

  void OnInit() override;
  void Draw(IGfx& g) override;

  // Copies text unless it equals the current string (then nothing changes,
  // not even the dirty flag).
  virtual void SetString(const char* text);
  // At most maxLength characters of the formatted text; failed formatting
  // keeps what was written. Does not fit the bounds.
  virtual void SetStringFormatted(int maxLength, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 3, 4)))
#endif
    ;
  virtual void ClearString() { SetString(""); }

  // Rect and target rect become the measured size of the string, centred on
  // the old rect's centre.
  void FitBoundsToText();

  const char* GetString() const { return mStr.Get(); }
  const IRgba& GetBGColor() const { return mBGColor; }
  bool GetSizeToText() const { return mSizeToText; }

protected:
  IString mStr{128};
  IRgba mBGColor = kDefaultTextControlBackground;
  bool mSizeToText = false;
};

} // namespace igfx
} // namespace ifx
