// Through libpng's simplified reader, which expands palettes, low bit depths, grey and the
// tRNS chunk to 8-bit RGBA and reports errors as a return value instead of a long jump.
#include "image/png_decoder.hpp"

#include <png.h>

#include <new>

namespace qz {

namespace {

struct ImageReader {
    png_image image{};
    ImageReader() { image.version = PNG_IMAGE_VERSION; }
    ~ImageReader() { png_image_free(&image); }
    ImageReader(const ImageReader&) = delete;
    ImageReader& operator=(const ImageReader&) = delete;
};

std::uint32_t toGamePixel(const png_byte* rgba)
{
    if (rgba[3] == 0) return 0xFFFF00FFu;
    return 0xFF000000u | static_cast<std::uint32_t>(rgba[0]) << 16 | static_cast<std::uint32_t>(rgba[1]) << 8 |
           rgba[2];
}

}  // namespace

std::optional<PngPicture> pngDecodeMemory(std::span<const std::uint8_t> data, std::size_t maxPixels)
{
    ImageReader reader;
    if (!png_image_begin_read_from_memory(&reader.image, data.data(), data.size())) return std::nullopt;
    const std::size_t width = reader.image.width;
    const std::size_t height = reader.image.height;
    if (width == 0 || height == 0 || width > maxPixels / height) return std::nullopt;

    reader.image.format = PNG_FORMAT_RGBA;
    // Sixteen-bit files without colour-space chunks are taken as sRGB like the 8-bit ones,
    // not as linear light, so that their colours come out as drawn.
    reader.image.flags |= PNG_IMAGE_FLAG_16BIT_sRGB;
    std::vector<png_byte> rgba;
    PngPicture picture;
    try {
        rgba.resize(width * height * 4);
        picture.pixels.resize(width * height);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    if (!png_image_finish_read(&reader.image, nullptr, rgba.data(), 0, nullptr)) return std::nullopt;

    picture.width = static_cast<int>(width);
    picture.height = static_cast<int>(height);
    for (std::size_t i = 0; i < picture.pixels.size(); ++i) picture.pixels[i] = toGamePixel(&rgba[i * 4]);
    return picture;
}

}  // namespace qz
