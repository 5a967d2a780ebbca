// OggDecoder over libvorbisfile.
#include "framework/platform/platform_ogg.h"

#include <vorbis/vorbisfile.h>

#include <climits>
#include <utility>

namespace platform {

struct OggDecoder::Stream {
    OggVorbis_File file{};
    OggSource source{};
};

namespace {

// vorbisfile hands back the pointer it was given: the Stream's OggSource.
const ov_callbacks kSourceCallbacks = {
    [](void* destination, size_t size, size_t count, void* s) {
        auto* source = static_cast<OggSource*>(s);
        return source->read(destination, size, count, source->source);
    },
    [](void* s, ogg_int64_t offset, int whence) {
        auto* source = static_cast<OggSource*>(s);
        return source->seek(source->source, int64_t(offset), whence);
    },
    [](void* s) {
        auto* source = static_cast<OggSource*>(s);
        return source->close(source->source);
    },
    [](void* s) {
        auto* source = static_cast<OggSource*>(s);
        return source->tell(source->source);
    },
};

} // namespace

OggDecoder::OggDecoder(std::unique_ptr<Stream> stream) : stream_(std::move(stream)) {}

OggDecoder::~OggDecoder() {
    ov_clear(&stream_->file);
}

std::unique_ptr<OggDecoder> OggDecoder::Opened(std::unique_ptr<Stream> stream, int result) {
    if (result != 0) return nullptr;
    // From here on the decoder owns an open file and clears it.
    std::unique_ptr<OggDecoder> decoder(new OggDecoder(std::move(stream)));
    const vorbis_info* info = ov_info(&decoder->stream_->file, -1);
    if (!info || info->rate <= 0 || info->channels <= 0 || info->channels > UINT16_MAX)
        return nullptr;
    decoder->rate_ = uint32_t(info->rate);
    decoder->channels_ = uint16_t(info->channels);
    return decoder;
}

std::unique_ptr<OggDecoder> OggDecoder::Open(const OggSource& source) {
    auto stream = std::make_unique<Stream>();
    stream->source = source;
    // The Stream does not move while the decoder lives: vorbisfile keeps
    // the pointer to its source.
    const int result =
        ov_open_callbacks(&stream->source, &stream->file, nullptr, 0, kSourceCallbacks);
    return Opened(std::move(stream), result);
}

std::unique_ptr<OggDecoder> OggDecoder::OpenFile(const char* path) {
    auto stream = std::make_unique<Stream>();
    const int result = ov_fopen(path, &stream->file);
    return Opened(std::move(stream), result);
}

long OggDecoder::Read(uint8_t* out, uint32_t bytes) {
    int link = 0;
    const int asked = bytes > uint32_t(INT_MAX) ? INT_MAX : int(bytes);
    return ov_read(&stream_->file, reinterpret_cast<char*>(out), asked, 0, 2, 1, &link);
}

void OggDecoder::Rewind() {
    ov_time_seek(&stream_->file, 0.0);
}

} // namespace platform
