// The file side of the JPEG loader: screen preconditions, the file name rules, reading the
// file into memory once, and handing the decoded pixels to a platform image.
#include "image/jpeg_get.hpp"

#include "image/jpeg_decoder.hpp"
#include "image/jpeg_status.hpp"
#include "platform/platform.hpp"

#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

namespace qz {

namespace {

int gLastStatus = 0;

// Pictures of the game are a few hundred kilobytes; anything near this is not one of them.
constexpr std::uintmax_t kMaxFileSize = std::uintmax_t{256} << 20;

// Reads the whole file. A missing or empty file is 105 (and stays as it is); one that exists
// but cannot be read is 104.
int readFile(const std::string& name, std::vector<std::uint8_t>& bytes)
{
    if (name.empty()) return kJpegCannotOpen;
    std::error_code error;
    const auto status = std::filesystem::status(name, error);
    if (status.type() == std::filesystem::file_type::not_found) return kJpegFileMissing;
    // Folders, pipes and devices are no pictures; opening a pipe could wait forever.
    if (error || !std::filesystem::is_regular_file(status)) return kJpegCannotOpen;
    const auto size = std::filesystem::file_size(name, error);
    if (error || size > kMaxFileSize) return kJpegCannotOpen;
    if (size == 0) return kJpegFileMissing;
    std::ifstream in(name, std::ios::binary);
    if (!in) return kJpegCannotOpen;
    bytes.resize(static_cast<std::size_t>(size));
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (in.gcount() != static_cast<std::streamsize>(bytes.size())) return kJpegCannotOpen;
    return kJpegOk;
}

ImagePtr load(const std::string& file, const JpegRect& rect)
{
    const Platform* platform = activePlatform();
    gLastStatus = platform ? jpegScreenStatus(platform->screenIsOpen(), platform->screenDepth())
                           : jpegScreenStatus(false, 0);
    if (gLastStatus != kJpegOk) return nullptr;

    if (file.empty()) {
        gLastStatus = kJpegEmptyFileName;
        return nullptr;
    }
    std::string name = file;
    if (name.front() == '"') name = name.size() >= 2 ? name.substr(1, name.size() - 2) : std::string();

    std::vector<std::uint8_t> bytes;
    gLastStatus = readFile(name, bytes);
    if (gLastStatus != kJpegOk) return nullptr;

    JpegDecoder decoder(bytes);
    gLastStatus = decoder.start(rect);
    if (gLastStatus != kJpegOk) return nullptr;
    ImagePtr image;
    try {
        image = imageCreate(decoder.targetWidth(), decoder.targetHeight(), decoder.background());
    } catch (const std::exception&) {
        gLastStatus = kJpegNoTarget;
        return nullptr;
    }
    decoder.decode(image->pixels.data());
    return image;
}

}  // namespace

int jpegScreenStatus(bool screenOpen, int depth)
{
    if (!screenOpen) return kJpegNoScreen;
    if (depth < 15) return kJpegPalettedScreen;
    return kJpegOk;
}

ImagePtr JPEGGET(const std::string& file, int x1, int y1, int x2, int y2)
{
    return load(file, {x1, y1, x2, y2});
}

int jpegLastStatus() { return gLastStatus; }

}  // namespace qz
