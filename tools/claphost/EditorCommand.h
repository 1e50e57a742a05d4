#pragma once
// claphost editor <module.clap> [--screenshot out.png] [--pixel x,y]...
//                 [--click x,y] [--drag x,y,x2,y2] [--wheel x,y,delta]
//                 [--key vk] [--shot out.png] [--measure ms] [--reopen n]
//                 [--play signal]
// The module's editor embedded the way a CLAP host embeds one: the gui
// extension's answers (api, size, scale, resize hints) as checks, then the
// editor in a host window (Windows; elsewhere it must refuse to open), its
// redraw ticks, the input posted to it, a signal played through the
// plug-in, its picture and chosen pixels, hide and show, and destroy leaving
// no window of its class behind. Check lines and the editor session's lines
// on out; the exit code is the number of failed checks (100 for bad
// arguments).
#include <ostream>

namespace claphost {

int RunEditorCommand(int argc, char** argv, std::ostream& out, std::ostream& err);

} // namespace claphost
