// Commands run through the command interpreter, naming the stand-in curl.
#include "platform/CommandOutput.h"
#include "platform/StandInCurl.h"
#include "platform/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

namespace {

const bool gOnPath = standin::PutStandInCurlFirstOnPath();

std::string Alphabet(size_t length)
{
  std::string text(length, '\0');
  for (size_t i = 0; i < length; ++i)
    text[i] = static_cast<char>('a' + i % 26);
  return text;
}

std::string RunCommand(const std::string& command, size_t limit = 1u << 20)
{
  return ifx::ReadCommandOutput(command.c_str(), limit);
}

} // namespace

TEST(CommandOutput, EverythingPrintedIsReadUpToTheLimit)
{
  ASSERT_TRUE(gOnPath);
  struct Case
  {
    size_t printed;
    size_t limit;
  };
  const Case cases[] = {
    {0, 1u << 20},    {1, 1u << 20},      {4095, 1u << 20},           {4096, 1u << 20},
    {4097, 1u << 20}, {300000, 1u << 20}, {(1u << 20) + 1, 1u << 20}, {3u << 20, 1u << 20},
    {5000, 4096},     {100, 0},
  };
  for (const Case& c : cases)
  {
    const std::string out = RunCommand("curl bytes=" + std::to_string(c.printed), c.limit);
    const size_t kept = std::min(c.printed, c.limit);
    EXPECT_EQ(out.size(), kept) << c.printed << " printed, limit " << c.limit;
    EXPECT_TRUE(out == Alphabet(kept)) << c.printed << " printed, limit " << c.limit;
  }
  EXPECT_EQ(RunCommand("curl silent"), "");
  EXPECT_EQ(RunCommand(""), "");
  EXPECT_EQ(ifx::ReadCommandOutput(nullptr, 100), "");
}

#ifdef _WIN32

TEST(CommandOutput, RunsInAWindowlessConsoleOfItsOwn)
{
  ASSERT_TRUE(gOnPath);
  EXPECT_EQ(RunCommand("curl console=" + std::to_string(standin::ThisProcess())),
            "console=own window=no in=device err=device");
}

TEST(CommandOutput, LineEndsAreReadAsTheRuntimesTextPipeGivesThem)
{
  ASSERT_TRUE(gOnPath);
  std::string lines;
  for (int i = 0; i < 500; ++i)
    lines += "line\n";
  EXPECT_EQ(RunCommand("curl crlf=500"), lines + "lone\rcr\r");
  // The limit counts what is kept.
  EXPECT_EQ(RunCommand("curl crlf=500", 12), "line\nline\nli");
}

TEST(CommandOutput, InputAndErrorAreTheNullDeviceNotTheCallers)
{
  ASSERT_TRUE(gOnPath);
  // The caller's input holds bytes and its error output goes to a file.
  ASSERT_TRUE(ifx::testfiles::WriteAll("command-input.txt", "twelve bytes"));
  const int input = _open("command-input.txt", _O_RDONLY | _O_BINARY);
  const int errors = _open("command-errors.txt", _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY, 0644);
  ASSERT_GE(input, 0);
  ASSERT_GE(errors, 0);
  std::fflush(stderr);
  const int savedInput = _dup(0);
  const int savedErrors = _dup(2);
  const HANDLE savedInputHandle = GetStdHandle(STD_INPUT_HANDLE);
  const HANDLE savedErrorHandle = GetStdHandle(STD_ERROR_HANDLE);
  _dup2(input, 0);
  _dup2(errors, 2);
  SetStdHandle(STD_INPUT_HANDLE, reinterpret_cast<HANDLE>(_get_osfhandle(0)));
  SetStdHandle(STD_ERROR_HANDLE, reinterpret_cast<HANDLE>(_get_osfhandle(2)));

  // The stand-in reads its input and complains; the interpreter complains
  // of a command it cannot find.
  const std::string read = RunCommand("curl stdin");
  const std::string unknown = RunCommand("no-such-command-anywhere");

  _dup2(savedInput, 0);
  _dup2(savedErrors, 2);
  SetStdHandle(STD_INPUT_HANDLE, savedInputHandle);
  SetStdHandle(STD_ERROR_HANDLE, savedErrorHandle);
  for (const int fd : {input, errors, savedInput, savedErrors})
    _close(fd);

  EXPECT_EQ(read, "stdin=0");
  EXPECT_EQ(unknown, "");
  EXPECT_EQ(ifx::testfiles::ReadAll("command-errors.txt"), "");
}

TEST(CommandOutput, InterpreterThatCannotStartGivesNothing)
{
  ASSERT_TRUE(gOnPath);
  const char* comspec = std::getenv("ComSpec");
  const std::string saved = std::string("ComSpec=") + (comspec ? comspec : "");
  ASSERT_EQ(_putenv("ComSpec=C:\\no-such-folder\\cmd.exe"), 0);
  const std::string out = RunCommand("curl bytes=10");
  _putenv(saved.c_str());
  EXPECT_EQ(out, "");
  // Without ComSpec the system's interpreter runs it.
  ASSERT_EQ(_putenv("ComSpec="), 0);
  EXPECT_EQ(RunCommand("curl bytes=10"), Alphabet(10));
  _putenv(saved.c_str());
}

#endif
