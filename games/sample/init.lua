-- A first game: opens the window, says hello in the log, waits, and ends.
function Init()
  print("Hello from the sample game.")
end

function Main()
  Wait(1500)
  print("The sample game ends now.")
  Exit()
end

function DeInit()
end

function Event(verb, first, second)
end
