#pragma once
// Runs a command line through the system's command interpreter and collects
// what it prints: cmd.exe /c on Windows, started without a window (a plug-in
// runs inside a GUI host, where the interpreter would otherwise open a
// console window of its own), /bin/sh -c natively.
#include <cstddef>
#include <string>

namespace ifx {

// The first maxBytes the command writes to its standard output; the rest is
// read and dropped, so the command never stalls on a full pipe. Line ends
// come as the C runtime's text streams give them ("\r\n" is read as "\n" on
// Windows). Returns when the command has ended. On Windows its standard input
// and error are the null device; natively they are the caller's. "" when the
// interpreter could not be started or the command printed nothing.
std::string ReadCommandOutput(const char* commandLine, size_t maxBytes);

} // namespace ifx
