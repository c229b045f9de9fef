-- Conversations as trees of choices, built on MakeDecision: options that go
-- once they are used, branches that come back. Any game may copy this file
-- and load it once, in its initial script's Init:
--
--   LoadScript(R("dialogue.lua"))
--
-- Written for Lua 5.0 with the base library alone: no string or table
-- library, no # operator, no ... arguments.
--
-- Converse(name, tree) offers the tree's options with MakeDecision; the hero
-- says the line picked, its answer runs, and the options are offered again
-- until one ends the conversation. The tree is a list of options and may hold
--   with    the id of the one the hero talks to: a walk or a line of theirs
--           still running is waited for before each choice
--   before  a function run before each choice (the mode is DECISION then)
--   after   a function run after it, with the number of the line picked
-- An option is a table of
--   [1]      the line offered, which the hero says when it is picked
--   key      the name it is remembered by (the line itself when none is given)
--   once     the option is offered no more once it has been picked
--   when     a function: the option is offered only while it returns true
--   silent   the hero does not say the line
--   answer   a function run after the hero's line
--   options  a list of options offered next (a branch); the branch comes back
--            here when an option with back = true is picked or none is left
--   back     after the answer, the list above is offered again
--   ends     after the answer, the conversation ends
-- The conversation ends too when no option is left at the top, or when
-- MakeDecision cannot ask (it returns 0: no decision font). The game is
-- left in the INTERACT mode.
--
-- What was picked once is kept in the global table DIALOGUE[name][key], so
-- saved games keep it. Build the tree where the conversation starts: a
-- global table of functions would come back from a saved game without them.

-- The keys picked once in the conversation name. A saved game made before
-- the game used this file has no DIALOGUE: it is made when first needed.
local function Picked(name)
  if DIALOGUE == nil then
    DIALOGUE = {}
  end
  if DIALOGUE[name] == nil then
    DIALOGUE[name] = {}
  end
  return DIALOGUE[name]
end

local function KeyOf(option)
  if option.key ~= nil then
    return option.key
  end
  return option[1]
end

-- The options of the list that are offered now, and how many.
local function Offered(name, options)
  local picked = Picked(name)
  local offered = {}
  local count = 0
  for _, option in ipairs(options) do
    local gone = option.once and picked[KeyOf(option)]
    if not gone and (option.when == nil or option.when()) then
      count = count + 1
      offered[count] = option
    end
  end
  return offered, count
end

-- The one the hero talks to finishes walking and speaking first.
local function Attend(id)
  if IsWalking(id) == 1 then
    WaitFor(id, "WALKING")
  end
  if IsTalking(id) == 1 then
    WaitFor(id, "TALKING")
  end
end

-- The option picked, or nil when MakeDecision could not ask.
local function Choose(tree, offered, count)
  local lines = {}
  for i = 1, count do
    lines[i] = offered[i][1]
  end
  SetMode("DECISION")
  if tree.before then
    tree.before()
  end
  local line = MakeDecision(unpack(lines))
  SetMode("INTERACT")
  if line < 1 then
    return nil
  end
  if tree.after then
    tree.after(line)
  end
  return offered[line]
end

-- A hero that is not shown says nothing (WaitFor would give up on it).
local function HeroSaysLine(line)
  local hero = GetHero()
  if hero ~= "" and IsVisible(hero) == 1 then
    SayText(hero, line)
    WaitFor(hero, "TALKING")
  end
end

function Converse(name, tree)
  local lists = {tree}  -- the list offered is lists[depth]; the ones above it come back
  local depth = 1
  while depth > 0 do
    local offered, count = Offered(name, lists[depth])
    if count == 0 then
      depth = depth - 1
    else
      if tree.with then
        Attend(tree.with)
      end
      local option = Choose(tree, offered, count)
      if option == nil then
        return
      end
      if option.once then
        Picked(name)[KeyOf(option)] = true
      end
      if not option.silent then
        HeroSaysLine(option[1])
      end
      if option.answer then
        option.answer()
      end
      if option.ends then
        depth = 0
      elseif option.options then
        depth = depth + 1
        lists[depth] = option.options
      elseif option.back then
        depth = depth - 1
      end
    end
  end
end
