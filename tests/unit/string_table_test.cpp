// String files by language and line number, and the script variables.
#include <gtest/gtest.h>

extern "C" {
#include <lauxlib.h>
#include <lua.h>
}

#include "core/engine.h"
#include "script/script_host.h"
#include "support/log_capture.h"
#include "support/temp_dir.h"

namespace {

// A script state running in a temp folder; results come back as globals.
struct Scripts {
  TempDir dir;
  WorkingDirectory in{dir.path()};
  Engine engine;
  LogCapture log;
  Scripts() { OpenScripting(engine); }

  void Run(const std::string& code) {
    ASSERT_EQ(luaL_dostring(engine.script.L, code.c_str()), 0) << lua_tostring(engine.script.L, -1);
  }
  std::string Text(const std::string& code) {
    Run("r = " + code);
    lua_getglobal(engine.script.L, "r");
    size_t length = 0;
    const char* text = lua_tolstring(engine.script.L, -1, &length);
    std::string result = text ? std::string(text, length) : "<not a string>";
    lua_pop(engine.script.L, 1);
    return result;
  }
  double Number(const std::string& code) {
    Run("r = " + code);
    lua_getglobal(engine.script.L, "r");
    double result = lua_isnumber(engine.script.L, -1) ? lua_tonumber(engine.script.L, -1) : -12345;
    lua_pop(engine.script.L, 1);
    return result;
  }
};

TEST(StringTable, LinesByNumberFromLineFeedAndCrLfFiles) {
  Scripts s;
  s.dir.Write("lf.DE", "one\ntwo\nthree\n");
  s.dir.Write("crlf.DE", "eins\r\nzwei\r\ndrei\r\n");
  s.Run("SetStringFile('lf')");
  EXPECT_EQ(s.Text("GetString(1)"), "one");
  EXPECT_EQ(s.Text("GetString(3)"), "three");
  EXPECT_EQ(s.Text("GetString(2.9)"), "two");
  EXPECT_EQ(s.Text("GetString(0.5)"), "one");
  EXPECT_EQ(s.Text("GetString(4)"), "");  // beyond a final line feed
  EXPECT_EQ(s.Text("GetString(1)"), "one");  // the end of the file is forgotten
  s.Run("SetStringFile('crlf')");
  EXPECT_EQ(s.Text("GetString(2)"), "zwei");
  EXPECT_EQ(s.Text("GetString(3)"), "drei");
  EXPECT_EQ(s.log.Text(), "");
}

TEST(StringTable, BeyondTheLastLineWithoutAFinalLineFeedGivesThatLine) {
  Scripts s;
  s.dir.Write("t.DE", "one\ntwo\r\nlast");
  s.Run("SetStringFile('t')");
  EXPECT_EQ(s.Text("GetString(3)"), "last");
  EXPECT_EQ(s.Text("GetString(4)"), "last");
  EXPECT_EQ(s.Text("GetString(1e12)"), "last");
  EXPECT_EQ(s.Text("GetString(2)"), "two");
}

TEST(StringTable, LineNumbersBelowOneGiveTheEmptyString) {
  Scripts s;
  s.dir.Write("t.DE", "one\ntwo\n");
  s.Run("SetStringFile('t')");
  EXPECT_EQ(s.Text("GetString(0)"), "");
  EXPECT_EQ(s.Text("GetString(-3)"), "");
  EXPECT_EQ(s.Text("GetString(-1e12)"), "");
  EXPECT_EQ(s.Text("GetString()"), "");
  EXPECT_EQ(s.Text("GetString(2)"), "two");
}

TEST(StringTable, LongLinesKeep255CharactersAndCountOnce) {
  Scripts s;
  std::string longLine(300, 'x');
  s.dir.Write("t.DE", "a\n" + longLine + "\r\nafter\n" + std::string(255, 'y') + "\r\n");
  s.Run("SetStringFile('t')");
  EXPECT_EQ(s.Text("GetString(2)"), std::string(255, 'x'));
  EXPECT_EQ(s.Text("GetString(3)"), "after");
  EXPECT_EQ(s.Text("GetString(4)"), std::string(255, 'y'));  // exactly 255 before CR LF
}

TEST(StringTable, NoFileMeansEmptyStrings) {
  Scripts s;
  EXPECT_EQ(s.Text("GetString(1)"), "");  // before any SetStringFile
  s.Run("SetStringFile('missing')");
  EXPECT_EQ(s.Text("GetString(1)"), "");
  s.Run("SetStringFile()");  // no name: reported, and the lookup still answers
  EXPECT_EQ(s.log.Text(), "Exception catched in lua_SetStringFile\r\n");
  EXPECT_EQ(s.Text("GetString(1)"), "");
}

TEST(StringTable, TheLanguageChoosesTheFileAtTheNextSetStringFile) {
  Scripts s;
  s.dir.Write("t.DE", "Hallo\n");
  s.dir.Write("t.EN", "Hello\n");
  EXPECT_EQ(s.engine.text.language, "DE");
  s.Run("SetStringFile('t')");
  EXPECT_EQ(s.Text("GetString(1)"), "Hallo");
  s.Run("SetLanguage('EN')");
  EXPECT_EQ(s.Text("GetString(1)"), "Hallo");  // not reopened yet
  s.Run("SetStringFile('t')");
  EXPECT_EQ(s.Text("GetString(1)"), "Hello");
  s.Run("SetLanguage('FR') SetStringFile('t')");
  EXPECT_EQ(s.Text("GetString(1)"), "");  // no such file: the old one is gone too
}

TEST(Variables, SetTruncatesAndUnknownNamesGiveMinusOne) {
  Scripts s;
  EXPECT_EQ(s.Number("G('score')"), -1);
  s.Run("S('score', 2.7)");
  EXPECT_EQ(s.Number("G('score')"), 2);
  s.Run("S('score', -2.7)");
  EXPECT_EQ(s.Number("G('score')"), -2);
  s.Run("S('other', 40)");
  EXPECT_EQ(s.Number("G('other')"), 40);
  EXPECT_EQ(s.Number("G('Score')"), -1);  // names are case-sensitive
  EXPECT_EQ(s.engine.text.variables.Count(), 2);
  EXPECT_EQ(s.Number("G()"), -1);  // no name: reported, still a number
  EXPECT_EQ(s.log.Text(), "Exception catched in lua_G\r\n");
}

}  // namespace
