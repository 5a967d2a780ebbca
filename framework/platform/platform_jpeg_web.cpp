// JPEG decoding in the browser: the page decodes with its own JPEG decoder
// (createImageBitmap, no colour management, so the file's RGB comes back as
// it is) and hands the pixels over. The game waits for the decode as it
// waits for a frame.
#include "framework/platform/platform_jpeg.h"

#include <emscripten.h>

namespace platform {
namespace {

// clang-format off
// 1 when the bytes decoded; the picture then waits in Module.orboloPicture.
EM_ASYNC_JS(int, DecodeInPage, (const uint8_t* data, size_t size), {
    try {
        const blob = new Blob([HEAPU8.slice(data, data + size)], {type: "image/jpeg"});
        const bitmap = await createImageBitmap(
            blob, {colorSpaceConversion: "none", premultiplyAlpha: "none"});
        const canvas = new OffscreenCanvas(bitmap.width, bitmap.height);
        const context = canvas.getContext("2d", {willReadFrequently: true});
        context.drawImage(bitmap, 0, 0);
        Module.orboloPicture = context.getImageData(0, 0, bitmap.width, bitmap.height);
        bitmap.close();
        return 1;
    } catch (e) {
        Module.orboloPicture = null;
        return 0;
    }
});

EM_JS(int, PictureWidth, (), { return Module.orboloPicture.width; });
EM_JS(int, PictureHeight, (), { return Module.orboloPicture.height; });

// Copies the waiting picture as RGB rows from the top, then lets it go.
EM_JS(void, TakePictureRgb, (uint8_t* rgb), {
    const rgba = Module.orboloPicture.data;
    for (let i = 0, o = rgb; i < rgba.length; i += 4, o += 3) {
        HEAPU8[o] = rgba[i];
        HEAPU8[o + 1] = rgba[i + 1];
        HEAPU8[o + 2] = rgba[i + 2];
    }
    Module.orboloPicture = null;
});

EM_JS(void, DropPicture, (), { Module.orboloPicture = null; });
// clang-format on

} // namespace

JpegError DecodeJpeg(const uint8_t* data, size_t size, int maxSide, int* width, int* height,
                     std::vector<uint8_t>& rgb) {
    *width = 0;
    *height = 0;
    rgb.clear();
    if (!data || size == 0 || !DecodeInPage(data, size)) return JpegError::Corrupt;
    const int w = PictureWidth(), h = PictureHeight();
    if (w <= 0 || h <= 0 || w > maxSide || h > maxSide) {
        DropPicture(); // nothing of it reaches the game's heap
        return w <= 0 || h <= 0 ? JpegError::Corrupt : JpegError::TooLarge;
    }
    rgb.resize(static_cast<size_t>(w) * static_cast<size_t>(h) * 3);
    TakePictureRgb(rgb.data());
    *width = w;
    *height = h;
    return JpegError::None;
}

} // namespace platform
