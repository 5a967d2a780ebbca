#include "framework/display/image_file_reader.h"

#include "framework/display/KSystemTools.h"
#include "framework/display/file_bytes.h"
#include "framework/display/tga_image.h"
#include "framework/platform/platform_jpeg.h"

namespace {

// Room for the largest picture allowed, with its header and any trailer.
constexpr size_t kMaxFileBytes =
    static_cast<size_t>(kMaxImageSide) * kMaxImageSide * 4 + (1u << 20);

// The reason a file could not be read, or null once its bytes are in.
// Each reader keeps the wording it always had where that was true.
const char* ReadBytes(const char* path, bool tga, std::vector<uint8_t>& bytes) {
    switch (ReadWholeFile(path, kMaxFileBytes, bytes)) {
    case FileReadResult::Ok:
        return nullptr;
    case FileReadResult::OpenFailed:
        return tga ? "Could not open file" : "file not found";
    case FileReadResult::Empty:
        return tga ? "file is 0 byte" : "file is corrupt";
    case FileReadResult::TooLarge:
        return "File too large";
    case FileReadResult::OutOfMemory:
        return tga ? "Out of memory" : "out of memory";
    case FileReadResult::ShortRead:
        return tga ? "Out of data to read" : "File is corrupted";
    }
    return "File is corrupted";
}

const char* ReadTga(const char* path, DecodedImage& out) {
    std::vector<uint8_t> bytes;
    if (const char* failure = ReadBytes(path, true, bytes)) return failure;
    switch (DecodeTga(bytes.data(), bytes.size(), out)) {
    case TgaError::None:
        return nullptr;
    case TgaError::OutOfData:
        return "Out of data to read";
    case TgaError::UnsupportedFormat:
        return "Non supported Format";
    case TgaError::TooLarge:
        return "Picture too large";
    }
    return "Non supported Format";
}

const char* ReadPicture(const char* path, DecodedImage& out) {
    std::vector<uint8_t> bytes;
    if (const char* failure = ReadBytes(path, false, bytes)) return failure;
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;
    switch (platform::DecodeJpeg(bytes.data(), bytes.size(), kMaxImageSide, &width, &height, rgb)) {
    case platform::JpegError::None:
        break;
    case platform::JpegError::Corrupt:
        return "File is corrupted";
    case platform::JpegError::TooLarge:
        return "Picture too large";
    }
    out.width = width;
    out.height = height;
    out.bitsPerPixel = 24;
    out.rgba.resize(rgb.size() / 3 * 4);
    for (size_t i = 0, o = 0; i < rgb.size(); i += 3, o += 4) {
        out.rgba[o] = rgb[i];
        out.rgba[o + 1] = rgb[i + 1];
        out.rgba[o + 2] = rgb[i + 2];
        out.rgba[o + 3] = 255;
    }
    return nullptr;
}

} // namespace

bool ReadImageFile(const char* path, DecodedImage& out) {
    out = DecodedImage{};
    const char* name = path ? path : "";
    const char* failure = PathEndsWith(name, ".tga") ? ReadTga(name, out) : ReadPicture(name, out);
    if (!failure) return true;
    KSystemTools::ShowMessage(failure, name);
    out = DecodedImage{};
    return false;
}
