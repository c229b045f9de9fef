// quillon-demo-media: collects every asset group and writes the files.
#include "demo-media/demo_media.h"

#include <filesystem>
#include <fstream>

#include "demo-media/assets.h"

namespace {

void PutLE(std::string& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(char((v >> (8 * i)) & 0xff));
}

std::string Wav(const std::vector<int16_t>& samples) {
  const uint32_t dataBytes = uint32_t(samples.size() * 2);
  std::string out = "RIFF";
  PutLE(out, 36 + dataBytes, 4);
  out += "WAVEfmt ";
  PutLE(out, 16, 4);
  PutLE(out, 1, 2);  // PCM
  PutLE(out, 1, 2);  // mono
  PutLE(out, kSampleRate, 4);
  PutLE(out, kSampleRate * 2, 4);
  PutLE(out, 2, 2);
  PutLE(out, 16, 2);
  out += "data";
  PutLE(out, dataBytes, 4);
  for (int16_t s : samples) PutLE(out, uint16_t(s), 2);
  return out;
}

bool WriteFile(const std::filesystem::path& path, const std::string& bytes, std::ostream& err) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), std::streamsize(bytes.size()));
  file.close();
  if (!file) {
    err << "quillon-demo-media: cannot write " << path.string() << "\n";
    return false;
  }
  return true;
}

}  // namespace

int RunDemoMedia(const std::string& dir, std::ostream& err) {
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  if (!std::filesystem::is_directory(dir)) {
    err << "quillon-demo-media: cannot create folder " << dir << "\n";
    return 1;
  }
  Pictures pictures;
  DrawScenes(pictures);
  DrawCharacters(pictures);
  DrawItems(pictures);
  DrawInterface(pictures);
  for (const auto& [name, canvas] : pictures)
    if (!WriteFile(std::filesystem::path(dir) / name, canvas.ToBmp(), err)) return 1;
  Sounds sounds;
  MakeSounds(sounds);
  for (const auto& [name, samples] : sounds)
    if (!WriteFile(std::filesystem::path(dir) / name, Wav(samples), err)) return 1;
  return 0;
}
