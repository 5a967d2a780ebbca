// Any text as a URL: the canonical form never holds a byte that may not
// travel raw, always fits, and the loopback test never reads past the end.
#include "framework/net/url_text.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string url(reinterpret_cast<const char*>(data), size);
    char out[520];
    if (CanonicalizeUrl(url.c_str(), out, sizeof out)) {
        size_t length = std::strlen(out);
        if (length >= sizeof out) std::abort();
        for (size_t i = 0; i < length; ++i) {
            auto c = static_cast<unsigned char>(out[i]);
            if (c <= 0x20 || c >= 0x7F || std::strchr("\"<>\\^`{|}", c)) std::abort();
        }
    }
    UrlHostIsLoopback(url.c_str());
    return 0;
}
