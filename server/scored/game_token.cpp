#include "game_token.h"

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/hmac.h>
#include <sys/random.h>

#include <cstdio>

namespace {

// The signature keeps half of HMAC-SHA256: 128 bits cannot be guessed.
constexpr size_t kSignatureBytes = 16;
constexpr size_t kTokenLength = 16 + 16 + 2 * kSignatureBytes;

std::string Hex(const unsigned char* bytes, size_t count) {
    static const char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (size_t i = 0; i < count; ++i) {
        hex += kDigits[bytes[i] >> 4];
        hex += kDigits[bytes[i] & 15];
    }
    return hex;
}

std::string Hex64(uint64_t value) {
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
    return text;
}

std::optional<uint64_t> ParseHex64(const std::string& text) {
    uint64_t value = 0;
    for (char c : text) {
        int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
        if (digit < 0) return std::nullopt;
        value = value << 4 | static_cast<uint64_t>(digit);
    }
    return value;
}

void RandomBytes(unsigned char* bytes, size_t count) {
    // getrandom blocks only until the kernel's pool is first seeded.
    for (size_t got = 0; got < count;) {
        ssize_t n = getrandom(bytes + got, count - got, 0);
        if (n > 0) got += static_cast<size_t>(n);
    }
}

} // namespace

std::string TokenSigner::Signature(const IssuedGame& ticket) const {
    const std::string message = Hex64(static_cast<uint64_t>(ticket.issued)) + Hex64(ticket.seed);
    unsigned char mac[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    HMAC(EVP_sha256(), key.data(), static_cast<int>(key.size()),
         reinterpret_cast<const unsigned char*>(message.data()), message.size(), mac, &length);
    return Hex(mac, kSignatureBytes);
}

std::string TokenSigner::Issue(const IssuedGame& ticket) const {
    return Hex64(static_cast<uint64_t>(ticket.issued)) + Hex64(ticket.seed) + Signature(ticket);
}

std::optional<IssuedGame> TokenSigner::Read(const std::string& token) const {
    if (token.size() != kTokenLength) return std::nullopt;
    std::optional<uint64_t> issued = ParseHex64(token.substr(0, 16));
    std::optional<uint64_t> seed = ParseHex64(token.substr(16, 16));
    if (!issued || !seed) return std::nullopt;
    IssuedGame ticket{*seed, static_cast<int64_t>(*issued)};
    const std::string expected = Signature(ticket);
    const std::string given = token.substr(32);
    // Compared in constant time: timing must not reveal a signature's prefix.
    if (CRYPTO_memcmp(expected.data(), given.data(), expected.size()) != 0) return std::nullopt;
    return ticket;
}

std::string NewTokenKey() {
    unsigned char key[32];
    RandomBytes(key, sizeof key);
    return Hex(key, sizeof key);
}

uint64_t NewGameSeed() {
    unsigned char bytes[8];
    RandomBytes(bytes, sizeof bytes);
    uint64_t seed = 0;
    for (unsigned char b : bytes)
        seed = seed << 8 | b;
    return seed;
}
