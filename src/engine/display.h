// The display's gamma, shared by the fades and the shutdown.
#pragma once

struct Engine;

// Sets the display gamma on all three channels and remembers the value.
void SetDisplayGamma(Engine& engine, float gamma);
