#include "game/sprite_table.h"

#include "framework/display/KGraphic.h"
#include "framework/display/KSystemTools.h"

std::array<SpriteEntry, kSpriteCount> spriteTable;

namespace {
std::array<bool, kSpriteCount> shared{};

void Fill(SpriteEntry& e, KGraphic* image) {
    e.image = image;
    e.frame = 0;
    e.imageWidth = static_cast<int16_t>(image->imageWidth);
    e.imageHeight = static_cast<int16_t>(image->imageHeight);
    e.originX = static_cast<int16_t>(image->originX);
    e.originY = static_cast<int16_t>(image->originY);
    e.frameWidth = e.imageWidth;
    e.frameHeight = e.imageHeight;
}
} // namespace

bool LoadSprite(int entry, const char* relativePath) {
    if (entry < 0 || entry >= kSpriteCount) return false;
    FreeSprite(entry);
    auto* image = new KGraphic;
    if (!image->LoadImage(KSystemTools::MakePath(relativePath), true, false, true)) {
        delete image;
        return false;
    }
    Fill(spriteTable[entry], image);
    return true;
}

void ShareSprite(int entry, KGraphic* image) {
    FreeSprite(entry);
    if (!image) return;
    Fill(spriteTable[entry], image);
    shared[entry] = true;
}

void DrawSpriteFrame(int entry, int16_t x, int16_t y, int mode) {
    if (entry < 0 || entry >= kSpriteCount) return;
    const SpriteEntry& e = spriteTable[entry];
    if (!e.image || e.frameWidth <= 0 || e.frameHeight <= 0) return;
    int perRow = e.imageWidth / e.frameWidth;
    int row = perRow > 0 ? e.frame / perRow : 0;
    int column = e.frame - row * perRow;
    float x1 = static_cast<float>(e.frameWidth * column),
          y1 = static_cast<float>(e.frameHeight * row);
    float x2 = x1 + e.frameWidth, y2 = y1 + e.frameHeight;
    if (mode == 1) e.image->Blit(x1, y1, x2, y2, x, y, false, false);
    if (mode == 1 || mode == 2) e.image->BlitAlpha(x1, y1, x2, y2, x, y, false, false);
}

void FreeSprite(int entry) {
    SpriteEntry& e = spriteTable[entry];
    if (!shared[entry]) delete e.image;
    shared[entry] = false;
    e = SpriteEntry{};
}

void FreeSprites() {
    for (int entry = 0; entry < kSpriteCount; ++entry)
        FreeSprite(entry);
}
