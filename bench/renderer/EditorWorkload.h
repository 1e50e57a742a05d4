#pragma once
// One frame of shapes like the editor draws: panels and buttons as rounded
// rectangles, knob and meter arcs, outlines and curve strokes, at 1200 x 800;
// and a fuller frame that adds images, glows, shadows, clipped meters and
// 60 text runs.

#include <cstdio>

#include "renderer/CanvasContext.h"
#include "renderer/CanvasPaint.h"

using namespace ifx::canvas;

inline void AddRoundedRect(CanvasContext* ctx, float x, float y, float w, float h, float r)
{
  const float pi = 3.14159265f;
  ctx->AddArc(x + w - r, y + r, r, -pi / 2, 0.f, kCanvasCW);
  ctx->AddArc(x + w - r, y + h - r, r, 0.f, pi / 2, kCanvasCW);
  ctx->AddArc(x + r, y + h - r, r, pi / 2, pi, kCanvasCW);
  ctx->AddArc(x + r, y + r, r, pi, pi * 1.5f, kCanvasCW);
  ctx->ClosePath();
}

inline void DrawEditorShapes(CanvasContext* ctx, float width, float height)
{
  const float pi = 3.14159265f;

  // Background and 200 panels/buttons: 150 flat fills, 50 gradients.
  ctx->BeginPath();
  ctx->AddRectangle(0, 0, width, height);
  ctx->SetFillColor(CanvasRGBAf(0.08f, 0.09f, 0.1f, 1.f));
  ctx->FillPath();
  for (int i = 0; i < 200; i++)
  {
    const float x = (float)(i % 20) * 60.f + 4.f, y = (float)(i / 20) * 80.f + 4.f;
    ctx->BeginPath();
    AddRoundedRect(ctx, x, y, 52.f, 70.f, 6.f);
    if (i % 4 == 0)
      ctx->SetFillPaint(CanvasLinearGradient(x, y, x, y + 70.f, CanvasRGBAf(0.3f, 0.3f, 0.35f, 1.f),
                                             CanvasRGBAf(0.1f, 0.1f, 0.12f, 1.f)));
    else
      ctx->SetFillColor(CanvasRGBAf(0.2f, 0.22f, 0.25f, 0.9f));
    ctx->FillPath();
    if (i % 4 == 1)
    {
      ctx->SetStrokeColor(CanvasRGBAf(0.6f, 0.7f, 0.9f, 1.f));
      ctx->SetStrokeWidth(1.5f);
      ctx->StrokePath();
    }
  }

  // 100 knobs: a track and a value arc with round caps, and a pointer line.
  ctx->SetLineCap(kCanvasRound);
  for (int i = 0; i < 100; i++)
  {
    const float cx = (float)(i % 20) * 60.f + 30.f, cy = (float)(i / 20) * 160.f + 40.f;
    ctx->BeginPath();
    ctx->AddArc(cx, cy, 20.f, pi * 0.75f, pi * 2.25f, kCanvasCW);
    ctx->SetStrokeWidth(4.f);
    ctx->SetStrokeColor(CanvasRGBAf(0.15f, 0.15f, 0.15f, 1.f));
    ctx->StrokePath();
    ctx->BeginPath();
    ctx->AddArc(cx, cy, 20.f, pi * 0.75f, pi * (0.75f + 0.015f * (float)i), kCanvasCW);
    ctx->SetStrokeColor(CanvasRGBAf(0.9f, 0.5f, 0.2f, 1.f));
    ctx->StrokePath();
    ctx->BeginPath();
    ctx->MoveTo(cx, cy);
    ctx->LineTo(cx + 14.f, cy - 6.f);
    ctx->SetStrokeWidth(2.f);
    ctx->StrokePath();
  }
  ctx->SetLineCap(kCanvasButt);

  // 50 curves of 24 bezier segments with mitred joins (spectrum-like lines).
  for (int i = 0; i < 50; i++)
  {
    ctx->BeginPath();
    const float y0 = 20.f + (float)i * 15.f;
    ctx->MoveTo(0.f, y0);
    for (int k = 0; k < 24; k++)
    {
      const float x = (float)k * 50.f;
      ctx->BezierTo(x + 16.f, y0 - 12.f, x + 33.f, y0 + 12.f, x + 50.f, y0 + (float)((k * 7 + i) % 5) - 2.f);
    }
    ctx->SetStrokeWidth(1.f);
    ctx->SetStrokeColor(CanvasRGBAf(0.4f, 0.9f, 0.6f, 0.7f));
    ctx->StrokePath();
  }
}

