// The nine effects as the game loads them from snd/ beside the executable,
// played through the mixer on SDL's disk driver.
#include "audio_test_support.h"
#include "framework/display/KSystemTools.h"
#include "game/panels/sound_cues.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

const std::string kGameFolder = ORBOLO_RUNTIME_DIR;

int cuesHeard = 0;
void CountCue(Cue) {
    ++cuesHeard;
}

int PeakOfCue(Cue cue) {
    DiskAudio disk;
    LoadSounds();
    PlayCue(cue);
    // Until 0.7 s more has been mixed: every cue has reached its loudest.
    const double played = disk.SecondsWritten();
    EXPECT_TRUE(WaitFor([&] { return disk.SecondsWritten() > played + 0.7; }));
    FreeSounds();
    int peak = 0;
    for (int16_t v : disk.Output())
        peak = std::max(peak, std::abs(int(v)));
    return peak;
}

class SoundCues : public ::testing::Test {
  protected:
    void SetUp() override {
        KSystemTools::SetModuleDirectoryFrom((kGameFolder + "/orbolo").c_str());
        cuesHeard = 0;
        SetCueListener(&CountCue);
    }
    void TearDown() override { SetCueListener(nullptr); }
};

} // namespace

TEST_F(SoundCues, EveryEffectLoadsAndSoundsAndWithoutADeviceTheGameRunsSilent) {
    for (int cue = 0; cue < kCueCount; ++cue)
        EXPECT_GT(PeakOfCue(Cue(cue)), 2000) << "cue " << cue;
    NoAudioDevice none;
    LoadSounds();
    for (int cue = 0; cue < kCueCount; ++cue)
        PlayCue(Cue(cue));
    FreeSounds();
    EXPECT_EQ(cuesHeard, 2 * kCueCount);
}

TEST_F(SoundCues, AMissingFileSilencesOnlyItsEffect) {
    namespace fs = std::filesystem;
    const std::string folder = MakeTempFolder();
    fs::copy(kGameFolder + "/snd", folder + "/snd");
    fs::remove(folder + "/snd/Pop.wav");
    KSystemTools::SetModuleDirectoryFrom((folder + "/orbolo").c_str());
    EXPECT_EQ(PeakOfCue(Cue::Pop), 0);
    EXPECT_GT(PeakOfCue(Cue::Set), 2000);
    EXPECT_EQ(cuesHeard, 2); // the rules still see every event
    fs::remove_all(folder);
}
