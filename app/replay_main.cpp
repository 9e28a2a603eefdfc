// tarvel-replay: runs calculator commands read as JSON Lines on standard input, one answer line
// per input line on standard output, flushed per line. Takes no arguments.
#include <cstdio>
#include <iostream>
#include <string>

#include "app/replay_session.h"

int main(int argc, char** /*argv*/) {
  if (argc > 1) {
    std::fputs("usage: tarvel-replay < requests.jsonl (takes no arguments)\n", stderr);
    return 2;
  }
  std::ios::sync_with_stdio(false);
  std::string line;
  while (std::getline(std::cin, line)) {
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    std::cout << tarvel::ReplayLine(line) << '\n' << std::flush;
  }
  return 0;
}
