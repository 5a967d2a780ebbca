// Shared by the display tests: one real window with a GL context per test
// program (Mesa under Xvfb, or SDL's offscreen driver without DISPLAY),
// message boxes captured instead of shown, pixel read-back, and images
// written as files.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class KDisplayWindow;

struct CapturedMessage {
    std::string caption;
    std::string text;
    bool operator==(const CapturedMessage&) const = default;
};

// Messages shown since the last ClearMessages().
std::vector<CapturedMessage>& Messages();
void ClearMessages();
// Routes KSystemTools::ShowMessage into Messages().
void CaptureMessages();

// The test program's window, opened on first use (640 x 480, windowed).
// Without an X server, windows open on SDL's offscreen driver.
void DrawOffscreenWithoutDisplay();
KDisplayWindow& TestWindow();

struct Rgb {
    int r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};
// A pixel of the frame being drawn, in screen coordinates (y downwards).
Rgb PixelAt(int x, int y);
// Clears the frame to a colour and sets the plain world view.
void StartFrame(float r, float g, float b);
// A pixel of the X server's screen, as the player sees it ({-1, -1, -1} if
// it cannot be read), and the pixels brighter than mid-grey in a rectangle.
Rgb ScreenPixel(int x, int y);
int BrightPixelsOnScreen(int x, int y, int width, int height);
// Asks `condition` every few milliseconds until it holds, for at most 30
// seconds (generous for a loaded machine); returns whether it did.
bool PollUntil(const std::function<bool()>& condition);
// What a shell command writes to its standard output.
std::string CommandOutput(const std::string& command);

struct Rgba {
    uint8_t r = 0, g = 0, b = 0, a = 255;
};
using PixelFunction = std::function<Rgba(int x, int y)>; // y from the top
// An uncompressed TGA, rows bottom-up, optionally behind the "pihs" tag.
std::vector<uint8_t> MakeTga(int width, int height, int bits, const PixelFunction& pixel,
                             bool tagged = false);
// A baseline JPEG encoded by TurboJPEG at the given quality.
std::vector<uint8_t> MakeJpeg(int width, int height, const PixelFunction& pixel, int quality);
// Writes bytes to a fresh file under the test's temporary folder.
std::string WriteTempFile(const std::string& name, const std::vector<uint8_t>& bytes);
