#pragma once

namespace ifx::canvas {
// 2-D affine transforms as six floats (a, b, c, d, e, f):
// (x, y) -> (a*x + c*y + e, b*x + d*y + f).

void CanvasTransformIdentity(float* t);
void CanvasTransformTranslate(float* t, float tx, float ty);
void CanvasTransformScale(float* t, float sx, float sy);
void CanvasTransformRotate(float* t, float angle);

// t becomes t followed by s.
void CanvasConcatTransform(float* t, const float* s);

// Writes the inverse and returns 1; a (nearly) singular transform writes the
// identity and returns 0, so callers never divide by a zero determinant.
int CanvasInvertTransform(float* out, const float* t);

void CanvasTransformPoint(float* dx, float* dy, const float* t, float sx, float sy);

// Average length of the two axes: how much the transform scales widths.
float CanvasAverageScale(const float* t);

} // namespace ifx::canvas
