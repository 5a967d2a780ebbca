// The images of the current screen by entry, so that other tables (the
// buttons) can name an image by its entry. The large font's entry is
// shared, never freed here.
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
};

// The entries the screens load into.
enum SpriteSlot : int16_t {
    kBackdropSprite = 0,  // gfx/back.jpg: the menu
    kSplashSprite = 1,    // gfx/TORV.tga: the menu's first credit page
    kMenuSprite = 3,      // gfx/menu.jpg: the menu's items
    kSelectSprite = 5,    // gfx/select.jpg: the mode selection
    kPlaySprite = 6,      // gfx/play2.tga: the play screen, balls, message box
    kLargeFontSprite = 7, // the large font's image (gfx/font2.jpg), shared
    kLogoSprite = 10,     // gfx/logo.jpg: the intro
};
constexpr int kSpriteCount = 100;
extern std::array<SpriteEntry, kSpriteCount> spriteTable;

// Loads the file (relative to the executable) into a new image in `entry`.
// On failure the entry is left empty and false returned.
bool LoadSprite(int entry, const char* relativePath);
// Puts a shared image in an entry, without taking it over.
void ShareSprite(int entry, KGraphic* image);
// Mode 1: opaque then blended; mode 2: blended only; others draw nothing.
// An empty entry draws nothing.
void DrawSpriteFrame(int entry, int16_t x, int16_t y, int mode);
// Frees the image of every entry except shared ones, and clears them all.
void FreeSprites();
// Frees one entry's image (if owned) and clears it.
void FreeSprite(int entry);
