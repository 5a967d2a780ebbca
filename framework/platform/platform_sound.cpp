// The mixer: every playing voice is resampled (linear interpolation, 32.32
// fixed-point cursor) into the device's 44.1 kHz stereo float mix inside the
// SDL audio callback, then clipped to 16 bits. One lock guards the voice
// list and every voice's play state; it is held only for short copies and
// for one callback's mixing, never across decoding. Notifiers are told
// under that lock too: whoever clears a voice's notifications (or frees the
// voice) under it knows the callback no longer touches their notifier.
#include "framework/platform/platform_sound.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace platform {

struct Mixer {
    SDL_AudioDeviceID device = 0;
    std::mutex lock;
    std::vector<SoundVoice*> voices;
    std::vector<float> mix; // callback thread only

    static float Sample(const SoundVoice& v, uint32_t frame, int channel) {
        const uint8_t* p = v.memory_.data() + size_t(frame) * v.format_.BlockAlign();
        if (v.format_.channels == 2) p += channel * (v.format_.bits / 8);
        if (v.format_.bits == 8) return (int(p[0]) - 128) * (1.0f / 128.0f);
        return int16_t(uint16_t(p[0] | (p[1] << 8))) * (1.0f / 32768.0f);
    }

    // Mixes one voice into `frames` device frames; returns how many of its
    // own frames the cursor passed, for the notifications.
    static uint64_t MixVoice(SoundVoice& v, float* out, int frames) {
        const uint64_t start = v.cursor_;
        uint64_t passed = 0;
        for (int i = 0; i < frames && v.playing_; ++i) {
            const uint32_t at = uint32_t(v.cursor_ >> 32);
            const float t = float(uint32_t(v.cursor_)) * (1.0f / 4294967296.0f);
            uint32_t next = at + 1;
            if (next >= v.frames_) next = v.looping_ ? 0 : at;
            for (int c = 0; c < kDeviceChannels; ++c) {
                const float a = Sample(v, at, c);
                out[i * 2 + c] += v.gain_ * (a + (Sample(v, next, c) - a) * t);
            }
            v.cursor_ += v.step_;
            passed += v.step_;
            if ((v.cursor_ >> 32) >= v.frames_) {
                if (v.looping_) {
                    v.cursor_ -= uint64_t(v.frames_) << 32;
                } else {
                    v.playing_ = false;
                    v.cursor_ = 0;
                }
            }
        }
        return ((start & 0xffffffffu) + passed) >> 32;
    }

    // A mark is reached when the cursor moved onto its frame: the distance
    // from where the cursor stood to the mark, 1 .. frames, was covered.
    static void NotifyCrossed(const SoundVoice& v, uint32_t from, uint64_t passed) {
        for (const auto& n : v.notifications_) {
            const uint32_t mark = n.offset / v.format_.BlockAlign();
            uint64_t distance = (uint64_t(mark) + v.frames_ - from) % v.frames_;
            if (distance == 0) distance = v.frames_;
            if (passed >= distance) n.notifier->Notify(n.mark);
        }
    }

    static void Callback(void* user, Uint8* stream, int len) {
        Mixer& m = *static_cast<Mixer*>(user);
        const int frames = len / int(sizeof(int16_t) * kDeviceChannels);
        {
            std::lock_guard<std::mutex> guard(m.lock);
            m.mix.assign(size_t(frames) * kDeviceChannels, 0.0f);
            for (SoundVoice* v : m.voices) {
                if (!v->playing_) continue;
                const uint32_t from = uint32_t(v->cursor_ >> 32);
                const uint64_t passed = MixVoice(*v, m.mix.data(), frames);
                NotifyCrossed(*v, from, passed);
            }
        }
        auto* out = reinterpret_cast<int16_t*>(stream);
        for (size_t i = 0; i < size_t(frames) * kDeviceChannels; ++i)
            out[i] = int16_t(std::clamp(std::lround(m.mix[i] * 32767.0f), -32768L, 32767L));
    }
};

namespace {
Mixer mixer;
}

bool OpenSoundDevice() {
    if (mixer.device) return true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    SDL_AudioSpec want{};
    want.freq = kDeviceRate;
    want.format = AUDIO_S16SYS;
    want.channels = kDeviceChannels;
    want.samples = 1024; // about 23 ms a callback
    want.callback = &Mixer::Callback;
    want.userdata = &mixer;
    // No changes allowed: SDL converts our format to whatever the device takes.
    mixer.device = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
    if (!mixer.device) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    SDL_PauseAudioDevice(mixer.device, 0);
    return true;
}

