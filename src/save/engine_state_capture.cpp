// Capturing the engine's state into a saved game.
#include <SDL/SDL.h>

#include "audio/sfx.h"
#include "engine/engine.h"
#include "save/engine_state_io.h"
#include "scene/adventure_object.h"
#include "ui/menu_button.h"

namespace {

std::string ImageAddressOf(const Engine& engine, const SDL_Surface* surface) {
  const Hashtable<std::shared_ptr<SDL_Surface>>& images = engine.resources.images;
  for (int i = 0; surface && i < images.Count(); ++i)
    if (images.ValueAt(i).get() == surface) return images.KeyAt(i);
  return std::string();
}

template <class Table, class T>
std::string KeyOf(const Table& table, const T* value) {
  for (int i = 0; value && i < table.Count(); ++i)
    if (table.ValueAt(i) == value) return table.KeyAt(i);
  return std::string();
}

SavedAnimation CaptureAnimation(Engine& engine, const std::string& name, const Animation& a, Uint32 now) {
  SavedAnimation s;
  s.name = name;
  s.imageAddress = ImageAddressOf(engine, a.image);
  s.frameCount = a.frameCount, s.currentFrame = a.currentFrame, s.frameHeight = a.frameHeight;
  s.frameWidth = a.frameWidth, s.timeout = a.timeout;
  s.replayArmed = a.nextStart != 0;
  s.replayIn = s.replayArmed ? static_cast<int32_t>(a.nextStart - now) : 0;
  s.frameRate = a.frameRate, s.mode = a.mode, s.framesPlayed = a.framesPlayed;
  s.hotspotX = a.hotspotX, s.hotspotY = a.hotspotY;
  s.autoRestart = a.autoRestart, s.playing = a.playing, s.elapsed = a.elapsed;
  return s;
}

SavedObject CaptureObject(Engine& engine, const std::string& id, const AdventureObject& o, Uint32 now) {
  SavedObject s;
  s.id = id, s.name = o.name, s.speechText = o.speechText;
  s.x = o.x, s.y = o.y, s.dirX = o.dirX, s.dirY = o.dirY, s.speed = o.speed;
  s.targetX = o.targetX, s.targetY = o.targetY, s.walkToX = o.walkToX, s.walkToY = o.walkToY;
  s.textBoxX = o.textBoxX, s.textBoxY = o.textBoxY, s.pathIndex = o.pathIndex, s.textColor = o.textColor;
  s.talkLeft = static_cast<int32_t>(o.talkUntil - now);
  s.textBoxAuto = o.textBoxAuto, s.visible = o.visible, s.moving = o.moving, s.followingPath = o.followingPath;
  s.singleUse = o.singleUse, s.talking = o.talking, s.hotspotPositioning = o.hotspotPositioning;
  s.colorKeyOverride = o.colorKeyOverride, s.autoAnimation = o.autoAnimation;
  s.headingUp = o.headingUp, s.headingDown = o.headingDown, s.headingLeft = o.headingLeft;
  s.headingRight = o.headingRight;
  for (int i = 0; i < o.animations.Count(); ++i)
    s.animations.push_back(CaptureAnimation(engine, o.animations.KeyAt(i), *o.animations.ValueAt(i), now));
  s.currentAnimation = KeyOf(o.animations, o.currentAnimation);
  for (const Animation* slot : o.slots) s.slots.push_back(KeyOf(o.animations, slot));
  for (const WalkPoint& p : o.path) s.path.push_back({p.x, p.y});
  s.inventoryIcon = ImageAddressOf(engine, o.inventoryIcon);
  for (const WalkPoint& p : o.area) s.area.push_back({p.x, p.y});
  s.passesClicks = o.passesClicks;
  s.depthScaling = o.depthScaling;
  return s;
}

void CaptureInterface(Engine& engine, SaveGameData* d) {
  const UiState& ui = engine.ui;
  for (int i = 0; i < ui.buttons.Count(); ++i) {
    const MenuButton& b = *ui.buttons.ValueAt(i);
    d->buttons.push_back({ui.buttons.KeyAt(i), ImageAddressOf(engine, b.image), b.label, b.x, b.y, b.width,
                          b.height, b.lit, b.verbType, b.visible});
  }
  d->currentVerb = KeyOf(ui.buttons, ui.currentVerb);
  d->defaultVerb = KeyOf(ui.buttons, ui.defaultVerb);
  d->verbLabel = ui.verbLabel, d->useWord = ui.useWord, d->defaultVerbSet = ui.defaultVerbSet;
  d->selectionCount = ui.selectionCount;
  d->selected[0] = ui.selectedIds[0], d->selected[1] = ui.selectedIds[1];
  d->menuBackground = ImageAddressOf(engine, ui.menuBackground);
  d->menuBackgroundVisible = ui.menuBackgroundVisible;
  d->menuBackgroundX = ui.menuBackgroundX, d->menuBackgroundY = ui.menuBackgroundY;
  for (int i = 0; i < ui.inventory.Count(); ++i) d->inventory.push_back(ui.inventory.KeyAt(i));
  d->inventoryX = ui.inventoryX, d->inventoryY = ui.inventoryY, d->inventorySpacing = ui.inventorySpacing;
  d->iconWidth = ui.iconWidth, d->iconHeight = ui.iconHeight;
  d->decisionX = ui.decisionX, d->decisionY = ui.decisionY;
}

void CaptureTextAndSound(Engine& engine, SaveGameData* d) {
  const TextState& text = engine.text;
  const FontSource* fonts[3] = {&text.systemFontSource, &text.talkFontSource, &text.decisionFontSource};
  for (int i = 0; i < 3; ++i) d->fonts[i] = {fonts[i]->address, fonts[i]->cellHeight, fonts[i]->lineWidth};
  d->sentenceX = text.sentenceX, d->sentenceY = text.sentenceY;
  d->language = text.language, d->stringFile = text.stringFileName;
  for (int i = 0; i < text.variables.Count(); ++i)
    d->variables.emplace_back(text.variables.KeyAt(i), *text.variables.ValueAt(i));
  if (!engine.audio.sfx) return;
  const Sfx& sfx = *engine.audio.sfx;
  for (int i = 0; i < sfx.Sounds().Count(); ++i) {
    const std::string& name = sfx.Sounds().KeyAt(i);
    Sfx::SoundSource source = sfx.SourceOf(name);
    d->sounds.push_back({name, sfx.Sounds().ValueAt(i) ? source.address : std::string(), source.volume});
  }
  for (int i = 0; i < sfx.Music().Count(); ++i)
    d->music.push_back({sfx.Music().KeyAt(i), sfx.MusicFile(sfx.Music().KeyAt(i)), -1});
  d->playingMusic = sfx.PlayingMusic();
  d->musicVolume = sfx.MusicVolume();
}

}  // namespace

