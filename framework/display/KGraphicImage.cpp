// KGraphic's life cycle, image loading and texture upload.
#include "framework/display/KDisplayWindow.h"
#include "framework/display/KGraphic.h"
#include "framework/display/KSystemTools.h"
#include "framework/display/image_file_reader.h"
#include "framework/display/recorded_frame.h"
#include "framework/display/texture_layout.h"
#include "framework/platform/platform_system.h"

#include <new>

namespace {

bool linearFiltering = false;

platform::TexelFormat InternalFormat(bool withAlpha, bool trueColour) {
    using platform::TexelFormat;
    if (withAlpha) return trueColour ? TexelFormat::Rgba8 : TexelFormat::Rgba;
    return trueColour ? TexelFormat::Rgb8 : TexelFormat::Rgb;
}

} // namespace

KGraphic::KGraphic() {
    if (screenWidth == 0) {
        KSystemTools::ShowMessage("KGraphic::SetScreenSize Not Called!",
                                  "Screen Dimensions not specified, you will not see anything");
    }
    SetBlendMode(true);
    textureKind = platform::TextureKind::PowerOfTwo;
}

KGraphic::~KGraphic() {
    FreeImage();
}

void KGraphic::FreeImage() {
    keptPixels.clear();
    keptPixels.shrink_to_fit();
    if (imageWidth > 0) {
        recorded_frame::ForgetTexture(textureId);
        platform::DeleteTexture(textureId, recorded_frame::Frame());
        textureId = 0;
        imageWidth = 0;
        imageHeight = 0;
    }
}

void KGraphic::SetTextureFilter(bool linear) {
    linearFiltering = linear;
    using platform::TextureKind;
    platform::SetTextureFilter(recorded_frame::LastTexture(TextureKind::PowerOfTwo),
                               TextureKind::PowerOfTwo, linear);
    if (KDisplayWindow::HasTextureRectangle())
        platform::SetTextureFilter(recorded_frame::LastTexture(TextureKind::Rectangle),
                                   TextureKind::Rectangle, linear);
}

bool KGraphic::LoadImage(const char* path, bool withAlpha, bool keepPixels, bool trueColour) {
    bool loaded = false;
    {
        DecodedImage image;
        if (ReadImageFile(path, image))
            loaded = UploadImage(image, withAlpha, keepPixels, trueColour, path ? path : "");
    }
    // The file, the decoded picture and its padded copy are gone now; their
    // pages go back rather than stay as the game's private memory.
    platform::ReturnFreeMemory();
    return loaded;
}

bool KGraphic::UploadImage(const DecodedImage& image, bool withAlpha, bool keepPixels,
                           bool trueColour, const char* path) {
    TextureLayout layout =
        ImageTextureLayout(image.width, image.height, KDisplayWindow::HasTextureRectangle());
    const int maxSide = platform::MaxTextureSide();
    std::vector<uint8_t> texels;
    if (layout.width <= maxSide && layout.height <= maxSide) {
        try {
            texels = PadIntoTexture(image, layout);
        } catch (const std::bad_alloc&) {
        }
    }
    if (texels.empty()) {
        KSystemTools::ShowMessage(path, "file not found or out of memory");
        return false;
    }

    // Loading over an image replaces it instead of leaking its texture.
    FreeImage();
    imageWidth = static_cast<float>(image.width);
    imageHeight = static_cast<float>(image.height);
    originX = static_cast<float>(image.originX);
    originY = static_cast<float>(image.originY);
    textureKind = layout.kind;
    textureWidth = static_cast<float>(layout.width);
    textureHeight = static_cast<float>(layout.height);

    platform::TextureRequest request;
    request.kind = textureKind;
    request.width = layout.width;
    request.height = layout.height;
    request.format = InternalFormat(withAlpha, trueColour);
    request.linear = linearFiltering;
    request.repeat = true; // where the texture kind allows it
    request.rgba = texels.data();
    textureId = platform::CreateTexture(request);
    recorded_frame::NoteTexture(request.kind, textureId);
    if (keepPixels) keptPixels = std::move(texels);
    return true;
}
