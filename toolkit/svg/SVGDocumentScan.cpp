// One pass over SVG text: tags are cut out in place, split into a name and
// attributes, and handed to the element handlers.
#include <cmath>
#include <cstring>
#include <new>

#include "toolkit/svg/SVGParser.h"
#include "toolkit/svg/SVGParserState.h"

namespace ifx {
namespace igfx {
namespace svg {

namespace {
void StartElement(SVGParser& p, const char* name, const SVGAttr* attrs, int nattrs)
{
  const bool linear = Is(name, "linearGradient");
  if (linear || Is(name, "radialGradient"))
    ParseGradientElement(p, linear ? kSVGPaintLinear : kSVGPaintRadial, attrs, nattrs);
  else if (Is(name, "stop"))
    ParseStopElement(p, attrs, nattrs);
  else if (Is(name, "defs"))
    ++p.defsDepth;
  // Inside definitions nothing else is drawn or inherited.
  else if (p.defsDepth > 0)
    return;
  else if (Is(name, "g"))
  {
    PushAttributes(p);
    for (int i = 0; i < nattrs; ++i)
      ApplyPresentationAttribute(p, attrs[i].name, attrs[i].value);
  }
  else if (Is(name, "svg"))
    ParseRootAttributes(p, attrs, nattrs);
  else
    ParseShapeElement(p, name, attrs, nattrs);
}

void EndElement(SVGParser& p, const char* name)
{
  // A group inside definitions pushed nothing, so it pops nothing.
  if (Is(name, "g"))
  {
    if (p.defsDepth == 0)
      PopAttributes(p);
  }
  else if (Is(name, "defs"))
  {
    if (p.defsDepth > 0)
      --p.defsDepth;
  }
  else if (Is(name, "linearGradient") || Is(name, "radialGradient"))
    p.openGradient = nullptr;
}

// The text of one tag, between "<" and ">".
void ParseElement(SVGParser& p, char* s)
{
  while (IsSpace(*s))
    ++s;
  const bool endTag = *s == '/';
  if (endTag)
    ++s;
  // Comments, declarations, processing instructions and empty tags.
  if (!*s || *s == '!' || *s == '?')
    return;
  const char* name = s;
  while (*s && !IsSpace(*s))
    ++s;
  if (*s)
    *s++ = '\0';

  SVGAttr attrs[kMaxElementAttributes];
  int nattrs = 0;
  bool selfClosing = false;
  while (*s)
  {
    while (IsSpace(*s))
      ++s;
    if (!*s)
      break;
    if (*s == '/')
    {
      selfClosing = true;
      break;
    }
    const char* attrName = s;
    while (*s && !IsSpace(*s) && *s != '=')
      ++s;
    if (*s)
      *s++ = '\0';
    while (*s && *s != '"' && *s != '\'')
      ++s;
    if (!*s)
      break;
    const char quote = *s++;
    const char* value = s;
    while (*s && *s != quote)
      ++s;
    if (*s)
      *s++ = '\0';
    // Later attributes beyond the limit are dropped.
    if (nattrs < kMaxElementAttributes)
      attrs[nattrs++] = SVGAttr{attrName, value};
  }

  if (endTag)
  {
    EndElement(p, name);
    return;
  }
  StartElement(p, name, attrs, nattrs);
  if (selfClosing)
    EndElement(p, name);
}

void ScanDocument(SVGParser& p, char* s)
{
  char* tag = nullptr;
  for (; *s; ++s)
  {
    if (!tag && *s == '<')
      tag = s + 1;
    // Quotes are not tracked: a ">" inside a value ends the tag too.
    else if (tag && *s == '>')
    {
      *s = '\0';
      ParseElement(p, tag);
      tag = nullptr;
    }
  }
}
} // namespace

SVGParser::~SVGParser()
{
  delete[] pts;
  DeletePaths(paths);
  DeleteGradientDefs(gradients);
  DeleteSVGImage(image);
}

} // namespace svg

SVGImage* ParseSVG(char* text, const char* units, float dpi)
{
  auto* p = new (std::nothrow) svg::SVGParser();
  if (!p)
    return nullptr;
  p->image = new (std::nothrow) SVGImage();
  if (!p->image)
  {
    delete p;
    return nullptr;
  }
  // A dpi that is no number converts nothing rather than making NaN lengths.
  p->dpi = std::isfinite(dpi) ? dpi : 0.f;
  if (text)
    svg::ScanDocument(*p, text);
  svg::ScaleToViewport(*p, units);
  SVGImage* image = p->image;
  p->image = nullptr;
  delete p;
  return image;
}

} // namespace igfx
} // namespace ifx
