// KGraphic: one picture in one texture, its drawing operations, and the
// screen state every draw relies on (size, clear colour, world view).
// Source rectangles are x1..x2, y1..y2 in image pixels; destinations are
// screen pixels, origin top-left, y downwards. Draws are recorded into the
// frame's list (recorded_frame.h) and drawn at the flip. Main thread only,
// after the window is open.
#pragma once
#include <cstdint>
#include <vector>

struct DecodedImage;
namespace platform {
enum class TextureKind : uint8_t;
}

class KGraphic {
  public:
    KGraphic();
    ~KGraphic();
    KGraphic(const KGraphic&) = delete;
    KGraphic& operator=(const KGraphic&) = delete;

    // --- images and textures ---
    // Loads a ".tga" (case-sensitive, anywhere in the path) with the TGA
    // reader and anything else as JPEG. Failures show their message boxes
    // and return false, leaving the object as it was.
    bool LoadImage(const char* path, bool withAlpha, bool keepPixels, bool trueColour);
    // Releases the texture and kept pixels; safe to call repeatedly.
    void FreeImage();
    // Nearest or linear filtering for the bound textures and all later loads.
    static void SetTextureFilter(bool linear);

    // --- drawing --- (an object without an image draws nothing)
    // Normal blending weighs texels by their alpha; otherwise the screen's
    // alpha is the destination factor.
    void SetBlendMode(bool normal);
    // Opaque: transparent texels show their stored colour.
    void Blit(float sx1, float sy1, float sx2, float sy2, int16_t dx, int16_t dy, bool flipX,
              bool flipY);
    // Blended by texel alpha; leaves blending on.
    void BlitAlpha(float sx1, float sy1, float sx2, float sy2, int16_t dx, int16_t dy, bool flipX,
                   bool flipY);
    // Blended, turned by `angle` degrees (counter-clockwise on screen) and
    // scaled about the destination rectangle's centre, alpha multiplied.
    void BlitTransformed(float sx1, float sy1, float sx2, float sy2, int16_t dx, int16_t dy,
                         float angle, float scale, float alpha, bool flipX, bool flipY);
    // A filled rectangle between two screen corners; alpha below 1 adds the
    // colour weighted by alpha.
    static void FillRect(float x1, float y1, float x2, float y2, float red, float green, float blue,
                         float alpha);
    // Copies the frame the player last saw into this object's texture.
    bool GrabScreen();

    // --- screen state ---
    static void SetScreenSize(int16_t width, int16_t height, int16_t depth);
    static void SetClearColor(float red, float green, float blue, float alpha);
    // Offsets the scene by (x, y) GL units, then zooms and turns it about
    // the screen centre; clears the screen when asked.
    static void SetWorldView(float x, float y, float angle, float zoom, bool clear);
    // Zooms and turns the scene about the screen centre, then offsets it by
    // (x, y) GL units; clears nothing.
    static void SetShiftedWorldView(float x, float y, float angle, float zoom);
    static void ResetWorldView();

    // --- readers ---
    uint32_t GetTextureId() const { return textureId; }
    platform::TextureKind GetTextureKind() const { return textureKind; }
    float GetTextureWidth() const { return textureWidth; }
    float GetTextureHeight() const { return textureHeight; }
    // The texture-sized RGBA buffer when loading kept it; else empty.
    const std::vector<uint8_t>& GetKeptPixels() const { return keptPixels; }

    float imageWidth = 0;
    float imageHeight = 0;
    float originX = 0;
    float originY = 0;

    static int16_t screenWidth;
    static int16_t screenHeight;
    static int16_t screenDepth;

  private:
    bool UploadImage(const DecodedImage& image, bool withAlpha, bool keepPixels, bool trueColour,
                     const char* path);

    uint32_t textureId = 0;
    std::vector<uint8_t> keptPixels;
    bool normalBlend = true;
    float textureWidth = 0;
    float textureHeight = 0;
    platform::TextureKind textureKind{}; // a power-of-two texture
};
