-- Robin's Flower, the demo adventure of Quillon: configuration.
SetScreen(640, 480, 24, "WINDOW")
DebugMode()
-- Only Escape ends the game: a key pressed to hurry a line of speech must not.
SetQuitKeys("ESCAPE")
-- Sixty frames a second are smooth enough, and leave the player's machine idle in between.
SetFrameLimit(60)
-- Saves go to ~/.local/share/quillon/robins-flower/.
SetGameName("robins-flower")

-- The scripts name their pictures, sounds, maps and scenes by file name and
-- ask R for the address to load. Played from loose files, the name is the
-- address. The packed build puts a table ASSETS in front of this script (in
-- lua.dat entry 0) that maps every name to its pack entry, such as
-- ASSETS["street.bmp"] = "gfx.dat:0".
function R(name)
  if ASSETS and ASSETS[name] then
    return ASSETS[name]
  end
  return name
end
