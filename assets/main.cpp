// qz-assetgen OUTPUT_DIR: paints and synthesises every picture and sound of the game into
// OUTPUT_DIR/material and OUTPUT_DIR/sound, and the desktop icon into OUTPUT_DIR/icons. Runs at
// build time; the same program always writes the same bytes.
#include "assets/generate.hpp"

#include <chrono>
#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    try {
        const int files = qz::assets::generateAll(argv[1]);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("qz-assetgen: %d files in %.1f s\n", files, seconds);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "qz-assetgen: %s\n", error.what());
        return 1;
    }
    return 0;
}
