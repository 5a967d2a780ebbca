#include "framework/net/url_text.h"

#include <cctype>
#include <cstring>
#include <string>
#include <string_view>

namespace {

bool MustEncode(unsigned char c) {
    return c <= 0x20 || c >= 0x7F || std::strchr("\"<>\\^`{|}", c) != nullptr;
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

// The host part: after "scheme://" and any "user@", up to the port or path.
std::string HostOf(std::string_view url) {
    size_t start = url.find("://");
    start = (start == std::string_view::npos) ? 0 : start + 3;
    size_t end = url.find_first_of("/?#", start);
    std::string_view authority =
        url.substr(start, end == std::string_view::npos ? url.npos : end - start);
    size_t at = authority.rfind('@');
    if (at != std::string_view::npos) authority.remove_prefix(at + 1);
    if (!authority.empty() && authority.front() == '[') {
        size_t close = authority.find(']');
        return Lower(
            authority.substr(0, close == std::string_view::npos ? authority.npos : close + 1));
    }
    return Lower(authority.substr(0, authority.find(':')));
}

bool IsLoopbackV4(const std::string& host) {
    if (host.rfind("127.", 0) != 0) return false;
    int dots = 0;
    for (char c : host) {
        if (c == '.')
            ++dots;
        else if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
    }
    return dots == 3 && host.back() != '.';
}

} // namespace

bool CanonicalizeUrl(const char* url, char* out, size_t capacity) {
    if (!url || !out || capacity == 0) return false;
    static const char kHex[] = "0123456789ABCDEF";
    std::string result;
    for (const char* p = url; *p; ++p) {
        auto c = static_cast<unsigned char>(*p);
        if (MustEncode(c)) {
            result += '%';
            result += kHex[c >> 4];
            result += kHex[c & 15];
        } else {
            result += static_cast<char>(c);
        }
    }
    if (result.size() >= capacity) {
        out[0] = '\0';
        return false;
    }
    std::memcpy(out, result.c_str(), result.size() + 1);
    return true;
}

bool UrlHostIsLoopback(const char* url) {
    if (!url) return false;
    std::string host = HostOf(url);
    return host == "localhost" || host == "[::1]" || IsLoopbackV4(host);
}
