// quillon-font check and quillon-pack check: a reported problem fails the command, and packs are named rightly.
#include <gtest/gtest.h>

#include "font/font_tool.h"
#include "pack/pack_tool.h"
#include "resources/pack_writer.h"
#include "support/pictures.h"
#include "support/temp_dir.h"
#include "support/tool_run.h"

namespace {

TEST(ToolCheckStatus, AFontWhoseMarkersDriftedAfterALossySaveFailsTheCheck) {
  TempDir dir;
  for (Rgb second : {Rgb{255, 0, 0}, Rgb{250, 8, 4}}) {
    SaveBmp(Paint(11, 16, kMagenta, {{0, 0, 1, 1, {255, 0, 0}}, {6, 0, 1, 1, second}, {10, 0, 1, 1, second},
                                     {1, 2, 4, 4, kWhite}, {7, 2, 3, 4, kWhite}, {1, 10, 4, 4, kWhite},
                                     {7, 10, 3, 4, kWhite}}),
            dir.Path("font.bmp"));
    ToolResult check = RunTool(RunFontTool, {"check", dir.Path("font.bmp"), "--cell-height", "8"});
    bool drifted = second != Rgb{255, 0, 0};
    EXPECT_EQ(check.status, drifted ? 1 : 0) << check.err;
    EXPECT_EQ(check.err.find("row 0: 2 pixels are close to the marker colour FF0000 but not equal") !=
                  std::string::npos,
              drifted)
        << check.err;
  }
}

TEST(ToolCheckStatus, APackOfSoundsIsCalledASoundPack) {
  TempDir dir;
  dir.Write("sfx.dat", BuildDataPack({"RIFF....WAVE", "OggS...."}));
  dir.Write("lua.dat", BuildDataPack({"print('a')", "RIFF"}));
  ToolResult sounds = RunTool(RunPackTool, {"check", dir.Path("sfx.dat")});
  ToolResult scripts = RunTool(RunPackTool, {"check", dir.Path("lua.dat")});
  EXPECT_NE(sounds.out.find(": sound pack, 2 entries"), std::string::npos) << sounds.out << sounds.err;
  EXPECT_NE(scripts.out.find(": script pack, 2 entries"), std::string::npos) << scripts.out << scripts.err;
}

}  // namespace
