#include "platform/CommandOutput.h"

#include "platform/win/WinText.h"

#include <windows.h>

namespace ifx {

namespace {

class OwnedHandle
{
public:
  explicit OwnedHandle(HANDLE handle = nullptr) noexcept : mHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
  ~OwnedHandle() { Close(); }
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;

  HANDLE Get() const noexcept { return mHandle; }
  // For the calls that hand back a new handle.
  HANDLE* Receive() noexcept
  {
    Close();
    return &mHandle;
  }
  void Close() noexcept
  {
    if (mHandle)
      CloseHandle(mHandle);
    mHandle = nullptr;
  }

private:
  HANDLE mHandle;
};

// The running interpreter and our end of its output pipe. Ending it closes
// the pipe first, so a command still writing gets an error instead of
// blocking, then waits for it as the runtime's pipe close does.
struct RunningCommand
{
  OwnedHandle process;
  OwnedHandle output;

  ~RunningCommand()
  {
    output.Close();
    if (process.Get())
      WaitForSingleObject(process.Get(), INFINITE);
  }
};

// %ComSpec%, as the runtime's process pipe uses; else the system's cmd.exe
// (never one found in the current folder).
std::wstring CommandInterpreter()
{
  wchar_t buffer[MAX_PATH];
  const DWORD length = GetEnvironmentVariableW(L"ComSpec", buffer, MAX_PATH);
  if (length > 0 && length < MAX_PATH)
    return std::wstring(buffer, length);
  const UINT folder = GetSystemDirectoryW(buffer, MAX_PATH);
  if (folder == 0 || folder >= MAX_PATH)
    return std::wstring();
  return std::wstring(buffer, folder) + L"\\cmd.exe";
}

} // namespace

std::string ReadCommandOutput(const char* commandLine, size_t maxBytes)
{
  std::string output;
  if (!commandLine || !*commandLine)
    return output;
  const std::wstring command = Widen(commandLine);
  const std::wstring interpreter = CommandInterpreter();
  if (command.empty() || interpreter.empty())
    return output;
  std::wstring line = L"\"" + interpreter + L"\" /c " + command;

  // The child's ends are inheritable; ours is not, or the pipe would stay
  // open in the child and never end.
  SECURITY_ATTRIBUTES inheritable = {sizeof(inheritable), nullptr, TRUE};
  RunningCommand running;
  OwnedHandle childOutput;
  if (!CreatePipe(running.output.Receive(), childOutput.Receive(), &inheritable, 0) ||
      !SetHandleInformation(running.output.Get(), HANDLE_FLAG_INHERIT, 0))
    return output;
  OwnedHandle nul(CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable,
                              OPEN_EXISTING, 0, nullptr));
  if (!nul.Get())
    return output;

  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = nul.Get();
  startup.hStdOutput = childOutput.Get();
  startup.hStdError = nul.Get();
  PROCESS_INFORMATION started = {};
  // A console of its own with no window, whether or not the host has one.
  if (!CreateProcessW(interpreter.c_str(), &line[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr,
                      &startup, &started))
    return output;
  *running.process.Receive() = started.hProcess;
  CloseHandle(started.hThread);
  // Only the child holds the writing end now: the pipe ends when it does.
  childOutput.Close();
  nul.Close();

  // Line ends as the runtime's text-mode pipe gives them: CR LF read as LF,
  // also when a piece ends between the two.
  bool carriageReturn = false;
  const auto keep = [&](char c) {
    if (output.size() < maxBytes)
      output.push_back(c);
  };
  char piece[4096];
  DWORD got = 0;
  while (ReadFile(running.output.Get(), piece, sizeof(piece), &got, nullptr) && got > 0)
  {
    for (DWORD i = 0; i < got; ++i)
    {
      if (carriageReturn && piece[i] != '\n')
        keep('\r');
      carriageReturn = piece[i] == '\r';
      if (!carriageReturn)
        keep(piece[i]);
    }
  }
  if (carriageReturn)
    keep('\r');
  return output;
}

} // namespace ifx
