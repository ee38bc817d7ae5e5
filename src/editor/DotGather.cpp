#include "editor/DotGather.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <optional>

#include "platform/core/ForkJoin.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vantrel {

namespace {

// Points converted in one go: the corners fit in the first-level cache, and
// a kill waits for at most one block (a few microseconds).
constexpr std::size_t kBlock = 1024;
// The most points handed out at a time.
constexpr std::size_t kMaxRange = std::size_t{1} << 14;
// The parts' own unions together stay under this, so a union with a large
// grid (a dot size far beyond the surface) is gathered in one part.
constexpr std::size_t kPartsBytes = std::size_t{64} << 20;

#if defined(__SSE2__)

// ToInteger on two Doubles at once, in SSE2, which every x86-64 has: NaN
// lanes become 0, the clamp saturates, and adding just under a half with the
// value's sign before truncating rounds halves away from zero. "Just under":
// with 0.5 itself, 0.49999999999999994 would round up to 1; with the
// largest Double below 0.5 the sum reaches the next whole number exactly
// when the value's fraction is at least a half, for every value of the
// clamped range (a test holds it to ToInteger on halves, their neighbours,
// the bounds, NaN and the infinities).
inline __m128i ToIntegers(__m128d value) {
  const __m128d sign = _mm_set1_pd(-0.0);
  __m128d v = _mm_and_pd(value, _mm_cmpeq_pd(value, value));
  v = _mm_min_pd(_mm_max_pd(v, _mm_set1_pd(-2147483648.0)), _mm_set1_pd(2147483647.0));
  const __m128d nudge = _mm_or_pd(_mm_and_pd(v, sign), _mm_set1_pd(0.49999999999999994));
  return _mm_cvttpd_epi32(_mm_add_pd(v, nudge));
}

// The corners of two points in the low half.
inline __m128i TwoCorners(__m128d f, __m128d lo, __m128d scale, __m128d half) {
  const __m128i pixel = ToIntegers(_mm_mul_pd(_mm_sub_pd(f, lo), scale));
  return ToIntegers(_mm_sub_pd(_mm_cvtepi32_pd(pixel), half));
}

// Compilers leave the scalar conversion unvectorised (its clamps and halves
// are branches to them), and it would take a third of the whole drawing.
void BlockCorners(CanvasView::Axis axis, double half, const double* fs, Integer* corners) {
  const __m128d lo = _mm_set1_pd(axis.Lo);
  const __m128d scale = _mm_set1_pd(axis.Scale);
  const __m128d halves = _mm_set1_pd(half);
  for (std::size_t i = 0; i < kBlock; i += 4) {
    const __m128i first = TwoCorners(_mm_loadu_pd(fs + i), lo, scale, halves);
    const __m128i second = TwoCorners(_mm_loadu_pd(fs + i + 2), lo, scale, halves);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(corners + i), _mm_unpacklo_epi64(first, second));
  }
}

#else

void BlockCorners(CanvasView::Axis axis, double half, const double* fs, Integer* corners) {
  for (std::size_t i = 0; i < kBlock; ++i) corners[i] = ToInteger(axis.ToCan(fs[i]) - half);
}

#endif

// Consecutive ranges of count points, handed to any thread that asks.
class PointRanges {
 public:
  PointRanges(std::size_t count, std::size_t size) : count_(count), size_(size) {}
  bool Next(std::size_t& begin, std::size_t& end) {
    begin = next_.fetch_add(size_, std::memory_order_relaxed);
    if (begin >= count_) return false;
    end = begin + std::min(size_, count_ - begin);
    return true;
  }

 private:
  const std::size_t count_;
  const std::size_t size_;
  // Far below overflowing: each thread asks once more after the last range.
  std::atomic<std::size_t> next_{0};
};

std::size_t PartsFor(std::size_t count, std::size_t minPointsPerPart, std::size_t maxParts,
                     std::size_t unionBytes) {
  const std::size_t byPoints = count / std::max<std::size_t>(minPointsPerPart, 1);
  const std::size_t byMemory = kPartsBytes / std::max<std::size_t>(unionBytes, 1);
  return std::max<std::size_t>(1, std::min({maxParts, byPoints, byMemory}));
}

}  // namespace

