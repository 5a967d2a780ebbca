// The renderer: the one part of the game that knows OpenGL. The display
// layer records each frame as a list of plain draw records and hands it
// over at the flip; the renderer compares it with the frame on screen
// (an equal frame is neither drawn nor swapped: the window keeps its
// picture), draws it with one vertex-array call per run of records that
// share texture and state, and presents it, scaled into the window when
// the window is not the game's size. Textures are made and deleted at once.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// --- textures ---
enum class TextureKind : uint8_t { PowerOfTwo, Rectangle };
enum class TexelFormat : uint8_t { Rgb, Rgba, Rgb8, Rgba8 }; // as GL's internal formats

struct TextureRequest {
    TextureKind kind = TextureKind::PowerOfTwo;
    int width = 0, height = 0;
    TexelFormat format = TexelFormat::Rgba8;
    bool linear = false;           // filtering; nearest otherwise
    bool repeat = false;           // wrap mode; clamped otherwise
    const uint8_t* rgba = nullptr; // width x height RGBA texels, rows from the top
};
// The texture's name (never 0), or 0 when there is no context.
uint32_t CreateTexture(const TextureRequest& request);
struct FrameList;
// A texture that the frame being recorded or the one on screen still draws
// lives on until no shown frame does; its name is not handed out meanwhile.
void DeleteTexture(uint32_t texture, const FrameList& recording);
void SetTextureFilter(uint32_t texture, TextureKind kind, bool linear);
int MaxTextureSide();
bool HasTextureRectangles();
// The driver's name for the benchmarks ("llvmpipe (LLVM 15.0.6, 256 bits)").
std::string RendererName();

// --- the recorded frame ---
// How a record meets the picture under it.
enum class Blend : uint8_t {
    Opaque,    // replaces it
    AlphaOver, // weighted by the record's alpha: a over b
    AlphaAdd,  // the record weighted by its alpha, added (destination alpha is 1)
};

// The scene transform for a record, in GL units (y up): shift by pre, turn
// `angle` degrees counter-clockwise and zoom about pivot, then shift by post.
struct View {
    float preX = 0, preY = 0;
    float pivotX = 0, pivotY = 0;
    float angle = 0, zoom = 1;
    float postX = 0, postY = 0;
    bool operator==(const View&) const = default;
};

struct DrawRecord {
    enum class Kind : uint8_t { Clear, Quad, Fill };
    Kind kind = Kind::Quad;
    Blend blend = Blend::Opaque;
    TextureKind textureKind = TextureKind::PowerOfTwo;
    bool turned = false; // the quad has its own turn and zoom (below)
    uint16_t view = 0;   // index into FrameList::views
    uint32_t texture = 0;
    float colour[4] = {1, 1, 1, 1}; // the clear colour for Kind::Clear
    // Corners in order, GL units, and texture coordinates for quads.
    float x[4] = {}, y[4] = {}, u[4] = {}, v[4] = {};
    // For turned quads: shift by (turnX, turnY), turn, zoom; then the corners.
    float turnX = 0, turnY = 0, turnAngle = 0, turnScale = 1;
    bool operator==(const DrawRecord&) const = default;
};

struct FrameList {
    int width = 0, height = 0; // the game picture in pixels
    std::vector<View> views;
    std::vector<DrawRecord> records;
};

// Draws the frame unless it equals the one on screen, and shows it.
// Returns false when it was skipped as unchanged.
bool PresentFrame(const FrameList& frame);
// Draws what has been recorded so far into the picture being drawn, without
// showing it, so that its pixels can be read (GL_READ_FRAMEBUFFER is the
// picture). Flip then draws only the rest.
void DrawRecordedSoFar(const FrameList& frame);
// The frame the player last saw, game-sized RGBA rows from the bottom up.
// False before any frame was shown.
bool ReadShownFrame(std::vector<uint8_t>& rgbaBottomUp, int* width, int* height);
// The next frame is drawn even when unchanged (the window was exposed,
// resized, focused, or its context lost).
void RedrawNextFrame();

} // namespace platform
