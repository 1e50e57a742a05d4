#pragma once
// SVG text to SVGImage. Understands a small subset of SVG: groups, paths,
// basic shapes, linear and radial gradients, presentation attributes and
// "style" declarations, transforms and lengths with units.
namespace ifx {
namespace igfx {

struct SVGImage;

// Parses the zero-terminated text in place (it writes terminating zeros into
// it). Coordinates of the result are in units ("px", "pt", "pc", "mm", "cm",
// "in", "%", "em", "ex"; anything else counts as user units); dpi converts
// physical units to pixels. Malformed text never fails: what cannot be read
// is skipped. Null only when memory runs out. Free with DeleteSVGImage.
SVGImage* ParseSVG(char* text, const char* units, float dpi);

} // namespace igfx
} // namespace ifx
