// The quillon-demo-media executable.
#include <iostream>

#include "demo-media/demo_media.h"

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::cerr << "usage: quillon-demo-media OUTPUT_DIR\n";
    return 2;
  }
  return RunDemoMedia(argv[1], std::cerr);
}
