// Speech text boxes of talking objects.
#pragma once

struct Engine;

void BlitSpeech(Engine& engine);
