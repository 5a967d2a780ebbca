// Music streaming at real pace on SDL's dummy driver: the CPU share of
// decoding and mixing, how long after a half is entered its partner is
// refilled (a half of 44.1 kHz stereo lasts 93 ms), and how soon a new
// music master reaches a playing stream.
//
// Usage: audio_stream_bench [seconds per phase]   (run from the build root,
// beside snd/; default 5 s idle, then 5 s with a busy main thread)
#include "framework/audio/KAudioSource.h"
#include "framework/display/KSystemTools.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <mutex>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

std::mutex latencyLock;
std::vector<double> latencies;
void RecordRefill(double ms) {
    std::lock_guard<std::mutex> guard(latencyLock);
    latencies.push_back(ms);
}

double CpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

void Report(const char* phase, double wall, double cpu) {
    std::lock_guard<std::mutex> guard(latencyLock);
    std::sort(latencies.begin(), latencies.end());
    const double worst = latencies.empty() ? 0.0 : latencies.back();
    const double p99 = latencies.empty() ? 0.0 : latencies[latencies.size() * 99 / 100];
    double sum = 0.0;
    for (double v : latencies)
        sum += v;
    std::printf("%-28s refills %4zu  mean %6.2f ms  p99 %6.2f ms  worst %6.2f ms (of 92.9)", phase,
                latencies.size(), latencies.empty() ? 0.0 : sum / latencies.size(), p99, worst);
    if (cpu >= 0) std::printf("  cpu %.2f %% of one core", 100.0 * cpu / wall);
    std::printf("\n");
    latencies.clear();
}

} // namespace

int main(int argc, char** argv) {
    const double phaseSeconds = argc > 1 ? std::atof(argv[1]) : 5.0;
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    KSystemTools::SetModuleDirectoryFrom("./orbolo");
    KAudioSource music;
    if (!music.LoadMusic(KSystemTools::MakePath("snd\\Main.ogg"))) {
        std::fprintf(stderr, "no sound device or no snd/Main.ogg here\n");
        return 1;
    }
    // Effects firing as in a lively game: one every 150 ms.
    const char* effectFiles[] = {"snd\\click.ogg", "snd\\Clear.ogg", "snd\\Pop.wav",
                                 "snd\\Set.wav",   "snd\\Move.wav",  "snd\\spin.ogg"};
    std::vector<KAudioSource*> effects;
    for (const char* file : effectFiles) {
        effects.push_back(new KAudioSource);
        effects.back()->LoadSample(KSystemTools::MakePath(file), 200, 0);
    }
    KAudioSource::SetRefillObserver(&RecordRefill);
    music.PlayMusic(1);

    auto runPhase = [&](const char* name, bool busy) {
        const auto start = Clock::now();
        const double cpuStart = CpuSeconds();
        const auto end = start + std::chrono::duration<double>(phaseSeconds);
        auto nextEffect = start;
        size_t played = 0;
        volatile double sink = 0.0;
        while (Clock::now() < end) {
            if (Clock::now() >= nextEffect) {
                effects[played++ % effects.size()]->Play();
                nextEffect += std::chrono::milliseconds(150);
            }
            if (busy)
                for (int i = 0; i < 20000; ++i)
                    sink = sink + std::sqrt(double(sink) + 1.0);
            else
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        const double wall = std::chrono::duration<double>(Clock::now() - start).count();
        // With a busy main thread the process time is mostly the busy loop.
        Report(name, wall, busy ? -1.0 : CpuSeconds() - cpuStart);
    };
    runPhase("idle main thread:", false);
    runPhase("busy main thread:", true);

    double worstPickup = 0.0;
    for (int trial = 0; trial < 10; ++trial) {
        const int32_t master = trial % 2 ? 99 : 50;
        const int32_t want = master == 99 ? -1062 : -2344;
        const auto start = Clock::now();
        KAudioSource::SetMasterVolumes(master, -1);
        while (music.Voice()->GetVolume() != want)
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        worstPickup = std::max(
            worstPickup, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        std::this_thread::sleep_for(std::chrono::milliseconds(37));
    }
    std::printf("music master picked up within %.1f ms (worst of 10)\n", worstPickup);
    KAudioSource::SetRefillObserver(nullptr);
    for (KAudioSource* e : effects)
        delete e;
    return 0;
}
