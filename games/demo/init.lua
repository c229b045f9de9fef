-- Robin's Flower, the demo adventure of Quillon.
--
-- Robin wants to bring Grandma a flower for her birthday. The flowers grow
-- in the baker's walled garden, the gate is locked and Mr. Crumb, the baker,
-- keeps the key: he lends it to a customer. A coin lies in the street...
--
-- This initial script sets up what lives for the whole game (fonts, cursor,
-- menu, inventory, characters, items, sounds), lets the player choose the
-- language and then loads the first scene. The scene scripts (street.lua,
-- shop.lua, garden.lua) place things and answer the player's actions.
-- Story flags are kept with S and G, so they survive the scene switches.

-- Every visible text is a line of texts.DE / texts.EN, named here.
TEXT = {
  walk = 1,            -- Walk to
  talk = 2,            -- Talk to
  take = 3,            -- Take
  give = 4,            -- Give
  use = 5,             -- Use
  open = 6,            -- Open
  close = 7,           -- Close
  push = 8,            -- Push
  pull = 9,            -- Pull
  look = 10,            -- Look at
  smell = 11,           -- Smell
  with = 12,            -- with
  n_hero = 13,          -- Robin
  n_keeper = 14,        -- Mr. Crumb
  n_coin = 15,          -- coin
  n_door = 16,          -- bakery door
  n_gate = 17,          -- garden gate
  n_sign = 18,          -- signpost
  n_window = 19,        -- shop window
  n_bread = 20,         -- loaf of bread
  n_key = 21,           -- garden key
  n_bell = 22,          -- shop bell
  n_shelves = 23,       -- shelves
  n_barrel = 24,        -- barrel
  n_sack = 25,          -- flour sack
  n_can = 26,           -- watering can
  n_pond = 27,          -- pond
  n_flower = 28,        -- red flower
  intro1 = 29,          -- It's Grandma's birthday today.
  intro2 = 30,          -- I want to bring her a flower.
  hint = 31,            -- Pick a verb below, then click a thing in the picture.
  coin_look = 32,       -- A coin! Somebody must have lost it.
  coin_take = 33,       -- Lucky me.
  coin_use = 34,        -- Heads. Still just one coin.
  door_look = 35,       -- The bakery. It smells wonderful.
  smell_bakery = 36,    -- Fresh bread and cinnamon!
  door_closed = 37,     -- The door is closed.
  window_look = 38,     -- Cakes and loaves. My mouth waters.
  gate_look = 39,       -- The baker's garden. So many flowers!
  gate_locked = 40,     -- Locked. The baker keeps the key.
  gate_opened = 41,     -- Click! The gate is open.
  sign_look = 42,       -- To the garden. Flowers for friends of the bakery.
  sign_push = 43,       -- It wobbles, but it stays.
  keeper_hello = 44,    -- Good evening, Robin! What would you like?
  ask_flower = 45,      -- I need a flower for Grandma.
  ask_smell = 46,       -- What smells so good?
  ask_bye = 47,         -- Goodbye!
  keeper_garden = 48,   -- My garden is full of flowers, but the gate is locked.
  keeper_buy = 49,      -- Buy a loaf first, then I'll lend you the key.
  keeper_bread = 50,    -- Rye bread, fresh from the oven. One coin.
  keeper_bye = 51,      -- Goodbye! Greet your grandmother.
  keeper_thanks = 52,   -- Thank you! Here is your bread.
  keeper_key = 53,      -- And my garden key. Water the flowers!
  keeper_no = 54,       -- No, thank you.
  keeper_look = 55,     -- Mr. Crumb, the baker.
  keeper_smell = 56,    -- Flour and butter.
  bread_look = 57,      -- A crusty loaf.
  bread_use = 58,       -- It's for Grandma. Hands off!
  bread_counter = 59,   -- Not without paying.
  bell_ring = 60,       -- Coming, coming!
  shelves_look = 61,    -- Jars of jam and honey, and bread.
  barrel_push = 62,     -- Far too heavy.
  sack_pull = 63,       -- Better not. Flour everywhere.
  can_look = 64,        -- A watering can. Empty.
  can_take = 65,        -- That will come in handy.
  can_fill = 66,        -- Now it is full of water.
  can_empty = 67,       -- The can is empty.
  pond_look = 68,       -- Goldfish! Three of them.
  flower_look = 69,     -- A red flower. Its head droops.
  flower_dry = 70,      -- Too dry. It would wilt on the way.
  flower_watered = 71,  -- There. It stands up straight again!
  flower_take = 72,     -- Perfect for Grandma.
  flower_smell = 73,    -- Sweet, like honey.
  present = 74,         -- Bread and a flower: a real present!
  ending = 75,          -- Happy birthday, Grandma. Here I come!
  the_end = 76,         -- The end. Thank you for playing!
  cannot = 77,          -- That doesn't work.
  no_move = 78,         -- It doesn't move.
  no_way = 79,          -- I can't get there.
  nothing_smell = 80,   -- Smells of nothing much.
  nobody = 81,          -- Nobody answers.
  n_quill = 82,         -- quill
  quill_save = 83,      -- Save the game
  quill_load = 84,      -- Load the saved game
  quill_back = 85,      -- Back
  saved = 86,           -- Saved. I can come back to this moment.
  nothing_saved = 87,   -- Nothing is saved yet.
}

