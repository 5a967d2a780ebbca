#include "framework/display/image_file_reader.h"

#include "framework/display/KSystemTools.h"
#include "framework/display/file_bytes.h"
#include "framework/display/tga_image.h"
#include "framework/platform/platform_jpeg.h"

#include <cstring>
#include <string>

namespace {

// Room for the largest picture allowed, with its header and any trailer.
constexpr size_t kMaxFileBytes =
    static_cast<size_t>(kMaxImageSide) * kMaxImageSide * 4 + (1u << 20);

enum class ReadOutcome { Ok, ReaderFailed, Unsupported };

ReadOutcome ReadTga(const char* path, DecodedImage& out) {
    std::vector<uint8_t> bytes;
    switch (ReadWholeFile(path, kMaxFileBytes, bytes)) {
    case FileReadResult::Ok:
        break;
    case FileReadResult::OpenFailed:
        KSystemTools::ShowMessage("Could not open file", path);
        return ReadOutcome::ReaderFailed;
    case FileReadResult::Empty:
        KSystemTools::ShowMessage("file is 0 byte", path);
        return ReadOutcome::ReaderFailed;
    case FileReadResult::TooLarge:
        KSystemTools::ShowMessage("Out of memory", path);
        return ReadOutcome::ReaderFailed;
    case FileReadResult::ShortRead:
        KSystemTools::ShowMessage("Out of data to read", path);
        return ReadOutcome::ReaderFailed;
    }
    switch (DecodeTga(bytes.data(), bytes.size(), out)) {
    case TgaError::None:
        return ReadOutcome::Ok;
    case TgaError::OutOfData:
        KSystemTools::ShowMessage("Out of data to read", path);
        return ReadOutcome::ReaderFailed;
    case TgaError::TooLarge:
        KSystemTools::ShowMessage("Out of memory", path);
        return ReadOutcome::ReaderFailed;
    case TgaError::UnsupportedFormat:
        break;
    }
    return ReadOutcome::Unsupported;
}

ReadOutcome ReadPicture(const char* path, DecodedImage& out) {
    std::vector<uint8_t> bytes;
    const char* failure = nullptr;
    switch (ReadWholeFile(path, kMaxFileBytes, bytes)) {
    case FileReadResult::Ok:
        break;
    case FileReadResult::OpenFailed:
        failure = "file not found";
        break;
    case FileReadResult::Empty:
        failure = "file is corrupt";
        break;
    case FileReadResult::TooLarge:
        failure = "out of memory";
        break;
    case FileReadResult::ShortRead:
        failure = "File is corrupted";
        break;
    }
    if (!failure) {
        int width = 0, height = 0;
        std::vector<uint8_t> rgb;
        switch (
            platform::DecodeJpeg(bytes.data(), bytes.size(), kMaxImageSide, &width, &height, rgb)) {
        case platform::JpegError::None:
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
            return ReadOutcome::Ok;
        case platform::JpegError::Corrupt:
            failure = "File is corrupted";
            break;
        case platform::JpegError::TooLarge:
            failure = "out of memory";
            break;
        }
    }
    KSystemTools::ShowMessage(failure, path);
    return ReadOutcome::ReaderFailed;
}

} // namespace

bool ReadImageFile(const char* path, DecodedImage& out) {
    out = DecodedImage{};
    const char* name = path ? path : "";
    bool tga = std::strstr(name, ".tga") != nullptr;
    ReadOutcome outcome = tga ? ReadTga(name, out) : ReadPicture(name, out);
    if (outcome == ReadOutcome::ReaderFailed) {
        KSystemTools::ShowMessage(name, "file not found or out of memory");
    } else if (outcome == ReadOutcome::Unsupported) {
        KSystemTools::ShowMessage("Non supported Format", name);
    }
    if (outcome != ReadOutcome::Ok) out = DecodedImage{};
    return outcome == ReadOutcome::Ok;
}
