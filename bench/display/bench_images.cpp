#include "bench_images.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <unistd.h>
#include <vector>

namespace {

struct Pixel {
    uint8_t r, g, b, a;
};

std::filesystem::path Folder() {
    return std::filesystem::temp_directory_path() / ("orbolo-bench-" + std::to_string(::getpid()));
}

std::string Write(const char* name, int w, int h, const std::function<Pixel(int, int)>& at) {
    std::vector<uint8_t> bytes(18, 0);
    bytes[2] = 2;
    bytes[12] = w & 0xFF;
    bytes[13] = w >> 8;
    bytes[14] = h & 0xFF;
    bytes[15] = h >> 8;
    bytes[16] = 32;
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x) {
            Pixel p = at(x, y);
            bytes.insert(bytes.end(), {p.b, p.g, p.r, p.a});
        }
    }
    std::filesystem::create_directories(Folder());
    std::string path = (Folder() / name).string();
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    return path;
}

uint8_t Byte(double v) {
    return static_cast<uint8_t>(std::clamp(v, 0.0, 255.0));
}

} // namespace

BenchImages WriteBenchImages() {
    BenchImages images;
    images.background = Write("back.tga", 640, 480, [](int x, int y) {
        return Pixel{Byte(40 + x / 8), Byte(30 + y / 6), Byte(90 + (x ^ y) % 32), 255};
    });
    images.balls = Write("balls.tga", 512, 64, [](int x, int y) {
        int ball = x / 34;
        double dx = x % 34 - 16.5, dy = y - 16.5, d = std::sqrt(dx * dx + dy * dy);
        uint8_t alpha = y < 34 && ball < 8 ? Byte((17 - d) * 255) : 0;
        double shade = 1.2 - d / 20;
        return Pixel{Byte(ball * 30 * shade), Byte((255 - ball * 25) * shade),
                     Byte((ball * 70 % 255) * shade), alpha};
    });
    images.buttons = Write("button.tga", 128, 32, [](int x, int y) {
        bool edge = x < 2 || y < 2 || x > 125 || y > 29;
        return Pixel{Byte(edge ? 255 : 60 + y * 4), Byte(edge ? 220 : 90), 40, 255};
    });
    images.glyphs = Write("glyphs.tga", 256, 16, [](int x, int y) {
        bool ink = ((x / 3 + y / 4 + x / 12) % 3) == 0 && x % 12 < 10 && y > 1 && y < 14;
        return Pixel{255, 255, 255, static_cast<uint8_t>(ink ? 255 : 0)};
    });
    images.pointer = Write("pointer.tga", 32, 32, [](int x, int y) {
        bool arrow = x <= y && x + y < 40;
        return Pixel{255, 250, 200, static_cast<uint8_t>(arrow ? 255 : 0)};
    });
    return images;
}

void RemoveBenchImages() {
    std::error_code ignored;
    std::filesystem::remove_all(Folder(), ignored);
}
