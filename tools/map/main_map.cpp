// The quillon-map executable.
#include <iostream>

#include "map/map_tool.h"

int main(int argc, char* argv[]) { return RunMapTool(argc - 1, argv + 1, std::cout, std::cerr); }
