// OGG Vorbis decoding for the sound layer: one stream decoded to 16-bit
// signed little-endian interleaved PCM, read either from a file or through
// reader functions the caller supplies (a file held in memory).
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>

namespace platform {

// The stdio-like functions the decoder reads a stream through; each gets
// `source` as its last or first argument.
struct OggSource {
    void* source;
    size_t (*read)(void* destination, size_t size, size_t count, void* source);
    int (*seek)(void* source, int64_t offset, int whence);
    int (*close)(void* source);
    long (*tell)(void* source);
};

class OggDecoder {
  public:
    // Null when the stream holds no OGG Vorbis stream information. The
    // source must outlive the decoder.
    static std::unique_ptr<OggDecoder> Open(const OggSource& source);
    static std::unique_ptr<OggDecoder> OpenFile(const char* path);
    ~OggDecoder();
    OggDecoder(const OggDecoder&) = delete;
    OggDecoder& operator=(const OggDecoder&) = delete;

    uint32_t Rate() const { return rate_; }
    uint16_t Channels() const { return channels_; }
    // Decodes up to `bytes` bytes: how many came, 0 at the end of the
    // stream, negative where the stream is damaged.
    long Read(uint8_t* out, uint32_t bytes);
    // Back to the start of the stream.
    void Rewind();

  private:
    struct Stream;
    explicit OggDecoder(std::unique_ptr<Stream> stream);
    static std::unique_ptr<OggDecoder> Opened(std::unique_ptr<Stream> stream, int result);

    std::unique_ptr<Stream> stream_;
    uint32_t rate_ = 0;
    uint16_t channels_ = 0;
};

} // namespace platform
