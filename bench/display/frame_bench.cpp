// Frame benchmark: a play-screen-like frame (640 x 480 background, 81 balls,
// 20 buttons at 0.7 opacity, 40 glyphs, a pointer with its shadow) drawn as
// fast as the driver allows. Prints wall and process CPU time per frame:
// as drawn (the pointer and a ball or two change, so only their part is
// drawn again), drawn whole every time, and unchanged (not drawn at all);
// then what a screen grab costs. The renderer's name comes first.
// Usage: frame_bench [seconds] [fullscreen]
#include "bench_clock.h"
#include "bench_images.h"

#include "framework/display/KDisplayWindow.h"
#include "framework/display/KGraphic.h"
#include "framework/platform/platform_renderer.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

struct Art {
    KGraphic background, balls, button, glyphs, pointer;
};

void DrawFrame(Art& art, int frame) {
    KGraphic::SetWorldView(0, 0, 0, 1, true);
    art.background.Blit(0, 0, 640, 480, 0, 0, false, false);
    for (int i = 0; i < 81; ++i) {
        float sx = static_cast<float>((i + frame / 30) % 8 * 34);
        art.balls.BlitAlpha(sx, 0, sx + 34, 34, static_cast<int16_t>(20 + i % 9 * 34),
                            static_cast<int16_t>(80 + i / 9 * 34), false, false);
    }
    for (int i = 0; i < 20; ++i) {
        art.button.BlitTransformed(0, 0, 128, 32, static_cast<int16_t>(340 + i % 2 * 140),
                                   static_cast<int16_t>(20 + i / 2 * 44), 0, 1, 0.7f, false, false);
    }
    for (int i = 0; i < 40; ++i) {
        float sx = static_cast<float>(i % 16 * 16);
        art.glyphs.BlitAlpha(sx, 0, sx + 12, 16, static_cast<int16_t>(340 + i % 20 * 14),
                             static_cast<int16_t>(420 + i / 20 * 20), false, false);
    }
    int16_t px = static_cast<int16_t>(frame * 3 % 600), py = static_cast<int16_t>(200);
    art.pointer.BlitTransformed(0, 0, 32, 32, px + 2, py + 2, 0, 1, 0.5f, false, false);
    art.pointer.BlitAlpha(0, 0, 32, 32, px, py, false, false);
}

} // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 4.0;
    const bool windowed = !(argc > 2 && std::strcmp(argv[2], "fullscreen") == 0);
    KDisplayWindow window;
    if (!window.CreateGameWindow(640, 480, 16, windowed, "ORBOLO frame benchmark")) return 1;
    KDisplayWindow::SetFrameInterval(0);
    // Which driver drew these frames: the figures mean little without it.
    std::printf("renderer: %s\n", platform::RendererName().c_str());
    BenchImages files = WriteBenchImages();
    Art art;
    bool loaded = art.background.LoadImage(files.background.c_str(), true, false, true) &&
                  art.balls.LoadImage(files.balls.c_str(), true, false, true) &&
                  art.button.LoadImage(files.buttons.c_str(), true, false, true) &&
                  art.glyphs.LoadImage(files.glyphs.c_str(), true, false, true) &&
                  art.pointer.LoadImage(files.pointer.c_str(), true, false, true);
    RemoveBenchImages();
    if (!loaded) return 1;

    for (int i = 0; i < 20; ++i) { // warm up
        DrawFrame(art, i);
        window.Flip(false);
    }
    int frames = 0;
    const double wall0 = WallMs(), cpu0 = CpuMs();
    while (WallMs() - wall0 < seconds * 1000 && !KDisplayWindow::IsClosed()) {
        DrawFrame(art, frames++);
        window.Flip(false);
    }
    const double wall = WallMs() - wall0, cpu = CpuMs() - cpu0;
    std::printf("frame: %d frames in %.2f s: %.3f ms per frame (%.0f fps), "
                "process CPU %.3f ms per frame (%.2f cores)\n",
                frames, wall / 1000, wall / frames, frames * 1000 / wall, cpu / frames, cpu / wall);

    // Every frame drawn whole, as after an expose or a resize.
    const int whole = 200;
    double w0 = WallMs(), wc0 = CpuMs();
    for (int i = 0; i < whole; ++i) {
        DrawFrame(art, i);
        platform::RedrawNextFrame();
        window.Flip(false);
    }
    std::printf("whole frame: %.3f ms per frame, process CPU %.3f ms\n", (WallMs() - w0) / whole,
                (CpuMs() - wc0) / whole);

    // The same frame again and again: compared, not drawn.
    const int still = 300;
    double s0 = WallMs(), sc0 = CpuMs();
    for (int i = 0; i < still; ++i) {
        DrawFrame(art, 0);
        window.Flip(false);
    }
    std::printf("unchanged frame: %.3f ms per frame, process CPU %.3f ms\n",
                (WallMs() - s0) / still, (CpuMs() - sc0) / still);

    KGraphic grab;
    double g0 = WallMs();
    for (int i = 0; i < 20; ++i)
        grab.GrabScreen();
    std::printf("GrabScreen: %.3f ms per grab\n", (WallMs() - g0) / 20);
    return 0;
}
