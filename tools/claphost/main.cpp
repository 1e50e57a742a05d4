// claphost: loads a .clap module and runs it the way a CLAP host would,
// enforcing the standard's thread and call-order rules.
//   claphost process <module> ...      one run over a signal or WAV file
//   claphost make-signal <kind> ...    a test signal as a WAV file
//   claphost editor <module> ...       the editor embedded in a host window
// (see tools/claphost/ProcessCommand.h and EditorCommand.h). The editor
// command prints one line per check and ends with "ALL PASSED" or the number
// of failures, which is also its exit code (capped at 100).
#include <cstring>
#include <iostream>

#include "claphost/EditorCommand.h"
#include "claphost/ProcessCommand.h"

int main(int argc, char** argv)
{
  if (argc >= 2 && !std::strcmp(argv[1], "process"))
    return claphost::RunProcessCommand(argc, argv, std::cout, std::cerr);
  if (argc >= 2 && !std::strcmp(argv[1], "make-signal"))
    return claphost::RunMakeSignalCommand(argc, argv, std::cout);
  if (argc < 2 || std::strcmp(argv[1], "editor") != 0)
  {
    std::cerr << "usage: claphost process <module.clap> ... | make-signal ... | editor <module.clap> ...\n";
    return 100;
  }
  const int failures = claphost::RunEditorCommand(argc, argv, std::cout, std::cerr);
  if (failures == 100)
    return failures;
  std::cout << (failures == 0 ? "ALL PASSED" : "FAILURES: " + std::to_string(failures)) << std::endl;
  return failures > 100 ? 100 : failures;
}
