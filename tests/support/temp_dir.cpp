// Temporary folders and working-directory switches for tests.
#include "support/temp_dir.h"

#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "quillon-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

void TempDir::Write(const std::string& name, const std::string& content) const {
  std::filesystem::path file = std::filesystem::path(path_) / name;
  std::filesystem::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary);
  out << content;
}

std::string TempDir::Read(const std::string& name) const {
  std::ifstream in(Path(name), std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

WorkingDirectory::WorkingDirectory(const std::string& path) {
  char buffer[PATH_MAX];
  if (getcwd(buffer, sizeof buffer)) previous_ = buffer;
  if (chdir(path.c_str()) != 0) throw std::runtime_error("chdir failed: " + path);
}

WorkingDirectory::~WorkingDirectory() {
  if (!previous_.empty() && chdir(previous_.c_str()) != 0) std::abort();
}
