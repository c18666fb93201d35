// The metal shading of whole surfaces, beside a plain fill that writes each of the same pixels once.
#include "gradient/clsGradient.h"
#include "platform/headless/Surface.h"
#include "platform/headless/SystemColors.h"
#include "tests/bench/BenchTargets.h"

#include <cstdio>
#include <string>

namespace {

constexpr int Sizes[][2] = {{313, 210}, {1920, 1080}, {3840, 2160}};

void BM_MetalCylander(benchmark::State& state) {
    platform::Surface surface(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
                              platform::SurfaceKind::Form);
    surface.SetScaleMode(platform::vbPixels);
    const auto w = static_cast<double>(state.range(0));
    for (auto _ : state) {
        auto mid1 = static_cast<std::int16_t>(w / 2), mid2 = static_cast<std::int16_t>(w / 2 + w / 3),
             mid3 = static_cast<std::int16_t>(w);
        gradient::clsGradient painter;
        painter.MetalCylander(platform::RGB(25, 25, 25), platform::RGB(215, 215, 215), platform::RGB(50, 50, 50),
                              platform::RGB(200, 200, 200), mid1, mid2, mid3, &surface);
        benchmark::DoNotOptimize(surface.bits());
    }
}

void BM_PlainFill(benchmark::State& state) {
    platform::Surface surface(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
                              platform::SurfaceKind::Form);
    std::uint32_t colour = 0xFF101010u;
    for (auto _ : state) {
        surface.fill(colour++);
        benchmark::DoNotOptimize(surface.bits());
    }
}

void sizes(benchmark::internal::Benchmark* b) {
    for (const auto& s : Sizes) {
        b->Args({s[0], s[1]});
    }
    b->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
}
BENCHMARK(BM_MetalCylander)->Apply(sizes);
BENCHMARK(BM_PlainFill)->Apply(sizes);

} // namespace

int main(int argc, char** argv) {
    const auto t = benchsupport::runAndCollectMedians(argc, argv);
    bool met = true;
    std::printf("\n");
    for (const auto& s : Sizes) {
        std::string args = "/";
        args.append(std::to_string(s[0])).append("/").append(std::to_string(s[1]));
        const auto shade = t.find("BM_MetalCylander" + args);
        const auto plain = t.find("BM_PlainFill" + args);
        if (shade == t.end() || plain == t.end()) {
            continue;
        }
        const std::string what = "metal shading of " + std::to_string(s[0]) + " x " + std::to_string(s[1]) + " (" +
                                 std::to_string(static_cast<int>(shade->second / 1e3)) + " us) over a plain fill (" +
                                 std::to_string(static_cast<int>(plain->second / 1e3)) + " us)";
        met &= benchsupport::check(what, shade->second / plain->second, 4, "x");
    }
    return met ? 0 : 1;
}
