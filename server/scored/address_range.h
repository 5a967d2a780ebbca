// Client addresses and ranges of them (CIDR) for bans, the trusted proxy
// and the per-source limits. IPv4 addresses seen through an IPv6 socket
// (::ffff:a.b.c.d) count as the IPv4 address.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>

struct sockaddr;

struct Address {
    std::array<uint8_t, 16> bytes{}; // IPv4 in the first four
    bool v6 = false;
};

struct AddressRange {
    Address base; // bits past the prefix are zero
    int prefix = 0;
    bool Contains(const Address& address) const;
};

std::optional<Address> ParseAddress(const std::string& text);
std::optional<Address> AddressOf(const sockaddr* socketAddress);
// "ADDRESS" (a range of one) or "ADDRESS/BITS".
std::optional<AddressRange> ParseRange(const std::string& text);
std::string AddressText(const Address& address);
std::string RangeText(const AddressRange& range); // canonical: "10.0.0.0/8", "2001:db8::/32"
// The unit the per-source limits count: an IPv4 address, or an IPv6
// address's /64, which one subscriber usually holds whole.
std::string SourceKey(const Address& address);
