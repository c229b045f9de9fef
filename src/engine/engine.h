// The engine object: every subsystem's state, created whole and thrown away
// whole. Its members are grouped by how long what they hold lives; each
// lifetime has one owner and one point where it ends (the table in
// docs/architecture.md, which a test holds to this file).
#pragma once

#include "engine/audio_state.h"
#include "engine/cast_state.h"
#include "engine/clock.h"
#include "engine/core_state.h"
#include "engine/frame_state.h"
#include "engine/player.h"
#include "engine/resource_state.h"
#include "engine/save_state.h"
#include "engine/scene_state.h"
#include "engine/script_state.h"
#include "engine/text_state.h"
#include "engine/ui_state.h"
#include "engine/walk_state.h"

struct Engine {
  // The run: made with the engine, opened by RunEngine, closed by Cleanup,
  // freed with the engine.
  Clock clock;                // tick seam
  PlayerOptions player;       // command line and environment
  CoreState core;             // screen settings and run flags
  WindowState window;         // the scaled window, when there is one
  TimingState timing;         // frame timing and waits
  InputState input;           // pointer, buttons, keys, interaction mode
  ViewState view;             // background, cursor and scroll
  ResourceState resources;    // pack readers, image registry, hit tester
  CastState cast;             // every object the game made, and the hero
  WalkState walk;             // walk-box map and walking targets
  UiState ui;                 // verbs, sentence, menu, inventory, decisions
  TextState text;             // fonts, strings, variables
  AudioState audio;           // sound manager
  SaveState save;             // save folder name, autosave, saves and a load on their way
  // The scene: begun afresh by every scene switch.
  SceneState scene;           // the scale by depth
  // The frame: begun afresh at the end of every frame.
  FrameState frame;           // hover, the click being handled
  // Last, so that it goes first: the scripts' functions reach into the rest.
  ScriptHostState script;     // the Lua state and the current scene script

  Engine() = default;
  Engine(const Engine&) = delete;
  Engine& operator=(const Engine&) = delete;

  Uint32 Ticks() const { return clock.Now(); }
};

// The one way a script function reaches the engine that owns its Lua state.
Engine& EngineOf(lua_State* L);
