// Applying a saved game's state to the engine.
#include <SDL/SDL.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "audio/sfx.h"
#include "engine/display.h"
#include "engine/engine.h"
#include "resources/images.h"
#include "save/engine_state_io.h"
#include "scene/adventure_object.h"
#include "scene/depth_scale.h"
#include "text/font_loading.h"
#include "text/string_table.h"
#include "ui/menu_button.h"
#include "walk/load_path_map.h"

namespace {

// Positions, headings and speeds are drawn and cast to whole pixels: a file
// may hold any bits, the engine takes only finite numbers.
template <class Number>
Number Finite(Number value) {
  return std::isfinite(value) ? value : 0;
}

ImageRef Image(Engine& engine, const std::string& address) {
  return address.empty() ? ImageRef() : LoadImage(engine, address);
}

Owned<Animation> BuildAnimation(Engine& engine, const SavedAnimation& s, Uint32 now) {
  Owned<Animation> a = MakeOwned<Animation>();
  a->image = Image(engine, s.imageAddress);
  a->imageAddress = s.imageAddress;
  a->frameCount = s.frameCount, a->currentFrame = s.currentFrame, a->frameHeight = s.frameHeight;
  a->frameWidth = s.frameWidth, a->timeout = s.timeout;
  // 0 means "not armed": an armed replay never lands on it.
  a->nextStart = s.replayArmed ? std::max<Uint32>(now + static_cast<Uint32>(s.replayIn), 1) : 0;
  a->frameRate = s.frameRate, a->mode = std::clamp(s.mode, 0, 3), a->framesPlayed = s.framesPlayed;
  a->hotspotX = s.hotspotX, a->hotspotY = s.hotspotY;
  a->autoRestart = s.autoRestart, a->playing = s.playing, a->elapsed = Finite(s.elapsed);
  return a;
}

void ApplyObject(Engine& engine, AdventureObject& o, const SavedObject& s, Uint32 now) {
  o.name = s.name, o.speechText = s.speechText;
  o.x = Finite(s.x), o.y = Finite(s.y), o.dirX = Finite(s.dirX), o.dirY = Finite(s.dirY);
  o.speed = Finite(s.speed);
  o.targetX = s.targetX, o.targetY = s.targetY, o.walkToX = s.walkToX, o.walkToY = s.walkToY;
  o.textBoxX = s.textBoxX, o.textBoxY = s.textBoxY, o.pathIndex = s.pathIndex, o.textColor = s.textColor;
  o.talkUntil = now + static_cast<Uint32>(s.talkLeft);
  o.textBoxAuto = s.textBoxAuto, o.visible = s.visible, o.moving = s.moving, o.followingPath = s.followingPath;
  o.singleUse = s.singleUse, o.talking = s.talking, o.hotspotPositioning = s.hotspotPositioning;
  o.colorKeyOverride = s.colorKeyOverride, o.autoAnimation = s.autoAnimation;
  o.headingUp = s.headingUp, o.headingDown = s.headingDown, o.headingLeft = s.headingLeft;
  o.headingRight = s.headingRight;
  o.animations.Clear();
  for (const SavedAnimation& a : s.animations) {
    if (o.animations.Get(a.name)) continue;  // the first of a name, as LoadAnim keeps it
    o.animations.Add(a.name, BuildAnimation(engine, a, now));
  }
  o.currentAnimation = s.currentAnimation.empty() ? nullptr : o.animations.Get(s.currentAnimation);
  for (int i = 0; i < kSlotCount; ++i)
    o.slots[i] = i < static_cast<int>(s.slots.size()) && !s.slots[i].empty() ? o.animations.Get(s.slots[i]) : nullptr;
  o.path.clear();
  for (const SavedPoint& p : s.path) o.path.push_back({p.x, p.y});
  o.inventoryIcon = Image(engine, s.inventoryIcon);
  o.area.clear();
  for (const SavedPoint& p : s.area) o.area.push_back({p.x, p.y});
  o.passesClicks = s.passesClicks;
  o.depthScaling = static_cast<DepthScaling>(s.depthScaling);
}

void ApplyObjects(Engine& engine, const SaveGameData& d, Uint32 now) {
  auto& objects = engine.cast.objects;
  // The saved draw order, then the objects the save does not know; an object
  // both know keeps its place in memory, so every pointer to it stays good.
  Registry<AdventureObject> ordered;
  for (const SavedObject& s : d.objects) {
    if (ordered.Get(s.id)) continue;
    Owned<AdventureObject> object = objects.Take(s.id);
    if (!object) object = MakeOwned<AdventureObject>();
    ApplyObject(engine, *ordered.Add(s.id, std::move(object)), s, now);
  }
  while (objects.Count() > 0) {
    std::string id = objects.KeyAt(0);
    AdventureObject* stranger = ordered.Add(id, objects.Take(id));
    stranger->visible = stranger->moving = stranger->talking = stranger->followingPath = false;
  }
  objects = std::move(ordered);
  engine.cast.hero = objects.Get(d.hero);
  engine.walk.target = objects.Get(d.walkTarget);
  engine.walk.arrivalReported = d.arrivalReported;
}

void ApplyInterface(Engine& engine, const SaveGameData& d) {
  UiState& ui = engine.ui;
  Registry<MenuButton> ordered;
  for (const SavedButton& s : d.buttons) {
    if (ordered.Get(s.verb)) continue;
    Owned<MenuButton> taken = ui.buttons.Take(s.verb);
    MenuButton* button = ordered.Add(s.verb, taken ? std::move(taken) : MakeOwned<MenuButton>());
    button->image = Image(engine, s.imageAddress);
    button->x = s.x, button->y = s.y, button->width = s.width, button->height = s.height;
    button->lit = s.lit, button->visible = s.visible, button->label = s.label;
    button->verbType = std::clamp(s.verbType, 0, kCustomVerb);
  }
  while (ui.buttons.Count() > 0) {
    std::string verb = ui.buttons.KeyAt(0);
    ordered.Add(verb, ui.buttons.Take(verb))->visible = false;
  }
  ui.buttons = std::move(ordered);
  ui.currentVerb = ui.buttons.Get(d.currentVerb);
  ui.defaultVerb = ui.buttons.Get(d.defaultVerb);
  ui.verbLabel = d.verbLabel, ui.useWord = d.useWord, ui.defaultVerbSet = d.defaultVerbSet;
  ui.selectionCount = std::clamp(d.selectionCount, 0, 2);
  for (int i = 0; i < 2; ++i) {
    ui.selectedIds[i] = d.selected[i];
    ui.selected[i] = engine.cast.objects.Get(d.selected[i]);
  }
  ui.menuBackground = Image(engine, d.menuBackground);
  ui.menuBackgroundVisible = d.menuBackgroundVisible;
  ui.menuBackgroundX = d.menuBackgroundX, ui.menuBackgroundY = d.menuBackgroundY;
  ui.inventory.Clear();
  for (const std::string& id : d.inventory)
    if (AdventureObject* item = engine.cast.objects.Get(id)) ui.inventory.Add(id, item);
  ui.inventoryX = d.inventoryX, ui.inventoryY = d.inventoryY, ui.inventorySpacing = d.inventorySpacing;
  ui.iconWidth = d.iconWidth, ui.iconHeight = d.iconHeight;
  ui.decisionX = d.decisionX, ui.decisionY = d.decisionY;
  ui.options.clear();
  ui.decisionPending = false;
}

bool SameFont(const FontSource& a, const SavedFont& b) {
  return a.address == b.address && a.cellHeight == b.cellHeight && a.lineWidth == b.lineWidth;
}

void ApplyText(Engine& engine, const SaveGameData& d) {
  TextState& text = engine.text;
  const FontRole roles[3] = {FontRole::kSystem, FontRole::kTalk, FontRole::kDecision};
  const FontSource* now[3] = {&text.systemFontSource, &text.talkFontSource, &text.decisionFontSource};
  for (int i = 0; i < 3; ++i) {
    const SavedFont& f = d.fonts[i];
    if (!f.address.empty() && !SameFont(*now[i], f))
      LoadRoleFont(engine, roles[i], {f.address, f.cellHeight, f.lineWidth});
  }
  text.sentenceX = d.sentenceX, text.sentenceY = d.sentenceY;
  bool reopen = text.language != d.language || text.stringFileName != d.stringFile;
  text.language = d.language;
  if (reopen && !d.stringFile.empty()) OpenStringFile(text, d.stringFile);
  text.variables.Clear();
  for (const auto& v : d.variables) text.variables.Add(v.first, MakeOwned<int32_t>(v.second));
}

void ApplySound(Engine& engine, const SaveGameData& d) {
  if (!engine.audio.sfx) return;
  Sfx& sfx = *engine.audio.sfx;
  sfx.StopAllSounds();  // effects are not resumed
  for (const SavedSound& s : d.sounds) {
    Sfx::SoundSource now = sfx.SourceOf(s.name);
    bool loaded = sfx.Sounds().Get(s.name) != nullptr;
    if (loaded && (s.address.empty() || now.address != s.address)) sfx.RemoveSound(s.name);
    if (!s.address.empty() && (!loaded || now.address != s.address)) sfx.LoadSoundFromFile(s.name, s.address);
    if (s.volume >= 0 && s.volume != now.volume) sfx.SetSoundVolume(s.name, s.volume);
  }
  for (int i = 0; i < sfx.Sounds().Count(); ++i) {
    const std::string name = sfx.Sounds().KeyAt(i);
    bool known = std::any_of(d.sounds.begin(), d.sounds.end(), [&](const SavedSound& s) { return s.name == name; });
    if (!known && sfx.Sounds().ValueAt(i)) sfx.RemoveSound(name);
  }
  if (!sfx.PlayingMusic().empty()) sfx.StopMusic();
  for (const SavedSound& m : d.music)
    if (!m.address.empty() && sfx.MusicFile(m.name) != m.address) {
      sfx.RemoveMusic(m.name);
      sfx.LoadMusicFile(m.name, m.address);
    }
  if (d.musicVolume >= 0 && d.musicVolume != sfx.MusicVolume()) sfx.SetVolume(d.musicVolume);
  if (!d.playingMusic.empty()) sfx.PlayMusic(d.playingMusic);
}

}  // namespace

