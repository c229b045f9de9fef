// Input dispatch: hover handlers, the SDL event queue, clicks and keys.
#pragma once

struct Engine;

void HandleEvents(Engine& engine);
