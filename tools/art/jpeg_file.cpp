#include "image_files.h"

#include <turbojpeg.h>

namespace art {

std::vector<std::uint8_t> encodeJpeg(const Image& img, int quality) {
    tjhandle tj = tjInitCompress();
    unsigned char* buf = nullptr;
    unsigned long size = 0;
    std::vector<std::uint8_t> out;
    if (tjCompress2(tj, img.rgba.data(), img.width, 0, img.height, TJPF_RGBA, &buf, &size,
                    TJSAMP_444, quality, TJFLAG_ACCURATEDCT) == 0)
        out.assign(buf, buf + size);
    tjFree(buf);
    tjDestroy(tj);
    return out;
}

std::optional<Image> decodeJpeg(const std::vector<std::uint8_t>& bytes) {
    tjhandle tj = tjInitDecompress();
    int w = 0, h = 0, sub = 0, space = 0;
    auto* data = const_cast<unsigned char*>(bytes.data());
    std::optional<Image> out;
    if (tjDecompressHeader3(tj, data, bytes.size(), &w, &h, &sub, &space) == 0) {
        Image img{w, h, std::vector<std::uint8_t>(static_cast<std::size_t>(w) * h * 4)};
        if (tjDecompress2(tj, data, bytes.size(), img.rgba.data(), w, 0, h, TJPF_RGBA,
                          TJFLAG_ACCURATEDCT) == 0)
            out = std::move(img);
    }
    tjDestroy(tj);
    return out;
}

} // namespace art