function Text(key)
  return GetString(TEXT[key])
end

-- Someone says a line and the script waits until it has been read.
function Says(id, key)
  SayText(id, Text(key))
  WaitFor(id, "TALKING")
end

function HeroSays(key)
  Says(GetHero(), key)
end

-- The baker moves his mouth and hand while he talks, then goes back to what
-- he was doing.
function KeeperSays(key)
  local resting = GetAnim("keeper")
  PlayAnim("keeper", "talk", "WHILETALKING")
  Says("keeper", key)
  PlayAnim("keeper", resting, "LOOP")
end

-- A line of the log for the replay and whoever reads it: what happened, where
-- Robin stands, how far the view has scrolled and which verb is chosen.
function Note(what)
  local x, y = GetPos(GetHero())
  print("DEMO: " .. what .. ": Robin at " .. x .. "," .. y .. ", view from x " .. GetScroll() ..
        ", verb " .. GetVerb())
end

-- Switches scenes behind a fade to black. Every scene switch is a checkpoint:
-- the game is saved once the new scene shows.
function GoToScene(script)
  FadeOut(400)
  LoadSzene(R(script))
  FadeIn(400)
  SaveGame("checkpoint", script)
  Note("in " .. script)
end

-- A thing that lies in a scene, placed by the point it stands on.
function MakeItem(id, image, width, height, footX, footY)
  CreateObject(id)
  LoadAnim(id, "lying", R(image), width, height, footX, footY, 1, 0)
  SetAnim(id, "lying")
  HotSpotPositionOn(id)
end

-- A place in the background the player can point at (a window, a pond): an
-- invisible picture whose whole rectangle answers the pointer.
function MakeZone(id, x, y, width, height)
  CreateObject(id)
  LoadAnim(id, "area", R("zone.bmp"), width, height, 0, 0, 1, 0)
  SetAnim(id, "area")
  HotSpotPositionOff(id)
  OverrideColorKey(id)
  SetPos(id, x, y)
end

function MakeHero()
  CreateObject("hero")
  SetHero("hero")
  HotSpotPositionOn("hero")
  SetSpeed("hero", 150)
  -- Walking strips carry the names the Turn functions look for.
  LoadAnim("hero", "MOVELEFT", R("hero_walk_left.bmp"), 32, 64, 16, 62, 4, 8)
  LoadAnim("hero", "MOVERIGHT", R("hero_walk_right.bmp"), 32, 64, 16, 62, 4, 8)
  LoadAnim("hero", "MOVEUP", R("hero_walk_up.bmp"), 32, 64, 16, 62, 4, 8)
  LoadAnim("hero", "MOVEDOWN", R("hero_walk_down.bmp"), 32, 64, 16, 62, 4, 8)
  LoadAnim("hero", "idle_left", R("hero_idle_left.bmp"), 32, 64, 16, 62, 2, 4)
  LoadAnim("hero", "idle_right", R("hero_idle_right.bmp"), 32, 64, 16, 62, 2, 4)
  LoadAnim("hero", "idle_up", R("hero_idle_up.bmp"), 32, 64, 16, 62, 2, 4)
  LoadAnim("hero", "idle_down", R("hero_idle_down.bmp"), 32, 64, 16, 62, 2, 4)
  for _, way in ipairs({"LEFT", "RIGHT", "UP", "DOWN"}) do
    AssignAnim("hero", "MOVE" .. way, "MOVE" .. way)
  end
  AssignAnim("hero", "idle_left", "IDLELEFT")
  AssignAnim("hero", "idle_right", "IDLERIGHT")
  AssignAnim("hero", "idle_up", "IDLEUP")
  AssignAnim("hero", "idle_down", "IDLEDOWN")
  -- Standing still, Robin breathes and blinks now and then.
  SetAnimTimeout("hero", "idle_left", 3000)
  SetAnimTimeout("hero", "idle_right", 3000)
  SetAnimTimeout("hero", "idle_up", 4000)
  SetAnimTimeout("hero", "idle_down", 2500)
  AutoAnimOn("hero")
  SetAnim("hero", "idle_down")
  SetTextColor("hero", 0)
