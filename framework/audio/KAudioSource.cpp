// KAudioSource: device lifetime, volumes and samples. Music streaming is in
// KAudioSource_music.cpp, OGG samples in KAudioSource_ogg_sample.cpp.
#include "framework/audio/KAudioSource.h"

#include "framework/audio/audio_volume.h"
#include "framework/audio/wav_parse.h"
#include "framework/display/file_bytes.h"

#include <cstring>

namespace {
// Touched on the main thread only.
int32_t soundCount = 0;
// Read by music workers while the main thread may change them.
std::atomic<int32_t> sfxMasterVolume{100};
std::atomic<int32_t> musicMasterVolume{100};
} // namespace

int32_t KAudioSource::MusicMasterVolume() {
    return musicMasterVolume.load();
}

KAudioSource::KAudioSource() {
    // Without a device the object stays silent and does not count: the
    // next construction tries again.
    if (soundCount == 0 && !platform::OpenSoundDevice()) return;
    ++soundCount;
    ownsDevice = true;
}

KAudioSource::~KAudioSource() {
    StopWorker();
    FreeData();
    // Only objects that counted themselves in take themselves out, so a
    // silent object never closes the device under live ones.
    if (ownsDevice && --soundCount == 0) platform::CloseSoundDevice();
}

int32_t KAudioSource::LiveSoundCount() {
    return soundCount;
}

void KAudioSource::SetMasterVolumes(int32_t music, int32_t effects) {
    if (music >= 0) musicMasterVolume = music;
    if (effects >= 0) sfxMasterVolume = effects;
}

void KAudioSource::SetVolume(int32_t newVolume) {
    volume = newVolume;
    ApplyVolume();
}

// Both the main thread and a music worker apply volumes.
void KAudioSource::ApplyVolume() {
    std::lock_guard<std::mutex> guard(applyingVolume);
    if (!soundBuffer) return;
    const int32_t master = isMusic ? musicMasterVolume.load() : sfxMasterVolume.load();
    soundBuffer->SetVolume(PlatformVolume(master, volume));
}

// A fresh voice is already silent, so no clearing pass follows.
bool KAudioSource::CreateBuffer(uint32_t size) {
    if (!ownsDevice) return false;
    soundBuffer.reset();
    soundBuffer = platform::SoundVoice::Create(format, size);
    return soundBuffer != nullptr;
}

void KAudioSource::FreeData() {
    soundBuffer.reset();
    decoder.reset();
    image.data.clear();
    image.data.shrink_to_fit();
    image.readPos = 0;
    pcm = nullptr;
    pcmSize = 0;
}

bool KAudioSource::LoadSample(const char* path, int32_t newVolume, uint8_t newLoop) {
    StopWorker();
    FreeData();
    isMusic = false;
    loop = newLoop == 1;
    volume = newVolume;
    if (PathEndsWith(path, ".ogg")) return LoadOggSample(path);
    return LoadWavSample(path);
}

bool KAudioSource::LoadWavSample(const char* path) {
    image.readPos = 0;
    if (ReadWholeFile(path, MemoryImage::kMaxBytes, image.data) != FileReadResult::Ok) return false;
    const auto wav = ParseWav(image.data.data(), image.data.size());
    if (!wav || wav->formatTag != 1) {
        FreeData();
        return false;
    }
    format = wav->format;
    pcm = image.data.data() + wav->pcmOffset;
    pcmSize = wav->pcmSize;
    if (!CreateBuffer(pcmSize)) {
        FreeData();
        return false;
    }
    return CopyPcmIntoBuffer();
}

bool KAudioSource::CopyPcmIntoBuffer() {
    uint8_t* locked = soundBuffer->Lock(0, pcmSize);
    if (!locked) {
        FreeData();
        return false;
    }
    std::memcpy(locked, pcm, pcmSize);
    soundBuffer->Unlock();
    return true;
}

void KAudioSource::Play() {
    if (!soundBuffer) return;
    soundBuffer->SetPosition(0);
    ApplyVolume();
    soundBuffer->Play(loop);
}
