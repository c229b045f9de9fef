// Every script function the engine offers, in registration order: one row each.
// Adding a function is adding a row here and writing its body beside its subsystem.
#pragma once

// ENTRY(Name, Arguments): the body is lua_Name, and a failure inside it prints
// "Exception catched in lua_Name\r\n". FAILING(Name, Arguments, line) keeps a
// failure line of its own, spelt as games have always seen it.
//
// Arguments says what the leading arguments name, for the checks quillon-check
// makes without running a game: Object, Button or Sound one that a script made
// (by CreateObject, CreateMenuButton, LoadSound), File a file or pack entry,
// Any something else. The list stops after the last argument that names one;
// () for a function whose arguments name none of these.
#define QUILLON_SCRIPT_FUNCTIONS(ENTRY, FAILING) \
  FAILING(CreateObject, (), "Exception catched in lua_CreateObject.\r\n") \
  ENTRY(SetName, (Object)) \
  ENTRY(SetPos, (Object)) \
  ENTRY(SetHotSpot, (Object)) \
  ENTRY(HotSpotPositionOn, (Object)) \
  ENTRY(HotSpotPositionOff, (Object)) \
  ENTRY(Goto, (Object)) \
  ENTRY(SetHero, (Object)) \
  ENTRY(SayText, (Object)) \
  ENTRY(SetTextColor, (Object)) \
  ENTRY(SetSingleUse, (Object)) \
  ENTRY(SetMultiUse, (Object)) \
  ENTRY(Show, (Object)) \
  ENTRY(Hide, (Object)) \
  ENTRY(SetSpeed, (Object)) \
  ENTRY(LoadAnim, (Object, Any, File)) \
  ENTRY(UnloadAnim, (Object)) \
  ENTRY(ReloadAnim, (Object)) \
  ENTRY(PlayAnim, (Object)) \
  ENTRY(SetAnim, (Object)) \
  ENTRY(SetAnimTimeout, (Object)) \
  ENTRY(SetFrame, (Object)) \
  ENTRY(AssignAnim, (Object)) \
  ENTRY(AutoAnimOn, (Object)) \
  ENTRY(AutoAnimOff, (Object)) \
  ENTRY(TurnLeft, (Object)) \
  ENTRY(TurnRight, (Object)) \
  ENTRY(TurnUp, (Object)) \
  ENTRY(TurnDown, (Object)) \
  ENTRY(LoadInventoryIcon, (Object, File)) \
  FAILING(AddToInventory, (Object), "Exception catched in lua_AddToInventar\r\n") \
  ENTRY(RemoveFromInventory, (Object)) \
  ENTRY(IsInInventory, (Object)) \
  ENTRY(SetWalkToPos, (Object)) \
  ENTRY(SetTextBoxPos, (Object)) \
  ENTRY(SetTextBoxAutoPos, (Object)) \
  ENTRY(OverrideColorKey, (Object)) \
  FAILING(LoadBackground, (File), "Exception catched in lua_LoadBackgound\r\n") \
  ENTRY(LoadSzene, (File)) \
  ENTRY(FadeOut, ()) \
  ENTRY(FadeIn, ()) \
  ENTRY(SetMode, ()) \
  ENTRY(LoadPathMap, (File)) \
  ENTRY(LoadSound, (Any, File)) \
  ENTRY(PlaySound, (Sound)) \
  ENTRY(StopSound, (Sound)) \
  ENTRY(StopAllSounds, ()) \
  ENTRY(RemoveSound, (Sound)) \
  ENTRY(SetSoundVolume, (Sound)) \
  ENTRY(LoadCursor, (File)) \
  ENTRY(ShowCursor, ()) \
  ENTRY(HideCursor, ()) \
  ENTRY(LoadSystemFont, (File)) \
  ENTRY(LoadTalkFont, (File)) \
  ENTRY(LoadDecisionFont, (File)) \
  ENTRY(Wait, ()) \
  ENTRY(WaitFor, (Object)) \
  ENTRY(MakeDecision, ()) \
  FAILING(SetDecisionPos, (), "Exception catched in lua_SetDecisionPos\n") \
  ENTRY(Exit, ()) \
  ENTRY(LoadMenuBackground, (File)) \
  ENTRY(ShowMenuBackground, ()) \
  ENTRY(HideMenuBackground, ()) \
  ENTRY(CreateMenuButton, (Any, File)) \
  ENTRY(ShowMenuButton, (Button)) \
  ENTRY(HideMenuButton, (Button)) \
  ENTRY(SetDefaultButton, (Button)) \
  ENTRY(SetActiveButton, (Button)) \
  ENTRY(SetStringFile, ()) \
  ENTRY(SetLanguage, ()) \
  ENTRY(GetString, ()) \
  ENTRY(G, ()) \
  ENTRY(S, ()) \
  ENTRY(DefineInventory, ()) \
  ENTRY(SetUseWord, ()) \
  ENTRY(SetScreen, ()) \
  ENTRY(DebugMode, ()) \
  ENTRY(SetQuitKeys, ()) \
  ENTRY(SetFrameLimit, ()) \
  ENTRY(SaveGame, ()) \
  ENTRY(LoadGame, ()) \
  ENTRY(SaveSlots, ()) \
  ENTRY(DeleteSave, ()) \
  ENTRY(SetGameName, ()) \
  ENTRY(SetAutosave, ()) \
  ENTRY(GetPos, (Object)) \
  ENTRY(IsVisible, (Object)) \
  ENTRY(GetAnim, (Object)) \
  ENTRY(IsWalking, (Object)) \
  ENTRY(IsTalking, (Object)) \
  ENTRY(GetHero, ()) \
  ENTRY(GetVerb, ()) \
  ENTRY(GetScroll, ()) \
  ENTRY(GetLanguage, ()) \
  ENTRY(LoadScript, (File)) \
  ENTRY(LoadHotSpotMarker, (File)) \
  ENTRY(CreateArea, ()) \
  ENTRY(CreatePolygonArea, ()) \
  ENTRY(PassClicks, (Object)) \
  ENTRY(SetDepthScale, ()) \
  ENTRY(DepthScaleOn, (Object)) \
  ENTRY(DepthScaleOff, (Object))

// The usual failure line of a script function.
#define QUILLON_FAILURE_LINE(Name) "Exception catched in lua_" #Name "\r\n"