void CloseSoundDevice() {
    if (!mixer.device) return;
    SDL_CloseAudioDevice(mixer.device);
    mixer.device = 0;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void RaiseCurrentThreadPriority() {
#ifdef SYS_gettid
    setpriority(PRIO_PROCESS, pid_t(syscall(SYS_gettid)), -1);
#endif // a page's one thread has no priority to raise
}

void SoundNotifier::Notify(int mark) {
    std::lock_guard<std::mutex> guard(mutex_);
    reached_.push_back({mark, std::chrono::steady_clock::now()});
    changed_.notify_one();
}

void SoundNotifier::Interrupt() {
    std::lock_guard<std::mutex> guard(mutex_);
    interrupted_ = true;
    changed_.notify_one();
}

std::vector<SoundNotifier::Reached> SoundNotifier::Wait(int milliseconds) {
    std::unique_lock<std::mutex> guard(mutex_);
    changed_.wait_for(guard, std::chrono::milliseconds(milliseconds),
                      [this] { return !reached_.empty() || interrupted_; });
    interrupted_ = false;
    return std::exchange(reached_, {});
}

std::unique_ptr<SoundVoice> SoundVoice::Create(const PcmFormat& format, uint32_t bytes) {
    if (!mixer.device) return nullptr;
    if (format.channels < 1 || format.channels > 2) return nullptr;
    if (format.bits != 8 && format.bits != 16) return nullptr;
    if (format.rate < 100 || format.rate > 192000) return nullptr;
    if (bytes < format.BlockAlign()) return nullptr;
    std::unique_ptr<SoundVoice> voice(new SoundVoice(format, bytes));
    std::lock_guard<std::mutex> guard(mixer.lock);
    mixer.voices.push_back(voice.get());
    return voice;
}

SoundVoice::SoundVoice(const PcmFormat& format, uint32_t bytes)
    : format_(format), frames_(bytes / format.BlockAlign()),
      memory_(bytes, format.bits == 8 ? 0x80 : 0),
      step_((uint64_t(format.rate) << 32) / kDeviceRate) {}

SoundVoice::~SoundVoice() {
    std::lock_guard<std::mutex> guard(mixer.lock);
    std::erase(mixer.voices, this);
}

void SoundVoice::Play(bool looping) {
    std::lock_guard<std::mutex> guard(mixer.lock);
    playing_ = true;
    looping_ = looping;
}

void SoundVoice::Stop() {
    std::lock_guard<std::mutex> guard(mixer.lock);
    playing_ = false;
}

bool SoundVoice::IsPlaying() const {
    std::lock_guard<std::mutex> guard(mixer.lock);
    return playing_;
}

void SoundVoice::SetPosition(uint32_t byte) {
    std::lock_guard<std::mutex> guard(mixer.lock);
    cursor_ = uint64_t(std::min(byte / format_.BlockAlign(), frames_ - 1)) << 32;
}

uint32_t SoundVoice::GetPosition() const {
    std::lock_guard<std::mutex> guard(mixer.lock);
    return uint32_t(cursor_ >> 32) * format_.BlockAlign();
}

void SoundVoice::SetVolume(int32_t hundredths) {
    const float gain = hundredths <= -10000 ? 0.0f : std::pow(10.0f, float(hundredths) / 2000.0f);
    std::lock_guard<std::mutex> guard(mixer.lock);
    volume_ = hundredths;
    gain_ = std::min(gain, 1.0f);
}

int32_t SoundVoice::GetVolume() const {
    std::lock_guard<std::mutex> guard(mixer.lock);
    return volume_;
}

uint8_t* SoundVoice::Lock(uint32_t offset, uint32_t bytes) {
    std::lock_guard<std::mutex> guard(mixer.lock);
    if (locked_ || offset > memory_.size() || bytes > memory_.size() - offset) return nullptr;
    staging_.assign(memory_.begin() + offset, memory_.begin() + offset + bytes);
    lockedOffset_ = offset;
    locked_ = true;
    return staging_.data();
}

void SoundVoice::Unlock() {
    std::lock_guard<std::mutex> guard(mixer.lock);
    if (!locked_) return;
    std::memcpy(memory_.data() + lockedOffset_, staging_.data(), staging_.size());
    locked_ = false;
}

void SoundVoice::SetNotifications(std::vector<Notification> notifications) {
    std::lock_guard<std::mutex> guard(mixer.lock);
    notifications_ = std::move(notifications);
}

} // namespace platform
