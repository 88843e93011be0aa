// libjpeg-turbo through its classic interface: errors end the test program loudly, since a
// reference that fails means the test set-up is broken.
#include "reference_jpeg.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

#include <jpeglib.h>

namespace qz::test {

namespace {

[[noreturn]] void failReference(j_common_ptr info)
{
    char message[JMSG_LENGTH_MAX];
    (*info->err->format_message)(info, message);
    std::fprintf(stderr, "libjpeg reference failed: %s\n", message);
    std::abort();
}

std::uint32_t nextRandom(std::uint32_t& state)
{
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

}  // namespace

Samples synthesize(int width, int height, std::uint32_t seed, int channels)
{
    Samples picture{width, height, channels, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * channels)};
    std::uint32_t state = seed * 2654435761u + 1;
    const double phase = (seed % 17) * 0.37;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            for (int c = 0; c < channels; ++c) {
                const double wave = std::sin(x * (0.05 + 0.02 * c) + phase) * std::cos(y * (0.07 - 0.015 * c) + c);
                const double ramp = (x + 2.0 * y) / (width + 2.0 * height + 1.0);
                const int noise = static_cast<int>(nextRandom(state) % 9) - 4;
                const int value = 128 + static_cast<int>(60 * wave + 40 * (ramp - 0.5)) + noise;
                picture.data[(static_cast<std::size_t>(y) * width + x) * channels + c] =
                    static_cast<std::uint8_t>(std::clamp(value, 24, 232));
            }
        }
    }
    return picture;
}

std::vector<std::uint8_t> encodeJpeg(const Samples& picture, const EncodeOptions& options)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    errors.error_exit = failReference;
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(picture.width);
    info.image_height = static_cast<JDIMENSION>(picture.height);
    info.input_components = picture.channels;
    info.in_color_space = picture.channels == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    if (options.grey) jpeg_set_colorspace(&info, JCS_GRAYSCALE);
    jpeg_set_quality(&info, options.quality, options.forceBaseline ? TRUE : FALSE);
    if (!options.grey) {
        info.comp_info[0].h_samp_factor = options.h;
        info.comp_info[0].v_samp_factor = options.v;
        if (options.sharedQuantTable) {
            info.comp_info[1].quant_tbl_no = 0;
            info.comp_info[2].quant_tbl_no = 0;
        }
    }
    info.dct_method = JDCT_ISLOW;
    info.optimize_coding = options.optimiseTables ? TRUE : FALSE;
    info.restart_interval = static_cast<unsigned>(options.restartInterval);
    info.restart_in_rows = options.restartRows;
    info.arith_code = options.arithmetic ? TRUE : FALSE;
    if (options.progressive) jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    const int stride = picture.width * picture.channels;
    while (info.next_scanline < info.image_height) {
        auto* row = const_cast<JSAMPROW>(picture.data.data() + static_cast<std::size_t>(info.next_scanline) * stride);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::vector<std::uint8_t> bytes(buffer, buffer + size);
    std::free(buffer);
    return bytes;
}

Samples referenceDecode(const std::vector<std::uint8_t>& jpeg, bool ycc)
{
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    errors.error_exit = failReference;
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, jpeg.data(), static_cast<unsigned long>(jpeg.size()));
    jpeg_read_header(&info, TRUE);
    info.dct_method = JDCT_ISLOW;
    info.do_fancy_upsampling = FALSE;
    info.out_color_space = info.num_components == 1 ? JCS_GRAYSCALE : ycc ? JCS_YCbCr : JCS_RGB;
    jpeg_start_decompress(&info);
    Samples out{static_cast<int>(info.output_width), static_cast<int>(info.output_height), info.output_components, {}};
    const std::size_t stride = static_cast<std::size_t>(out.width) * out.channels;
    out.data.resize(stride * out.height);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = out.data.data() + info.output_scanline * stride;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return out;
}

Coefficients referenceCoefficients(const std::vector<std::uint8_t>& jpeg)
{
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    errors.error_exit = failReference;
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, jpeg.data(), static_cast<unsigned long>(jpeg.size()));
    jpeg_read_header(&info, TRUE);
    jvirt_barray_ptr* arrays = jpeg_read_coefficients(&info);
    Coefficients result;
    result.width = static_cast<int>(info.image_width);
    result.height = static_cast<int>(info.image_height);
    for (int ci = 0; ci < info.num_components; ++ci) {
        const jpeg_component_info& comp = info.comp_info[ci];
        Coefficients::Component out;
        out.h = comp.h_samp_factor;
        out.v = comp.v_samp_factor;
        out.blocksWide = static_cast<int>(comp.width_in_blocks);
        out.blocksHigh = static_cast<int>(comp.height_in_blocks);
        for (int k = 0; k < 64; ++k) out.quant[k] = comp.quant_table->quantval[k];
        for (int by = 0; by < out.blocksHigh; ++by) {
            JBLOCKARRAY rows = (*info.mem->access_virt_barray)(reinterpret_cast<j_common_ptr>(&info), arrays[ci],
                                                                static_cast<JDIMENSION>(by), 1, FALSE);
            for (int bx = 0; bx < out.blocksWide; ++bx) {
                std::array<int, 64> block{};
                for (int k = 0; k < 64; ++k) block[k] = rows[0][bx][k];
                out.blocks.push_back(block);
            }
        }
        result.components.push_back(std::move(out));
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return result;
}

void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace qz::test
