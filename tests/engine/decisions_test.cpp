// Dialogue decisions: the pick, the sensitive areas, drawing and the guards against endless waits.
#include <gtest/gtest.h>

#include "engine/game_fixtures.h"

namespace {

// Options at (100, 100), one line per 8 pixels; cells are 3 wide with a letter
// spacing of 1, so "No" is 7 pixels wide. A decision made in a step waits in
// nested frames, where the later steps run. The pointer must rest on an option
// for a frame before the click picks it: the hover is worked out before the
// frame's events are read.
const char kOptions[] = "LoadDecisionFont('font.bmp', 8) SetDecisionPos(100, 100)";

TEST(Decisions, TheClickedLineIsReturnedAndTheHoveredOneDrawnInColourRowOne) {
  ExpectRows({
      // The left border, the top border of "No", right of the short "No": nothing;
      // then "Maybe" (a border click taken for "No" would have ended it).
      {"", {"lua SetMode('DECISION') print('PICK ' .. MakeDecision('Yes', 'No', 'Maybe'))", "move 100 112",
            "click 100 112", "move 105 108", "click 105 108", "move 107 112", "click 107 112", "move 101 117",
            "click 101 117"},
       "PICK 3\n"},
      {"", {"lua SetMode('DECISION') MakeDecision('Yes', 'No')", "move 101 112", "pixel 101 101", "pixel 101 109",
            "click 101 112"},
       "PIXEL (255,255,255)\nPIXEL (255,255,0)\n"},
      // A second decision starts with its own options only: its third line is no
      // option. A number shows as Lua writes it: "7", one glyph.
      {"LoadBackground('grey.bmp')",
       {"lua SetMode('DECISION') print('FIRST ' .. MakeDecision('A', 'B', 'C')) "
        "print('SECOND ' .. MakeDecision(7, 'Z'))", "move 102 112", "click 102 112", "pixel 101 101", "pixel 105 101",
        "move 101 117", "click 101 117", "move 101 109", "click 101 109"},
       "FIRST 2\nPIXEL (255,255,255)\nPIXEL (90,90,90)\nSECOND 2\n"},
      // Nothing could end these: no options, not in DECISION mode, no option with
      // text, a row below the window or right of it (the open window stays 640
      // wide). A table has no text but keeps its line; one option is enough.
      {"", {"lua SetMode('DECISION') print('NONE ' .. MakeDecision()) SetMode('INTERACT') "
            "print('PLAY ' .. MakeDecision('a')) SetMode('DECISION') "
            "print('EMPTY ' .. MakeDecision('', {})) SetDecisionPos(100, 480) print('BELOW ' .. MakeDecision('Yes')) "
            "SetScreen(9999, 9999, 32, 'WINDOW') SetDecisionPos(640, 100) print('RIGHT ' .. MakeDecision('Yes')) "
            "SetDecisionPos(100, 100) print('ODD ' .. MakeDecision({}, 'b')) print('FINE ' .. MakeDecision('', 'Yes'))",
            "move 101 112", "click 101 112", "wait 2", "click 101 112"},
       "MakeDecision: no options to choose from, returning 0\r\nNONE 0\n"
       "MakeDecision: not in DECISION mode, returning 0\r\nPLAY 0\n"
       "MakeDecision: no option can be pointed at, returning 0\r\nEMPTY 0\n"
       "MakeDecision: no option can be pointed at, returning 0\r\nBELOW 0\n"
       "MakeDecision: no option can be pointed at, returning 0\r\nRIGHT 0\nODD 2\nFINE 2\n"},
  }, kOptions);
}

// The demo's conversation helper: a picked "once" option goes, a branch comes
// back on "back", "ends" ends it. Every pick is of the first line; a sixth
// choice, which only a fault would ask for, is refused rather than waited for.
// The hero is hidden, so it says no line.
TEST(Decisions, ConversationsOfTheHelperOfferWhatIsLeftAndComeBackFromBranches) {
  ExpectRows({{"Hide('hero') LoadScript('" QUILLON_SOURCE_DIR "/games/demo/dialogue.lua')",
               {"lua asked = 0 Converse('talk', {before = function() asked = asked + 1 "
                "if asked > 5 then SetMode('INTERACT') end end, after = function(line) print('PICK ' .. line) end, "
                "{'A', once = true}, {'B', once = true, options = {{'C', once = true}, {'D', back = true}}}, "
                "{'E', ends = true}}) print('OVER')",
                "move 101 104", "click 101 104", "move 101 104", "click 101 104", "move 101 104", "click 101 104",
                "move 101 104", "click 101 104", "move 101 104", "click 101 104"},
               "PICK 1\nPICK 1\nPICK 1\nPICK 1\nPICK 1\nOVER\n"}},
             kOptions);
}

// An event inside a WaitFor runs in frames that read no pointer: a decision there cannot be answered.
TEST(Decisions, ADecisionDuringAWaitForOrWithoutAFontReturnsZeroAtOnce) {
  ExpectRows({{"",
               {"lua SetMode('DECISION') print('NO FONT ' .. MakeDecision('x')) SetMode('INTERACT')",
                "lua SayText('hero', 'twelve bytes') WaitFor('hero', 'TALKING')",  // the next steps run inside it
                std::string("lua SetMode('DECISION') ") + kOptions + " print('INSIDE ' .. MakeDecision('Yes'))",
                "click 5 5"},
               "MakeDecision: no decision font loaded, returning 0\r\nNO FONT 0\nInitialized 255 Characters\n"
               "MakeDecision: a WaitFor is running, returning 0\r\nINSIDE 0\n"}});
}

}  // namespace
