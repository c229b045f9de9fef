// The fields of a saved game in the order the save file holds them: one Visit
// for each struct of save_data.h, naming each of its members once. The file
// format runs them with its writer and its reader; a test runs them with a
// visitor of its own, so that a member added to a struct but left out here
// cannot go unnoticed.
//
// A visitor a holds the format it reads or writes (a.format) and offers a(v) for bool, uint8_t, int32_t, uint32_t, int64_t,
// float, double and std::string; a.List(vector, each), a count and each item;
// and a.Bound(count, bytesEach), where a reader refuses a count that the
// bytes left cannot hold before anything is made for it.
#pragma once

#include <cmath>
#include <cstdint>
#include <stdexcept>

#include "save/save_data.h"

// Bytes that are no save this engine could have written.
struct SaveDamaged : std::runtime_error {
  SaveDamaged() : std::runtime_error("damaged") {}
};

template <class A>
void Visit(A& a, SavedValue& v, uint32_t tableCount) {
  a(v.kind);
  switch (v.kind) {
    case SavedValue::kFalse:
    case SavedValue::kTrue:
      return;
    case SavedValue::kNumber:
      return a(v.number);
    case SavedValue::kString:
      return a(v.text);
    case SavedValue::kTable:
      a(v.table);
      if (v.table >= tableCount) throw SaveDamaged();
      return;
    default:
      throw SaveDamaged();
  }
}

template <class A>
void Visit(A& a, SavedGlobals& g) {
  uint32_t tableCount = static_cast<uint32_t>(g.tables.size());
  a(tableCount);
  a.Bound(tableCount, 4);  // each table starts with its entry count
  // Tables are listed before their entries, so a reference may point forward.
  g.tables.resize(tableCount);
  for (auto& table : g.tables) {
    a.List(table, [&](std::pair<SavedValue, SavedValue>& entry) {
      Visit(a, entry.first, tableCount);
      // The runtime refuses NaN as a key; a key it cannot hold is damage.
      if (entry.first.kind == SavedValue::kNumber && std::isnan(entry.first.number)) throw SaveDamaged();
      Visit(a, entry.second, tableCount);
    });
  }
  a.List(g.globals, [&](std::pair<std::string, SavedValue>& global) {
    a(global.first);
    Visit(a, global.second, tableCount);
  });
}

template <class A>
void Visit(A& a, SavedAnimation& n) {
  a(n.name), a(n.imageAddress), a(n.frameCount), a(n.currentFrame), a(n.frameHeight), a(n.frameWidth);
  a(n.timeout), a(n.replayArmed), a(n.replayIn), a(n.frameRate), a(n.mode), a(n.framesPlayed);
  a(n.hotspotX), a(n.hotspotY), a(n.autoRestart), a(n.playing), a(n.elapsed);
}

template <class A>
void Visit(A& a, SavedPoint& p) {
  a(p.x), a(p.y);
}

template <class A>
void Visit(A& a, SavedObject& o) {
  a(o.id), a(o.name), a(o.speechText), a(o.x), a(o.y), a(o.dirX), a(o.dirY), a(o.speed);
  a(o.targetX), a(o.targetY), a(o.walkToX), a(o.walkToY), a(o.textBoxX), a(o.textBoxY);
  a(o.pathIndex), a(o.textColor), a(o.talkLeft);
  a(o.textBoxAuto), a(o.visible), a(o.moving), a(o.followingPath), a(o.singleUse);
  a(o.talking), a(o.hotspotPositioning), a(o.colorKeyOverride), a(o.autoAnimation);
  a(o.headingUp), a(o.headingDown), a(o.headingLeft), a(o.headingRight);
  a.List(o.animations, [&](SavedAnimation& n) { Visit(a, n); });
  a(o.currentAnimation);
  a.List(o.slots, [&](std::string& s) { a(s); });
  a.List(o.path, [&](SavedPoint& p) { Visit(a, p); });
  a(o.inventoryIcon);
  if (a.format < 3) return;
  a.List(o.area, [&](SavedPoint& p) { Visit(a, p); });
  a(o.passesClicks);
  if (a.format < 4) return;
  a(o.depthScaling);
  if (o.depthScaling > 2) throw SaveDamaged();
}

template <class A>
void Visit(A& a, SavedButton& b) {
  a(b.verb), a(b.imageAddress), a(b.label), a(b.x), a(b.y), a(b.width), a(b.height), a(b.lit);
  a(b.verbType), a(b.visible);
}

template <class A>
void Visit(A& a, SavedFont& f) {
  a(f.address), a(f.cellHeight), a(f.lineWidth);
}

template <class A>
void Visit(A& a, SavedSound& s) {
  a(s.name), a(s.address), a(s.volume);
}

template <class A>
void Visit(A& a, SaveGameData& d) {
  a(d.gameName), a(d.title), a(d.timeMs), a(d.sceneAddress);
  a(d.background), a(d.cursor), a(d.cursorVisible), a(d.interactive), a(d.decisionMode), a(d.scrollX), a(d.gamma);
  a(d.walkMap), a(d.walkTarget), a(d.arrivalReported), a(d.hero);
  a.List(d.objects, [&](SavedObject& o) { Visit(a, o); });
  a.List(d.buttons, [&](SavedButton& b) { Visit(a, b); });
  a(d.currentVerb), a(d.defaultVerb), a(d.verbLabel), a(d.useWord), a(d.defaultVerbSet);
  a(d.selectionCount), a(d.selected[0]), a(d.selected[1]);
  a(d.menuBackground), a(d.menuBackgroundVisible), a(d.menuBackgroundX), a(d.menuBackgroundY);
  a.List(d.inventory, [&](std::string& id) { a(id); });
  a(d.inventoryX), a(d.inventoryY), a(d.inventorySpacing), a(d.iconWidth), a(d.iconHeight);
  a(d.decisionX), a(d.decisionY);
  for (SavedFont& f : d.fonts) Visit(a, f);
  a(d.sentenceX), a(d.sentenceY), a(d.language), a(d.stringFile);
  a.List(d.variables, [&](std::pair<std::string, int32_t>& v) { a(v.first), a(v.second); });
  a.List(d.sounds, [&](SavedSound& s) { Visit(a, s); });
  a.List(d.music, [&](SavedSound& s) { Visit(a, s); });
  a(d.playingMusic), a(d.musicVolume);
  Visit(a, d.globals);
  if (a.format < 4) return;
  a(d.depthScale), a(d.depthTopY), a(d.depthTopPercent), a(d.depthBottomY), a(d.depthBottomPercent);
}
