// Path search on generated maps, image cache hits, and start-up to the first frame.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <vector>

#include "bench_support.h"
#include "engine/engine.h"
#include "resources/images.h"
#include "walk/path_map.h"

namespace {

// A grid of square boxes sharing their corners, with random cells left out
// until exactly `count` boxes remain; box numbers are shuffled.
std::vector<Box> GridMap(int count, std::mt19937& random) {
  int side = 1;
  while (side * side * 3 < count * 4) ++side;  // about a quarter of the cells become holes
  std::vector<Box> boxes;
  for (int i = 0; i < side; ++i)
    for (int j = 0; j < side; ++j) {
      int x0 = 10 + 40 * i, y0 = 10 + 40 * j, x1 = x0 + 40, y1 = y0 + 40;
      boxes.push_back(Box{{{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}});
    }
  std::shuffle(boxes.begin(), boxes.end(), random);
  boxes.resize(count);
  return boxes;
}

void PathSearch(benchmark::State& state) {
  int count = static_cast<int>(state.range(0));
  std::mt19937 random(1000 + count);
  int side = 1;
  while (side * side * 3 < count * 4) ++side;
  PathMap map;
  map.ReplaceBoxes(GridMap(count, random));
  // Far-apart start and target pairs that have a path.
  std::vector<std::pair<WalkPoint, WalkPoint>> queries;
  std::uniform_int_distribution<int> pick(0, count - 1);
  long waypoints = 0;
  for (int tries = 0; tries < 5000 && queries.size() < 16; ++tries) {
    WalkPoint from = PathMap::BoxCentre(map.BoxAt(pick(random)));
    WalkPoint to = PathMap::BoxCentre(map.BoxAt(pick(random)));
    if (PathMap::Distance(from, to) < 20 * side) continue;  // half the map's width at least
    map.SetStart(from.x, from.y);
    map.SetTarget(to.x, to.y);
    if (!map.FindPath()) continue;
    queries.push_back({from, to});
    waypoints += map.PathCount();
  }
  if (queries.empty()) {
    state.SkipWithError("no far query with a path");
    return;
  }
  size_t next = 0;
  for (auto _ : state) {
    const auto& q = queries[next++ % queries.size()];
    map.SetStart(q.first.x, q.first.y);
    map.SetTarget(q.second.x, q.second.y);
    benchmark::DoNotOptimize(map.FindPath());
  }
  state.counters["waypoints"] = static_cast<double>(waypoints) / queries.size();
  state.counters["dead_ends"] = static_cast<double>(map.DeadEnds().size());
}
BENCHMARK(PathSearch)->Arg(50)->Arg(200)->Arg(1000)->Unit(benchmark::kMicrosecond);

// A registry of `count` images; the benchmark asks for one in its middle.
void ImageCacheHit(benchmark::State& state) {
  int count = static_cast<int>(state.range(0));
  Engine engine;
  for (int i = 0; i < count; ++i)
    engine.resources.images.Add(
        "gfx/picture" + std::to_string(i) + ".bmp",
        std::shared_ptr<SDL_Surface>(SDL_CreateRGBSurface(SDL_SWSURFACE, 4, 4, 32, 0xFF0000, 0xFF00, 0xFF, 0),
                                     SDL_FreeSurface));
  std::string address = "gfx/picture" + std::to_string(count / 2) + ".bmp";
  for (auto _ : state) benchmark::DoNotOptimize(LoadImage(engine, address));
}
BENCHMARK(ImageCacheHit)->Arg(24)->Arg(200)->Unit(benchmark::kNanosecond);

// From the call of the engine to the end of its first frame, headless.
void StartUp(benchmark::State& state) {
  const std::string& folder = ReferenceFolder(32);
  for (auto _ : state) {
    auto start = std::chrono::steady_clock::now();
    double seconds = 0;
    RunQuietly(folder, [&](Engine&) {
      seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    });
    state.SetIterationTime(seconds);
  }
}
BENCHMARK(StartUp)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

}  // namespace
