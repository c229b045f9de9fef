// The engine object: every subsystem's state, created whole and thrown away whole.
#pragma once

#include "engine/audio_state.h"
#include "engine/clock.h"
#include "engine/core_state.h"
#include "engine/player.h"
#include "engine/resource_state.h"
#include "engine/save_state.h"
#include "engine/scene_state.h"
#include "engine/script_state.h"
#include "engine/text_state.h"
#include "engine/ui_state.h"
#include "engine/walk_state.h"

struct lua_State;

struct Engine {
  Clock clock;                // tick seam
  CoreState core;             // screen settings and run flags
  TimingState timing;         // frame timing and waits
  InputState input;           // pointer, clicks, interaction mode
  ViewState view;             // background, cursor, scroll
  ScriptHostState script;     // the Lua state and the current scene script
  ResourceState resources;    // pack readers, image registry, hit tester
  SceneState scene;           // adventure objects and the hero
  WalkState walk;             // walk-box map and walking targets
  UiState ui;                 // verbs, sentence, menu, inventory, decisions
  TextState text;             // fonts, strings, variables
  AudioState audio;           // sound manager
  PlayerOptions player;       // command line and environment
  WindowState window;         // the scaled window, when there is one
  SaveState save;             // save folder name, autosave, a load waiting to be applied

  Engine();
  ~Engine();
  Engine(const Engine&) = delete;
  Engine& operator=(const Engine&) = delete;

  Uint32 Ticks() const { return clock.Now(); }
};

// The one way a script function reaches the engine that owns its Lua state.
Engine& EngineOf(lua_State* L);