DotGather::DotGather(const CanvasView& view, double d, Integer width, Integer height)
    : across_(view.XAxis()), down_(view.YAxis()), d_(d), width_(width), height_(height) {}

void DotGather::Corners(const CanvasView::Axis& axis, double d, const double* fs,
                        Integer* corners, std::size_t n) {
  const double half = d / 2;
  std::size_t done = 0;
  for (; n - done >= kBlock; done += kBlock) BlockCorners(axis, half, fs + done, corners + done);
  if (done == n) return;
  // The rest through a padded block.
  double rest[kBlock];
  Integer restCorners[kBlock];
  std::fill(std::copy(fs + done, fs + n, rest), rest + kBlock, 0.0);
  BlockCorners(axis, half, rest, restCorners);
  std::copy(restCorners, restCorners + (n - done), corners + done);
}

DotGather::Dots DotGather::NoDots() const {
  const Integer size = ToInteger(d_);
  return {OvalUnion(width_, height_, size), OvalUnion(width_, height_, size)};
}

void DotGather::GatherRange(Dots& dots, const std::vector<double>& xs,
                            const std::vector<double>& ys, const std::vector<bool>& selected,
                            std::size_t begin, std::size_t end,
                            const ForkJoin::GoOn& goOn) const {
  const std::size_t flagged = std::min(end, selected.size());
  Integer x[kBlock];
  Integer y[kBlock];
  Integer plainX[kBlock];
  Integer plainY[kBlock];
  Integer chosenX[kBlock];
  Integer chosenY[kBlock];
  for (std::size_t at = begin; at < end && goOn(); at += kBlock) {
    const std::size_t n = std::min(kBlock, end - at);
    Corners(across_, d_, xs.data() + at, x, n);
    Corners(down_, d_, ys.data() + at, y, n);
    // Split by kind without a branch: a selection may mix them anyhow.
    std::size_t plain = 0;
    std::size_t chosen = 0;
    for (std::size_t k = 0; k < n; ++k) {
      const std::size_t i = at + k;
      const bool isChosen = i < flagged && selected[i];
      plainX[plain] = x[k];
      plainY[plain] = y[k];
      chosenX[chosen] = x[k];
      chosenY[chosen] = y[k];
      plain += static_cast<std::size_t>(!isChosen);
      chosen += static_cast<std::size_t>(isChosen);
    }
    dots.Plain.Add(plainX, plainY, plain);
    dots.Chosen.Add(chosenX, chosenY, chosen);
  }
}

DotGather::Dots DotGather::Gather(const std::vector<double>& xs, const std::vector<double>& ys,
                                  const std::vector<bool>& selected,
                                  std::size_t minPointsPerPart, std::size_t maxParts) const {
  const std::size_t count = std::min(xs.size(), ys.size());
  Dots whole = NoDots();
  const std::size_t parts = PartsFor(count, minPointsPerPart, maxParts,
                                     whole.Plain.FixedBytes() + whole.Chosen.FixedBytes());
  // Ranges are handed out as they are asked for rather than one share each,
  // so a thread the system leaves waiting (a busy machine) delays the whole
  // by one range at most.
  PointRanges ranges(count, std::clamp<std::size_t>(minPointsPerPart / 4, kBlock, kMaxRange));
  const auto gatherRanges = [&](Dots& dots, const ForkJoin::GoOn& goOn) {
    std::size_t begin = 0;
    std::size_t end = 0;
    while (goOn() && ranges.Next(begin, end)) {
      GatherRange(dots, xs, ys, selected, begin, end, goOn);
    }
  };
  // The caller holds xs, ys and selected unchanged for this call (the
  // document's on the event thread, a snapshot's on the preview thread),
  // and ForkJoin returns only once every part has, so the parts only ever
  // read them while nobody writes them.
  std::vector<std::optional<Dots>> gathered(parts);
  ForkJoin::Run(parts, [&](std::size_t part, const ForkJoin::GoOn& goOn) {
    if (part == 0) {
      gatherRanges(whole, goOn);
      return;
    }
    gathered[part] = NoDots();
    gatherRanges(*gathered[part], goOn);
  });
  for (std::size_t part = 1; part < parts; ++part) {
    whole.Plain.Merge(gathered[part]->Plain);
    whole.Chosen.Merge(gathered[part]->Chosen);
  }
  return whole;
}

}  // namespace vantrel
