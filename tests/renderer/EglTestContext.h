#pragma once
// A surfaceless Mesa EGL context with a compatibility-profile OpenGL, made
// current on the calling thread; for native GL tests and benchmarks.

class EglTestContext
{
public:
  EglTestContext();
  ~EglTestContext();
  EglTestContext(const EglTestContext&) = delete;
  EglTestContext& operator=(const EglTestContext&) = delete;

  bool Ok() const { return context != nullptr; }
  const char* Error() const { return error; }
  void MakeCurrent();
  // Any entry point of the current context, for checks the renderer's table lacks.
  static void* Proc(const char* name);

private:
  void* display = nullptr;
  void* context = nullptr;
  const char* error = "";
};
