// MD5 throughput of the game's engine against OpenSSL's MD5, in the same run.
#include "net/md5.hpp"
#include "ratio_reporter.hpp"

#include <openssl/evp.h>

#include <string>

namespace {

const std::string& input()
{
    static const std::string text = [] {
        std::string t(1 << 20, '\0');
        for (std::size_t i = 0; i < t.size(); ++i) t[i] = static_cast<char>(i * 131 + 7);
        return t;
    }();
    return text;
}

void Md5Qz(benchmark::State& state)
{
    const std::string& text = input();
    for (auto _ : state) {
        qz::Md5Kontext kontext;
        kontext.UPDATE(text);
        benchmark::DoNotOptimize(kontext.finalDigest());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(Md5Qz)->Unit(benchmark::kMicrosecond);

void Md5OpenSsl(benchmark::State& state)
{
    const std::string& text = input();
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    for (auto _ : state) {
        EVP_Digest(text.data(), text.size(), digest, &size, EVP_md5(), nullptr);
        benchmark::DoNotOptimize(digest);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(Md5OpenSsl)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    qz::bench::initialize(argc, argv, "9");
    qz::bench::RatioReporter reporter;
    reporter.compare("Md5Qz", "Md5OpenSsl", 0.8, qz::bench::RatioReporter::Zeit::Cpu);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
}
