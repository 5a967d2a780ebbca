#include "framework/platform/platform_jpeg.h"

#include <turbojpeg.h>

#include <limits>
#include <new>

namespace platform {

JpegError DecodeJpeg(const uint8_t* data, size_t size, int maxSide, int* width, int* height,
                     std::vector<uint8_t>& rgb) {
    *width = 0;
    *height = 0;
    rgb.clear();
    if (!data || size == 0 || size > std::numeric_limits<unsigned long>::max())
        return JpegError::Corrupt;
    tjhandle handle = tjInitDecompress();
    if (!handle) return JpegError::Corrupt;
    JpegError result = JpegError::Corrupt;
    int w = 0, h = 0, subsampling = 0, colourspace = 0;
    if (tjDecompressHeader3(handle, data, static_cast<unsigned long>(size), &w, &h, &subsampling,
                            &colourspace) == 0 &&
        w > 0 && h > 0) {
        if (w > maxSide || h > maxSide) {
            result = JpegError::TooLarge;
        } else {
            try {
                rgb.resize(static_cast<size_t>(w) * static_cast<size_t>(h) * 3);
                // Warnings (a truncated scan, say) still give a picture: only a
                // fatal error refuses the file. Progressive files with absurd
                // scan counts are cut short instead of decoding for minutes.
                int rc = tjDecompress2(handle, data, static_cast<unsigned long>(size), rgb.data(),
                                       w, 0, h, TJPF_RGB, TJFLAG_LIMITSCANS);
                if (rc == 0 || tjGetErrorCode(handle) == TJERR_WARNING) {
                    result = JpegError::None;
                    *width = w;
                    *height = h;
                }
            } catch (const std::bad_alloc&) {
                result = JpegError::TooLarge;
            }
        }
    }
    if (result != JpegError::None) rgb.clear();
    tjDestroy(handle);
    return result;
}

} // namespace platform
