#pragma once
// OLE for the length of a scope (the folder chooser's new-style dialog and
// OLE drag and drop need it). OleInitialize can fail, for example on a
// thread the host made multithreaded; then it is not ours to undo, and
// undoing it would take the host's own initialisation away.
#include <windows.h>
#include <ole2.h>

namespace ifx {
namespace igfx {

class OleScope
{
public:
  using InitFunc = HRESULT(WINAPI*)(LPVOID);
  using UninitFunc = void(WINAPI*)();

  OleScope() : OleScope(&OleInitialize, &OleUninitialize) {}
  // The pair of calls to make (tests watch them).
  OleScope(InitFunc init, UninitFunc uninit) : mResult(init(nullptr)), mUninit(uninit) {}
  ~OleScope()
  {
    if (SUCCEEDED(mResult))
      mUninit();
  }
  OleScope(const OleScope&) = delete;
  OleScope& operator=(const OleScope&) = delete;

  // S_OK or S_FALSE (already initialised on this thread: still counted).
  bool Initialized() const { return SUCCEEDED(mResult); }
  HRESULT Result() const { return mResult; }

private:
  HRESULT mResult;
  UninitFunc mUninit;
};

} // namespace igfx
} // namespace ifx
