// Text hooks not built yet: they do nothing.
#include "core/engine.h"
#include "text/speech.h"

void BlitSpeech(Engine&) {}
