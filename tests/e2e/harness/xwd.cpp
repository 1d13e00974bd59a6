#include "xwd.h"

#include <algorithm>

namespace {

uint32_t big_endian_u32(const std::string& d, size_t offset) {
    return static_cast<uint32_t>(static_cast<unsigned char>(d[offset])) << 24 |
           static_cast<uint32_t>(static_cast<unsigned char>(d[offset + 1])) << 16 |
           static_cast<uint32_t>(static_cast<unsigned char>(d[offset + 2])) << 8 |
           static_cast<uint32_t>(static_cast<unsigned char>(d[offset + 3]));
}

int channel(uint32_t value, uint32_t mask) {
    if (mask == 0) return 0;
    int shift = 0;
    while (!(mask & 1u)) {
        mask >>= 1;
        ++shift;
    }
    return static_cast<int>(((value >> shift) & mask) * 255 / mask);
}

}  // namespace

Pixel Screenshot::at(double x, double y) const {
    int px = std::clamp(static_cast<int>(x * 800.0), 0, width - 1);
    int py = std::clamp(599 - static_cast<int>(y * 600.0), 0, height - 1);
    return at_px(px, py);
}

int Screenshot::lit(double x0, double y0, double x1, double y1) const {
    int count = 0;
    for (int px = static_cast<int>(x0 * 800); px < static_cast<int>(x1 * 800); ++px)
        for (int py = 600 - static_cast<int>(y1 * 600); py < 600 - static_cast<int>(y0 * 600); ++py) {
            Pixel p = at_px(std::clamp(px, 0, width - 1), std::clamp(py, 0, height - 1));
            if (p.r || p.g || p.b) ++count;
        }
    return count;
}

Screenshot decode_xwd(const std::string& d) {
    Screenshot shot;
    if (d.size() < 100) return shot;
    const uint32_t header_size = big_endian_u32(d, 0);
    const uint32_t format = big_endian_u32(d, 8);  // 2 = ZPixmap
    const uint32_t width = big_endian_u32(d, 16);
    const uint32_t height = big_endian_u32(d, 20);
    const uint32_t byte_order = big_endian_u32(d, 28);  // 0 = least significant byte first
    const uint32_t bits_per_pixel = big_endian_u32(d, 44);
    const uint32_t bytes_per_line = big_endian_u32(d, 48);
    const uint32_t red_mask = big_endian_u32(d, 56);
    const uint32_t green_mask = big_endian_u32(d, 60);
    const uint32_t blue_mask = big_endian_u32(d, 64);
    const uint32_t colour_count = big_endian_u32(d, 76);
    if (format != 2 || (bits_per_pixel != 32 && bits_per_pixel != 24) || width == 0 || height == 0)
        return shot;
    const size_t data_start = header_size + static_cast<size_t>(colour_count) * 12;
    if (d.size() < data_start + static_cast<size_t>(bytes_per_line) * height) return shot;

    const size_t bytes_per_pixel = bits_per_pixel / 8;
    shot.width = static_cast<int>(width);
    shot.height = static_cast<int>(height);
    shot.pixels.resize(static_cast<size_t>(width) * height);
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            size_t at = data_start + static_cast<size_t>(y) * bytes_per_line + x * bytes_per_pixel;
            uint32_t value = 0;
            for (size_t i = 0; i < bytes_per_pixel; ++i) {
                uint32_t byte = static_cast<unsigned char>(d[at + i]);
                value |= byte_order == 0 ? byte << (8 * i) : byte << (8 * (bytes_per_pixel - 1 - i));
            }
            shot.pixels[static_cast<size_t>(y) * width + x] = {channel(value, red_mask),
                                                               channel(value, green_mask),
                                                               channel(value, blue_mask)};
        }
    }
    return shot;
}