end

function MakeKeeper()
  CreateObject("keeper")
  HotSpotPositionOn("keeper")
  SetSpeed("keeper", 60)
  LoadAnim("keeper", "idle", R("keeper_idle.bmp"), 32, 64, 16, 62, 2, 4)
  LoadAnim("keeper", "talk", R("keeper_talk.bmp"), 32, 64, 16, 62, 2, 6)
  SetAnimTimeout("keeper", "idle", 3500)
  PlayAnim("keeper", "idle", "LOOP")
  SetWalkToPos("keeper", 300, 340)
  SetTextColor("keeper", 1)
end

-- The things Robin can carry. Each is also a picture somewhere in a scene.
function MakeItems()
  MakeItem("coin", "coin.bmp", 24, 24, 12, 20)
  SetPos("coin", 455, 382)
  SetWalkToPos("coin", 430, 384)
  SetSingleUse("coin")
  LoadInventoryIcon("coin", R("icon_coin.bmp"))

  -- The loaf and the key lie on the bakery's counter until they are sold.
  MakeItem("bread", "icon_bread.bmp", 40, 40, 20, 36)
  SetPos("bread", 440, 234)
  SetWalkToPos("bread", 440, 340)
  SetSingleUse("bread")
  LoadInventoryIcon("bread", R("icon_bread.bmp"))

  MakeItem("key", "key.bmp", 32, 32, 16, 28)
  SetPos("key", 505, 236)
  SetWalkToPos("key", 500, 340)
  SetMultiUse("key")
  LoadInventoryIcon("key", R("icon_key.bmp"))

  CreateObject("can")
  LoadAnim("can", "lying", R("watering_can.bmp"), 32, 32, 0, 0, 1, 0)
  SetAnim("can", "lying")
  SetHotSpot("can", "lying", 13, 29)
  HotSpotPositionOn("can")
  SetPos("can", 388, 352)
  SetWalkToPos("can", 360, 360)
  SetMultiUse("can")
  LoadInventoryIcon("can", R("icon_can.bmp"))

  MakeItem("flower", "flower.bmp", 24, 32, 12, 30)
  SetPos("flower", 120, 350)
  SetWalkToPos("flower", 120, 318)
  SetMultiUse("flower")
  LoadInventoryIcon("flower", R("icon_flower.bmp"))

  -- Robin's quill saves and loads the game; it lives in the inventory only.
  -- Its icon is the window's, which lies beside the packs as a loose file.
  CreateObject("quill")
  SetSingleUse("quill")
  LoadInventoryIcon("quill", R("icon1.bmp"))
end

-- Robin takes an item. The quill stays in the last place of the inventory,
-- so the items keep the places they have without it.
function Carry(item)
  AddToInventory(item)
  if IsInInventory("quill") == 1 then
    RemoveFromInventory("quill")
    AddToInventory("quill")
  end
end

