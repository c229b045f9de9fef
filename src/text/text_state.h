// Text state: the three fonts, the string file and the script variables.
#pragma once

struct TextState {
};
