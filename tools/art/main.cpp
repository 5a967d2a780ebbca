// orbolo_artgen OUTDIR: writes every image of the game into OUTDIR
// (the build tree's gfx/). Deterministic: the same bytes on every run.
#include "image_files.h"
#include "sheets.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
        return 2;
    }
    const std::string dir = std::string(argv[1]) + "/";
    using namespace art;
    struct Out {
        const char* name;
        Image (*make)();
        bool jpeg;
    };
    const Out outs[] = {
        {"play2.tga", playSheet, false},         {"font2.jpg", largeFontSheet, true},
        {"font.tga", smallFontSheet, false},     {"menu.jpg", menuSheet, true},
        {"back.jpg", menuBackground, true},      {"select.jpg", selectSheet, true},
        {"logo.jpg", introLogo, true},           {"TORV.tga", frameworkMark, false},
        {"pointer.tga", pointer, false},         {"Pointer2.tga", pointerOverButton, false},
        {"Pointer_s.tga", pointerShadow, false}, {"icon.tga", windowIcon, false},
    };
    for (const Out& o : outs) {
        Image img = o.make();
        // High quality keeps the black behind large text black.
        auto bytes = o.jpeg ? encodeJpeg(img, 95) : encodeTga(img);
        if (bytes.empty() || !writeFile(dir + o.name, bytes)) {
            std::fprintf(stderr, "cannot write %s%s\n", dir.c_str(), o.name);
            return 1;
        }
    }
    return 0;
}
