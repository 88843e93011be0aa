#include "assets/jpeg_file.hpp"

#include <turbojpeg.h>

#include <cstdio>
#include <stdexcept>

namespace qz::assets {

std::vector<std::uint8_t> encodeJpeg(const Canvas& picture, int quality)
{
    const std::vector<std::uint8_t> rgb = picture.toBytes();
    tjhandle handle = tjInitCompress();
    if (handle == nullptr) throw std::runtime_error("TurboJPEG could not start");
    unsigned char* data = nullptr;
    unsigned long size = 0;
    // No TJFLAG_PROGRESSIVE: baseline sequential Huffman coding, optimised tables off so the
    // standard tables (one per class and component kind) are used.
    const int rc = tjCompress2(handle, rgb.data(), picture.width(), 0, picture.height(), TJPF_RGB, &data,
                               &size, TJSAMP_420, quality, TJFLAG_ACCURATEDCT);
    if (rc != 0) {
        const std::string message = tjGetErrorStr2(handle);
        tjDestroy(handle);
        throw std::runtime_error("JPEG encoding failed: " + message);
    }
    std::vector<std::uint8_t> bytes(data, data + size);
    tjFree(data);
    tjDestroy(handle);
    return bytes;
}

void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) throw std::runtime_error("cannot write " + path);
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (std::fclose(file) != 0 || !ok) throw std::runtime_error("cannot write " + path);
}

}  // namespace qz::assets
