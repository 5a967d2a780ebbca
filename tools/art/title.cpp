#include "title.h"

#include "ball_painter.h"
#include "palette.h"
#include "shapes.h"
#include "text_render.h"

#include <string>

namespace art {

void paintTitle(Canvas& c, float cx, float baseline, float cap, bool dark) {
    const std::string word = "ORBOLO";
    const int ballCodes[] = {1, 4, 6}; // red, green, blue
    const float size = cap * 2048.0f / 1493.0f;
    const float r = cap * 0.56f, gap = cap * 0.10f;
    const TextStyle style{size, 1, 0, false};
    float total = 0;
    for (char ch : word)
        total += (ch == 'O' ? 2 * r : sansBold().render(std::string(1, ch), style).advance) + gap;
    total -= gap;
    float x = cx - total / 2;
    int ball = 0;
    Color stops[] = {palette::kWhite, palette::kGoldLight, palette::kGold, palette::kGoldDeep};
    Color darkStops[] = {rgb(0x2c4fa8), rgb(0x17306e), rgb(0x0b1a42)};
    for (char ch : word) {
        if (ch == 'O') {
            paintBall(c, ballCodes[ball++], x + r, baseline - cap / 2, r, false);
            x += 2 * r + gap;
            continue;
        }
        TextMask t = sansBold().render(std::string(1, ch), style);
        int pen = static_cast<int>(x);
        float top = baseline - cap;
        int base = static_cast<int>(baseline);
        if (dark) {
            drawTextGlow(c, t, pen + 2, base + 3, cap * 0.06f,
                         withAlpha(palette::kNightDeep, 0.35f));
            drawText(c, t, pen, base,
                     [=](float, float y) { return ramp(darkStops, (y - top) / cap); });
        } else {
            drawTextGlow(c, t, pen, base, cap * 0.12f, withAlpha(palette::kGold, 0.45f));
            drawTextGlow(c, t, pen + 2, base + 3, cap * 0.05f,
                         withAlpha(palette::kNightDeep, 0.9f));
            drawText(c, t, pen, base, [=](float, float y) { return ramp(stops, (y - top) / cap); });
        }
        // A highlight along the top of each letter, as if lit from above.
        drawText(c, t, pen, base, [=](float, float y) {
            return withAlpha(palette::kWhite, 0.35f * clamp01(1 - (y - top) / (cap * 0.25f)));
        });
        x += t.advance + gap;
    }
}

} // namespace art
