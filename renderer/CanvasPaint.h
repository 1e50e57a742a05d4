#pragma once
// Paint forms and composite operations of the vector renderer. Every paint is
// built in user space; setting it on the state multiplies in the current
// transform.

#include "renderer/CanvasTypes.h"

namespace ifx::canvas {

CanvasColor CanvasRGBAf(float r, float g, float b, float a);

CanvasPaint CanvasColorPaint(CanvasColor color);

// Runs from (sx, sy) to (ex, ey). Points that give no direction (see
// FindGradientDirection) make a colour paint of the outer colour.
CanvasPaint CanvasLinearGradient(float sx, float sy, float ex, float ey, CanvasColor inner, CanvasColor outer);

CanvasPaint CanvasRadialGradient(float cx, float cy, float innerRadius, float outerRadius, CanvasColor inner,
                                 CanvasColor outer);

// A rounded rectangle feathered across its border, as for drop shadows.
CanvasPaint CanvasBoxGradient(float x, float y, float w, float h, float radius, float feather, CanvasColor inner,
                              CanvasColor outer);

CanvasPaint CanvasImagePattern(float ox, float oy, float ew, float eh, float angle, int image, float alpha);

// Source and destination factors of an operation (colour and alpha alike).
CanvasComposite CanvasCompositeForOperation(int op);

// Explicit factors, the same for colour and alpha.
CanvasComposite CanvasCompositeForFactors(int srcFactor, int dstFactor);

} // namespace ifx::canvas
