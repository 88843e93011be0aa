// Rectangle rules and target sizing around the header reader and the scan decoder.
#include "image/jpeg_decoder.hpp"

#include "image/jpeg_scan.hpp"
#include "image/jpeg_status.hpp"

#include <algorithm>
#include <new>

namespace qz {

JpegDecoder::JpegDecoder(std::span<const std::uint8_t> data, std::size_t maxPixels)
    : data_(data), maxPixels_(maxPixels), header_(std::make_unique<jpeg::JpegHeader>())
{
}

int JpegDecoder::start(const JpegRect& rect)
{
    if (const int status = jpeg::readJpegHeader(data_, *header_); status != 0) return status;
    const int width = header_->width;
    const int height = header_->height;
    int x1 = rect.x1;
    int y1 = rect.y1;
    int x2 = std::min(rect.x2, width);
    int y2 = std::min(rect.y2, height);
    if (x1 < 0) {
        x1 = 0;
        x2 = width;
    }
    if (y1 < 0) {
        y1 = 0;
        y2 = height;
    }
    if (x1 > width || y1 > height || x2 < 0 || y2 < 0) return kJpegOutsidePicture;
    const long long w = static_cast<long long>(x2) - x1;
    const long long h = static_cast<long long>(y2) - y1;
    if (w < 1 || h < 1 || static_cast<unsigned long long>(w * h) > maxPixels_) return kJpegNoTarget;
    x1_ = x1;
    y1_ = y1;
    targetWidth_ = static_cast<int>(w);
    targetHeight_ = static_cast<int>(h);
    return kJpegOk;
}

void JpegDecoder::decode(std::uint32_t* pixels) const
{
    jpeg::decodeScan(data_, *header_, {pixels, x1_, y1_, targetWidth_, targetHeight_});
}

JpegPicture jpegDecodeMemory(std::span<const std::uint8_t> data, const JpegRect& rect, std::size_t maxPixels)
{
    JpegPicture picture;
    JpegDecoder decoder(data, maxPixels);
    picture.status = decoder.start(rect);
    if (picture.status != kJpegOk) return picture;
    try {
        picture.pixels.assign(static_cast<std::size_t>(decoder.targetWidth()) * decoder.targetHeight(),
                              decoder.background());
    } catch (const std::bad_alloc&) {
        picture.status = kJpegNoTarget;
        return picture;
    }
    picture.width = decoder.targetWidth();
    picture.height = decoder.targetHeight();
    decoder.decode(picture.pixels.data());
    return picture;
}

}  // namespace qz
