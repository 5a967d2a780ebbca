// The images of the current screen by entry number, so that other tables
// (the buttons) can name an image by its number. Entry 7 is the large
// font's image: shared, never freed here.
#pragma once
#include <array>
#include <cstdint>

class KGraphic;

struct SpriteEntry {
    KGraphic* image = nullptr; // owned, except in entry 7
    int16_t frame = 0;
    int16_t imageWidth = 0, imageHeight = 0;
    int16_t originX = 0, originY = 0;
    int16_t frameWidth = 0, frameHeight = 0;
    int16_t loadParam = 0; // kept, never used
};

constexpr int kSpriteCount = 100;
constexpr int kLargeFontSprite = 7;
extern std::array<SpriteEntry, kSpriteCount> spriteTable;

// Loads the file (relative to the executable) into a new image in `entry`.
// On failure the entry is left empty and false returned.
bool LoadSprite(int entry, const char* relativePath, int16_t loadParam);
// Puts a shared image in an entry, without taking it over.
void ShareSprite(int entry, KGraphic* image);
// Mode 1: opaque then blended; mode 2: blended only; others draw nothing.
// An empty entry draws nothing.
void DrawSpriteFrame(int entry, int16_t x, int16_t y, int mode);
// Frees the image of every entry except shared ones, and clears them all.
void FreeSprites();
// Frees one entry's image (if owned) and clears it.
void FreeSprite(int entry);
