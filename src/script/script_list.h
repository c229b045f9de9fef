// Every script function the engine offers, in registration order: one row each.
// Adding a function is adding a row here and writing its body beside its subsystem.
#pragma once

// ENTRY(Name): the body is lua_Name, and a failure inside it prints
// "Exception catched in lua_Name\r\n". FAILING(Name, line) keeps a failure
// line of its own, spelt as games have always seen it.
#define QUILLON_SCRIPT_FUNCTIONS(ENTRY, FAILING) \
  FAILING(CreateObject, "Exception catched in lua_CreateObject.\r\n") \
  ENTRY(SetName) \
  ENTRY(SetPos) \
  ENTRY(SetHotSpot) \
  ENTRY(HotSpotPositionOn) \
  ENTRY(HotSpotPositionOff) \
  ENTRY(Goto) \
  ENTRY(SetHero) \
  ENTRY(SayText) \
  ENTRY(SetTextColor) \
  ENTRY(SetSingleUse) \
  ENTRY(SetMultiUse) \
  ENTRY(Show) \
  ENTRY(Hide) \
  ENTRY(SetSpeed) \
  ENTRY(LoadAnim) \
  ENTRY(UnloadAnim) \
  ENTRY(ReloadAnim) \
  ENTRY(PlayAnim) \
  ENTRY(SetAnim) \
  ENTRY(SetAnimTimeout) \
  ENTRY(SetFrame) \
  ENTRY(AssignAnim) \
  ENTRY(AutoAnimOn) \
  ENTRY(AutoAnimOff) \
  ENTRY(TurnLeft) \
  ENTRY(TurnRight) \
  ENTRY(TurnUp) \
  ENTRY(TurnDown) \
  ENTRY(LoadInventoryIcon) \
  FAILING(AddToInventory, "Exception catched in lua_AddToInventar\r\n") \
  ENTRY(RemoveFromInventory) \
  ENTRY(IsInInventory) \
  ENTRY(SetWalkToPos) \
  ENTRY(SetTextBoxPos) \
  ENTRY(SetTextBoxAutoPos) \
  ENTRY(OverrideColorKey) \
  FAILING(LoadBackground, "Exception catched in lua_LoadBackgound\r\n") \
  ENTRY(LoadSzene) \
  ENTRY(FadeOut) \
  ENTRY(FadeIn) \
  ENTRY(SetMode) \
  ENTRY(LoadPathMap) \
  ENTRY(LoadSound) \
  ENTRY(PlaySound) \
  ENTRY(StopSound) \
  ENTRY(StopAllSounds) \
  ENTRY(RemoveSound) \
  ENTRY(SetSoundVolume) \
  ENTRY(LoadCursor) \
  ENTRY(ShowCursor) \
  ENTRY(HideCursor) \
  ENTRY(LoadSystemFont) \
  ENTRY(LoadTalkFont) \
  ENTRY(LoadDecisionFont) \
  ENTRY(Wait) \
  ENTRY(WaitFor) \
  ENTRY(MakeDecision) \
  FAILING(SetDecisionPos, "Exception catched in lua_SetDecisionPos\n") \
  ENTRY(Exit) \
  ENTRY(LoadMenuBackground) \
  ENTRY(ShowMenuBackground) \
  ENTRY(HideMenuBackground) \
  ENTRY(CreateMenuButton) \
  ENTRY(ShowMenuButton) \
  ENTRY(HideMenuButton) \
  ENTRY(SetDefaultButton) \
  ENTRY(SetActiveButton) \
  ENTRY(SetStringFile) \
  ENTRY(SetLanguage) \
  ENTRY(GetString) \
  ENTRY(G) \
  ENTRY(S) \
  ENTRY(DefineInventory) \
  ENTRY(SetUseWord) \
  ENTRY(SetScreen) \
  ENTRY(DebugMode) \
  ENTRY(SetQuitKeys) \
  ENTRY(SetFrameLimit) \
  ENTRY(SaveGame) \
  ENTRY(LoadGame) \
  ENTRY(SaveSlots) \
  ENTRY(DeleteSave) \
  ENTRY(SetGameName) \
  ENTRY(SetAutosave)

// The usual failure line of a script function.
#define QUILLON_FAILURE_LINE(Name) "Exception catched in lua_" #Name "\r\n"
