// Drains the order of a 3840 x 2160 picture with extra memory, ours against
// the classic linked-list walk, and checks both hand out the same sequence.
#include <benchmark/benchmark.h>

#include <ctime>
#include <cstdint>
#include <cstdio>

#include "app/random.h"
#include "display/pixel_order.h"
#include "literal_pixel_order.h"

namespace {

constexpr int kWidth = 3840;
constexpr int kHeight = 2160;
constexpr unsigned kSeed = 20240601;

struct Drained {
  std::uint64_t hash = 1469598103934665603ull;  // FNV-1a over every (x, y)
  std::int64_t positions = 0;
  double seconds = 0;
};

template <typename Order>
Drained DrainPicture() {
  Drained d;
  // Processor time, so that other work on the machine does not skew the ratio.
  const std::clock_t start = std::clock();
  SRand(kSeed);
  Order order(kWidth, kHeight);
  order.Fill(1);
  while (!order.done()) {
    int x, y;
    order.Take(x, y);
    d.hash = (d.hash ^ static_cast<std::uint32_t>(x)) * 1099511628211ull;
    d.hash = (d.hash ^ static_cast<std::uint32_t>(y)) * 1099511628211ull;
    ++d.positions;
  }
  d.seconds = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
  return d;
}

void SetNsPerPosition(benchmark::State& state, std::int64_t positions) {
  state.counters["ns/position"] =
      benchmark::Counter(static_cast<double>(positions) * state.iterations(),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// Our last drain and its mean time, for the comparison that follows.
Drained g_ours;

void BM_PixelOrder(benchmark::State& state) {
  double total = 0;
  for (auto _ : state) {
    g_ours = DrainPicture<CPixelOrder>();
    total += g_ours.seconds;
  }
  g_ours.seconds = total / state.iterations();
  SetNsPerPosition(state, g_ours.positions);
  state.counters["bytes/position"] =
      static_cast<double>(CPixelOrder(kWidth, kHeight).EntryBytes()) / g_ours.positions;
}

// Runs after BM_PixelOrder (same file, registration order) and compares.
void BM_LiteralWalk(benchmark::State& state) {
  Drained walk;
  for (auto _ : state) walk = DrainPicture<CLiteralPixelOrder>();
  SetNsPerPosition(state, walk.positions);
  if (g_ours.positions == 0) g_ours = DrainPicture<CPixelOrder>();
  const bool same = walk.hash == g_ours.hash && walk.positions == g_ours.positions;
  const double speedup = walk.seconds / g_ours.seconds;
  const double entryBytes = static_cast<double>(CPixelOrder(kWidth, kHeight).EntryBytes());
  state.counters["speed-up"] = speedup;
  std::printf(
      "pixel order %dx%d, %lld positions: sequence hash %016llx (ours) %016llx (walk) %s\n"
      "  ours %.1f ms, walk %.1f ms of processor time: %.1fx faster (target 30x)\n"
      "  %.2f bytes/position for the entries, %.4f with the per-row data (12 bytes a row)\n",
      kWidth, kHeight, static_cast<long long>(walk.positions),
      static_cast<unsigned long long>(g_ours.hash), static_cast<unsigned long long>(walk.hash),
      same ? "identical" : "DIFFERENT", g_ours.seconds * 1e3, walk.seconds * 1e3, speedup,
      entryBytes / walk.positions, (entryBytes + 12.0 * kHeight) / walk.positions);
  if (!same) state.SkipWithError("the two orders handed out different sequences");
}

}  // namespace

BENCHMARK(BM_PixelOrder)->Unit(benchmark::kMillisecond)->MinTime(3.0);
// One drain of the walk takes seconds; repeating it adds nothing.
BENCHMARK(BM_LiteralWalk)->Unit(benchmark::kMillisecond)->Iterations(1);
