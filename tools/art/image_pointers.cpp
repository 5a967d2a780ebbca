// gfx/pointer.tga, gfx/Pointer2.tga, gfx/Pointer_s.tga: the mouse pointer,
// the pointer over a button, and the shadow drawn under both. The hot spot
// is the top-left corner; the tip is drawn one pixel in from it.
#include "sheets.h"

#include "game/sheet_layout.h"
#include "palette.h"
#include "sheet_image.h"
#include "shapes.h"

namespace art {

namespace {

// The tip sits at (1, 1) with its outline inside the image: a pointer image
// keeps a clear edge.
const std::vector<Pt> kArrow{{1.5f, 1.5f}, {1.5f, 22.5f}, {6.5f, 17.5f}, {10.5f, 26.5f},
                             {14, 25},     {10, 16.5f},   {17, 16.5f}};

Canvas arrow(Color top, Color bottom, Color outline) {
    const int n = layout::kPointerSize;
    Canvas c(n, n);
    Box all{0, 0, n, n};
    // The outline is the shape grown by a pixel: a hard glow of the rim colour.
    Mask grown = rasterize(all, polygon(kArrow));
    Mask outer(n, n);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            float m = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    m = std::max(m, grown.at(x + dx, y + dy));
            outer.ref(x, y) = m;
        }
    paintMask(c, outer, 0, 0, solid(outline));
    paint(c, all, polygon(kArrow), linear(0, 1, top, 0, 26, bottom));
    paint(c, all, polygon({{2.5f, 4.5f}, {2.5f, 14}, {7, 10.5f}}),
          solid(withAlpha(palette::kWhite, 0.45f)));
    return c;
}

} // namespace

Image pointer() {
    return toImage(arrow(palette::kWhite, rgb(0xb8d4f0), rgb(0x0a1430)));
}

Image pointerOverButton() {
    Canvas c = arrow(palette::kGoldLight, palette::kGold, rgb(0x3a2205));
    paint(c, {16, 0, 16, 16}, polygon(starPoints(24, 7, 6.5f, 1.4f, 4)), solid(palette::kWhite));
    paint(c, {16, 0, 16, 16}, disc(24, 7, 1.6f), solid(palette::kGoldLight));
    return toImage(c);
}

Image pointerShadow() {
    const int n = layout::kPointerSize;
    Canvas c(n, n);
    shadow(c, {0, 0, n, n}, polygon(kArrow), 0, 0, 1.5f, withAlpha(palette::kBlack, 0.85f));
    // Its edge must stay clear: the shadow is drawn 2 pixels down and right.
    for (int i = 0; i < n; ++i) {
        c.fade(i, n - 1, 0);
        c.fade(n - 1, i, 0);
    }
    return toImage(c);
}

} // namespace art
