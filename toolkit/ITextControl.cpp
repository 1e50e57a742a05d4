#include "toolkit/ITextControl.h"

#include <cstdarg>
#include <cstring>

#include "toolkit/IGfx.h"

namespace ifx {
namespace igfx {

ITextControl::ITextControl(const IRECT& bounds, const char* text, const ITextStyle& style) : IControl(bounds)
{
  mStr.Set(text ? text : "");
  mText = style;
  mIgnoreMouse = true;
}

void ITextControl::OnInit()
{
  if (mSizeToText)
    FitBoundsToText();
}

void ITextControl::SetString(const char* text)
{
  if (!text)
    text = "";
  if (std::strcmp(text, mStr.Get()) == 0)
    return;
  mStr.Set(text);
  if (mSizeToText)
    FitBoundsToText();
  SetDirty(false);
}

void ITextControl::SetStringFormatted(int maxLength, const char* format, ...)
{
  va_list args;
  va_start(args, format);
  mStr.FormatV(false, maxLength, format, args);
  va_end(args);
  SetDirty(false);
}

void ITextControl::FitBoundsToText()
{
  if (!mGraphics)
    return;
  IRECT measured;
  mGraphics->MeasureText(mText, mStr.Get(), measured);
  mRECT = mTargetRECT = mRECT.GetCentredInside(measured.W(), measured.H());
  mMouseIsOver = false;
  OnResize();
}

void ITextControl::Draw(IGfx& g)
{
  g.FillRect(mBGColor, mRECT, &mBlend);
  // While its value is being typed, the entry shows the text instead.
  if (!mStr.Empty() && g.GetTextEntryOwner() != this)
    g.DrawText(mText, mStr.Get(), mRECT, &mBlend);
}

} // namespace igfx
} // namespace ifx