void CaptureEngineState(Engine& engine, SaveGameData* d) {
  Uint32 now = engine.Ticks();
  d->sceneAddress = engine.script.currentScript;
  d->background = engine.view.background ? engine.view.backgroundName : std::string();
  d->cursor = ImageAddressOf(engine, engine.view.cursor);
  d->cursorVisible = engine.view.cursorVisible;
  d->interactive = engine.input.interactive, d->decisionMode = engine.input.decisionMode;
  d->scrollX = engine.view.scrollX;
  const DepthScale& depth = engine.scene.depth;
  d->depthScale = depth.on;
  d->depthTopY = depth.topY, d->depthTopPercent = depth.topPercent;
  d->depthBottomY = depth.bottomY, d->depthBottomPercent = depth.bottomPercent;
  d->gamma = engine.core.gamma;
  d->walkMap = engine.walk.mapAddress;
  d->walkTarget = KeyOf(engine.cast.objects, engine.walk.target);
  d->arrivalReported = engine.walk.arrivalReported;
  d->hero = KeyOf(engine.cast.objects, engine.cast.hero);
  const auto& objects = engine.cast.objects;
  for (int i = 0; i < objects.Count(); ++i)
    d->objects.push_back(CaptureObject(engine, objects.KeyAt(i), *objects.ValueAt(i), now));
  CaptureInterface(engine, d);
  CaptureTextAndSound(engine, d);
}