-- Doors, the signpost and places in the backgrounds.
function MakeFixtures()
  CreateObject("door")
  LoadAnim("door", "closed", R("door_closed.bmp"), 64, 112, 32, 111, 1, 0)
  LoadAnim("door", "open", R("door_open.bmp"), 64, 112, 32, 111, 1, 0)
  SetAnim("door", "closed")
  HotSpotPositionOff("door")
  -- The open door is a hole in a picture; the whole doorway stays clickable.
  OverrideColorKey("door")

  CreateObject("gate")
  LoadAnim("gate", "closed", R("gate_closed.bmp"), 80, 96, 40, 95, 1, 0)
  LoadAnim("gate", "open", R("gate_open.bmp"), 80, 96, 40, 95, 1, 0)
  SetAnim("gate", "closed")
  HotSpotPositionOff("gate")
  OverrideColorKey("gate")

  MakeItem("sign", "sign.bmp", 48, 64, 24, 63)
  -- The street's bench, over the background's own: Robin passes behind it,
  -- and the pointer through it.
  CreateObject("bench")
  LoadAnim("bench", "still", R("bench.bmp"), 84, 48, 42, 48, 1, 0)
  SetAnim("bench", "still")
  SetPos("bench", 398, 300)
  PassClicks("bench")
  SetPos("sign", 1100, 344)
  SetWalkToPos("sign", 1090, 356)

  -- The shop window is an area of the street (street.lua), made anew at each visit.
  CreateObject("window")
  SetWalkToPos("window", 720, 340)
  MakeZone("bell", 262, 162, 22, 24)
  SetWalkToPos("bell", 272, 310)
  MakeZone("shelves", 360, 58, 250, 140)
  SetWalkToPos("shelves", -1, -1)
  MakeZone("barrel", 30, 288, 68, 84)
  SetWalkToPos("barrel", 60, 388)
  MakeZone("sack", 106, 330, 48, 44)
  SetWalkToPos("sack", 130, 388)
  -- The pond is an area of the garden (garden.lua), its outline round the water's rim.
  CreateObject("pond")
  SetWalkToPos("pond", 470, 284)
end

function MakeSounds()
  LoadSound("door", R("door.wav"))
  LoadSound("pickup", R("pickup.wav"))
  LoadSound("coin", R("coin.wav"))
  LoadSound("step", R("step.wav"))
  LoadSound("bell", R("bell.wav"))
  LoadSound("tune", R("tune.wav"))
  SetSoundVolume("tune", 35)
  SetSoundVolume("step", 60)
end

-- The eleven buttons: verb, picture, text key, place on the menu panel.
BUTTONS = {
  {"WALK", "btn_walk.bmp", "walk", 8, 422},
  {"TALK", "btn_talk.bmp", "talk", 72, 422},
  {"TAKE", "btn_take.bmp", "take", 136, 422},
  {"GIVE", "btn_give.bmp", "give", 200, 422},
  {"USE", "btn_use.bmp", "use", 8, 441},
  {"OPEN", "btn_open.bmp", "open", 72, 441},
  {"CLOSE", "btn_close.bmp", "close", 136, 441},
  {"PUSH", "btn_push.bmp", "push", 200, 441},
  {"PULL", "btn_pull.bmp", "pull", 8, 460},
  {"LOOK", "btn_look.bmp", "look", 72, 460},
  {"CUSTOM", "btn_smell.bmp", "smell", 136, 460},
}

-- A custom button's label is its verb; it is in the chosen language.
function ButtonName(button)
  if button[1] == "CUSTOM" then
    return Text(button[3])
  end
  return button[1]
end

function MakeMenu()
  for _, b in ipairs(BUTTONS) do
    CreateMenuButton(b[1], R(b[2]), Text(b[3]), 60, 18, b[4], b[5])
  end
  SMELL = Text("smell")
  SetUseWord(Text("with"))
  SetDefaultButton("WALK")
  SetActiveButton("WALK")
end

function ShowMenu()
  ShowMenuBackground()
  for _, b in ipairs(BUTTONS) do
    ShowMenuButton(ButtonName(b))
  end
end

function HideMenu()
  HideMenuBackground()
  for _, b in ipairs(BUTTONS) do
    HideMenuButton(ButtonName(b))
  end
end

function NameThings()
  local names = {
    hero = "n_hero", keeper = "n_keeper", coin = "n_coin", door = "n_door",
    gate = "n_gate", sign = "n_sign", window = "n_window", bread = "n_bread",
    key = "n_key", bell = "n_bell", shelves = "n_shelves", barrel = "n_barrel",
    sack = "n_sack", can = "n_can", pond = "n_pond", flower = "n_flower",
    quill = "n_quill",
  }
  for id, key in pairs(names) do
    SetName(id, Text(key))
  end
end

