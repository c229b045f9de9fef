// Shared pieces of the benchmarks: the reference game folders and a quiet engine run.
#pragma once

#include <SDL/SDL.h>

#include <cstdint>
#include <functional>
#include <string>

struct Engine;

// The reference game at 24 or 32 bits, written once per process.
const std::string& ReferenceFolder(int depth);

// Runs the game in the folder headless with a clock that moves 10 ms per
// frame and the log discarded; atFirstFrame runs after the first frame and
// may run further frames itself. Returns the engine's exit status.
int RunQuietly(const std::string& folder, const std::function<void(Engine&)>& atFirstFrame);

// Heap allocations made through operator new so far in this process.
uint64_t AllocationCount();
