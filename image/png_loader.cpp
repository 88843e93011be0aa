// Reads the file into memory once and hands the decoded pixels to a platform image.
#include "image/png_loader.hpp"

#include "image/png_decoder.hpp"

#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

namespace qz {

namespace {

// Ship pictures are a few kilobytes; anything near this is not one of them.
constexpr std::uintmax_t kMaxFileSize = std::uintmax_t{64} << 20;

}  // namespace

ImagePtr PngLoad(const std::string& file)
{
    std::error_code error;
    const auto size = std::filesystem::file_size(file, error);
    if (error || size == 0 || size > kMaxFileSize) return nullptr;
    std::ifstream in(file, std::ios::binary);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()))) return nullptr;

    auto picture = pngDecodeMemory(bytes);
    if (!picture) return nullptr;
    ImagePtr image = imageCreate(picture->width, picture->height);
    image->pixels = std::move(picture->pixels);
    return image;
}

}  // namespace qz
