// KAudioSource: one sound effect (a sample loaded whole into one voice) or
// one music stream (an OGG file decoded into a looping two-half buffer by a
// worker thread). All objects share the sound device, which lives while any
// object does, and the two master volumes.
//
// Threads: everything runs on the main thread except a music stream's
// worker, which touches only its own object's voice, decoder and flags and
// reads the master volumes. The main thread changes the voice, decoder and
// the plain members below only while no worker runs.
#pragma once
#include "framework/audio/ogg_memory_reader.h"
#include "framework/platform/platform_ogg.h"
#include "framework/platform/platform_sound.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

class KAudioSource {
  public:
    KAudioSource();
    ~KAudioSource();
    KAudioSource(const KAudioSource&) = delete;
    KAudioSource& operator=(const KAudioSource&) = delete;

    // Loads a WAV file, or an OGG file when the file name ends in ".ogg", as
    // a sample. `volume` is a percentage of the effects master; the sample
    // loops only when `loop` is exactly 1.
    bool LoadSample(const char* path, int32_t volume, uint8_t loop);
    // Plays the sample from its start, restarting it if it sounds.
    void Play();
    // Stores the own volume and applies it at once.
    void SetVolume(int32_t volume);
    // A negative argument leaves that master unchanged. Samples take a new
    // effects master at their next Play; music within about 100 ms.
    static void SetMasterVolumes(int32_t music, int32_t effects);

    // Prepares an OGG file as a music stream: false when it cannot be opened
    // or (after a message box naming the file) holds no OGG stream.
    bool LoadMusic(const char* path);
    // Starts the stream from its beginning; non-zero `loop` plays it again
    // at its end, otherwise it stops and falls silent there.
    void PlayMusic(uint8_t loop);

    // The stream's voice geometry: two halves refilled alternately.
    static constexpr uint32_t kStreamBufferSize = 32768;
    static constexpr uint32_t kHalfSize = kStreamBufferSize / 2;

    // --- seams for tests ---
    const platform::SoundVoice* Voice() const { return soundBuffer.get(); }
    bool HasWorker() const { return thread.joinable() || streamingInWaits; }
    static int32_t LiveSoundCount();
    // Told, on the worker thread, how long each refill finished after its
    // half was entered (nullptr to stop). For measurements.
    static void SetRefillObserver(void (*observer)(double milliseconds));

  private:
    void ApplyVolume();
    static int32_t MusicMasterVolume();
    bool CreateBuffer(uint32_t size);
    // Copies the decoded PCM into the voice; frees everything on failure.
    bool CopyPcmIntoBuffer();
    void FreeData();
    bool LoadOggSample(const char* path);
    bool LoadWavSample(const char* path);

    bool StartWorker();
    void StopWorker();
    void Worker();
    void BeginStreaming();
    // Refills what the play cursor has left behind, waiting at most that
    // long for it to move on; false once the stream is to stop.
    bool StreamStep(int waitMilliseconds);
    void RefillHalf(int half);
    void EndOfStream();

    std::atomic<int32_t> volume{80}; // read by the music worker
    std::mutex applyingVolume;       // the last ApplyVolume applies the latest values
    std::atomic<bool> loop{false};
    bool isMusic = false;
    platform::PcmFormat format;
    const uint8_t* pcm = nullptr; // into `image`
    uint32_t pcmSize = 0;
    std::unique_ptr<platform::OggDecoder> decoder; // music only, over `image`
    std::unique_ptr<platform::SoundVoice> soundBuffer;
    platform::SoundNotifier halfEntered; // mark 0 or 1: the cursor entered that half
    std::thread thread;
    bool streamingInWaits = false; // stepped by the main thread's waits instead
    int32_t streamMaster = -1;     // the music master the voice last took
    std::atomic<bool> quit{false};
    std::atomic<bool> ready{false};
    std::atomic<bool> atEnd{false};
    MemoryImage image; // the whole file, or decoded PCM
    bool ownsDevice = false;
};
