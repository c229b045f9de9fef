// String files by language and line number, and the script variables.
#include <gtest/gtest.h>

extern "C" {
#include <lauxlib.h>
#include <lua.h>
}

#include <vector>

#include "engine/engine.h"
#include "script/script_host.h"
#include "support/game_harness.h"
#include "support/log_capture.h"
#include "support/temp_dir.h"

namespace {

// A script state running in a temp folder.
struct Scripts {
  TempDir dir;
  WorkingDirectory in{dir.path()};
  Engine engine;
  LogCapture log;
  Scripts() { OpenScripting(engine); }
  void Run(const std::string& code) { Lua(engine, code); }
  std::string Text(const std::string& expression) { return LuaValue(engine, expression); }
};

TEST(StringTable, LinesByNumberAndLanguageAndNoFileMeansEmptyStrings) {
  Scripts s;
  EXPECT_EQ(s.Text("GetString(1)"), "");  // before any SetStringFile
  s.dir.Write("lf.DE", "one\ntwo\nthree\n");
  s.dir.Write("crlf.DE", "eins\r\nzwei\r\ndrei\r\n");
  s.dir.Write("t.DE", "a\n" + std::string(300, 'x') + "\r\nafter\n" + std::string(255, 'y') + "\r\nlast");
  struct Case {
    const char* file;
    std::vector<std::pair<const char*, std::string>> lines;  // GetString argument, result
  } cases[] = {
      {"lf", {{"1", "one"}, {"3", "three"}, {"2.9", "two"}, {"0.5", "one"}, {"4", ""},  // beyond a final line feed
              {"1", "one"},  // the end of the file is forgotten
              {"0", ""}, {"-1e12", ""}, {"", ""},  // below one: the empty string
              {"2", "two"}}},
      {"crlf", {{"2", "zwei"}, {"3", "drei"}}},
      // Long lines keep 255 characters and count once; beyond the last line
      // without a final line feed comes that line.
      {"t", {{"2", std::string(255, 'x')}, {"3", "after"}, {"4", std::string(255, 'y')}, {"5", "last"},
             {"1e12", "last"}, {"1", "a"}}},
  };
  for (const Case& c : cases) {
    s.Run(std::string("SetStringFile('") + c.file + "')");
    for (const auto& [line, text] : c.lines)
      EXPECT_EQ(s.Text(std::string("GetString(") + line + ")"), text) << c.file << " line " << line;
  }
  EXPECT_EQ(s.log.Text(), "");

  s.dir.Write("t.DE", "Hallo\n");
  s.dir.Write("t.EN", "Hello\n");
  EXPECT_EQ(s.engine.text.language, "DE");
  for (auto [code, line] : {std::pair{"SetStringFile('t')", "Hallo"}, {"SetLanguage('EN')", "Hallo"},  // not reopened yet
                            {"SetStringFile('t')", "Hello"},
                            {"SetLanguage('FR') SetStringFile('t')", ""}}) {  // no such file: the old one is gone too
    s.Run(code);
    EXPECT_EQ(s.Text("GetString(1)"), line) << code;
  }
  s.Run("SetStringFile()");  // no name: reported, and the lookup still answers
  EXPECT_EQ(s.log.Text(), "Exception catched in lua_SetStringFile\r\n");
  EXPECT_EQ(s.Text("GetString(1)"), "");
}

TEST(Variables, SetTruncatesAndUnknownNamesGiveMinusOne) {
  Scripts s;
  EXPECT_EQ(s.Text("G('score')"), "-1");
  for (auto [value, read] : {std::pair{"2.7", "2"}, {"-2.7", "-2"}, {"0/0", "0"}}) {  // not a number reads as 0
    s.Run(std::string("S('score', ") + value + ")");
    EXPECT_EQ(s.Text("G('score')"), read) << value;
  }
  EXPECT_EQ(s.Text("G('Score')"), "-1");  // names are case-sensitive
  EXPECT_EQ(s.Text("G()"), "-1");  // no name: reported, still a number
  EXPECT_EQ(s.log.Text(), "Exception catched in lua_G\r\n");
}

}  // namespace