-- Answers for the things Robin carries, in any scene. Returns true when the
-- action was one of them.
function CarriedEvent(verb, first, second)
  if verb == "LOOK" and first == "coin" then
    HeroSays("coin_look")
  elseif verb == "USE" and first == "coin" then
    HeroSays("coin_use")
  elseif verb == "LOOK" and first == "bread" and IsInInventory("bread") == 1 then
    HeroSays("bread_look")
  elseif verb == "USE" and first == "bread" and IsInInventory("bread") == 1 then
    HeroSays("bread_use")
  elseif verb == SMELL and first == "bread" and IsInInventory("bread") == 1 then
    HeroSays("smell_bakery")
  elseif verb == "USE" and IsInInventory("flower") == 1 and IsInInventory("bread") == 1
      and ((first == "flower" and second == "bread") or (first == "bread" and second == "flower")) then
    Ending()
  elseif first == "quill" and second == "" then
    QuillMenu()
  else
    return false
  end
  return true
end

-- Any verb on the quill: save the game, or load the game saved with it.
-- The save is written once this event has ended, so it holds Robin's answer
-- too; LoadGame does not return when it finds the save.
function QuillMenu()
  SetMode("DECISION")
  print("DEMO: quill")
  local pick = MakeDecision(Text("quill_save"), Text("quill_load"), Text("quill_back"))
  SetMode("INTERACT")
  if pick == 1 and SaveGame("quill", Text("n_quill")) then
    HeroSays("saved")
  elseif pick == 2 then
    LoadGame("quill")
    HeroSays("nothing_saved")
  end
end

-- What Robin says to anything the scene has no answer for.
function Shrug(verb)
  if verb == "NOTREACHABLE" then
    HeroSays("no_way")
  elseif verb == "PUSH" or verb == "PULL" then
    HeroSays("no_move")
  elseif verb == SMELL then
    HeroSays("nothing_smell")
  elseif verb ~= "WALK" and verb ~= "REACHED" then
    HeroSays("cannot")
  end
end

function Ending()
  PlaySound("pickup", 0, 0)
  HeroSays("present")
  SetMode("MOVIE")
  HideMenu()
  for _, item in ipairs({"coin", "bread", "key", "can", "flower", "quill"}) do
    if IsInInventory(item) == 1 then
      RemoveFromInventory(item)
    end
  end
  HeroSays("ending")
  Goto("hero", 80, 290)
  WaitFor("hero", "WALKING")
  TurnUp("hero")
  -- For the last words Robin stands at full size, wherever that is.
  DepthScaleOff("hero")
  -- The story is over: the next start begins it anew.
  DeleteSave("autosave")
  DeleteSave("checkpoint")
  DeleteSave("quill")
  StopAllSounds()
  RemoveSound("tune")
  PlaySound("bell", 0, 0)
  SetTextColor("hero", 2)
  SetTextBoxPos("hero", 170, 120)
  print("DEMO: the end")
  HeroSays("the_end")
  FadeOut(1000)
  Exit()
end

function Init()
  -- Conversations with the baker are trees of choices (Converse).
  LoadScript(R("dialogue.lua"))
  LoadSystemFont(R("font.bmp"), 18, 10, 404)
  LoadTalkFont(R("speech.bmp"), 20, 300)
  LoadDecisionFont(R("speech.bmp"), 20)
  SetDecisionPos(24, 408)
  LoadCursor(R("cursor.bmp"))
  ShowCursor()
  -- Holding H (or a gamepad's Y) marks what can be clicked with the pointer's picture.
  LoadHotSpotMarker(R("cursor.bmp"))
  LoadMenuBackground(R("menu.bmp"), 0, 400)
  DefineInventory(288, 430, 40, 40, 4)
  -- Closing the window or pressing a key saves the game.
  SetAutosave("autosave")
  MakeSounds()
  MakeHero()
  MakeKeeper()
  MakeItems()
  MakeFixtures()
end

function Main()
  -- A game saved before goes on where it was left: the newest save, the
  -- autosave on quitting or the checkpoint of the last scene switch.
  -- LoadGame does not return then; without a save it says so and the story
  -- begins.
  local newest = SaveSlots()[1]
  LoadGame(newest and newest.slot or "autosave")
  -- The language is the first choice, made over the street at dusk.
  LoadBackground(R("street.bmp"))
  SetMode("DECISION")
  local language = MakeDecision("Deutsch", "English")
  SetMode("INTERACT")
  if language == 2 then
    SetLanguage("EN")
  else
    SetLanguage("DE")
  end
  SetStringFile("texts")
  print("DEMO: language " .. language .. " (" .. GetLanguage() .. ")")
  MakeMenu()
  NameThings()
  S("from", 0)
  LoadSzene(R("street.lua"))
end

function DeInit()
end

function Event(verb, first, second)
end
