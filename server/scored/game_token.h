// The token a game gets from the server when it starts: when it was issued
// and the seed the server chose, signed with a key all servers on one
// database share, so any of them accepts any other's token without a
// database read. The token travels in the game's recording; a recording
// whose seed, age or signature does not match its token proves nothing.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

struct IssuedGame {
    uint64_t seed = 0;
    int64_t issued = 0; // seconds since 1970, UTC
};

class TokenSigner {
  public:
    // `key`: the shared secret (any length, at least 32 bytes of entropy).
    explicit TokenSigner(std::string key) : key(std::move(key)) {}

    // 64 characters of lowercase hex: issued, seed, then the signature.
    std::string Issue(const IssuedGame& ticket) const;
    // The ticket a token carries; nullopt when it is malformed or its
    // signature does not hold.
    std::optional<IssuedGame> Read(const std::string& token) const;

  private:
    std::string Signature(const IssuedGame& ticket) const;
    std::string key;
};

// A fresh random key for a database that has none yet, as hex.
std::string NewTokenKey();
// A seed nobody can predict.
uint64_t NewGameSeed();
