// Start-up and shutdown of a whole game run.
#pragma once

struct Engine;

// The program: managers, configuration script, SDL, initial script, Init and
// Main, the frame loop, shutdown. Runs the game in the working directory and
// returns the process exit status.
int RunEngine(Engine& engine);

// Opens SDL, the video mode and the audio device; false after a failure that
// ends the program (its message is printed).
bool InitSDL(Engine& engine);
void Cleanup(Engine& engine);
