// The quillon-font executable.
#include <iostream>

#include "font/font_tool.h"

int main(int argc, char* argv[]) { return RunFontTool(argc - 1, argv + 1, std::cout, std::cerr); }
