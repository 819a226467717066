// start_game <game folder> <option text>: the launcher's game start, alone,
// for tests that start a real Windows hl.exe through Wine.

#include <cstdio>

#include "core/game_start.h"

int main(int argc, char* argv[]) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: start_game <game folder> <option text>\n");
    return 2;
  }
  return tarq::core::StartGame(argv[1], argv[2]) ? 0 : 1;
}
