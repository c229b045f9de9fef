// The list of fuzz targets and the seed inputs of each, built from the fixture media.
#include <SDL/SDL.h>

#include "fuzz/entries/fuzz_entries.h"
#include "fuzz/entries/fuzz_world.h"
#include "fuzz/entries/script_call_codes.h"
#include "fuzz/entries/sound_media.h"
#include "resources/pack_writer.h"
#include "script/script_table.h"

namespace {

std::string Bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s.push_back(static_cast<char>(v));
  return s;
}

// Script calls: a step's code (script_call_codes.h), then for a call its
// argument count and each argument as a kind byte and its value bytes.
std::vector<std::string> ScriptCallSeeds() {
  auto call = [](int function, int count) { return Bytes({CodeOfScriptFunction(function), count}); };
  // Kind 3 picks a word of the fixture list by index; kind 1 a number of the number list.
  auto word = [](int index) { return Bytes({3, index}); };
  auto number = [](int index) { return Bytes({1, index}); };
  std::string scene = call(kScriptIndex_CreateObject, 1) + word(16)  // hero
                      + call(kScriptIndex_LoadAnim, 9) + word(16) + word(48) + word(0) + number(7) + number(7) +
                      number(0) + number(0) + number(3) + number(6)  // 16 x 16, 2 frames at 10
                      + call(kScriptIndex_PlayAnim, 3) + word(16) + word(48) + word(29)  // ONESHOT
                      + call(kScriptIndex_Show, 1) + word(16)
                      + call(kScriptIndex_SetPos, 3) + word(16) + number(8) + number(9)
                      + call(kScriptIndex_SetHero, 1) + word(16)
                      + call(kScriptIndex_LoadPathMap, 1) + word(4)  // m.map
                      + call(kScriptIndex_LoadBackground, 1) + word(0)
                      + call(kScriptIndex_LoadTalkFont, 3) + word(2) + number(5) + number(11)
                      + call(kScriptIndex_SayText, 2) + word(16) + word(47)  // hero x
                      + call(kScriptIndex_WaitFor, 2) + word(16) + word(26)  // hero TALKING
                      + call(kScriptIndex_WaitFor, 2) + word(16) + word(27)  // hero ANIMATING
                      + call(kScriptIndex_Goto, 3) + word(16) + number(11) + number(10)
                      + call(kScriptIndex_WaitFor, 2) + word(16) + word(25);  // hero WALKING
  std::string menu = call(kScriptIndex_LoadSound, 2) + word(17) + word(14)
                     + call(kScriptIndex_PlaySound, 1) + word(17)
                     + call(kScriptIndex_CreateMenuButton, 7) + word(19) + word(0) + word(19) + number(7) + number(7) +
                     number(6) + number(6)
                     + call(kScriptIndex_ShowMenuButton, 1) + word(19)
                     + call(kScriptIndex_LoadInventoryIcon, 2) + word(18) + word(0)
                     + call(kScriptIndex_AddToInventory, 1) + word(18)
                     + call(kScriptIndex_IsInInventory, 1) + word(18)
                     + Bytes({kClickCode, 10, 0, 10, 0});  // at (10, 10)
  std::string decision = call(kScriptIndex_LoadDecisionFont, 2) + word(2) + number(5)  // f.bmp 8
                         + call(kScriptIndex_SetDecisionPos, 2) + number(4) + number(4)  // 10 10
                         + call(kScriptIndex_SetMode, 1) + word(41)  // DECISION
                         + call(kScriptIndex_MakeDecision, 2) + word(47) + word(48)
                         + call(kScriptIndex_SetStringFile, 1) + word(5)  // strings
                         + call(kScriptIndex_GetString, 1) + number(1)  // 1
                         + call(kScriptIndex_S, 2) + word(47) + number(3)  // x 2
                         + call(kScriptIndex_G, 1) + word(47)  // x
                         + call(kScriptIndex_FadeOut, 1) + Bytes({0, 0})  // the duration's two bytes
                         + call(kScriptIndex_LoadSzene, 1) + word(6);  // p.dat:0
  return {scene, menu, decision};
}

}  // namespace

const std::vector<FuzzTarget>& FuzzTargets() {
  static const std::vector<FuzzTarget> targets = {
      {"data_pack", FuzzDataPack},   {"image_pack", FuzzImagePack}, {"sound_pack", FuzzSoundPack},
      {"bmp_image", FuzzBmpImage},   {"walk_map", FuzzWalkMap},     {"font", FuzzFont},
      {"string_file", FuzzStringFile}, {"script_calls", FuzzScriptCalls}, {"save_file", FuzzSaveFile},
  };
  return targets;
}

std::vector<std::string> SeedInputs(const std::string& target) {
  OpenFuzzWorld();  // the media are drawn with SDL surfaces
  if (target == "data_pack") return {ScriptPackBytes(), BuildDataPack({WalkMapBytes(), "x"}), BuildDataPack({})};
  if (target == "image_pack") return {ImagePackBytes()};
  if (target == "sound_pack") {
    std::string silence("\xFF\x0F\xA6", 3), format9("\x22\x56\x00\x00\x08\x01\x00\x00\x00\x00\x00\x00", 12);
    std::string stereo("\x53\xE9\x00\x01", 4);  // extended block: 22050 Hz stereo
    return {SoundPackBytes(), BuildDataPack({AiffBytes(22050, 2), SvxBytes(8000)}),
            BuildDataPack({VocBytes({{9, format9 + std::string(200, '\x70')}, {2, std::string(99, '\x60')}, {3, silence}}),
                           VocBytes({{8, stereo}, VocSamples(300)}), VocBytes({VocSamples(200), {3, silence}, VocSamples(100)})}),
            BuildDataPack({OggVorbisBytes()})};
  }
  if (target == "bmp_image") return {SpriteBmp(), PaletteBmp()};
  if (target == "walk_map") {
    std::string lonely = Bytes({0, 0, 0, 0, 0, 0, 0, 0}) + std::string(16, '\0');
    return {Bytes({0, 0, 2, 1, 1, 2, 0, 0}) + WalkMapBytes(), Bytes({1, 2, 0, 0, 1, 1, 1, 1}) + WalkMapBytes(),
            lonely};
  }
  if (target == "font") {
    // cell height 8, line width 60, gap 0, right limit 320, row 1, x 100, y 80, centred, from memory, text
    std::string head = Bytes({8, 60, 0, 0, 64, 1, 1, 100, 0, 80, 0, 2, 0});
    std::string text = "\x01\x02 \x03\x04\x05 \x06 \x07\x08\x09\x0a \x0b";
    return {head + static_cast<char>(text.size()) + text + FontBmp()};
  }
  if (target == "string_file") return {StringFileText(), "ohne Zeilenende", std::string(300, 'x') + "\nzwei\n"};
  if (target == "script_calls") return ScriptCallSeeds();
  if (target == "save_file") return SaveFileSeeds();
  return {};
}
