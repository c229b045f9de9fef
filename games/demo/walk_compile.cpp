// Stands in for quillon-map until it lands: compiles a walk-box text (one box
// a line, four corners x,y, # comments) into map records, 16 bytes a box.
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

int main(int argc, char** argv) {
  if (argc != 4 || std::string(argv[1]) != "compile") {
    std::cerr << "usage: demo-walk-compile compile TEXT MAP\n";
    return 2;
  }
  std::ifstream in(argv[2]);
  std::ofstream out(argv[3], std::ios::binary);
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    line = line.substr(0, line.find('#'));
    for (char& c : line)
      if (c == ',') c = ' ';
    std::istringstream words(line);
    int v[8], n = 0;
    while (n < 8 && words >> v[n]) ++n;
    if (n == 0) continue;
    if (n != 8) {
      std::cerr << argv[2] << ":" << number << ": a box needs four corners x,y\n";
      return 1;
    }
    for (int i = 0; i < 8; ++i) out.put(static_cast<char>(v[i] & 0xFF)).put(static_cast<char>((v[i] >> 8) & 0xFF));
  }
  return in.eof() && out ? 0 : 1;
}
