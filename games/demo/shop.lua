-- Inside the bakery: Mr. Crumb behind his counter, the loaf and the garden
-- key on it, the way back out to the street.

function Init()
  LoadBackground(R("shop.bmp"))
  LoadPathMap(R("shop.map"))
  -- The talking strip is only needed in here (see DeInit).
  ReloadAnim("keeper", "talk")
  SetPos("door", 240, 188)
  SetAnim("door", "open")
  SetWalkToPos("door", 272, 310)
  Show("door")
  SetPos("keeper", 420, 330)
  PlayAnim("keeper", "idle", "LOOP")
  Show("keeper")
  if G("bread_sold") ~= 1 then
    Show("bread")
  end
  if G("key_given") ~= 1 then
    Show("key")
  end
  Show("bell")
  Show("shelves")
  Show("barrel")
  Show("sack")
  SetPos("hero", 272, 310)
  SetAnim("hero", "idle_down")
  print("DEMO: shop")
end

function Main()
  -- The baker steps out from behind the counter to greet the customer.
  Goto("keeper", 360, 330)
  WaitFor("keeper", "WALKING")
end

-- A saved game was loaded into this scene. Sounds are not resumed.
function Restored(slot)
  print("DEMO: restored " .. slot)
end

function DeInit()
  UnloadAnim("keeper", "talk")
  Hide("keeper")
  Hide("door")
  Hide("bread")
  Hide("key")
  Hide("bell")
  Hide("shelves")
  Hide("barrel")
  Hide("sack")
end

function GiveKey()
  KeeperSays("keeper_key")
  Carry("key")
  PlaySound("pickup", 0, 0)
  S("key_given", 1)
end

-- Robin asks for a flower: the baker lends the key to a customer.
function AskForFlower()
  KeeperSays("keeper_garden")
  S("asked", 1)
  if G("bread_sold") == 1 and G("key_given") ~= 1 then
    GiveKey()
  elseif G("key_given") ~= 1 then
    KeeperSays("keeper_buy")
  end
end

-- Each question is asked once; goodbye ends the talk.
function Conversation()
  KeeperSays("keeper_hello")
  Converse("baker", {
    with = "keeper",
    before = function() print("DEMO: choose") end,
    after = function(line) print("DEMO: decision " .. line) end,
    {Text("ask_flower"), key = "flower", once = true, answer = AskForFlower},
    {Text("ask_smell"), key = "smell", once = true, answer = function() KeeperSays("keeper_bread") end},
    {Text("ask_bye"), ends = true, answer = function() KeeperSays("keeper_bye") end},
  })
end

function Event(verb, first, second)
  if CarriedEvent(verb, first, second) then
    return
  end
  if first == "keeper" and verb == "TALK" then
    Conversation()
  elseif first == "coin" and second == "keeper" and verb == "GIVE" then
    RemoveFromInventory("coin")
    PlaySound("coin", 0, 0)
    KeeperSays("keeper_thanks")
    -- He hands the loaf over the counter.
    SetFrame("keeper", "talk", 1)
    Hide("bread")
    Carry("bread")
    S("bread_sold", 1)
    Wait(600)
    PlayAnim("keeper", "idle", "LOOP")
    if G("asked") == 1 then
      GiveKey()
    end
  elseif second == "keeper" and verb == "GIVE" then
    KeeperSays("keeper_no")
  elseif first == "keeper" and verb == "LOOK" then
    HeroSays("keeper_look")
  elseif first == "keeper" and verb == SMELL then
    HeroSays("keeper_smell")
  elseif (first == "bread" or first == "key") and verb == "TAKE" then
    HeroSays("bread_counter")
  elseif first == "bread" and verb == "LOOK" then
    HeroSays("bread_look")
  elseif first == "bell" and verb == "USE" then
    PlaySound("bell", 0, 0)
    Wait(700)
    KeeperSays("bell_ring")
  elseif first == "shelves" and verb == "LOOK" then
    HeroSays("shelves_look")
  elseif first == "shelves" and verb == SMELL then
    HeroSays("smell_bakery")
  elseif first == "barrel" and verb == "PUSH" then
    HeroSays("barrel_push")
  elseif first == "sack" and verb == "PULL" then
    HeroSays("sack_pull")
  elseif first == "door" and verb == "REACHED" then
    PlaySound("bell", 0, 0)
    S("from", 1)
    GoToScene("street.lua")
  else
    Shrug(verb)
  end
end
