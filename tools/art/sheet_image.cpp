#include "sheet_image.h"

namespace art {

Image toImage(const Canvas& c) {
    return {c.width(), c.height(), c.rgba8()};
}

void putPiece(Image& sheet, layout::Rect r, const Canvas& src, int sx, int sy) {
    Image piece = toImage(src);
    for (int y = 0; y < r.h(); ++y)
        for (int x = 0; x < r.w(); ++x) {
            const std::uint8_t* p = piece.px(sx + x, sy + y);
            std::uint8_t* d =
                &sheet.rgba[(static_cast<std::size_t>(r.y1 + y) * sheet.width + r.x1 + x) * 4];
            std::copy(p, p + 4, d);
        }
}

void putHoverPiece(Image& sheet, layout::Rect r, const Canvas& shown, const Canvas& shape) {
    putPiece(sheet, r, shown);
    Image alpha = toImage(shape);
    for (int y = 0; y < r.h(); ++y)
        for (int x = 0; x < r.w(); ++x)
            sheet.rgba[(static_cast<std::size_t>(r.y1 + y) * sheet.width + r.x1 + x) * 4 + 3] =
                alpha.px(x, y)[3];
}

} // namespace art
