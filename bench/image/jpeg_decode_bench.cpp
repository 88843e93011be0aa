// Decoding a 2560 x 1600 baseline picture (4:2:0, quality 90) into 32-bit pixels: our decoder
// against libjpeg-turbo in the same run, best of several repetitions, with the time ratio.
// Both decode on one thread; the ratio uses CPU time, since other jobs on a shared build
// machine make wall-clock times noisy. libjpeg-turbo reads JSIMD_FORCENONE=1 from the
// environment to run without its SIMD code.
#include "image/jpeg_decoder.hpp"

#include "space_picture.hpp"

#include <benchmark/benchmark.h>
#include <turbojpeg.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 2560;
constexpr int kHeight = 1600;

const std::vector<std::uint8_t>& pictureJpeg()
{
    static const std::vector<std::uint8_t> jpeg = [] {
        const auto rgb = qz::bench::spacePicture(kWidth, kHeight, 2024);
        tjhandle handle = tjInitCompress();
        unsigned char* buffer = nullptr;
        unsigned long size = 0;
        if (tjCompress2(handle, rgb.data(), kWidth, 0, kHeight, TJPF_RGB, &buffer, &size, TJSAMP_420, 90, 0) != 0)
            throw std::runtime_error(tjGetErrorStr2(handle));
        std::vector<std::uint8_t> bytes(buffer, buffer + size);
        tjFree(buffer);
        tjDestroy(handle);
        return bytes;
    }();
    return jpeg;
}

void ourDecoder(benchmark::State& state)
{
    const auto& jpeg = pictureJpeg();
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(kWidth) * kHeight);
    for (auto _ : state) {
        qz::JpegDecoder decoder(jpeg);
        if (decoder.start() != 0) state.SkipWithError("decoder refused the picture");
        decoder.decode(pixels.data());
        benchmark::DoNotOptimize(pixels.data());
    }
}

void turboJpeg(benchmark::State& state, int flags)
{
    const auto& jpeg = pictureJpeg();
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(kWidth) * kHeight * 4);
    tjhandle handle = tjInitDecompress();
    for (auto _ : state) {
        if (tjDecompress2(handle, jpeg.data(), jpeg.size(), pixels.data(), kWidth, 0, kHeight, TJPF_BGRX, flags) != 0)
            state.SkipWithError(tjGetErrorStr2(handle));
        benchmark::DoNotOptimize(pixels.data());
    }
    tjDestroy(handle);
}

double fastest(const std::vector<double>& times) { return *std::min_element(times.begin(), times.end()); }

// Keeps the best time of every benchmark to print the ratios after the table.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "best")
                best_[run.run_name.function_name] = run.GetAdjustedCPUTime() / 1e3;  // ms -> s
    }
    void printRatios() const
    {
        const bool scalar = std::getenv("JSIMD_FORCENONE") != nullptr;
        const double pixels = static_cast<double>(kWidth) * kHeight;
        std::printf("\n%s\n", scalar ? "libjpeg-turbo with SIMD turned off (JSIMD_FORCENONE=1)"
                                     : "libjpeg-turbo with its SIMD code");
        for (const auto& [name, seconds] : best_)
            std::printf("  %-28s best %7.2f ms  %7.1f Mpixel/s\n", name.c_str(), seconds * 1e3, pixels / seconds / 1e6);
        const auto ours = best_.find("ourDecoder");
        const auto reference = best_.find("libjpegTurbo");
        if (ours != best_.end() && reference != best_.end())
            std::printf("  time ratio ours / libjpeg-turbo: %.2f\n", ours->second / reference->second);
    }

private:
    std::map<std::string, double> best_;
};

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    const auto configure = [](benchmark::internal::Benchmark* b) {
        b->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true)->ComputeStatistics("best", fastest);
    };
    configure(benchmark::RegisterBenchmark("ourDecoder", ourDecoder));
    configure(benchmark::RegisterBenchmark("libjpegTurbo", turboJpeg, 0));
    configure(benchmark::RegisterBenchmark("libjpegTurboPlainUpsampling", turboJpeg, TJFLAG_FASTUPSAMPLE));
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios();
    benchmark::Shutdown();
    return 0;
}
