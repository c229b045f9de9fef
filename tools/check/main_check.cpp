// The quillon-check executable.
#include <iostream>

#include "check/check_tool.h"

int main(int argc, char* argv[]) { return RunCheckTool(argc - 1, argv + 1, std::cout, std::cerr); }
