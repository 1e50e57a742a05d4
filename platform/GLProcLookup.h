#pragma once
// Finds OpenGL entry points of the context current on this thread by name:
// through wglGetProcAddress, with opengl32's own exports for the OpenGL 1.1
// functions it does not give, on Windows; through EGL natively (tests and
// benchmarks make a surfaceless Mesa context). The renderer fills its
// function table from it.
namespace ifx {

class GLProcLookup
{
public:
  // Opens the system's GL library for the lookups (natively it stays open for
  // the life of the process: the entry points live in it).
  GLProcLookup() noexcept;
  ~GLProcLookup();

  GLProcLookup(const GLProcLookup&) = delete;
  GLProcLookup& operator=(const GLProcLookup&) = delete;

  // False when the GL library or its lookup function is missing: then no
  // entry point can be found.
  bool IsOpen() const noexcept { return mGetProc != nullptr; }
  // The entry point, or null when the context has none by that name.
  void* Find(const char* name) const noexcept;

private:
  void* mLibrary = nullptr;
  void* mGetProc = nullptr;
};

} // namespace ifx
