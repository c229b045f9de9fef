// The engine in a web page: what the frame loop does there once per frame.
#pragma once

struct Engine;

// Shows the window's picture on the page's canvas, then hands control to the
// browser (its input, its drawing, its sound) until the next frame may run.
// Built for the web only (__EMSCRIPTEN__); the page's input arrives through
// the Quillon* functions of browser.cpp, as SDL events.
void HandBackToBrowser(Engine& engine);
