// The list of fuzz targets and the seed inputs of each, built from the fixture media.
#include <SDL/SDL.h>

#include "fuzz/entries/fuzz_entries.h"
#include "fuzz/entries/fuzz_world.h"
#include "fuzz/entries/sound_media.h"
#include "resources/pack_writer.h"
#include "script/script_table.h"

namespace {

std::string Bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s.push_back(static_cast<char>(v));
  return s;
}

// Script calls: function index (0 to kScriptFunctionCount - 1, then click, move and key), argument
// count, then each argument as a kind byte and its value bytes.
std::vector<std::string> ScriptCallSeeds() {
  // Kind 3 picks a word of the fixture list by index; kind 1 a number of the number list.
  auto word = [](int index) { return Bytes({3, index}); };
  auto number = [](int index) { return Bytes({1, index}); };
  std::string scene = Bytes({0, 1}) + word(16)                       // CreateObject hero
                      + Bytes({15, 9}) + word(16) + word(48) + word(0) + number(7) + number(7) + number(0) + number(0) +
                      number(3) + number(6)                          // LoadAnim 16 x 16, 2 frames at 10
                      + Bytes({18, 3}) + word(16) + word(48) + word(29)  // PlayAnim ONESHOT
                      + Bytes({12, 1}) + word(16)                    // Show
                      + Bytes({2, 3}) + word(16) + number(8) + number(9)  // SetPos
                      + Bytes({7, 1}) + word(16)                     // SetHero
                      + Bytes({42, 1}) + word(4)                     // LoadPathMap m.map
                      + Bytes({37, 1}) + word(0)                     // LoadBackground
                      + Bytes({53, 3}) + word(2) + number(5) + number(11)  // LoadTalkFont
                      + Bytes({8, 2}) + word(16) + word(47)          // SayText hero x
                      + Bytes({56, 2}) + word(16) + word(26)         // WaitFor hero TALKING
                      + Bytes({56, 2}) + word(16) + word(27)         // WaitFor hero ANIMATING
                      + Bytes({6, 3}) + word(16) + number(11) + number(10)  // Goto
                      + Bytes({56, 2}) + word(16) + word(25);        // WaitFor hero WALKING
  std::string menu = Bytes({43, 2}) + word(17) + word(14)            // LoadSound
                     + Bytes({44, 1}) + word(17)                     // PlaySound
                     + Bytes({63, 7}) + word(19) + word(0) + word(19) + number(7) + number(7) + number(6) + number(6)  // CreateMenuButton
                     + Bytes({64, 1}) + word(19)                     // ShowMenuButton
                     + Bytes({29, 2}) + word(18) + word(0)           // LoadInventoryIcon
                     + Bytes({30, 1}) + word(18)                     // AddToInventory
                     + Bytes({32, 1}) + word(18)                     // IsInInventory
                     + Bytes({kScriptFunctionCount, 10, 0, 10, 0});  // click
  std::string decision = Bytes({54, 2}) + word(2) + number(5)        // LoadDecisionFont f.bmp 8
                         + Bytes({58, 2}) + number(4) + number(4)    // SetDecisionPos 10 10
                         + Bytes({41, 1}) + word(41)                 // SetMode DECISION
                         + Bytes({57, 2}) + word(47) + word(48)      // MakeDecision
                         + Bytes({68, 1}) + word(5)                  // SetStringFile strings
                         + Bytes({70, 1}) + number(1)                // GetString 1
                         + Bytes({72, 2}) + word(47) + number(3)     // S x 2
                         + Bytes({71, 1}) + word(47)                 // G x
                         + Bytes({39, 1}) + Bytes({0, 0})            // FadeOut (duration bytes)
                         + Bytes({38, 1}) + word(6);                 // LoadSzene p.dat:0
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
