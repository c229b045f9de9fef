// The quillon-pack executable.
#include <iostream>

#include "pack/pack_tool.h"

int main(int argc, char* argv[]) { return RunPackTool(argc - 1, argv + 1, std::cout, std::cerr); }
