#include "plates.h"

#include "palette.h"
#include "shapes.h"
#include "text_render.h"

#include <algorithm>
#include <cmath>

namespace art {

void paintPlate(Canvas& c, float x0, float y0, float x1, float y1, float radius, bool lit) {
    Box area{static_cast<int>(x0) - 6, static_cast<int>(y0) - 6, static_cast<int>(x1 - x0) + 13,
             static_cast<int>(y1 - y0) + 13};
    Coverage body = roundRect(x0, y0, x1, y1, radius);
    if (lit) {
        shadow(c, area, body, 0, 0, 2.0f, withAlpha(palette::kGold, 0.55f));
        paint(c, area, body, [=](float, float y) {
            Color stops[] = {palette::kGoldLight, palette::kGold, palette::kGoldDeep};
            return ramp(stops, (y - y0) / (y1 - y0));
        });
        paint(c, area, roundRect(x0 + 1.5f, y0 + 1, x1 - 1.5f, y0 + (y1 - y0) * 0.48f, radius - 1),
              solid(withAlpha(palette::kWhite, 0.28f)));
        paint(c, area, roundRectFrame(x0, y0, x1, y1, radius, 1.0f),
              solid(withAlpha(palette::kWhite, 0.75f)));
    } else {
        shadow(c, area, body, 1, 2, 2.0f, withAlpha(palette::kNightDeep, 0.6f));
        paint(c, area, body, [=](float, float y) {
            return mix(rgb(0x2a4a94), rgb(0x0f1f4c), clamp01((y - y0) / (y1 - y0)));
        });
        paint(c, area, roundRect(x0 + 1.5f, y0 + 1, x1 - 1.5f, y1 - 1, radius - 1),
              [=](float, float y) {
                  return withAlpha(
                      palette::kWhite,
                      0.10f * (1 - smoothstep(y0, y0 + std::min(24.0f, (y1 - y0) * 0.5f), y)));
              });
        paint(c, area, roundRectFrame(x0, y0, x1, y1, radius, 1.0f), [=](float, float y) {
            return withAlpha(palette::kGold, 0.75f - 0.4f * clamp01((y - y0) / (y1 - y0)));
        });
    }
}

void paintLabel(Canvas& c, std::string_view text, float size, int x0, int x1, int baseline,
                bool lit) {
    TextMask t = sansBold().render(text, {size, 1, 0.4f, false});
    int pen = centredPen(t, x0, x1);
    if (lit) {
        drawText(c, t, pen, baseline + 1, solid(withAlpha(palette::kGoldLight, 0.7f)));
        drawText(c, t, pen, baseline, solid(rgb(0x1a1440)));
    } else {
        drawText(c, t, pen + 1, baseline + 1, solid(withAlpha(palette::kNightDeep, 0.8f)));
        float top = baseline - sansBold().capHeight(size);
        drawText(
            c, t, pen, baseline,
            linear(0, top, palette::kWhite, 0, static_cast<float>(baseline), palette::kGoldLight));
    }
}

void paintGoldText(Canvas& c, std::string_view text, float size, int x0, int x1, int baseline,
                   float glow) {
    TextMask t = sansBold().render(text, {size, 1, size * 0.03f, false});
    int pen = centredPen(t, x0, x1);
    float cap = sansBold().capHeight(size);
    if (glow > 0) drawTextGlow(c, t, pen, baseline, glow, withAlpha(palette::kGold, 0.55f));
    drawTextGlow(c, t, pen + 1, baseline + 2, 1.5f, withAlpha(palette::kNightDeep, 0.85f));
    Color stops[] = {palette::kWhite, palette::kGoldLight, palette::kGold, palette::kGoldDeep};
    drawText(c, t, pen, baseline,
             [=](float, float y) { return ramp(stops, (y - (baseline - cap)) / (cap * 1.1f)); });
}

void paintHairline(Canvas& c, float x0, float x1, float y, float alpha) {
    Box area{static_cast<int>(x0), static_cast<int>(y) - 1, static_cast<int>(x1 - x0) + 1, 3};
    paint(c, area, capsule(x0, y, x1, y, 0.5f), [=](float x, float) {
        float t = (x - x0) / (x1 - x0);
        return withAlpha(palette::kGold, alpha * std::sin(static_cast<float>(M_PI) * t));
    });
}

} // namespace art
