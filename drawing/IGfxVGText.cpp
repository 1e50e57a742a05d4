// IGfxVG: text measured and drawn through the renderer's glyph store, and
// fonts registered in it.
#include "drawing/IGfxVG.h"

#include <cstring>

#include "drawing/CanvasPaintConversion.h"
#include "platform/FontDataCache.h"
#include "platform/PlatformFont.h"
#include "renderer/CanvasContext.h"
#include "renderer/GlyphStore.h"

using namespace ifx::canvas;

namespace ifx {
namespace igfx {

namespace {
constexpr int kRowsPerCall = 3;

struct TextPlacement
{
  float x, y;
  int align;    // renderer flags
  float factor; // of the text block's height above y: 0 top, 0.5 middle, 1 bottom
};

TextPlacement Place(const ITextStyle& text, const IRECT& r)
{
  TextPlacement p{r.L, r.T, kCanvasAlignLeft, 0.f};
  switch (text.align)
  {
    case kAlignCenter:
      p.x = r.MW();
      p.align = kCanvasAlignCenter;
      break;
    case kAlignFar:
      p.x = r.R;
      p.align = kCanvasAlignRight;
      break;
    default: break;
  }
  switch (text.valign)
  {
    case kVAlignMiddle:
      p.y = r.MH();
      p.align |= kCanvasAlignMiddle;
      p.factor = 0.5f;
      break;
    case kVAlignBottom:
      p.y = r.B;
      p.align |= kCanvasAlignBottom;
      p.factor = 1.f;
      break;
    default: p.align |= kCanvasAlignTop; break;
  }
  return p;
}

void SetFont(CanvasContext* canvas, const ITextStyle& text)
{
  canvas->SetFontBlur(0.f);
  canvas->SetFontSize(text.size);
  canvas->SetFontId(canvas->glyphs->LookupFont(text.font));
}
} // namespace

void IGfxVG::SetTextStateAndMeasure(const ITextStyle& text, const char* str, IRECT& r, float& x, float& y) const
{
  if (!mCanvas)
  {
    r = IRECT();
    return;
  }
  SetFont(mCanvas, text);
  const TextPlacement p = Place(text, r);
  mCanvas->SetTextAlign(p.align);
  x = p.x;
  y = p.y;
  float b[4];
  mCanvas->MeasureString(x, y, str, nullptr, b);
  r = IRECT(b[0], b[1], b[2], b[3]);
}

float IGfxVG::MeasureTextRun(const ITextStyle& text, const char* str, IRECT& bounds) const
{
  const IRECT r = bounds;
  float x = 0.f, y = 0.f;
  SetTextStateAndMeasure(text, str, bounds, x, y);
  double tx = 0.0, ty = 0.0;
  ComputeTextRotation(text, r, bounds, tx, ty);
  bounds = bounds.GetTranslated(static_cast<float>(tx), static_cast<float>(ty));
  return bounds.W();
}

void IGfxVG::RenderTextRun(const ITextStyle& text, const char* str, const IRECT& bounds, const IBlendMode* blend)
{
  if (!mCanvas)
    return;
  IRECT measured = bounds;
  float x = 0.f, y = 0.f;
  SetTextStateAndMeasure(text, str, measured, x, y);
  SavePathTransform();
  if (text.angle != 0.f)
  {
    double tx = 0.0, ty = 0.0;
    ComputeTextRotation(text, bounds, measured, tx, ty);
    PathTransformTranslate(static_cast<float>(tx), static_cast<float>(ty));
    PathTransformRotate(text.angle);
  }
  mCanvas->SetFillColor(CanvasColorOf(text.color, blend));
  ApplyBlendToCanvas(mCanvas, blend);
  mCanvas->DrawString(x, y, str, nullptr);
  mCanvas->SetCompositeOperation(kCanvasSourceOver);
  RestorePathTransform();
}

void IGfxVG::DrawMultiLineText(const ITextStyle& text, const char* str, const IRECT& bounds, const IBlendMode* blend)
{
  if (!mCanvas || !str || !str[0])
    return;
  mCanvas->PushState();
  SetFont(mCanvas, text);
  const TextPlacement p = Place(text, bounds);
  // Rows are placed by their top: the block of n rows sits below, around or
  // above y by the vertical factor.
  mCanvas->SetTextAlign((p.align & (kCanvasAlignLeft | kCanvasAlignCenter | kCanvasAlignRight)) | kCanvasAlignTop);
  float lineHeight = 0.f;
  mCanvas->GetLineHeight(&lineHeight);
  mCanvas->SetFillColor(CanvasColorOf(text.color, blend));

  const char* end = str + std::strlen(str);
  CanvasTextRow rows[kRowsPerCall];
  // Rows are counted first, then drawn.
  int total = 0;
  for (int pass = 0; pass < 2; pass++)
  {
    int k = 0;
    const char* at = str;
    for (;;)
    {
      const int n = mCanvas->BreakTextLines(at, end, bounds.W(), rows, kRowsPerCall);
      if (n <= 0)
        break;
      for (int i = 0; pass == 1 && i < n; i++, k++)
        mCanvas->DrawString(
          p.x, p.y - static_cast<float>(total) * lineHeight * p.factor + static_cast<float>(k) * lineHeight,
          rows[i].start, rows[i].end);
      if (pass == 0)
        total += n;
      // Every row holds at least one character, so this moves on; the check
      // only guards against a row that would not.
      if (rows[n - 1].next <= at || rows[n - 1].next >= end)
        break;
      at = rows[n - 1].next;
    }
  }
  mCanvas->PopState();
}

bool IGfxVG::RegisterBackendFont(const char* fontID, PlatformFont* font)
{
  if (!mCanvas || !fontID || !font)
    return false;
  GlyphStore* glyphs = mCanvas->glyphs;
  if (glyphs->LookupFont(fontID) >= 0)
    return true; // registered before under this id
  // The bytes are read from the platform once per process and kept in the
  // font-data cache, which outlives every glyph store that points into it.
  bool accepted = false;
  const bool cached = RegisterCachedFontData(fontID, *font, [&](const FontFileData& data) {
    accepted = glyphs->RegisterFontBytes(fontID, data.GetBytes(), data.GetSize(), data.GetFaceIndex()) >= 0;
    return accepted;
  });
  return cached && accepted;
}

} // namespace igfx
} // namespace ifx
