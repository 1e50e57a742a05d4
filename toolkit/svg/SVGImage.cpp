#include "toolkit/svg/SVGImage.h"
#include "toolkit/IGfxResources.h"

namespace ifx {
namespace igfx {

namespace {
void DeletePaint(SVGPaint& paint)
{
  if (paint.gradient)
  {
    delete[] paint.gradient->stops;
    delete paint.gradient;
    paint.gradient = nullptr;
  }
}
} // namespace

void DeleteSVGShape(SVGShape* shape)
{
  if (!shape)
    return;
  SVGPath* path = shape->paths;
  while (path)
  {
    SVGPath* nextPath = path->next;
    delete[] path->pts;
    delete path;
    path = nextPath;
  }
  DeletePaint(shape->fill);
  DeletePaint(shape->stroke);
  delete shape;
}

void DeleteSVGImage(SVGImage* image)
{
  if (!image)
    return;
  SVGShape* shape = image->shapes;
  while (shape)
  {
    SVGShape* nextShape = shape->next;
    DeleteSVGShape(shape);
    shape = nextShape;
  }
  delete image;
}

SVGHolder::~SVGHolder() { DeleteSVGImage(mImage); }

float ISvgDocument::W() const
{
  const SVGImage* img = GetImage();
  return img ? img->width : 0.f;
}

float ISvgDocument::H() const
{
  const SVGImage* img = GetImage();
  return img ? img->height : 0.f;
}

bool ISvgDocument::IsValid() const
{
  const SVGImage* img = GetImage();
  return img && img->width > 0.f && img->height > 0.f;
}

} // namespace igfx
} // namespace ifx
