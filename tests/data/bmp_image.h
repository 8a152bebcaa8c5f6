// A reader for the uncompressed BMP files the game loads, so picture tests need no image library.
#pragma once

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace kvt::testing {

struct Rgb {
    int r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

class BmpImage {
public:
    bool Load(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        if (!in) return false;
        std::vector<std::uint8_t> d((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (d.size() < 54 || d[0] != 'B' || d[1] != 'M') return false;
        auto u32 = [&](std::size_t o) { return d[o] | d[o + 1] << 8 | d[o + 2] << 16 | std::uint32_t(d[o + 3]) << 24; };
        auto u16 = [&](std::size_t o) { return d[o] | d[o + 1] << 8; };
        const std::uint32_t offset = u32(10);
        width = static_cast<std::int32_t>(u32(18));
        const std::int32_t h = static_cast<std::int32_t>(u32(22));
        const int bpp = u16(28);
        if ((bpp != 24 && bpp != 32) || u32(30) != 0 || width <= 0 || h == 0) return false;
        height = h < 0 ? -h : h;
        const std::size_t stride = ((static_cast<std::size_t>(width) * bpp / 8) + 3) & ~std::size_t(3);
        if (d.size() < offset + stride * static_cast<std::size_t>(height)) return false;
        pixels.resize(static_cast<std::size_t>(width) * height);
        for (int y = 0; y < height; ++y) {
            const int fileRow = h < 0 ? y : height - 1 - y;
            const std::uint8_t* row = d.data() + offset + stride * static_cast<std::size_t>(fileRow);
            for (int x = 0; x < width; ++x) {
                const std::uint8_t* px = row + static_cast<std::size_t>(x) * (bpp / 8);
                pixels[static_cast<std::size_t>(y) * width + x] = {px[2], px[1], px[0]};
            }
        }
        return true;
    }
    Rgb At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    bool Valid(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }

    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;
};

}  // namespace kvt::testing
