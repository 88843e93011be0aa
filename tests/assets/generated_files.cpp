#include "generated_files.hpp"

#include <jpeglib.h>
#include <png.h>

#include <csetjmp>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace qz::assets::test {

std::string generatedPath(const std::string& relative) { return std::string(QZ_GENERATED_DIR) + "/" + relative; }

std::vector<std::uint8_t> readBytes(const std::string& relative)
{
    std::ifstream in(generatedPath(relative), std::ios::binary);
    if (!in) throw std::runtime_error("missing " + relative);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

namespace {

struct JpegError {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

void jpegFail(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1);
}

}  // namespace

RgbPicture decodeJpeg(const std::vector<std::uint8_t>& bytes, JpegFacts* facts)
{
    jpeg_decompress_struct info{};
    JpegError error{};
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = jpegFail;
    RgbPicture picture;
    if (setjmp(error.jump)) {
        jpeg_destroy_decompress(&info);
        throw std::runtime_error("libjpeg refused the picture");
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    if (facts != nullptr) {
        facts->jfif = info.saw_JFIF_marker;
        facts->progressive = info.progressive_mode;
        facts->arithmetic = info.arith_code;
        facts->components = info.num_components;
        facts->restartInterval = static_cast<int>(info.restart_interval);
        facts->lumaH = info.comp_info[0].h_samp_factor;
        facts->lumaV = info.comp_info[0].v_samp_factor;
        if (info.num_components == 3) {
            const bool same = info.comp_info[1].h_samp_factor == info.comp_info[2].h_samp_factor &&
                              info.comp_info[1].v_samp_factor == info.comp_info[2].v_samp_factor;
            facts->chromaH = same ? info.comp_info[1].h_samp_factor : -1;
            facts->chromaV = same ? info.comp_info[1].v_samp_factor : -1;
        }
    }
    info.out_color_space = JCS_RGB;
    // Chroma is upsampled by plain replication, as the game's decoder does, so the two can be
    // compared pixel by pixel.
    info.do_fancy_upsampling = FALSE;
    jpeg_start_decompress(&info);
    picture.width = static_cast<int>(info.output_width);
    picture.height = static_cast<int>(info.output_height);
    picture.rgb.resize(static_cast<std::size_t>(picture.width) * picture.height * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = picture.rgb.data() + static_cast<std::size_t>(info.output_scanline) * picture.width * 3;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return picture;
}

RgbPicture decodePng(const std::vector<std::uint8_t>& bytes, int* colourType)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) {
        throw std::runtime_error("libpng refused the picture");
    }
    if (colourType != nullptr) {
        // png_image hides the IHDR colour type; the byte at offset 25 of a PNG file holds it.
        *colourType = bytes.size() > 25 ? bytes[25] : -1;
    }
    image.format = PNG_FORMAT_RGB;
    RgbPicture picture;
    picture.width = static_cast<int>(image.width);
    picture.height = static_cast<int>(image.height);
    picture.rgb.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, picture.rgb.data(), 0, nullptr)) {
        png_image_free(&image);
        throw std::runtime_error("libpng could not decode the picture");
    }
    return picture;
}

}  // namespace qz::assets::test
