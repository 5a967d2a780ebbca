// make_icon_png: turns the game's window icon (a TGA) into the PNG that the
// desktop's application menu shows.
//   make_icon_png gfx/icon.tga orbolo.png
#include "png_file.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_icon_png ICON.tga OUT.png\n");
        return 2;
    }
    auto bytes = art::readFile(argv[1]);
    auto image = bytes ? art::decodeTga(*bytes) : std::nullopt;
    if (!image) {
        std::fprintf(stderr, "make_icon_png: %s is not a TGA image the game reads\n", argv[1]);
        return 1;
    }
    auto png = icon::encodePng(*image);
    if (png.empty() || !art::writeFile(argv[2], png)) {
        std::fprintf(stderr, "make_icon_png: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