inline void DrawEditorFrame(CanvasContext* ctx, float width, float height)
{
  ctx->StartFrame(width, height, 1.f);
  DrawEditorShapes(ctx, width, height);
  ctx->FinishFrame();
}

// The shapes above plus 20 image fills, 20 radial glows, 20 box-gradient
// shadows, 20 clipped meter bars and 60 text runs in the font: 20 labels
// (18 px), 30 values (14 px) and 10 headings (24 px, centred).
inline void DrawEditorFrameWithText(CanvasContext* ctx, float width, float height, int font, int image)
{
  ctx->StartFrame(width, height, 1.f);
  DrawEditorShapes(ctx, width, height);
  for (int i = 0; i < 20; i++)
  {
    const float x = (float)(i % 10) * 120.f + 10.f, y = (float)(i / 10) * 400.f + 100.f;
    ctx->BeginPath();
    ctx->AddRectangle(x, y, 64.f, 64.f);
    ctx->SetFillPaint(CanvasImagePattern(x, y, 64.f, 64.f, 0.f, image, 1.f));
    ctx->FillPath();

    ctx->BeginPath();
    ctx->AddRectangle(x + 70.f, y, 40.f, 40.f);
    ctx->SetFillPaint(CanvasRadialGradient(x + 90.f, y + 20.f, 4.f, 20.f, CanvasRGBAf(0.5f, 0.3f, 0.9f, 0.8f),
                                           CanvasRGBAf(0.5f, 0.3f, 0.9f, 0.f)));
    ctx->FillPath();

    ctx->BeginPath();
    ctx->AddRectangle(x - 10.f, y + 60.f, 120.f, 70.f);
    ctx->SetFillPaint(CanvasBoxGradient(x, y + 70.f, 100.f, 50.f, 6.f, 10.f, CanvasRGBAf(0.f, 0.f, 0.f, 0.5f),
                                        CanvasRGBAf(0.f, 0.f, 0.f, 0.f)));
    ctx->FillPath();

    ctx->PushState();
    ctx->SetClipRect(x, y + 140.f, 20.f, 200.f);
    ctx->BeginPath();
    ctx->AddRectangle(x, y + 140.f + (float)(i * 7 % 150), 20.f, 200.f);
    ctx->SetFillColor(CanvasRGBAf(0.2f, 0.9f, 0.4f, 1.f));
    ctx->FillPath();
    ctx->PopState();
  }

  static const char* const kLabels[] = {"Input", "Output", "Haunt", "Possess", "Freeze", "Smear", "Whisper",
                                        "Mix", "Octave", "Interval"};
  ctx->SetFontId(font);
  ctx->SetFillColor(CanvasRGBAf(0.7f, 0.67f, 0.75f, 1.f));
  ctx->SetTextAlign(kCanvasAlignLeft | kCanvasAlignMiddle);
  ctx->SetFontSize(18.f);
  for (int i = 0; i < 20; i++)
    ctx->DrawString((float)(i % 4) * 300.f + 20.f, (float)(i / 4) * 150.f + 40.f, kLabels[i % 10], nullptr);
  ctx->SetTextAlign(kCanvasAlignRight | kCanvasAlignMiddle);
  ctx->SetFontSize(14.f);
  char value[32];
  for (int i = 0; i < 30; i++)
  {
    std::snprintf(value, sizeof(value), "%.1f dB", -60.0 + (double)i * 2.1);
    ctx->DrawString((float)(i % 5) * 240.f + 200.f, (float)(i / 5) * 130.f + 70.f, value, nullptr);
  }
  ctx->SetTextAlign(kCanvasAlignCenter | kCanvasAlignMiddle);
  ctx->SetFontSize(24.f);
  for (int i = 0; i < 10; i++)
    ctx->DrawString((float)(i % 2) * 600.f + 300.f, (float)(i / 2) * 160.f + 20.f, "PITCH SHIFT", nullptr);
  ctx->FinishFrame();
}
