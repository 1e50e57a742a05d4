#pragma once
// The font library's calls the glyph store makes outside its rasteriser. The
// library is compiled into GlyphRaster.cpp alone, with internal linkage, so
// that what nothing calls is left out of the modules; these reach it from
// the other files.
struct stbtt_fontinfo;

namespace ifx::canvas::truetype {

int FontOffsetForIndex(const unsigned char* bytes, int index);
bool InitFont(stbtt_fontinfo* info, const unsigned char* bytes, int offset);
void FontVMetrics(const stbtt_fontinfo* info, int* ascent, int* descent, int* lineGap);
float ScaleForPixelHeight(const stbtt_fontinfo* info, float pixels);
int GlyphKernAdvance(const stbtt_fontinfo* info, int glyph1, int glyph2);

} // namespace ifx::canvas::truetype
