#include "address_range.h"

#include <arpa/inet.h>
#include <netinet/in.h>

#include <charconv>
#include <cstring>

namespace {

constexpr uint8_t kMappedPrefix[12] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xff, 0xff};

Address FromV6(const uint8_t* bytes) {
    Address address;
    if (std::memcmp(bytes, kMappedPrefix, 12) == 0) {
        std::memcpy(address.bytes.data(), bytes + 12, 4);
        return address;
    }
    std::memcpy(address.bytes.data(), bytes, 16);
    address.v6 = true;
    return address;
}

int Bits(const Address& address) {
    return address.v6 ? 128 : 32;
}

// Keeps the first `prefix` bits.
Address Masked(Address address, int prefix) {
    for (int i = 0; i < 16; ++i) {
        int keep = std::min(8, std::max(0, prefix - i * 8));
        address.bytes[i] &= static_cast<uint8_t>(0xff00 >> keep);
    }
    return address;
}

} // namespace

bool AddressRange::Contains(const Address& address) const {
    return address.v6 == base.v6 && Masked(address, prefix).bytes == base.bytes;
}

std::optional<Address> ParseAddress(const std::string& text) {
    uint8_t bytes[16];
    if (inet_pton(AF_INET, text.c_str(), bytes) == 1) {
        Address address;
        std::memcpy(address.bytes.data(), bytes, 4);
        return address;
    }
    if (inet_pton(AF_INET6, text.c_str(), bytes) == 1) return FromV6(bytes);
    return std::nullopt;
}

std::optional<Address> AddressOf(const sockaddr* socketAddress) {
    if (!socketAddress) return std::nullopt;
    if (socketAddress->sa_family == AF_INET) {
        Address address;
        std::memcpy(address.bytes.data(),
                    &reinterpret_cast<const sockaddr_in*>(socketAddress)->sin_addr, 4);
        return address;
    }
    if (socketAddress->sa_family == AF_INET6) {
        return FromV6(reinterpret_cast<const sockaddr_in6*>(socketAddress)->sin6_addr.s6_addr);
    }
    return std::nullopt;
}

std::optional<AddressRange> ParseRange(const std::string& text) {
    size_t slash = text.find('/');
    std::optional<Address> address = ParseAddress(text.substr(0, slash));
    if (!address) return std::nullopt;
    int prefix = Bits(*address);
    if (slash != std::string::npos) {
        const char* first = text.data() + slash + 1;
        const char* last = text.data() + text.size();
        auto [end, ec] = std::from_chars(first, last, prefix);
        if (first == last || ec != std::errc() || end != last || prefix < 0 ||
            prefix > Bits(*address)) {
            return std::nullopt;
        }
    }
    return AddressRange{Masked(*address, prefix), prefix};
}

std::string AddressText(const Address& address) {
    char text[INET6_ADDRSTRLEN] = {};
    inet_ntop(address.v6 ? AF_INET6 : AF_INET, address.bytes.data(), text, sizeof text);
    return text;
}

std::string RangeText(const AddressRange& range) {
    return AddressText(range.base) + "/" + std::to_string(range.prefix);
}

std::string SourceKey(const Address& address) {
    return address.v6 ? AddressText(Masked(address, 64)) + "/64" : AddressText(address);
}
