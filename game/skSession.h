// skSession: the games behind a start screen (--start-screen), in one window
// until the player quits: the start screen (skStartMenu), then a game with
// the recommended options and the choices made, with controls (P pause, R a
// new game, M mute, Escape back to the start screen), then its summary on
// the start screen. The choices are remembered in the user's data folder
// (settings.txt) and each game played is added to the record of games there
// (history.txt); a file there that cannot be read or written is reported on
// the start screen and on standard error, and the games play on.
#pragma once

#include <string>

#include "skGameOptions.h"
#include "skRules.h"

namespace skivo {

// Runs the session for the program of rules (whose game the start screen
// offers first when nothing is remembered), with base the command line's
// options: those it gives (--opponents, --seamless, --players 2) set the
// start screen's first choices, the rest apply to every game. Returns the
// exit status.
int runSession(const skRules& rules, const skGameOptions& base, const std::string& program);

}  // namespace skivo
