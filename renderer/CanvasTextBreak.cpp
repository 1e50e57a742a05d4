// Breaking text into rows no wider than a width: at spaces, before CJK
// characters, at newlines, and inside a word only when the word alone is
// wider than the row.

#include "renderer/CanvasContext.h"
#include "renderer/GlyphStore.h"

namespace ifx::canvas {

namespace {
enum ECharKind
{
  kKindSpace,
  kKindNewline,
  kKindChar,
  kKindCJK
};

ECharKind KindOf(uint32_t c)
{
  switch (c)
  {
    case 9:
    case 11:
    case 12:
    case 32:
    case 0xa0: return kKindSpace;
    case 10:
    case 13:
    case 0x85: return kKindNewline;
    default: break;
  }
  if ((c >= 0x4e00 && c <= 0x9fff) || (c >= 0x3000 && c <= 0x30ff) || (c >= 0xff00 && c <= 0xffef) ||
      (c >= 0x1100 && c <= 0x11ff) || (c >= 0x3130 && c <= 0x318f) || (c >= 0xac00 && c <= 0xd7af))
    return kKindCJK;
  return kKindChar;
}

// The row being built; x values are relative to its first character.
struct RowBuilder
{
  const char* start = nullptr;
  const char* end = nullptr; // after its last character (trailing spaces excluded)
  float startX = 0.f, width = 0.f, minX = 0.f, maxX = 0.f;
  // The last place it may break: after the previous word.
  const char* breakEnd = nullptr;
  float breakWidth = 0.f, breakMaxX = 0.f;
  // The word being read.
  const char* wordStart = nullptr;
  float wordStartX = 0.f, wordMinX = 0.f; // absolute

  // A row from the character at the cursor (or from the current word).
  void Begin(const char* from, float fromX, float fromMinX, const GlyphCursor& it, const GlyphQuad& q)
  {
    start = from;
    end = it.next;
    startX = fromX;
    width = it.nextx - startX;
    minX = fromMinX - startX;
    maxX = q.x1 - startX;
    breakEnd = start;
    breakWidth = 0.f;
    breakMaxX = 0.f;
    wordStart = from;
    wordStartX = fromX;
    wordMinX = fromMinX;
  }
};
} // namespace

int CanvasContext::BreakTextLines(const char* text, const char* end, float breakRowWidth, CanvasTextRow* rows,
                                  int maxRows)
{
  if (!text || !end || end <= text || !rows || maxRows <= 0)
    return 0;
  const float f = SetGlyphState();
  if (f == 0.f)
    return 0;
  const float invf = 1.0f / f;
  breakRowWidth *= f;
  glyphs->state.align =
    kCanvasAlignLeft | (glyphs->state.align & ~(kCanvasAlignLeft | kCanvasAlignCenter | kCanvasAlignRight));

  GlyphCursor it;
  GlyphQuad q;
  if (!glyphs->BeginWalk(&it, 0.f, 0.f, text, end, kGlyphBitmapOptional))
    return 0;

  int nrows = 0;
  auto emit = [&](const char* start, const char* stop, const char* next, float width, float minx, float maxx) {
    rows[nrows++] = CanvasTextRow{start, stop, next, width * invf, minx * invf, maxx * invf};
    return nrows >= maxRows;
  };

  RowBuilder row;
  ECharKind prevKind = kKindSpace;
  uint32_t prevCodepoint = 0;
  while (glyphs->StepWalk(&it, &q))
  {
    if (it.prevGlyphIndex == -1)
      q.x0 = q.x1 = it.x; // no glyph: a zero-width mark
    const uint32_t cp = it.codepoint;
    ECharKind kind = KindOf(cp);
    // CR LF and LF CR are one break: the second counts as a space. Only
    // right after the break it pairs with, so a blank CR LF line stays.
    if (prevKind == kKindNewline && ((cp == 10 && prevCodepoint == 13) || (cp == 13 && prevCodepoint == 10)))
      kind = kKindSpace;

    if (kind == kKindNewline)
    {
      // The next row starts after both characters of a pair, so a caller that
      // continues from it does not see the second as a break of its own.
      const char* next = it.next;
      if (next < end && ((cp == 13 && *next == '\n') || (cp == 10 && *next == '\r')))
        next++;
      const bool full = row.start ? emit(row.start, row.end, next, row.width, row.minX, row.maxX)
                                  : emit(it.str, it.str, next, 0.f, 0.f, 0.f);
      row = RowBuilder();
      if (full)
        return nrows;
    }
    else if (!row.start)
    {
      // Leading spaces are skipped; the first character always stays on
      // the row, however wide it is.
      if (kind != kKindSpace)
        row.Begin(it.str, it.x, q.x0, it, q);
    }
    else if (kind != kKindSpace)
    {
      if (prevKind == kKindSpace || kind == kKindCJK)
      {
        row.breakEnd = row.end;
        row.breakWidth = row.width;
        row.breakMaxX = row.maxX;
        row.wordStart = it.str;
        row.wordStartX = it.x;
        row.wordMinX = q.x0;
      }
      if (it.nextx - row.startX > breakRowWidth)
      {
        if (row.breakEnd == row.start)
        {
          // One word wider than the row: break before this character.
          const bool full = emit(row.start, it.str, it.str, row.width, row.minX, row.maxX);
          row.Begin(it.str, it.x, q.x0, it, q);
          if (full)
            return nrows;
        }
        else
        {
          const bool full = emit(row.start, row.breakEnd, row.wordStart, row.breakWidth, row.minX, row.breakMaxX);
          row.Begin(row.wordStart, row.wordStartX, row.wordMinX, it, q);
          if (full)
            return nrows;
        }
      }
      else
      {
        row.end = it.next;
        row.width = it.nextx - row.startX;
        row.maxX = q.x1 - row.startX;
      }
    }
    prevKind = kind;
    prevCodepoint = cp;
  }
  if (row.start)
    emit(row.start, row.end, end, row.width, row.minX, row.maxX);
  return nrows;
}

} // namespace ifx::canvas
