// Writes the seed corpus of an image fuzzer: small JPEG pictures of every layout the decoder
// reads (4:4:4, 4:2:2, 4:4:0, 4:2:0, grey, restart intervals, optimised tables, odd sizes)
// plus a progressive one, or small PNG pictures of every colour type and depth.
// Usage: image_fuzz_seeds <jpeg_fuzzer|png_fuzzer> <folder>
#include <png.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace {

std::vector<unsigned char> picture(int width, int height, int channels)
{
    std::vector<unsigned char> samples(static_cast<std::size_t>(width) * height * channels);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < channels; ++c)
                samples[(static_cast<std::size_t>(y) * width + x) * channels + c] =
                    static_cast<unsigned char>(128 + 100 * std::sin(x * 0.3 + c) * std::cos(y * 0.2 - c));
    return samples;
}

void save(const std::string& path, const unsigned char* data, std::size_t size)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

struct JpegSeed {
    const char* name;
    int width, height, h, v;
    bool grey, progressive, optimise;
    int restart;
};

void writeJpeg(const std::string& folder, const JpegSeed& seed)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(seed.width);
    info.image_height = static_cast<JDIMENSION>(seed.height);
    info.input_components = seed.grey ? 1 : 3;
    info.in_color_space = seed.grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 75, TRUE);
    if (!seed.grey) {
        info.comp_info[0].h_samp_factor = seed.h;
        info.comp_info[0].v_samp_factor = seed.v;
    }
    info.optimize_coding = seed.optimise ? TRUE : FALSE;
    info.restart_interval = static_cast<unsigned>(seed.restart);
    if (seed.progressive) jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    const auto samples = picture(seed.width, seed.height, info.input_components);
    while (info.next_scanline < info.image_height) {
        auto* row = const_cast<JSAMPROW>(samples.data() + static_cast<std::size_t>(info.next_scanline) * seed.width *
                                                               info.input_components);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    save(folder + "/" + seed.name + ".jpg", buffer, size);
    std::free(buffer);
}

void writePng(const std::string& folder, const char* name, int width, int height, png_uint_32 format)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = format;
    const int channels = static_cast<int>(PNG_IMAGE_SAMPLE_CHANNELS(format));
    const auto samples = picture(width, height, channels);
    std::vector<png_uint_16> wide(samples.begin(), samples.end());
    for (auto& w : wide) w = static_cast<png_uint_16>(w * 257);
    const void* pixels = (format & PNG_FORMAT_FLAG_LINEAR) ? static_cast<const void*>(wide.data()) : samples.data();
    png_alloc_size_t size = 0;
    png_image_write_get_memory_size(image, size, 0, pixels, 0, nullptr);
    std::vector<unsigned char> out(size);
    if (png_image_write_to_memory(&image, out.data(), &size, 0, pixels, 0, nullptr))
        save(folder + "/" + name + ".png", out.data(), size);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <jpeg_fuzzer|png_fuzzer> <folder>\n", argv[0]);
        return 2;
    }
    const std::string kind = argv[1];
    const std::string folder = argv[2];
    if (kind == "jpeg_fuzzer") {
        const JpegSeed seeds[] = {
            {"s444", 16, 16, 1, 1, false, false, false, 0},  {"s420", 24, 18, 2, 2, false, false, false, 0},
            {"s422", 21, 9, 2, 1, false, false, false, 0},   {"s440", 9, 21, 1, 2, false, false, false, 0},
            {"grey", 13, 11, 1, 1, true, false, false, 0},   {"restart", 40, 16, 2, 2, false, false, false, 1},
            {"optimised", 32, 8, 2, 2, false, false, true, 0}, {"progressive", 16, 16, 2, 2, false, true, false, 0},
            {"s411", 32, 8, 4, 1, false, false, false, 0},
        };
        for (const JpegSeed& seed : seeds) writeJpeg(folder, seed);
    } else if (kind == "png_fuzzer") {
        writePng(folder, "grey", 7, 5, PNG_FORMAT_GRAY);
        writePng(folder, "grey_alpha", 7, 5, PNG_FORMAT_GA);
        writePng(folder, "rgb", 7, 5, PNG_FORMAT_RGB);
        writePng(folder, "rgba", 7, 5, PNG_FORMAT_RGBA);
        writePng(folder, "rgba16", 5, 3, PNG_FORMAT_LINEAR_RGB_ALPHA);
        writePng(folder, "grey16", 5, 3, PNG_FORMAT_LINEAR_Y);
    } else {
        std::fprintf(stderr, "no seeds for %s\n", kind.c_str());
        return 2;
    }
    return 0;
}
