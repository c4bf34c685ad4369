#include "ui/banner_image.h"

#include <csetjmp>

// jpeglib.h expects FILE and size_t to be declared already.
// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include "resources/resource.h"

namespace velmora {
namespace {

// A picture bigger than this is not our banner: refuse it instead of asking
// for gigabytes.
constexpr long long kMaxPixels = 16LL * 1024 * 1024;

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

// libjpeg's default handler ends the process; a bad picture only means no
// picture here.
[[noreturn]] void on_error(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

void on_message(j_common_ptr, int) {}  // warnings are not shown anywhere

// Plain C data only between setjmp and longjmp, so that the jump skips no
// destructor; the caller owns the pixel buffer.
bool decode_into(const std::uint8_t* data, std::size_t size, BannerImage& image) {
    jpeg_decompress_struct info;
    ErrorManager errors;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = on_error;
    errors.base.emit_message = on_message;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    // Device-independent bitmaps keep blue first.
    info.out_color_space = JCS_EXT_BGR;
    jpeg_calc_output_dimensions(&info);
    long long pixels = static_cast<long long>(info.output_width) * info.output_height;
    if (info.output_width == 0 || info.output_height == 0 || pixels > kMaxPixels ||
        info.output_components != 3) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    image.width = static_cast<int>(info.output_width);
    image.height = static_cast<int>(info.output_height);
    image.pixels.assign(static_cast<std::size_t>(image.stride()) * image.height, 0);
    jpeg_start_decompress(&info);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row =
            image.pixels.data() + static_cast<std::size_t>(info.output_scanline) * image.stride();
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

}  // namespace

BITMAPINFO BannerImage::bitmap_info() const {
    BITMAPINFO bitmap{};
    bitmap.bmiHeader.biSize = sizeof(bitmap.bmiHeader);
    bitmap.bmiHeader.biWidth = width;
    bitmap.bmiHeader.biHeight = -height;  // top-down rows
    bitmap.bmiHeader.biPlanes = 1;
    bitmap.bmiHeader.biBitCount = 24;
    bitmap.bmiHeader.biCompression = BI_RGB;
    return bitmap;
}

std::optional<BannerImage> decode_jpeg(const std::uint8_t* data, std::size_t size) {
    if (data == nullptr || size == 0) return std::nullopt;
    BannerImage image;
    if (!decode_into(data, size, image)) return std::nullopt;
    return image;
}

std::optional<BannerImage> load_banner(HINSTANCE instance) {
    HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(IDR_BANNER), MAKEINTRESOURCEA(10));
    if (found == nullptr) return std::nullopt;
    HGLOBAL loaded = LoadResource(instance, found);
    if (loaded == nullptr) return std::nullopt;
    const void* bytes = LockResource(loaded);
    return decode_jpeg(static_cast<const std::uint8_t*>(bytes), SizeofResource(instance, found));
}

}  // namespace velmora
