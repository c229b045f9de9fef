// The quillon-play executable.
#include <iostream>

#include "play/play_tool.h"

int main(int argc, char* argv[]) { return RunPlayTool(argc - 1, argv + 1, std::cout, std::cerr); }
