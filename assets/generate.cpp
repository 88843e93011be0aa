#include "assets/generate.hpp"

#include "assets/backgrounds.hpp"
#include "assets/icon.hpp"
#include "assets/interface_pictures.hpp"
#include "assets/jpeg_file.hpp"
#include "assets/mp3_file.hpp"
#include "assets/music.hpp"
#include "assets/outputs.hpp"
#include "assets/planets.hpp"
#include "assets/png_file.hpp"
#include "assets/ships.hpp"

#include <algorithm>
#include <atomic>
#include <exception>
#include <filesystem>
#include <functional>
#include <mutex>
#include <thread>

namespace qz::assets {

namespace {

constexpr int kInterfaceQuality = 94;   // thin glowing lines survive 4:2:0 only at high quality
constexpr int kBackgroundQuality = 88;
constexpr int kPlanetQuality = 92;
constexpr int kMusicKbps = 112;
constexpr int kClickKbps = 128;

struct Job {
    double cost;  // rough seconds, so the long jobs start first
    std::function<void()> run;
};

void runOnAllCores(std::vector<Job>& jobs)
{
    std::stable_sort(jobs.begin(), jobs.end(), [](const Job& a, const Job& b) { return a.cost > b.cost; });
    std::atomic<std::size_t> nextJob{0};
    std::exception_ptr failure;
    std::mutex failureMutex;
    auto worker = [&] {
        for (std::size_t i = nextJob++; i < jobs.size(); i = nextJob++) {
            try {
                jobs[i].run();
            } catch (...) {
                const std::lock_guard lock(failureMutex);
                if (!failure) failure = std::current_exception();
            }
        }
    };
    const unsigned cores = std::max(2u, std::min(8u, std::thread::hardware_concurrency()));
    std::vector<std::thread> threads;
    for (unsigned i = 1; i < cores; ++i) threads.emplace_back(worker);
    worker();
    for (std::thread& t : threads) t.join();
    if (failure) std::rethrow_exception(failure);
}

}  // namespace

Bytes interfacePictureFile(int number) { return encodeJpeg(paintInterfacePicture(number), kInterfaceQuality); }
Bytes backgroundFile(int number) { return encodeJpeg(paintBackground(number), kBackgroundQuality); }
Bytes planetFile(int number) { return encodeJpeg(paintPlanet(number), kPlanetQuality); }
Bytes shipFile(int colour, int type)
{
    return encodePng(paintShip(colour, type), kShipSize, kShipSize);
}
Bytes iconFile(int size) { return encodePngRgba(paintIcon(size), size, size); }
Bytes clickFile() { return encodeMp3(synthesiseClick(), kClickKbps); }
Bytes musicFile(int track) { return encodeMp3(synthesiseTrack(track), kMusicKbps); }

int generateAll(const std::string& outputDir)
{
    namespace fs = std::filesystem;
    const fs::path root(outputDir);
    for (const char* dir : {"material/1", "material/2", "material/3", "sound"}) fs::create_directories(root / dir);
    for (int colour = 1; colour <= kShipColours; ++colour) {
        fs::create_directories(root / ("material/4/" + std::to_string(colour)));
    }
    for (const int size : kIconSizes) fs::create_directories((root / iconPath(size)).parent_path());

    std::vector<Job> jobs;
    std::atomic<int> written{0};
    auto add = [&](double cost, std::string path, std::function<Bytes()> make) {
        jobs.push_back({cost, [&written, &root, path = std::move(path), make = std::move(make)] {
                            writeFile((root / path).string(), make());
                            ++written;
                        }});
    };
    for (int k = 1; k <= kInterfacePictureCount; ++k) {
        add(0.05, interfacePath(k), [k] { return interfacePictureFile(k); });
    }
    for (int k = 1; k <= kBackgroundCount; ++k) add(1.0, backgroundPath(k), [k] { return backgroundFile(k); });
    for (int k = 1; k <= kPlanetPictureCount; ++k) add(0.05, planetPath(k), [k] { return planetFile(k); });
    for (int colour = 1; colour <= kShipColours; ++colour) {
        for (int type = 1; type <= kShipTypes; ++type) {
            add(0.01, shipPath(colour, type), [colour, type] { return shipFile(colour, type); });
        }
    }
    for (const int size : kIconSizes) add(0.1, iconPath(size), [size] { return iconFile(size); });
    add(0.01, soundPath("Klick"), [] { return clickFile(); });
    for (int track = 1; track <= kTrackCount; ++track) {
        add(trackInfo(track).seconds / 20.0, soundPath(trackInfo(track).name), [track] { return musicFile(track); });
    }
    runOnAllCores(jobs);
    return written.load();
}

}  // namespace qz::assets
