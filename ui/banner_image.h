#pragma once
// The banner picture, decoded from the JPEG carried as a resource.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace velmora {

// A top-down 24-bit DIB: rows of blue, green, red bytes, each row padded to
// a multiple of four bytes.
struct BannerImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;

    int stride() const { return (width * 3 + 3) & ~3; }
    BITMAPINFO bitmap_info() const;
};

// Decodes a baseline JPEG; nothing when the bytes are not a picture it can
// decode (truncated, corrupt, not a JPEG, absurdly large).
std::optional<BannerImage> decode_jpeg(const std::uint8_t* data, std::size_t size);

// The banner resource of the module, decoded.
std::optional<BannerImage> load_banner(HINSTANCE instance);

}  // namespace velmora
