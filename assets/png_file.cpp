#include "assets/png_file.hpp"

#include <png.h>

#include <stdexcept>

namespace qz::assets {

namespace {

void appendBytes(png_structp png, png_bytep data, png_size_t length)
{
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void flushNothing(png_structp) {}


std::vector<std::uint8_t> encodeRows(const std::vector<std::uint8_t>& pixels, int width, int height, int channels)
{
    std::vector<std::uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (png == nullptr) throw std::runtime_error("libpng could not start");
    png_infop info = png_create_info_struct(png);
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw std::runtime_error("PNG encoding failed");
    }
    png_set_write_fn(png, &out, appendBytes, flushNothing);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 channels == 4 ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) {
        png_write_row(png, const_cast<png_bytep>(pixels.data() + static_cast<std::size_t>(y) * width * channels));
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

}  // namespace

std::vector<std::uint8_t> encodePng(const std::vector<std::uint8_t>& rgb, int width, int height)
{
    return encodeRows(rgb, width, height, 3);
}

std::vector<std::uint8_t> encodePngRgba(const std::vector<std::uint8_t>& rgba, int width, int height)
{
    return encodeRows(rgba, width, height, 4);
}

}  // namespace qz::assets
