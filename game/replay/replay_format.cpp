#include "game/replay/replay_format.h"

#include <zlib.h>

#include <cstring>

namespace replay {

namespace {

constexpr uint8_t kMagic[4] = {'O', 'R', 'B', 'R'};
constexpr size_t kPreamble = 5; // magic and format version, uncompressed

// --- writing ---

void PutU8(std::vector<uint8_t>& out, uint8_t v) {
    out.push_back(v);
}

// LEB128: seven bits a byte, lowest first, the high bit set on all but the last.
void PutUvarint(std::vector<uint8_t>& out, uint32_t v) {
    while (v >= 0x80) {
        out.push_back(static_cast<uint8_t>(v | 0x80));
        v >>= 7;
    }
    out.push_back(static_cast<uint8_t>(v));
}

void PutSvarint(std::vector<uint8_t>& out, int32_t v) {
    const uint32_t u = static_cast<uint32_t>(v);
    PutUvarint(out, (u << 1) ^ (v < 0 ? 0xFFFFFFFFu : 0u)); // zigzag: 0,-1,1,-2 -> 0,1,2,3
}

void PutU64(std::vector<uint8_t>& out, uint64_t v) {
    for (int i = 0; i < 8; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// --- reading ---

struct Cursor {
    const uint8_t* p;
    const uint8_t* end;
    ReadError error = ReadError::None;

    bool Fail(ReadError e) {
        if (error == ReadError::None) error = e;
        return false;
    }
    bool U8(uint8_t& v) {
        if (p == end) return Fail(ReadError::Truncated);
        v = *p++;
        return true;
    }
    bool Uvarint(uint32_t& v) {
        v = 0;
        for (int shift = 0; shift < 35; shift += 7) {
            uint8_t byte = 0;
            if (!U8(byte)) return false;
            // The fifth byte carries the top four bits; more is no 32-bit value.
            if (shift == 28 && byte > 0x0F) return Fail(ReadError::BadField);
            v |= static_cast<uint32_t>(byte & 0x7F) << shift;
            if (!(byte & 0x80)) {
                // One value, one spelling: no trailing zero groups.
                if (byte == 0 && shift > 0) return Fail(ReadError::BadField);
                return true;
            }
        }
        return Fail(ReadError::BadField);
    }
    bool Svarint(int32_t& v) {
        uint32_t u = 0;
        if (!Uvarint(u)) return false;
        v = static_cast<int32_t>((u >> 1) ^ (0u - (u & 1)));
        return true;
    }
    bool U64(uint64_t& v) {
        if (end - p < 8) return Fail(ReadError::Truncated);
        v = 0;
        for (int i = 0; i < 8; ++i)
            v |= static_cast<uint64_t>(*p++) << (8 * i);
        return true;
    }
    bool Ranged(uint8_t& v, uint8_t low, uint8_t high) {
        if (!U8(v)) return false;
        return (v >= low && v <= high) || Fail(ReadError::BadField);
    }
};

bool TokenByte(uint8_t c) {
    return c >= 0x21 && c <= 0x7E; // printable ASCII without the space
}

bool HeaderValid(const ReplayHeader& h) {
    if (h.gameMode < 1 || h.gameMode > 3 || h.difficulty < 1 || h.difficulty > 3) return false;
    if (h.startSpeed < 1 || h.startSpeed > 5 || h.startLevel < 1 || h.startLevel > 10) return false;
    if (h.gameMode != 3 && h.startLevel != 1) return false;
    if (h.token.size() > kMaxTokenBytes) return false;
    for (char c : h.token)
        if (!TokenByte(static_cast<uint8_t>(c))) return false;
    if (h.outcome != Outcome::Result && h.claimedResult != 0) return false;
    return static_cast<uint8_t>(h.outcome) <= 2;
}

bool ReadHeader(Cursor& in, ReplayHeader& h) {
    uint8_t outcome = 0, tokenLength = 0;
    if (!in.Uvarint(h.rulesVersion) || !in.Ranged(h.gameMode, 1, 3) ||
        !in.Ranged(h.difficulty, 1, 3) || !in.Ranged(h.startSpeed, 1, 5) ||
        !in.Ranged(h.startLevel, 1, 10) || !in.U64(h.seed) ||
        !in.Ranged(tokenLength, 0, kMaxTokenBytes))
        return false;
    if (in.end - in.p < tokenLength) return in.Fail(ReadError::Truncated);
    h.token.assign(reinterpret_cast<const char*>(in.p), tokenLength);
    in.p += tokenLength;
    if (!in.Ranged(outcome, 0, 2) || !in.Svarint(h.claimedResult) || !in.Uvarint(h.firstTickAge) ||
        !in.Uvarint(h.fallTimerAge))
        return false;
    h.outcome = static_cast<Outcome>(outcome);
    return HeaderValid(h) || in.Fail(ReadError::BadField);
}

bool ReadFrames(Cursor& in, Replay& out) {
    uint32_t frames = 0;
    if (!in.Uvarint(frames)) return false;
    if (frames == 0) return in.Fail(ReadError::BadField);
    if (frames > kMaxFrames) return in.Fail(ReadError::OverBounds);
    // Every gap takes a byte at least: a count the body cannot hold is
    // refused before anything is reserved for it.
    if (static_cast<size_t>(in.end - in.p) < frames - 1) return in.Fail(ReadError::Truncated);
    out.frameGaps.resize(frames - 1);
    uint64_t length = 0;
    for (uint32_t& gap : out.frameGaps) {
        if (!in.Uvarint(gap)) return false;
        length += gap;
        if (length > kMaxGameMilliseconds) return in.Fail(ReadError::OverBounds);
    }
    return true;
}

bool ReadActions(Cursor& in, Replay& out) {
    uint32_t count = 0;
    if (!in.Uvarint(count)) return false;
    if (count > kMaxActions) return in.Fail(ReadError::OverBounds);
    if (static_cast<size_t>(in.end - in.p) / 2 < count) return in.Fail(ReadError::Truncated);
    out.actions.resize(count);
    uint64_t frame = 0;
    for (ReplayAction& action : out.actions) {
        uint32_t advance = 0;
        if (!in.Uvarint(advance) || !in.U8(action.code)) return false;
        frame += advance;
        if (frame >= out.FrameCount() || !ValidActionCode(action.code))
            return in.Fail(ReadError::BadField);
        action.frame = static_cast<uint32_t>(frame);
    }
    return true;
}

// Inflates into `body`, refusing more than kMaxBodyBytes and any byte after
// the stream's end.
ReadError Inflate(const uint8_t* data, size_t size, std::vector<uint8_t>& body) {
    z_stream z{};
    if (inflateInit(&z) != Z_OK) return ReadError::Corrupt;
    z.next_in = const_cast<Bytef*>(data);
    z.avail_in = static_cast<uInt>(size);
    uint8_t chunk[16384];
    int status = Z_OK;
    while (status == Z_OK) {
        z.next_out = chunk;
        z.avail_out = sizeof chunk;
        status = inflate(&z, Z_NO_FLUSH);
        const size_t produced = sizeof chunk - z.avail_out;
        if (body.size() + produced > kMaxBodyBytes) {
            inflateEnd(&z);
            return ReadError::TooLarge;
        }
        body.insert(body.end(), chunk, chunk + produced);
    }
    const bool complete = status == Z_STREAM_END && z.avail_in == 0;
    inflateEnd(&z);
    return complete ? ReadError::None : ReadError::Corrupt;
}

} // namespace

bool ValidActionCode(uint8_t code) {
    return code <= kTurnClockwise || (code > kSpeedBase && code <= kSpeedBase + 5);
}

const char* ReadErrorText(ReadError error) {
    switch (error) {
    case ReadError::None:
        return "ok";
    case ReadError::TooLarge:
        return "too large";
    case ReadError::NotAReplay:
        return "not a replay";
    case ReadError::NewerFormat:
        return "unknown format version";
    case ReadError::Corrupt:
        return "damaged";
    case ReadError::Truncated:
        return "cut short";
    case ReadError::BadField:
        return "a value out of range";
    case ReadError::OverBounds:
        return "too long a game";
    case ReadError::TrailingBytes:
        return "bytes after the end";
    }
    return "?";
}

ReadError ReadReplay(const uint8_t* data, size_t size, Replay& out) {
    out = Replay{};
    if (size > kMaxFileBytes) return ReadError::TooLarge;
    if (size < kPreamble || std::memcmp(data, kMagic, 4) != 0) return ReadError::NotAReplay;
    if (data[4] != kFormatVersion) return ReadError::NewerFormat;
    std::vector<uint8_t> body;
    if (ReadError e = Inflate(data + kPreamble, size - kPreamble, body); e != ReadError::None)
        return e;
    Cursor in{body.data(), body.data() + body.size()};
    if (!ReadHeader(in, out.header) || !ReadFrames(in, out) || !ReadActions(in, out)) {
        ReadError e = in.error;
        out = Replay{};
        return e;
    }
    if (in.p != in.end) {
        out = Replay{};
        return ReadError::TrailingBytes;
    }
    return ReadError::None;
}

std::vector<uint8_t> WriteReplay(const Replay& replay) {
    const ReplayHeader& h = replay.header;
    if (!HeaderValid(h) || replay.FrameCount() > kMaxFrames || replay.actions.size() > kMaxActions)
        return {};
    std::vector<uint8_t> body;
    body.reserve(64 + replay.frameGaps.size() + 2 * replay.actions.size());
    PutUvarint(body, h.rulesVersion);
    PutU8(body, h.gameMode);
    PutU8(body, h.difficulty);
    PutU8(body, h.startSpeed);
    PutU8(body, h.startLevel);
    PutU64(body, h.seed);
    PutU8(body, static_cast<uint8_t>(h.token.size()));
    body.insert(body.end(), h.token.begin(), h.token.end());
    PutU8(body, static_cast<uint8_t>(h.outcome));
    PutSvarint(body, h.claimedResult);
    PutUvarint(body, h.firstTickAge);
    PutUvarint(body, h.fallTimerAge);

    PutUvarint(body, replay.FrameCount());
    uint64_t length = 0;
    for (uint32_t gap : replay.frameGaps) {
        length += gap;
        PutUvarint(body, gap);
    }
    if (length > kMaxGameMilliseconds) return {};
    PutUvarint(body, static_cast<uint32_t>(replay.actions.size()));
    uint32_t frame = 0;
    for (const ReplayAction& action : replay.actions) {
        if (action.frame < frame || action.frame >= replay.FrameCount() ||
            !ValidActionCode(action.code))
            return {};
        PutUvarint(body, action.frame - frame);
        PutU8(body, action.code);
        frame = action.frame;
    }

    std::vector<uint8_t> out(kMagic, kMagic + 4);
    out.push_back(kFormatVersion);
    uLongf packed = compressBound(static_cast<uLong>(body.size()));
    out.resize(kPreamble + packed);
    if (compress2(out.data() + kPreamble, &packed, body.data(), static_cast<uLong>(body.size()),
                  Z_BEST_COMPRESSION) != Z_OK)
        return {};
    out.resize(kPreamble + packed);
    if (out.size() > kMaxFileBytes) return {};
    return out;
}

} // namespace replay
