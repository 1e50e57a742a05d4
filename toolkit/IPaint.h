#pragma once
// What strokes and fills paint with, and how they are stroked, filled and blended.
#include <cstdint>
#include <initializer_list>
#include "toolkit/IRgba.h"
#include "toolkit/ITransform2D.h"

namespace ifx {
namespace igfx {

enum EPatternKind : int32_t
{
  kPatternSolid = 0,
  kPatternLinear = 1,
  kPatternRadial = 2
};
enum EPatternExtend : int32_t
{
  kExtendPad = 1,
  kExtendReflect = 2,
  kExtendRepeat = 3
};
enum ELineCap : int32_t
{
  kCapButt = 0,
  kCapRound = 1,
  kCapSquare = 2
};
enum ELineJoin : int32_t
{
  kJoinMiter = 0,
  kJoinRound = 1,
  kJoinBevel = 2
};
enum EFillRule : int32_t
{
  kFillWinding = 0,
  kFillEvenOdd = 1,
  kFillPreserveWinding = 2
};

struct IColorStop
{
  IRgba color = kColorBlack;
  float offset = 0.f;
};

struct IPaintPattern
{
  static constexpr int kMaxStops = 16;

  int32_t kind = kPatternSolid;
  int32_t extend = kExtendPad;
  IColorStop stops[kMaxStops];
  int32_t nStops = 0;
  ITransform2D transform;

  IPaintPattern() = default;
  IPaintPattern(const IRgba& color) : nStops(1) { stops[0].color = color; }
  IPaintPattern(int32_t k) : kind(k) {}

  // A pad-extended linear gradient from (x1, y1) to (x2, y2). The transform
  // maps the start to (0, 0) and the end to (0, 1): the gradient runs along
  // the transformed y axis. Stops beyond the sixteenth are dropped. End
  // points that give no direction make the solid pattern of
  // SolidWhenDegenerate.
  static IPaintPattern CreateLinearGradient(float x1, float y1, float x2, float y2,
                                            std::initializer_list<IColorStop> stops);

  // The points the transform maps to (0, 0) and (0, 1): where a linear
  // gradient starts and ends, as the drawing back end hands them to the
  // renderer (single precision, the end rounded from the start as rounded
  // plus the axis). False when the transform cannot be inverted.
  bool AxisEndPoints(float& sx, float& sy, float& ex, float& ey) const;

  // A gradient that has no direction or size paints its last stop all over:
  // a linear one whose axis end points give no direction (see
  // FindGradientDirection), a radial one whose transform cannot be inverted.
  // Such a gradient becomes that solid pattern (an empty one without
  // stops); any other pattern is returned as it is.
  IPaintPattern SolidWhenDegenerate() const;

  // Stops beyond the sixteenth are dropped.
  void AddStop(const IRgba& color, float offset)
  {
    if (nStops >= kMaxStops)
      return;
    stops[nStops].color = color;
    stops[nStops].offset = offset;
    ++nStops;
  }
};

struct IBlendMode
{
  int32_t method = 0;
  float weight = 1.f;

  constexpr IBlendMode() = default;
  constexpr IBlendMode(int32_t m, float w) : method(m), weight(w) {}
};

inline float BlendWeight(const IBlendMode* blend) { return blend ? blend->weight : 1.f; }

struct IStrokeSettings
{
  static constexpr int kMaxDashes = 8;

  float miterLimit = 10.f;
  bool preserve = false;
  int32_t cap = kCapButt;
  int32_t join = kJoinMiter;
  struct Dash
  {
    float lengths[kMaxDashes] = {};
    float offset = 0.f;
    int32_t count = 0;
  } dash;

  // Counts beyond the eight slots are clamped; a negative count means none.
  void SetDash(const float* lengths, float offset, int count);
};

struct IFillSettings
{
  int32_t rule = kFillWinding;
  bool preserve = false;
};

} // namespace igfx
} // namespace ifx
