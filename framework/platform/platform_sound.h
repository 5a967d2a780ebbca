// The Linux stand-in for the platform sound interface: one SDL2 audio device
// and our own mixer in its callback. A SoundVoice is one sound buffer with
// its own PCM format, play cursor, looping, volume in hundredths of a
// decibel, byte-range locking and notification positions. Nothing here knows
// about samples or music; KAudioSource builds those on top.
#pragma once
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace platform {

// PCM as a sound buffer holds it: 8-bit unsigned or 16-bit signed
// little-endian, mono or stereo, interleaved.
struct PcmFormat {
    uint32_t rate = 0;
    uint16_t channels = 0;
    uint16_t bits = 0;
    uint16_t BlockAlign() const { return uint16_t(channels * bits / 8); }
};

// The mixer's output format; voices of any other format are converted.
constexpr uint32_t kDeviceRate = 44100;
constexpr int kDeviceChannels = 2;

// Opens the default audio device and starts the mixer. False when there is
// no device (no driver, no server): the caller then stays silent.
bool OpenSoundDevice();
// Stops the mixer and closes the device; every voice must be gone.
void CloseSoundDevice();

// Raises the calling thread one step above normal priority (nice -1), so a
// streaming thread keeps ahead of the play cursor on a busy machine. Where
// that is not permitted the thread runs on at normal priority.
void RaiseCurrentThreadPriority();

// Wakes a waiting thread when a voice's play cursor reaches a marked
// position, and tells it which marks were reached, oldest first. The mixer
// calls Notify holding its lock, and Wait never takes that lock; so once
// SetNotifications has dropped a notifier, or its voice is gone, the
// notifier may be destroyed.
class SoundNotifier {
  public:
    struct Reached {
        int mark;
        std::chrono::steady_clock::time_point when;
    };
    void Notify(int mark);
    // Ends the current or next Wait at once, without marks: a waiting
    // thread that is asked to stop need not sit out its time-out.
    void Interrupt();
    // The marks reached since the last call; empty when none came within
    // `milliseconds` or the wait was interrupted.
    std::vector<Reached> Wait(int milliseconds);

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Reached> reached_;
    bool interrupted_ = false;
};

class SoundVoice {
  public:
    // A silent (all-zero) voice of `bytes` bytes, or null without a device,
    // with an unusable format or with fewer bytes than one frame.
    static std::unique_ptr<SoundVoice> Create(const PcmFormat& format, uint32_t bytes);
    ~SoundVoice();
    SoundVoice(const SoundVoice&) = delete;
    SoundVoice& operator=(const SoundVoice&) = delete;

    void Play(bool looping);
    void Stop();
    bool IsPlaying() const;
    // Play cursor in bytes, always on a frame boundary.
    void SetPosition(uint32_t byte);
    uint32_t GetPosition() const;
    // Hundredths of a decibel: 0 is full level, -10000 (or lower) silence.
    void SetVolume(int32_t hundredths);
    int32_t GetVolume() const;

    // Hands out a copy of bytes [offset, offset + bytes) to change; Unlock
    // writes it back in one step, so the mixer never reads a half-written
    // range. Null when the range does not fit or a lock is already held.
    uint8_t* Lock(uint32_t offset, uint32_t bytes);
    void Unlock();

    // `notifier` hears `mark` when the play cursor reaches byte `offset`.
    struct Notification {
        uint32_t offset;
        SoundNotifier* notifier;
        int mark;
    };
    void SetNotifications(std::vector<Notification> notifications);

    uint32_t Size() const { return uint32_t(memory_.size()); }

  private:
    SoundVoice(const PcmFormat& format, uint32_t bytes);
    friend struct Mixer;

    PcmFormat format_;
    uint32_t frames_;
    std::vector<uint8_t> memory_;  // read by the mixer under its lock
    std::vector<uint8_t> staging_; // the locked range, owned by the caller
    uint32_t lockedOffset_ = 0;
    bool locked_ = false;
    // Below: guarded by the mixer's lock.
    bool playing_ = false;
    bool looping_ = false;
    uint64_t cursor_ = 0; // frames in 32.32 fixed point
    uint64_t step_;       // cursor advance per device frame
    int32_t volume_ = 0;
    float gain_ = 1.0f;
    std::vector<Notification> notifications_;
};

} // namespace platform
