// Fixture media of the fuzz entries: small but valid images, fonts, sounds, maps, packs and string files.
#include <vector>

#include "fuzz/entries/fuzz_world.h"
#include "resources/pack_writer.h"

namespace {

void Fill(SDL_Surface* s, int x, int y, int w, int h, Uint8 r, Uint8 g, Uint8 b) {
  SDL_Rect rect = {static_cast<Sint16>(x), static_cast<Sint16>(y), static_cast<Uint16>(w), static_cast<Uint16>(h)};
  SDL_FillRect(s, &rect, SDL_MapRGB(s->format, r, g, b));
}

// The BMP file SDL writes for the surface; the caller frees the surface.
std::string BmpOf(SDL_Surface* surface) {
  std::vector<char> buffer(64 * 1024 + static_cast<size_t>(surface->pitch) * surface->h * 2);
  SDL_RWops* out = SDL_RWFromMem(buffer.data(), static_cast<int>(buffer.size()));
  SDL_SaveBMP_RW(surface, out, 0);
  int size = SDL_RWtell(out);
  SDL_RWclose(out);
  return std::string(buffer.data(), size > 0 ? static_cast<size_t>(size) : 0);
}

SDL_Surface* Sprite() {
  SDL_Surface* s = SDL_CreateRGBSurface(0, 32, 16, 24, 0xFF0000, 0x00FF00, 0x0000FF, 0);
  Fill(s, 0, 0, 32, 16, 255, 0, 255);
  Fill(s, 4, 2, 8, 12, 200, 30, 30);
  Fill(s, 20, 2, 8, 12, 30, 30, 200);
  return s;
}

SDL_Surface* Palettized() {
  SDL_Surface* s = SDL_CreateRGBSurface(0, 8, 4, 8, 0, 0, 0, 0);
  SDL_Color colours[3] = {{255, 0, 255, 0}, {10, 200, 10, 0}, {200, 200, 10, 0}};
  SDL_SetColors(s, colours, 0, 3);
  SDL_LockSurface(s);
  auto* pixels = static_cast<Uint8*>(s->pixels);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 8; ++x) pixels[y * s->pitch + x] = static_cast<Uint8>((x + y) % 3);
  SDL_UnlockSurface(s);
  return s;
}

void AppendU16(std::string* out, int v) {
  out->push_back(static_cast<char>(v & 0xFF));
  out->push_back(static_cast<char>((v >> 8) & 0xFF));
}

void AppendBox(std::string* out, int x0, int y0, int x1, int y1) {
  for (int v : {x0, y0, x1, y0, x1, y1, x0, y1}) AppendU16(out, v);
}

}  // namespace

std::string SpriteBmp() {
  SDL_Surface* s = Sprite();
  std::string bytes = BmpOf(s);
  SDL_FreeSurface(s);
  return bytes;
}

std::string PaletteBmp() {
  SDL_Surface* s = Palettized();
  std::string bytes = BmpOf(s);
  SDL_FreeSurface(s);
  return bytes;
}

std::string FontBmp() {
  const int cells = 100, cellWidth = 3, height = 16;
  SDL_Surface* s = SDL_CreateRGBSurface(0, 1 + cells * (cellWidth + 1), height, 24, 0xFF0000, 0x00FF00, 0x0000FF, 0);
  Fill(s, 0, 0, s->w, height, 0, 128, 0);  // background, read at (1, 0)
  for (int i = 0; i <= cells; ++i) Fill(s, i * (cellWidth + 1), 0, 1, 1, 255, 0, 0);  // markers
  for (int i = 0; i < cells; ++i) {
    Fill(s, 1 + i * (cellWidth + 1), 2, cellWidth, 5, 255, 255, 255);
    Fill(s, 1 + i * (cellWidth + 1), 10, cellWidth, 5, 255, 255, 0);
  }
  std::string bytes = BmpOf(s);
  SDL_FreeSurface(s);
  return bytes;
}

std::string SoundWav() {
  const int samples = 256;
  std::string wav = "RIFF";
  AppendInt32(&wav, 36 + samples * 2);
  wav += "WAVEfmt ";
  AppendInt32(&wav, 16);
  AppendU16(&wav, 1);      // PCM
  AppendU16(&wav, 1);      // mono
  AppendInt32(&wav, 22050);
  AppendInt32(&wav, 22050 * 2);
  AppendU16(&wav, 2);      // block align
  AppendU16(&wav, 16);     // bits
  wav += "data";
  AppendInt32(&wav, samples * 2);
  for (int i = 0; i < samples; ++i) AppendU16(&wav, (i / 16) % 2 ? 0x2000 : 0xE000);
  return wav;
}

std::string WalkMapBytes() {
  std::string map;
  AppendBox(&map, 0, 100, 100, 199);
  AppendBox(&map, 100, 100, 200, 199);
  AppendBox(&map, 200, 100, 319, 199);
  return map;
}

std::string StringFileText() { return "Hallo\r\nWelt\nein langer Satz mit Worten\n"; }

std::string ScriptPackBytes() {
  return BuildDataPack({"function Init() end function Main() end function DeInit() end function Event() end",
                        WalkMapBytes(), "return 1"});
}

std::string ImagePackBytes() {
  std::vector<PackedImage> images(3);
  SDL_Surface* palettized = Palettized();
  SDL_Surface* sprite = Sprite();
  PackSurface(palettized, 8, &images[0]);
  PackSurface(sprite, 24, &images[1]);
  PackSurface(sprite, 16, &images[2]);
  SDL_FreeSurface(palettized);
  SDL_FreeSurface(sprite);
  return BuildImagePack(images);
}

std::string SoundPackBytes() { return BuildDataPack({SoundWav(), "not a sound"}); }
