#pragma once
// How the toolkit's blends, colours and paint patterns become the vector
// renderer's composites and paints.
#include "toolkit/IPaint.h"
#include "renderer/CanvasTypes.h"

namespace ifx::canvas {
struct CanvasContext;
} // namespace ifx::canvas

namespace ifx {
namespace igfx {

// Sets the composite of the canvas's current state: null is source-over; a
// method the renderer has no match for leaves the composite as it is.
void ApplyBlendToCanvas(canvas::CanvasContext* canvas, const IBlendMode* blend);

// The colour with the blend's weight in its alpha.
canvas::CanvasColor CanvasColorOf(const IRgba& color, const IBlendMode* blend);

// A linear or radial gradient from the pattern's first stop to its last;
// the stops between and the extend mode are not used. A gradient without a
// direction or size (IPaintPattern::SolidWhenDegenerate) is a colour paint
// of its last stop.
canvas::CanvasPaint MakeCanvasPaint(const IPaintPattern& pattern, const IBlendMode* blend);

} // namespace igfx
} // namespace ifx
