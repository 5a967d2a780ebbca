// orbolo_art_preview GFXDIR OUTDIR: composes the game's screens from the
// generated sheets, as the game will draw them, into PNG files for review.
#include "image_files.h"
#include "scenes.h"

#include <cstdio>
#include <string>

namespace {

bool load(const std::string& path, art::Image& out) {
    auto bytes = art::readFile(path);
    if (!bytes) return false;
    auto img = path.ends_with(".jpg") ? art::decodeJpeg(*bytes) : art::decodeTga(*bytes);
    if (!img) return false;
    out = std::move(*img);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s GFXDIR OUTDIR\n", argv[0]);
        return 2;
    }
    const std::string gfx = std::string(argv[1]) + "/", out = std::string(argv[2]) + "/";
    preview::Sheets s;
    struct Source {
        const char* name;
        art::Image* image;
    } sources[] = {{"play2.tga", &s.play},
                   {"font2.jpg", &s.font2},
                   {"font.tga", &s.font},
                   {"menu.jpg", &s.menu},
                   {"back.jpg", &s.back},
                   {"select.jpg", &s.select},
                   {"logo.jpg", &s.logo},
                   {"TORV.tga", &s.torv},
                   {"pointer.tga", &s.pointer},
                   {"Pointer2.tga", &s.pointer2},
                   {"Pointer_s.tga", &s.pointerShadow}};
    for (const Source& src : sources)
        if (!load(gfx + src.name, *src.image)) {
            std::fprintf(stderr, "cannot read %s%s\n", gfx.c_str(), src.name);
            return 1;
        }
    struct Shot {
        const char* name;
        preview::Screen screen;
    } shots[] = {
        {"intro.png", preview::introScreen(s)},
        {"menu.png", preview::menuScreen(s, 0, 1, 0)},
        {"menu_hover_scores.png", preview::menuScreen(s, 3, 2, 1)},
        {"menu_hover_difficulty.png", preview::menuScreen(s, 2, 3, 0)},
        {"select.png", preview::selectScreen(s, 2)},
        {"play_timeattack.png", preview::playScreen(s, 1, preview::PlayOverlay::HoveredArrow)},
        {"play_topscore.png", preview::playScreen(s, 2, preview::PlayOverlay::HoveredArrow)},
        {"play_puzzle.png", preview::playScreen(s, 3, preview::PlayOverlay::HoveredArrow)},
        {"tutorial.png", preview::playScreen(s, 1, preview::PlayOverlay::Tutorial)},
        {"gameover.png", preview::playScreen(s, 2, preview::PlayOverlay::GameOver)},
    };
    for (const Shot& shot : shots)
        if (!shot.screen.savePng(out + shot.name)) {
            std::fprintf(stderr, "cannot write %s%s\n", out.c_str(), shot.name);
            return 1;
        }
    return 0;
}
