-- The street at dusk, twice as wide as the screen: the view follows Robin.
-- The bakery is in the middle, the baker's garden gate at the east end.

function Init()
  LoadBackground(R("street.bmp"))
  LoadPathMap(R("street.map"))
  HotSpotPositionOff("door")
  SetPos("door", 566, 218)
  SetWalkToPos("door", 598, 328)
  if G("door_open") == 1 then
    SetAnim("door", "open")
  else
    SetAnim("door", "closed")
  end
  HotSpotPositionOff("gate")
  SetPos("gate", 1152, 234)
  SetWalkToPos("gate", 1192, 328)
  if G("gate_open") == 1 then
    SetAnim("gate", "open")
  else
    SetAnim("gate", "closed")
  end
  Show("door")
  Show("gate")
  Show("sign")
  Show("bench")
  CreateArea("window", 656, 206, 130, 94)
  if G("coin_taken") ~= 1 then
    Show("coin")
  end
  if G("from") == 1 then
    SetPos("hero", 598, 330)
  elseif G("from") == 2 then
    SetPos("hero", 1192, 330)
  else
    SetPos("hero", 60, 372)
  end
  SetAnim("hero", "idle_down")
  Show("hero")
  print("DEMO: street")
end

-- The first time: Robin walks in and tells what the day is about.
function Intro()
  SetMode("MOVIE")
  HideCursor()
  HideMenu()
  PlaySound("step", -1, 1500)
  Goto("hero", 240, 372)
  WaitFor("hero", "WALKING")
  StopSound("step")
  -- Robin looks round without walking.
  AutoAnimOff("hero")
  TurnLeft("hero")
  Wait(500)
  TurnRight("hero")
  Wait(500)
  TurnUp("hero")
  Wait(400)
  TurnDown("hero")
  AutoAnimOn("hero")
  SetAnim("hero", "idle_down")
  HeroSays("intro1")
  HeroSays("intro2")
  -- The hint stands at the top of the screen, in the narrator's colour.
  SetTextBoxPos("hero", 170, 40)
  SetTextColor("hero", 2)
  HeroSays("hint")
  SetTextBoxAutoPos("hero")
  SetTextColor("hero", 0)
  ShowMenu()
  -- From here on the quill in the inventory saves and loads the game.
  AddToInventory("quill")
  ShowCursor()
  SetMode("INTERACT")
  S("intro_done", 1)
  print("DEMO: your turn")
end

function Main()
  PlaySound("tune", -1, 0)
  if G("intro_done") ~= 1 then
    Intro()
  end
end

-- A saved game was loaded into this scene. Sounds are not resumed: the tune starts again.
function Restored(slot)
  PlaySound("tune", -1, 0)
  print("DEMO: restored " .. slot)
end

function DeInit()
  StopSound("tune")
  Hide("door")
  Hide("gate")
  Hide("sign")
  Hide("bench")
  Hide("window")
  Hide("coin")
end

function OpenDoor()
  if G("door_open") ~= 1 then
    PlaySound("door", 0, 0)
    SetAnim("door", "open")
    S("door_open", 1)
  end
end

function Event(verb, first, second)
  if CarriedEvent(verb, first, second) then
    return
  end
  if first == "coin" and verb == "TAKE" then
    Carry("coin")
    PlaySound("pickup", 0, 0)
    S("coin_taken", 1)
    HeroSays("coin_take")
  elseif first == "door" and (verb == "OPEN" or verb == "USE" or verb == "PUSH") then
    OpenDoor()
  elseif first == "door" and verb == "CLOSE" then
    PlaySound("door", 0, 0)
    SetAnim("door", "closed")
    S("door_open", 0)
  elseif first == "door" and verb == "REACHED" then
    if G("door_open") == 1 then
      PlaySound("bell", 0, 0)
      S("from", 1)
      GoToScene("shop.lua")
    else
      HeroSays("door_closed")
    end
  elseif first == "door" and verb == "LOOK" then
    HeroSays("door_look")
  elseif (first == "door" or first == "window") and verb == SMELL then
    HeroSays("smell_bakery")
  elseif first == "window" and verb == "LOOK" then
    HeroSays("window_look")
  elseif first == "gate" and verb == "LOOK" then
    HeroSays("gate_look")
  elseif first == "key" and second == "gate" and verb == "USE" then
    RemoveFromInventory("key")
    PlaySound("door", 0, 0)
    SetAnim("gate", "open")
    S("gate_open", 1)
    HeroSays("gate_opened")
  elseif first == "gate" and G("gate_open") ~= 1 and (verb == "OPEN" or verb == "PULL" or verb == "PUSH" or verb == "REACHED") then
    HeroSays("gate_locked")
  elseif first == "gate" and verb == "REACHED" then
    GoToScene("garden.lua")
  elseif first == "sign" and verb == "LOOK" then
    HeroSays("sign_look")
  elseif first == "sign" and verb == "PUSH" then
    HeroSays("sign_push")
  else
    Shrug(verb)
  end
end
