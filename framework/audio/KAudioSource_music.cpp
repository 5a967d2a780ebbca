// Music streaming: the whole compressed file stays in memory and a worker
// thread decodes it into a looping voice of two halves, refilling each half
// while the other plays. Where no thread can start (a browser page), the
// same step runs each time the game waits for its next frame.
#include "framework/audio/KAudioSource.h"

#include "framework/display/KSystemTools.h"
#include "framework/display/file_bytes.h"
#include "framework/platform/platform_system.h"

#include <cstring>

namespace {

// The wait is capped so the worker sees a new music master within about
// 50 ms even while the voice is stopped; `quit` interrupts it.
constexpr int kEventWaitMs = 50;

std::atomic<void (*)(double)> refillObserver{nullptr};

} // namespace

void KAudioSource::SetRefillObserver(void (*observer)(double milliseconds)) {
    refillObserver = observer;
}

bool KAudioSource::LoadMusic(const char* path) {
    StopWorker();
    FreeData();
    isMusic = true;
    image.readPos = 0;
    // Only a missing file ends here; an empty or unreadable one is
    // reported below as no OGG stream.
    if (ReadWholeFile(path, MemoryImage::kMaxBytes, image.data) == FileReadResult::OpenFailed)
        return false;

    // An empty image, or one that holds no OGG stream, has no stream
    // information: the player is told which file it is.
    decoder = platform::OggDecoder::Open({&image, MemoryRead, MemorySeek, MemoryClose, MemoryTell});
    if (!decoder) {
        KSystemTools::ShowMessage(path, "error could not detect ogg file");
        return false;
    }
    format = {decoder->Rate(), decoder->Channels(), 16};
    if (!CreateBuffer(kStreamBufferSize)) return false;
    atEnd = false;
    decoder->Rewind();
    return true;
}

void KAudioSource::PlayMusic(uint8_t newLoop) {
    StopWorker();
    // A sample's voice is no stream: only a loaded music stream plays here.
    if (!soundBuffer || !decoder) return;
    decoder->Rewind();
    soundBuffer->Stop();
    soundBuffer->SetPosition(0);
    atEnd = false;
    loop = newLoop != 0;
    // Without a worker the voice repeats what it holds.
    StartWorker();
    soundBuffer->Play(true);
    ApplyVolume();
}

bool KAudioSource::StartWorker() {
    ready = false;
    if (!soundBuffer) return false;
    soundBuffer->Stop();
    quit = false;
    if constexpr (!platform::kCanStartThreads) {
        // One thread only: the stream refills whenever the game waits.
        BeginStreaming();
        platform::AddWaitTask(
            this, [](void* self) { return static_cast<KAudioSource*>(self)->StreamStep(0); });
        streamingInWaits = true;
        ready = true;
        return true;
    }
    try {
        thread = std::thread(&KAudioSource::Worker, this);
    } catch (const std::system_error&) {
        return false;
    }
    while (!ready)
        std::this_thread::yield();
    return true;
}

void KAudioSource::StopWorker() {
    ready = false;
    if (!thread.joinable() && !streamingInWaits) return;
    if (soundBuffer) soundBuffer->Stop();
    quit = true;
    if constexpr (!platform::kCanStartThreads) {
        platform::RemoveWaitTask(this);
        streamingInWaits = false;
    } else {
        halfEntered.Interrupt();
        thread.join();
    }
    if (soundBuffer) soundBuffer->SetNotifications({});
    // A mark reached after the last wait must not wake the next worker.
    halfEntered.Wait(0);
}

void KAudioSource::Worker() {
    platform::RaiseCurrentThreadPriority();
    BeginStreaming();
    ready = true;
    while (StreamStep(kEventWaitMs)) {
    }
}

void KAudioSource::BeginStreaming() {
    streamMaster = -1;
    soundBuffer->SetNotifications({{0, &halfEntered, 0}, {kHalfSize, &halfEntered, 1}});
}

bool KAudioSource::StreamStep(int waitMilliseconds) {
    const int32_t master = MusicMasterVolume();
    if (master != streamMaster) {
        ApplyVolume();
        streamMaster = master;
    }
    // The cursor entering one half frees the other for new music. One
    // wait for both halves: waiting for each in turn could notice a
    // crossing only after the other wait timed out, 50 ms late.
    for (const auto& reached : halfEntered.Wait(waitMilliseconds)) {
        RefillHalf(1 - reached.mark);
        if (auto* observer = refillObserver.load()) {
            const auto late = std::chrono::steady_clock::now() - reached.when;
            observer(std::chrono::duration<double, std::milli>(late).count());
        }
        std::this_thread::yield();
    }
    if (!soundBuffer || quit) return false;
    std::this_thread::yield();
    return true;
}

void KAudioSource::RefillHalf(int half) {
    if (!soundBuffer) return;
    uint8_t* bytes = soundBuffer->Lock(uint32_t(half) * kHalfSize, kHalfSize);
    if (!bytes) return; // this half keeps its old content
    std::memset(bytes, 0, kHalfSize);
    if (!atEnd) {
        uint32_t filled = 0;
        long got = 0;
        while (filled < kHalfSize && (got = decoder->Read(bytes + filled, kHalfSize - filled)) > 0)
            filled += uint32_t(got);
        if (got <= 0) {
            // The rest of this half stays silent; with `loop` the next half
            // begins with the start of the music.
            if (loop) {
                decoder->Rewind();
                atEnd = false;
            } else {
                atEnd = true;
            }
            if (got < 0) std::memset(bytes, 0, kHalfSize);
        }
    }
    soundBuffer->Unlock();
    if (atEnd) EndOfStream();
}

void KAudioSource::EndOfStream() {
    soundBuffer->Stop();
    uint8_t* bytes = soundBuffer->Lock(0, kStreamBufferSize);
    if (bytes) {
        std::memset(bytes, 0, kStreamBufferSize);
        soundBuffer->Unlock();
    }
    decoder->Rewind();
}