void ApplyEngineState(Engine& engine, const SaveGameData& d) {
  Uint32 now = engine.Ticks();
  ViewState& view = engine.view;
  // A new background lets go of the old one, as LoadBackground does; before
  // anything else takes images, so that no restored holder is forgotten.
  if (view.background && !view.backgroundName.empty() && view.backgroundName != d.background) {
    view.background = nullptr;
    ReleaseImage(engine, view.backgroundName);
  }
  view.background = Image(engine, d.background);
  view.backgroundName = d.background;
  view.cursor = Image(engine, d.cursor);
  view.cursorVisible = d.cursorVisible;
  engine.view.scrollX = d.scrollX;
  DepthScale depth;
  depth.on = d.depthScale;
  depth.topY = d.depthTopY, depth.topPercent = d.depthTopPercent;
  depth.bottomY = d.depthBottomY, depth.bottomPercent = d.depthBottomPercent;
  // A scale no script could have set is no scale.
  engine.scene.depth = depth.on && DepthScaleFault(depth).empty() ? depth : DepthScale{};
  float gamma = std::isfinite(d.gamma) ? std::clamp(d.gamma, 0.0f, 1.0f) : 1.0f;  // the fades' range
  if (gamma != engine.core.gamma) SetDisplayGamma(engine, gamma);
  engine.input.interactive = d.interactive, engine.input.decisionMode = d.decisionMode;
  engine.input.buttonPressed = false;
  if (!d.walkMap.empty() && d.walkMap != engine.walk.mapAddress) LoadPathMap(engine, d.walkMap);
  ApplyObjects(engine, d, now);
  ApplyInterface(engine, d);
  ApplyText(engine, d);
  ApplySound(engine, d);
}
