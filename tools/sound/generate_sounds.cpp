// Writes every sound and music file of the game into the folder given as
// the only argument (the build tree's snd/). Same bytes on every run.
#include "tools/sound/effects.h"
#include "tools/sound/music.h"
#include "tools/sound/ogg_writer.h"
#include "tools/sound/wav_writer.h"

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

constexpr float kEffectQuality = 0.5f;
constexpr float kMusicQuality = 0.4f;

bool Ogg(const std::string& folder, const char* name, const SoundClip& clip) {
    return WriteOgg(folder + "/" + name, clip.samples, clip.channels, clip.rate, kEffectQuality);
}
bool Wav(const std::string& folder, const char* name, const SoundClip& clip) {
    return WriteWav(folder + "/" + name, clip.samples, clip.channels, clip.rate);
}
bool Music(const std::string& folder, const char* name, const std::vector<float>& samples) {
    return WriteOgg(folder + "/" + name, samples, 2, 44100, kMusicQuality);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    std::error_code made;
    std::filesystem::create_directories(folder, made);
    const bool ok = Ogg(folder, "click.ogg", MakeClick()) && Ogg(folder, "over.ogg", MakeOver()) &&
                    Ogg(folder, "spin.ogg", MakeSpin()) && Ogg(folder, "Clear.ogg", MakeClear()) &&
                    Ogg(folder, "Swirl.ogg", MakeSwirl()) && Wav(folder, "Pop.wav", MakePop()) &&
                    Wav(folder, "Set.wav", MakeSet()) && Wav(folder, "Move.wav", MakeMove()) &&
                    Ogg(folder, "Levelup.ogg", MakeLevelup()) &&
                    Music(folder, "Main.ogg", ComposeMainMusic()) &&
                    Music(folder, "Select.ogg", ComposeSelectMusic()) &&
                    Music(folder, "theme.ogg", ComposeThemeMusic());
    if (!ok) std::fprintf(stderr, "%s: could not write the sounds into %s\n", argv[0], argv[1]);
    return ok ? 0 : 1;
}
