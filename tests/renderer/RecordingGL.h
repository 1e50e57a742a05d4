#pragma once
// A GL entry-point table that records every call with its arguments instead
// of drawing, for checking the exact state sequences of the GL back end
// without a GPU (natively and under wine alike). One recorder per process:
// the entry points are plain functions.

#include <string>
#include <vector>

#include "renderer/CanvasGLApi.h"

using namespace ifx::canvas;

struct GLRecord
{
  std::string name;                 // "glEnable", ...
  std::vector<double> args;         // numbers and enums; pointers as 0
  std::vector<float> floats;        // the values behind glUniform*fv
  std::vector<std::string> strings; // names passed, and the sources of glShaderSource
  std::vector<unsigned char> bytes; // the data of glBufferData

  double Arg(size_t i) const { return i < args.size() ? args[i] : -1.0; }
};

struct RecordingGL
{
  // Fresh log and default answers: shaders compile and link, framebuffers
  // are complete, no error, bound framebuffer 0, room in the fragment
  // uniforms for 64 blocks, a 100 x 100 viewport, no multisampling.
  static void Reset();
  // Every entry, the optional ones too.
  static CanvasGLApi Table();

  static std::vector<GLRecord>& Log();
  // The calls named `name`, in order.
  static std::vector<GLRecord> Named(const std::string& name);
  // One call as a line: the name and its arguments, whole numbers in hex.
  static std::string Line(const std::string& name, const std::vector<double>& args);
  // Names with arguments, one line each ("glEnable 0xb90"), of the log from
  // `first` on, leaving out the names in `skip`.
  static std::vector<std::string> Lines(size_t first = 0, const std::vector<std::string>& skip = {});

  static int compileStatus;
  // Answers of glGetShaderiv's compile status in turn; compileStatus once used up.
  static std::vector<int> compileStatuses;
  static int linkStatus;
  static int maxFragmentUniformComponents;
  static int viewport[4];
  static int sampleBuffers;
  // Answers of glCheckFramebufferStatus in turn; complete once used up.
  static std::vector<cgl::Enum> framebufferStatus;
  static int boundFramebuffer;
  static int boundRenderbuffer;
  static cgl::Enum error; // what glGetError answers
};
