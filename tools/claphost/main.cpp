// claphost: loads a .clap module and checks it the way a CLAP host would,
// enforcing the standard's thread and call-order rules.
//   claphost <path to module.clap>
// One line per check on stdout; the exit code is the number of failed checks
// (capped at 100), 0 when everything passed.
//   claphost process <module> ...      one run over a signal or WAV file
//   claphost make-signal <kind> ...    a test signal as a WAV file
//   claphost editor <module> ...       the editor embedded in a host window
// (see tools/claphost/ProcessCommand.h and EditorCommand.h).
#include <cstring>
#include <iostream>

#include "claphost/EditorCommand.h"
#include "claphost/HostScenario.h"
#include "claphost/ProcessCommand.h"

int main(int argc, char** argv)
{
  if (argc < 2)
  {
    std::cerr << "usage: claphost <module.clap> | process <module.clap> ... | make-signal ... | editor ...\n";
    return 100;
  }
  if (!std::strcmp(argv[1], "process"))
    return claphost::RunProcessCommand(argc, argv, std::cout, std::cerr);
  if (!std::strcmp(argv[1], "make-signal"))
    return claphost::RunMakeSignalCommand(argc, argv, std::cout);
  int failures = 0;
  if (!std::strcmp(argv[1], "editor"))
  {
    failures = claphost::RunEditorCommand(argc, argv, std::cout, std::cerr);
    if (failures == 100)
      return failures;
  }
  else
    failures = claphost::RunHostScenario(argv[1], std::cout);
  std::cout << (failures == 0 ? "ALL PASSED" : "FAILURES: " + std::to_string(failures)) << std::endl;
  return failures > 100 ? 100 : failures;
}
