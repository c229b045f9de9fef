// A saved game as plain data: what the save file holds, between the engine and the bytes.
// Reading fills one completely before anything of the running game changes.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// A script value: boolean, number (kept bit for bit), string (any bytes) or a
// reference to one of the saved tables, which keeps shared tables and cycles.
struct SavedValue {
  enum Kind : uint8_t { kFalse = 0, kTrue = 1, kNumber = 2, kString = 3, kTable = 4 };
  uint8_t kind = kFalse;
  double number = 0;
  std::string text;
  uint32_t table = 0;  // index into SavedGlobals::tables
};

struct SavedGlobals {
  std::vector<std::vector<std::pair<SavedValue, SavedValue>>> tables;  // key, value pairs of each table
  std::vector<std::pair<std::string, SavedValue>> globals;             // the game's own globals by name
};

struct SavedAnimation {
  std::string name, imageAddress;
  int32_t frameCount = 0, currentFrame = 0, frameHeight = 0, frameWidth = 0, timeout = 0;
  bool replayArmed = false;
  int32_t replayIn = 0;  // ms from the save to the automatic replay, when armed
  int32_t frameRate = 0, mode = 0, framesPlayed = 0, hotspotX = 0, hotspotY = 0;
  bool autoRestart = false, playing = false;
  double elapsed = 0;
};

struct SavedPoint {
  int32_t x = 0, y = 0;
};

struct SavedObject {
  std::string id, name, speechText;
  float x = 0, y = 0, dirX = 0, dirY = 0, speed = 0;
  int32_t targetX = 0, targetY = 0, walkToX = -1, walkToY = -1, textBoxX = 0, textBoxY = 0;
  int32_t pathIndex = 0, textColor = 0;
  int32_t talkLeft = 0;  // ms of speech left at the save
  bool textBoxAuto = true, visible = false, moving = false, followingPath = false, singleUse = true;
  bool talking = false, hotspotPositioning = false, colorKeyOverride = false, autoAnimation = false;
  bool headingUp = false, headingDown = false, headingLeft = false, headingRight = false;
  std::vector<SavedAnimation> animations;
  std::string currentAnimation;           // name; empty for none
  std::vector<std::string> slots;         // animation name of each slot, empty for none
  std::vector<SavedPoint> path;
  std::string inventoryIcon;              // image address; empty for none
  std::vector<SavedPoint> area;           // an area's corners; empty for none (format 3 on)
  bool passesClicks = false;              // (format 3 on)
  uint8_t depthScaling = 0;               // a DepthScaling (format 4 on)
};

struct SavedButton {
  std::string verb, imageAddress, label;
  int32_t x = 0, y = 0, width = 0, height = 0, lit = 0, verbType = 0;
  bool visible = false;
};

struct SavedFont {
  std::string address;  // empty: never loaded
  int32_t cellHeight = 0, lineWidth = 0;
};

struct SavedSound {
  std::string name, address;  // an empty address: a removed sound keeping its channel
  int32_t volume = -1;        // -1: never set
};

struct SaveGameData {
  // Header: what SaveSlots lists.
  std::string gameName, title;
  int64_t timeMs = 0;  // milliseconds since 1970

  std::string sceneAddress;  // the scene script to run again
  // View, input and walking.
  std::string background, cursor;
  bool cursorVisible = false, interactive = true, decisionMode = false;
  int32_t scrollX = 0;
  // The scene's scale by depth (format 4 on).
  bool depthScale = false;
  int32_t depthTopY = 0, depthTopPercent = 100, depthBottomY = 0, depthBottomPercent = 100;
  float gamma = 1;  // the display's, mid-fade too
  std::string walkMap;                    // address of the walk map; empty when none was loaded
  std::string walkTarget;                 // object clicked with WALK; empty when none
  bool arrivalReported = true;
  std::string hero;
  std::vector<SavedObject> objects;       // in registry (draw) order
  // Interface.
  std::vector<SavedButton> buttons;
  std::string currentVerb, defaultVerb, verbLabel, useWord;
  bool defaultVerbSet = false;
  int32_t selectionCount = 0;
  std::string selected[2];
  std::string menuBackground;
  bool menuBackgroundVisible = false;
  int32_t menuBackgroundX = 0, menuBackgroundY = 0;
  std::vector<std::string> inventory;
  int32_t inventoryX = 0, inventoryY = 0, inventorySpacing = 0, iconWidth = 0, iconHeight = 0;
  int32_t decisionX = 0, decisionY = 0;
  // Text.
  SavedFont fonts[3];  // system, talk, decision
  int32_t sentenceX = 10, sentenceY = 430;
  std::string language, stringFile;
  std::vector<std::pair<std::string, int32_t>> variables;
  // Sound.
  std::vector<SavedSound> sounds, music;
  std::string playingMusic;
  int32_t musicVolume = -1;
  // The scripts' own data.
  SavedGlobals globals;
};
