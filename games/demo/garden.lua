-- The baker's walled garden: the pond, the flower beds, and the one red
-- flower that is meant for Grandma.

function Init()
  LoadBackground(R("garden.bmp"))
  LoadPathMap(R("garden.map"))
  -- The lawn runs back towards the wall: Robin, and the can lying on it,
  -- are smaller at the back of it.
  SetDepthScale(266, 70, 399, 100)
  DepthScaleOn("can")
  SetPos("gate", 40, 166)
  SetWalkToPos("gate", 80, 284)
  SetAnim("gate", "open")
  Show("gate")
  CreatePolygonArea("pond", 408, 330, 435, 309, 500, 300, 565, 309, 592, 330, 565, 351, 500, 360, 435, 351)
  if IsInInventory("can") ~= 1 then
    Show("can")
  end
  if G("flower_taken") ~= 1 then
    Show("flower")
  end
  SetPos("hero", 80, 290)
  SetAnim("hero", "idle_down")
  print("DEMO: garden")
end

function Main()
  PlaySound("tune", -1, 0)
end

-- A saved game was loaded into this scene. Sounds are not resumed: the tune starts again.
function Restored(slot)
  PlaySound("tune", -1, 0)
  print("DEMO: restored " .. slot)
end

function DeInit()
  StopSound("tune")
  Hide("gate")
  Hide("pond")
  Hide("can")
  Hide("flower")
end

function Event(verb, first, second)
  if CarriedEvent(verb, first, second) then
    return
  end
  if first == "can" and verb == "LOOK" then
    if G("can_full") == 1 then
      HeroSays("can_fill")
    else
      HeroSays("can_look")
    end
  elseif first == "can" and verb == "TAKE" then
    Carry("can")
    PlaySound("pickup", 0, 0)
    HeroSays("can_take")
  elseif first == "can" and second == "pond" and verb == "USE" then
    PlaySound("pickup", 0, 0)
    S("can_full", 1)
    HeroSays("can_fill")
  elseif first == "can" and second == "flower" and verb == "USE" then
    if G("can_full") == 1 then
      S("can_full", 0)
      S("watered", 1)
      HeroSays("flower_watered")
    else
      HeroSays("can_empty")
    end
  elseif first == "flower" and verb == "TAKE" then
    if G("watered") == 1 then
      Carry("flower")
      PlaySound("pickup", 0, 0)
      S("flower_taken", 1)
      HeroSays("flower_take")
    else
      HeroSays("flower_dry")
    end
  elseif first == "flower" and verb == "LOOK" then
    HeroSays("flower_look")
  elseif first == "flower" and verb == SMELL then
    HeroSays("flower_smell")
  elseif first == "pond" and verb == "LOOK" then
    HeroSays("pond_look")
  elseif first == "gate" and verb == "REACHED" then
    S("from", 2)
    GoToScene("street.lua")
  else
    Shrug(verb)
  end
end
