#include "display_fixture.h"

#include "framework/display/KDisplayWindow.h"
#include "framework/display/KGraphic.h"
#include "framework/display/KSystemTools.h"
#include "framework/display/recorded_frame.h"

#include <GL/gl.h>
#include <gtest/gtest.h>
#include <turbojpeg.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <thread>
#include <unistd.h>

namespace {

std::vector<CapturedMessage> captured;
std::unique_ptr<KDisplayWindow> window;

std::filesystem::path TempFolder() {
    return std::filesystem::temp_directory_path() /
           ("orbolo-display-" + std::to_string(::getpid()));
}

void Sink(const char* caption, const char* text) {
    captured.push_back({caption, text});
}

// Closes the window after the last test, while the program is still whole.
class WindowEnvironment : public ::testing::Environment {
  public:
    void TearDown() override {
        window.reset();
        std::error_code ignored;
        std::filesystem::remove_all(TempFolder(), ignored);
    }
};
[[maybe_unused]] auto* environment = ::testing::AddGlobalTestEnvironment(new WindowEnvironment);

} // namespace

std::vector<CapturedMessage>& Messages() {
    return captured;
}
void ClearMessages() {
    captured.clear();
}
void CaptureMessages() {
    KSystemTools::SetMessageSink(&Sink);
}

void DrawOffscreenWithoutDisplay() {
    // The game draws offscreen only when asked for that driver by name.
    if (!std::getenv("DISPLAY")) setenv("SDL_VIDEODRIVER", "offscreen", 0);
}

KDisplayWindow& TestWindow() {
    if (!window) {
        CaptureMessages();
        DrawOffscreenWithoutDisplay();
        window = std::make_unique<KDisplayWindow>();
        EXPECT_TRUE(window->CreateGameWindow(640, 480, 16, true, "ORBOLO display test"))
            << "no window or GL context";
    }
    return *window;
}

Rgb PixelAt(int x, int y) {
    recorded_frame::DrawForReading();
    uint8_t p[4] = {};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, KGraphic::screenHeight - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
    return {p[0], p[1], p[2]};
}

void StartFrame(float r, float g, float b) {
    TestWindow();
    KGraphic::SetClearColor(r, g, b, 1);
    KGraphic::SetWorldView(0, 0, 0, 1, true);
}

std::string CommandOutput(const std::string& command) {
    std::string bytes;
    if (std::FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            bytes.append(buffer, n);
        pclose(pipe);
    }
    return bytes;
}

namespace {
// The screen's pixels in a rectangle, as ImageMagick writes `format`.
std::string ImportScreen(int x, int y, int width, int height, const char* format) {
    return CommandOutput("import -window root -crop " + std::to_string(width) + "x" +
                         std::to_string(height) + "+" + std::to_string(x) + "+" +
                         std::to_string(y) + " -depth 8 " + format + ":- 2>/dev/null");
}
} // namespace

Rgb ScreenPixel(int x, int y) {
    std::string rgb = ImportScreen(x, y, 1, 1, "rgb");
    if (rgb.size() != 3) return {-1, -1, -1};
    return {uint8_t(rgb[0]), uint8_t(rgb[1]), uint8_t(rgb[2])};
}

int BrightPixelsOnScreen(int x, int y, int width, int height) {
    int bright = 0;
    for (char c : ImportScreen(x, y, width, height, "gray"))
        bright += uint8_t(c) > 128;
    return bright;
}

bool PollUntil(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

std::vector<uint8_t> MakeTga(int width, int height, int bits, const PixelFunction& pixel,
                             bool tagged) {
    std::vector<uint8_t> out;
    if (tagged) out = {'p', 'i', 'h', 's'};
    uint8_t header[18] = {0, 0, 2};
    header[12] = uint8_t(width), header[13] = uint8_t(width >> 8);
    header[14] = uint8_t(height), header[15] = uint8_t(height >> 8), header[16] = uint8_t(bits);
    out.insert(out.end(), header, header + 18);
    for (int row = height - 1; row >= 0; --row) { // bottom row first
        for (int x = 0; x < width; ++x) {
            Rgba c = pixel(x, row);
            uint8_t px[4] = {c.b, c.g, c.r, c.a};
            out.insert(out.end(), px, px + bits / 8);
        }
    }
    return out;
}

std::vector<uint8_t> MakeJpeg(int width, int height, const PixelFunction& pixel, int quality) {
    std::vector<uint8_t> rgb;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (Rgba c = pixel(x, y); uint8_t v : {c.r, c.g, c.b})
                rgb.push_back(v);
    tjhandle handle = tjInitCompress();
    unsigned char* jpeg = nullptr;
    unsigned long size = 0;
    tjCompress2(handle, rgb.data(), width, 0, height, TJPF_RGB, &jpeg, &size, TJSAMP_444, quality,
                0);
    std::vector<uint8_t> out(jpeg, jpeg + size);
    tjFree(jpeg);
    tjDestroy(handle);
    return out;
}

std::string WriteTempFile(const std::string& name, const std::vector<uint8_t>& bytes) {
    auto folder = TempFolder();
    std::filesystem::create_directories(folder);
    std::string path = (folder / name).string();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return path;
}
