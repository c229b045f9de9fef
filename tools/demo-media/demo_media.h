// quillon-demo-media: draws and synthesises every picture and sound of the
// demo game into a folder.
#pragma once

#include <ostream>
#include <string>

// Writes the demo's media files into dir (created when missing). The files
// are the same bytes on every run. Returns 0, or 1 after reporting to err.
int RunDemoMedia(const std::string& dir, std::ostream& err);
