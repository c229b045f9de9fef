// The script host: loading scripts, callbacks, scene switches and script errors.
#include <gtest/gtest.h>

extern "C" {
#include <lauxlib.h>
#include <lua.h>
}

#include "resources/pack_readers.h"
#include "resources/pack_writer.h"
#include "script/script_host.h"
#include "support/game_harness.h"

namespace {

// A script host with a pack reader, ready to run scripts in a temp folder.
struct Host {
  TempDir dir;
  Engine engine;
  LogCapture log;
  Host() {
    engine.resources.textPacks = MakeOwned<TXTPackReader>();
    OpenScripting(engine);
  }
  int Load(const std::string& address) {
    WorkingDirectory in(dir.path());
    return LoadScript(engine, address);
  }
};

// A pack entry loads by its address, a precompiled chunk too; failed loads
// keep the scene the host had.
TEST(ScriptHost, ScriptErrorsGoToTheRuntimeOrAnAlertFunctionAndFailTheLoad) {
  Host host;
  lua_State* L = host.engine.script.L;
  ASSERT_EQ(luaL_loadstring(L, "compiled = 42"), 0);
  std::string compiled;
  lua_dump(L, [](lua_State*, const void* p, size_t n, void* out) {
    static_cast<std::string*>(out)->append(static_cast<const char*>(p), n);
    return 0;
  }, &compiled);
  lua_pop(L, 1);
  host.dir.Write("broken.lua", "this is not lua");
  host.dir.Write("p.dat", BuildDataPack({"error('boom')", "which = 'entry 1'", compiled}));
  EXPECT_EQ(host.Load("p.dat:2"), 0);
  EXPECT_EQ(LuaValue(host.engine, "compiled"), "42");
  EXPECT_EQ(host.Load("p.dat:1"), 0);
  EXPECT_EQ(LuaValue(host.engine, "which"), "entry 1");
  EXPECT_EQ(host.Load("missing.lua"), -1);
  EXPECT_EQ(host.Load("broken.lua"), -1);
  EXPECT_EQ(host.Load("p.dat:0"), -1);
  EXPECT_EQ(host.Load("p.dat:-1"), -1);
  EXPECT_EQ(host.engine.script.currentScript, "p.dat:1");
  EXPECT_EQ(host.log.Text(),
            "Load Script <<p.dat:2>>...OK\r\nLoad Script <<p.dat:1>>...OK\r\n"
            "Load Script <<missing.lua>>...ERR: Datei <<missing.lua>> existiert nicht.\r\n"
            "Load Script <<broken.lua>>...ERR: Syntaxfehler in <<broken.lua>>.\r\n"
            "Load Script <<p.dat:0>>...ERR: Laufzeitfehler in <<p.dat:0>>.\r\n"
            "Load Script <<p.dat:-1>>...ERR: Fehler beim Laden aus LUA-Pack.\r\n");
  std::string errors = host.log.Errors();
  EXPECT_NE(errors.find("broken.lua:1:"), std::string::npos);
  EXPECT_NE(errors.find("[string \"QUILLONSCRIPT\"]:1: boom"), std::string::npos);

  host.dir.Write("a.lua", "function _ALERT(m) alerted = m end");
  host.dir.Write("b.lua", "error('caught by alert')");
  host.Load("a.lua");
  host.Load("b.lua");
  EXPECT_EQ(host.log.Errors(), errors);
  EXPECT_NE(LuaValue(host.engine, "alerted").find("caught by alert"), std::string::npos);
  // Scripts get only the base library.
  Lua(host.engine, "assert(not (string or table or math or io or os or debug or package))");
}

TEST(SceneSwitch, LoadSzeneInsideACallbackRunsTheWholeSwitchBeforeReturningAndALibraryKeepsTheScene) {
  GameHarness game;
  game.Write("init.lua",
             "function Init() print('first init') end\n"
             "function Main() print('first main') LoadSzene('two.lua') print('back in first main') Exit() end\n"
             "function DeInit() print('first deinit') end\n");
  game.Write("two.lua",
             "print('two top-level')\n"
             "function Init() print('two init') end\n"
             "function Main() print('two main') LoadScript('lib.lua') Helped() end\n"
             "function DeInit() print('two deinit') end\n");
  game.Write("lib.lua", "function Helped() print('helped') end\n");  // a library: the scene stays two.lua
  game.Run();
  EXPECT_EQ(LogFrom(game.log.Text(), "first main"),
            "first main\n<<< DeInit Scene >>>\r\nfirst deinit\nLoad Script <<two.lua>>...two top-level\nOK\r\n"
            "<<< CALL INIT-FUNCTION >>>\r\ntwo init\n<<< CALL MAIN-FUNCTION >>>\r\ntwo main\n"
            "Load Script <<lib.lua>>...OK\r\nhelped\nback in first main\n<<< CALL GAMELOOP >>>\r\n" +
                LogFrom(game.log.Text(), "Average FPS"));
  EXPECT_EQ(game.engine.script.currentScript, "two.lua");
}

TEST(SceneSwitch, AnErrorInANestedCallbackEndsTheRunThatContainsIt) {
  // The scene script's top-level code switches scenes; the new Init fails.
  // The error ends the running scene script, which the runtime reports.
  GameHarness game;
  game.Write("init.lua",
             "function Init() end\n"
             "function Main() LoadSzene('a.lua') Exit() end\n"
             "function DeInit() end\n");
  game.Write("a.lua",
             "function DeInit() end\n"
             "function Init() end\n"
             "function Main() end\n"
             "LoadSzene('b.lua')\n"
             "print('not reached')\n");
  game.Write("b.lua", "function Init() if not failed then failed = true error('b fails') end end\n");
  EXPECT_EQ(game.Run(), 0);
  EXPECT_EQ(game.log.Text().find("not reached"), std::string::npos);
  EXPECT_NE(game.log.Errors().find("b fails"), std::string::npos);
  EXPECT_NE(game.log.Text().find("Load Script <<a.lua>>...<<< DeInit Scene >>>"), std::string::npos);
  // Main of the first scene goes on after its LoadSzene returns.
  EXPECT_NE(game.log.Text().find("CLEANUP...OK"), std::string::npos);
}

}  // namespace
