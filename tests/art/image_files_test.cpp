// The files are in the formats the game's loaders accept, at the sizes the
// game expects, every piece the game cuts lies inside its sheet, and the
// generator makes the same bytes every time.
#include "gfx_files.h"

#include "framework/text/glyph_tables.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include <unistd.h>

namespace arttest {
namespace {

bool inside(Rect r, const Image& img) {
    return r.x1 >= 0 && r.y1 >= 0 && r.x2 <= img.width && r.y2 <= img.height && r.w() > 0 &&
           r.h() > 0;
}

TEST(ArtFiles, EachFileDecodesAtItsSizeAndTgaFilesAreUncompressed32BitWithRealAlpha) {
    struct Expect {
        const char* name;
        int w, h;
        int strongestAlpha; // 0 for JPEG; a shadow is never fully solid
    } files[] = {{"play2.tga", 512, 512, 255},    {"font.tga", 128, 128, 255},
                 {"TORV.tga", 50, 50, 255},       {"pointer.tga", 32, 32, 255},
                 {"Pointer2.tga", 32, 32, 255},   {"Pointer_s.tga", 32, 32, 128},
                 {"icon.tga", 64, 64, 255},       {"font2.jpg", 512, 512, 0},
                 {"menu.jpg", 256, 256, 0},       {"back.jpg", 580, 490, 0},
                 {"select.jpg", 512, 512, 0},     {"logo.jpg", 640, 480, 0}};
    for (const Expect& e : files) {
        SCOPED_TRACE(e.name);
        const Image& img = gfx(e.name);
        EXPECT_EQ(img.width, e.w);
        EXPECT_EQ(img.height, e.h);
        if (!e.strongestAlpha) continue;
        auto b = *art::readFile(std::string(ORBOLO_GFX_DIR) + "/" + e.name);
        ASSERT_GE(b.size(), 18u);
        // No image ID, no colour map, uncompressed true colour, 32 bits.
        EXPECT_EQ(std::vector<int>({b[0], b[1], b[2], b[16]}), std::vector<int>({0, 0, 2, 32}));
        EXPECT_EQ(b.size(), 18u + static_cast<std::size_t>(e.w) * e.h * 4);
        int clearest = 255, strongest = 0;
        for (std::size_t i = 3; i < img.rgba.size(); i += 4) {
            clearest = std::min<int>(clearest, img.rgba[i]);
            strongest = std::max<int>(strongest, img.rgba[i]);
        }
        EXPECT_EQ(clearest, 0);
        EXPECT_GE(strongest, e.strongestAlpha);
    }
}

TEST(ArtFiles, TgaRowsAreWrittenBottomUpInBlueGreenRedAlphaOrder) {
    // 2 x 2: red, green on top; blue, half-clear white below.
    Image img{2, 2, {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 128}};
    auto bytes = art::encodeTga(img);
    ASSERT_EQ(bytes.size(), 18u + 16u);
    EXPECT_EQ(std::vector<int>(bytes.begin() + 18, bytes.begin() + 22),
              std::vector<int>({255, 0, 0, 255})); // blue first, as B, G, R, A
    EXPECT_EQ(std::vector<int>(bytes.begin() + 30, bytes.end()),
              std::vector<int>({0, 255, 0, 255})); // green, top right, last
}

TEST(ArtFiles, EveryPieceAndGlyphLiesInsideItsSheet) {
    for (const art::layout::Piece& p : art::layout::allPieces())
        EXPECT_TRUE(inside(p.rect, gfx(std::string(p.sheet))))
            << p.sheet << " piece " << p.rect.x1 << "," << p.rect.y1;
    struct Font {
        const GlyphRec* table;
        const char* image;
        int records;
    } fonts[] = {{LargeFontGlyphs, "font2.jpg", 55}, {SmallFontGlyphs, "font.tga", 80}};
    for (const Font& f : fonts) {
        std::set<int> seen;
        for (const GlyphRec* g = f.table; g->ch; ++g) {
            EXPECT_TRUE(seen.insert(g->ch).second) << "twice: " << g->ch;
            EXPECT_TRUE(inside({g->x1, g->y1, g->x2, g->y2}, gfx(f.image))) << f.image << g->ch;
            EXPECT_GT(g->advance, 0) << g->ch;
        }
        EXPECT_EQ(seen.size(), static_cast<size_t>(f.records)) << f.image;
    }
}

TEST(ArtFiles, TwoGeneratorRunsWriteIdenticalBytes) {
    namespace fs = std::filesystem;
    fs::path base = fs::temp_directory_path() / ("orbolo_art_" + std::to_string(::getpid()));
    for (const char* run : {"a", "b"}) {
        fs::create_directories(base / run);
        std::string cmd = std::string("'") + ORBOLO_ARTGEN + "' '" + (base / run).string() + "'";
        ASSERT_EQ(std::system(cmd.c_str()), 0);
    }
    for (const char* name : {"play2.tga", "font2.jpg", "font.tga", "menu.jpg", "back.jpg",
                             "select.jpg", "logo.jpg", "TORV.tga", "pointer.tga", "Pointer2.tga",
                             "Pointer_s.tga", "icon.tga"}) {
        auto a = art::readFile((base / "a" / name).string());
        auto b = art::readFile((base / "b" / name).string());
        auto built = art::readFile(std::string(ORBOLO_GFX_DIR) + "/" + name);
        ASSERT_TRUE(a && b && built) << name;
        EXPECT_EQ(*a, *b) << name;
        EXPECT_EQ(*a, *built) << name;
    }
    fs::remove_all(base);
}

} // namespace
} // namespace arttest
