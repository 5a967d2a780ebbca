#include "gfx_files.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

namespace arttest {

const Image& gfx(const std::string& name) {
    static std::map<std::string, Image> cache;
    auto it = cache.find(name);
    if (it != cache.end()) return it->second;
    auto bytes = art::readFile(std::string(ORBOLO_GFX_DIR) + "/" + name);
    Image img;
    if (bytes) {
        auto decoded = name.ends_with(".jpg") ? art::decodeJpeg(*bytes) : art::decodeTga(*bytes);
        if (decoded) img = std::move(*decoded);
    }
    EXPECT_GT(img.width, 0) << "cannot read gfx/" << name;
    return cache.emplace(name, std::move(img)).first->second;
}

int brightness(const std::uint8_t* px) {
    return std::max({px[0], px[1], px[2]});
}

int maxBrightness(const Image& img, Rect r) {
    int m = 0;
    for (int y = r.y1; y < r.y2; ++y)
        for (int x = r.x1; x < r.x2; ++x)
            m = std::max(m, brightness(img.px(x, y)));
    return m;
}

Rgb meanColour(const Image& img, Rect r, int minAlpha) {
    double s[3] = {0, 0, 0};
    int n = 0;
    for (int y = r.y1; y < r.y2; ++y)
        for (int x = r.x1; x < r.x2; ++x) {
            const std::uint8_t* p = img.px(x, y);
            if (p[3] < minAlpha) continue;
            for (int k = 0; k < 3; ++k)
                s[k] += p[k];
            ++n;
        }
    if (n == 0) return {0, 0, 0};
    return {s[0] / n, s[1] / n, s[2] / n};
}

double distance(Rgb a, Rgb b) {
    return std::sqrt((a.r - b.r) * (a.r - b.r) + (a.g - b.g) * (a.g - b.g) +
                     (a.b - b.b) * (a.b - b.b));
}

} // namespace arttest
