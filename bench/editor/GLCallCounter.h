#pragma once
// Counts what a renderer asks of GL: counting trampolines put in front of
// the draw, uniform and texture-bind entries of its back end's function
// table, which hand every call on unchanged. The trampolines keep the
// entries they replace in one process-wide place, so only one counter may
// live at a time.
#include "renderer/CanvasGLApi.h"

struct GLCallCounts
{
  long drawCalls = 0;      // glDrawArrays and glDrawElements
  long uniformUploads = 0; // glUniform*
  long textureBinds = 0;   // glBindTexture
};

class GLCallCounter
{
public:
  // Counts from 0 through gl's entries until destroyed, which puts them back.
  explicit GLCallCounter(ifx::canvas::CanvasGLApi& gl);
  ~GLCallCounter();
  GLCallCounter(const GLCallCounter&) = delete;
  GLCallCounter& operator=(const GLCallCounter&) = delete;

  GLCallCounts Counts() const;

private:
  ifx::canvas::CanvasGLApi& mGl;
  ifx::canvas::CanvasGLApi mSaved;
};
