// The generated art as the game receives it: every file decodes at the size
// the game expects, TGA sprites are uncompressed 32-bit with real alpha,
// every piece and glyph the game cuts lies inside its sheet and holds ink,
// the balls differ clearly, and the generator makes the same bytes each run.
#include "image_files.h"
#include "game/sheet_layout.h"

#include "framework/text/glyph_tables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <unistd.h>

namespace {

using art::Image;
using layout::Rect;

const Image& Gfx(const std::string& name) {
    static std::map<std::string, Image> cache;
    if (auto it = cache.find(name); it != cache.end()) return it->second;
    Image img;
    if (auto bytes = art::readFile(ORBOLO_GFX_DIR "/" + name))
        if (auto d = name.ends_with(".jpg") ? art::decodeJpeg(*bytes) : art::decodeTga(*bytes))
            img = std::move(*d);
    EXPECT_GT(img.width, 0) << "cannot read gfx/" << name;
    return cache.emplace(name, std::move(img)).first->second;
}

// Strongest ink in r: alpha in sprites and the small font, brightness in JPEGs.
int Ink(const Image& img, Rect r, bool alpha) {
    int m = 0;
    for (int y = r.y1; y < r.y2; ++y)
        for (int x = r.x1; x < r.x2; ++x)
            m = std::max<int>(
                m, alpha ? img.px(x, y)[3]
                         : std::max({img.px(x, y)[0], img.px(x, y)[1], img.px(x, y)[2]}));
    return m;
}

bool Inside(Rect r, const Image& img) {
    return r.x1 >= 0 && r.y1 >= 0 && r.x2 <= img.width && r.y2 <= img.height && r.w() > 0 &&
           r.h() > 0;
}

// Name, width, height, strongest alpha (0 for JPEG; a shadow is never solid).
const struct ArtFile {
    const char* name;
    int width, height, alpha;
} kFiles[] = {
    {"play2.tga", 512, 512, 255}, {"font.tga", 128, 128, 255},   {"TORV.tga", 50, 50, 255},
    {"pointer.tga", 32, 32, 255}, {"Pointer2.tga", 32, 32, 255}, {"Pointer_s.tga", 32, 32, 128},
    {"icon.tga", 64, 64, 255},    {"font2.jpg", 512, 512, 0},    {"menu.jpg", 256, 256, 0},
    {"back.jpg", 580, 490, 0},    {"select.jpg", 512, 512, 0},   {"logo.jpg", 640, 480, 0}};

TEST(ArtFiles, EachFileDecodesAtItsSizeAndSpritesCarryRealAlpha) {
    for (const ArtFile& f : kFiles) {
        SCOPED_TRACE(f.name);
        const Image& img = Gfx(f.name);
        EXPECT_EQ(std::vector<int>({img.width, img.height}), std::vector<int>({f.width, f.height}));
        // Not blank: pictures show light, sprites (some only a shadow) ink.
        EXPECT_GE(Ink(img, {0, 0, img.width, img.height}, f.alpha > 0), f.alpha ? f.alpha : 100);
        if (!f.alpha) continue;
        auto b = *art::readFile(ORBOLO_GFX_DIR "/" + std::string(f.name));
        // No image ID, no colour map, uncompressed true colour, 32 bits.
        EXPECT_EQ(std::vector<int>({b[0], b[1], b[2], b[16], int(b.size())}),
                  std::vector<int>({0, 0, 2, 32, 18 + img.width * img.height * 4}));
        int clearest = 255;
        for (std::size_t p = 3; p < img.rgba.size(); p += 4)
            clearest = std::min<int>(clearest, img.rgba[p]);
        EXPECT_EQ(clearest, 0);
    }
    // Pixels are written blue, green, red, alpha, bottom row first.
    Image two{1, 2, {255, 0, 0, 255, 0, 0, 255, 128}};
    auto bytes = art::encodeTga(two);
    EXPECT_EQ(std::vector<int>(bytes.begin() + 18, bytes.end()),
              std::vector<int>({255, 0, 0, 128, 0, 0, 255, 255}));
}

TEST(ArtFiles, EveryPieceAndGlyphLiesInsideItsSheetAndGlyphsHoldInk) {
    for (const layout::Piece& p : layout::allPieces())
        EXPECT_TRUE(Inside(p.rect, Gfx(std::string(p.sheet))))
            << p.sheet << " piece at " << p.rect.x1 << "," << p.rect.y1;
    for (auto [table, image, records] :
         {std::tuple<const GlyphRec*, const char*, int>{LargeFontGlyphs, "font2.jpg", 55},
          {SmallFontGlyphs, "font.tga", 80}}) {
        std::set<int> seen;
        for (const GlyphRec* g = table; g->ch; ++g) {
            Rect r{g->x1, g->y1, g->x2, g->y2};
            EXPECT_TRUE(seen.insert(g->ch).second) << "twice: " << g->ch;
            ASSERT_TRUE(Inside(r, Gfx(image))) << image << " " << g->ch;
            EXPECT_GT(g->advance, 0) << g->ch;
            if (g->ch != ' ') {
                EXPECT_GE(Ink(Gfx(image), r, table == SmallFontGlyphs), 180)
                    << image << " " << g->ch;
            }
        }
        EXPECT_EQ(seen.size(), size_t(records)) << image;
    }
}

TEST(ArtFiles, BallsHaveSolidBodiesAndDifferClearlyInColour) {
    const Image& play = Gfx("play2.tga");
    auto body = [&](int code) { // left of the mark, below the highlight
        Rect t = layout::ball(code);
        double s[3] = {};
        for (int y = t.y1 + 17; y < t.y1 + 23; ++y)
            for (int x = t.x1 + 6; x < t.x1 + 12; ++x)
                for (int k = 0; k < 3; ++k)
                    s[k] += play.px(x, y)[k] / 36.0;
        return std::vector<double>(s, s + 3);
    };
    for (int a = 1; a <= 8; ++a) {
        Rect t = layout::ball(a);
        EXPECT_EQ(play.px(t.x1 + 19, t.y1 + 18)[3], 255) << "ball " << a;
        EXPECT_EQ(play.px(t.x1, t.y1)[3] + play.px(t.x2 - 1, t.y2 - 1)[3], 0)
            << "ball " << a << " corners";
        for (int b = a + 1; b <= 8; ++b) {
            auto p = body(a), q = body(b);
            EXPECT_GE(std::hypot(p[0] - q[0], p[1] - q[1], p[2] - q[2]), 60.0)
                << "balls " << a << " and " << b;
        }
    }
}

TEST(ArtFiles, TwoGeneratorRunsWriteTheBytesTheBuildWrote) {
    namespace fs = std::filesystem;
    fs::path base = fs::temp_directory_path() / ("orbolo_art_" + std::to_string(::getpid()));
    for (const char* run : {"a", "b"}) {
        fs::create_directories(base / run);
        ASSERT_EQ(std::system(("'" ORBOLO_ARTGEN "' '" + (base / run).string() + "'").c_str()), 0);
    }
    for (const ArtFile& f : kFiles) {
        auto a = art::readFile((base / "a" / f.name).string()),
             b = art::readFile((base / "b" / f.name).string());
        auto built = art::readFile(ORBOLO_GFX_DIR "/" + std::string(f.name));
        ASSERT_TRUE(a && b && built) << f.name;
        EXPECT_TRUE(*a == *b && *a == *built) << f.name;
    }
    fs::remove_all(base);
}

} // namespace
