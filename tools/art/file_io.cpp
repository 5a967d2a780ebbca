#include "image_files.h"

#include "framework/display/file_bytes.h"

#include <cstdio>

namespace art {

bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

std::optional<std::vector<std::uint8_t>> readFile(const std::string& path) {
    constexpr std::size_t kMaxBytes = 64u << 20; // far above any sheet
    std::vector<std::uint8_t> bytes;
    if (ReadWholeFile(path.c_str(), kMaxBytes, bytes) != FileReadResult::Ok) return std::nullopt;
    return bytes;
}

} // namespace art
