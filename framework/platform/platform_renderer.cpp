// The renderer (platform_renderer.h) on OpenGL 1.x: fixed function, client
// vertex arrays, GL_QUADS. Records are drawn in runs: consecutive quads
// with the same view, blend, texture and colour go out as one
// glDrawArrays, and state is sent only where a run differs from the last.
// Everything before a frame's last clear is hidden by it and not drawn.
#include "framework/platform/platform_renderer.h"

#include "framework/platform/platform_window_state.h"

#include <SDL_opengl.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace platform {
namespace {

// What was last sent to GL, so that a run changes only what differs.
struct SentState {
    bool valid = false;
    View view;
    Blend blend = Blend::Opaque;
    bool textured = false;
    TextureKind textureKind = TextureKind::PowerOfTwo;
    uint32_t texture = 0;
    float colour[4] = {};
};

struct RendererState {
    bool started = false;
    bool rectangles = false; // the context knows rectangle textures
    FrameList shown;         // the frame on screen
    bool hasShown = false;
    bool redraw = true;             // draw the next frame even when unchanged
    size_t drawnSoFar = 0;          // records of the frame being recorded drawn already
    bool pictureHoldsShown = false; // the picture buffer still holds `shown`
    // The window's back buffer keeps its pixels across a swap (Mesa's
    // software renderer copies it out; drivers that flip buffers do not).
    bool backBufferKept = false;
    std::vector<uint32_t> doomed;              // deleted, but a frame still draws them
    std::vector<float> positions, coordinates; // the run being gathered
    SentState sent;
};

RendererState R;

GLenum Target(TextureKind kind) {
    return kind == TextureKind::Rectangle ? GL_TEXTURE_RECTANGLE : GL_TEXTURE_2D;
}

// The first record a frame's picture depends on: its last clear.
size_t StartOfPicture(const FrameList& frame) {
    for (size_t i = frame.records.size(); i-- > 0;)
        if (frame.records[i].kind == DrawRecord::Kind::Clear) return i;
    return 0;
}

// True when the frame paints every pixel, so that its picture does not
// depend on what the buffer held: a clear, or an opaque unturned first
// record covering the screen in a plain view.
bool PaintsEveryPixel(const FrameList& frame) {
    if (frame.records.empty()) return false;
    const DrawRecord& first = frame.records[StartOfPicture(frame)];
    if (first.kind == DrawRecord::Kind::Clear) return true;
    const View& v = frame.views[first.view];
    if (first.blend != Blend::Opaque || first.turned || v.angle != 0 || v.zoom != 1 ||
        v.preX + v.postX != 0 || v.preY + v.postY != 0)
        return false;
    const auto [left, right] = std::minmax_element(first.x, first.x + 4);
    const auto [bottom, top] = std::minmax_element(first.y, first.y + 4);
    return *left <= 0 && *bottom <= 0 && *right >= frame.width && *top >= frame.height;
}

bool UsesTexture(const FrameList& frame, uint32_t texture) {
    return std::any_of(frame.records.begin(), frame.records.end(), [&](const DrawRecord& r) {
        return r.kind == DrawRecord::Kind::Quad && r.texture == texture;
    });
}

// A part of the picture in pixels, x0 <= x < x1, y0 <= y < y1 (GL rows).
struct Box {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    bool Empty() const { return x1 <= x0 || y1 <= y0; }
    void Add(const Box& b) {
        if (b.Empty()) return;
        if (Empty()) {
            *this = b;
            return;
        }
        x0 = std::min(x0, b.x0);
        y0 = std::min(y0, b.y0);
        x1 = std::max(x1, b.x1);
        y1 = std::max(y1, b.y1);
    }
};

// Where a record can touch pixels: its corners through its own turn and
// the view, widened by a pixel against rounding, cut to the picture.
Box RecordBox(const FrameList& frame, const DrawRecord& r) {
    Box box;
    if (r.kind == DrawRecord::Kind::Clear) return Box{0, 0, frame.width, frame.height};
    const View& v = frame.views[r.view];
    const double turn = r.turnAngle * M_PI / 180, angle = v.angle * M_PI / 180;
    double x0 = 1e30, y0 = 1e30, x1 = -1e30, y1 = -1e30;
    for (int k = 0; k < 4; ++k) {
        double x = r.x[k], y = r.y[k];
        if (r.turned) {
            const double tx = r.turnScale * (x * std::cos(turn) - y * std::sin(turn));
            const double ty = r.turnScale * (x * std::sin(turn) + y * std::cos(turn));
            x = tx + r.turnX;
            y = ty + r.turnY;
        }
        x += v.postX - v.pivotX;
        y += v.postY - v.pivotY;
        const double vx = v.zoom * (x * std::cos(angle) - y * std::sin(angle));
        const double vy = v.zoom * (x * std::sin(angle) + y * std::cos(angle));
        x = vx + v.pivotX + v.preX;
        y = vy + v.pivotY + v.preY;
        x0 = std::min(x0, x);
        y0 = std::min(y0, y);
        x1 = std::max(x1, x);
        y1 = std::max(y1, y);
    }
    box.x0 = std::max(0, static_cast<int>(std::floor(std::max(x0, -1.0))) - 1);
    box.y0 = std::max(0, static_cast<int>(std::floor(std::max(y0, -1.0))) - 1);
    box.x1 = std::min(frame.width, static_cast<int>(std::ceil(std::min(x1, 1e6))) + 1);
    box.y1 = std::min(frame.height, static_cast<int>(std::ceil(std::min(y1, 1e6))) + 1);
    return box;
}

bool SameRecord(const FrameList& a, const DrawRecord& ra, const FrameList& b, DrawRecord rb) {
    if (a.views[ra.view] != b.views[rb.view]) return false;
    rb.view = ra.view; // views are compared by value, not by index
    return ra == rb;
}

// The part of the picture where two frames that each paint every pixel
// differ: outside it both put the same records, in the same order, on
// every pixel. Empty when they are equal.
Box ChangedPart(const FrameList& now, const FrameList& before) {
    if (now.width != before.width || now.height != before.height)
        return Box{0, 0, now.width, now.height};
    const size_t a = StartOfPicture(now), b = StartOfPicture(before);
    const size_t n = std::max(now.records.size() - a, before.records.size() - b);
    Box changed;
    for (size_t i = 0; i < n; ++i) {
        const bool inNow = a + i < now.records.size();
        const bool inBefore = b + i < before.records.size();
        if (inNow && inBefore && SameRecord(now, now.records[a + i], before, before.records[b + i]))
            continue;
        if (inNow) changed.Add(RecordBox(now, now.records[a + i]));
        if (inBefore) changed.Add(RecordBox(before, before.records[b + i]));
    }
    return changed;
}

void ApplyView(const View& v, int width, int height) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, width, 0, height, -100, 100);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(v.preX, v.preY, 0);
    glTranslatef(v.pivotX, v.pivotY, 0);
    glRotatef(v.angle, 0, 0, 1);
    glScalef(v.zoom, v.zoom, 0);
    glTranslatef(-v.pivotX, -v.pivotY, 0);
    glTranslatef(v.postX, v.postY, 0);
}

void ApplyState(const FrameList& frame, const DrawRecord& r) {
    SentState& s = R.sent;
    const View& view = frame.views[r.view];
    if (!s.valid || !(s.view == view)) ApplyView(view, frame.width, frame.height);
    if (!s.valid || s.blend != r.blend) {
        if (r.blend == Blend::Opaque) {
            glDisable(GL_BLEND);
        } else {
            glEnable(GL_BLEND);
            glBlendFunc(GL_SRC_ALPHA,
                        r.blend == Blend::AlphaOver ? GL_ONE_MINUS_SRC_ALPHA : GL_DST_ALPHA);
        }
    }
    const bool textured = r.kind == DrawRecord::Kind::Quad;
    if (!s.valid || s.textured != textured || (textured && s.textureKind != r.textureKind)) {
        glDisable(GL_TEXTURE_2D);
        // A context without them (WebGL) refuses even to disable them.
        if (R.rectangles) glDisable(GL_TEXTURE_RECTANGLE);
        if (textured) glEnable(Target(r.textureKind));
    }
    if (textured && (!s.valid || s.texture != r.texture || s.textureKind != r.textureKind))
        glBindTexture(Target(r.textureKind), r.texture);
    if (!s.valid || std::memcmp(s.colour, r.colour, sizeof r.colour) != 0)
        glColor4f(r.colour[0], r.colour[1], r.colour[2], r.colour[3]);
    s.valid = true;
    s.view = view;
    s.blend = r.blend;
    s.textured = textured;
    s.textureKind = r.textureKind;
    if (textured) s.texture = r.texture;
    std::memcpy(s.colour, r.colour, sizeof r.colour);
}

void Gather(const DrawRecord& r) {
    for (int k = 0; k < 4; ++k) {
        R.positions.insert(R.positions.end(), {r.x[k], r.y[k]});
        R.coordinates.insert(R.coordinates.end(), {r.u[k], r.v[k]});
    }
}

void Flush() {
    if (R.positions.empty()) return;
    glVertexPointer(2, GL_FLOAT, 0, R.positions.data());
    glTexCoordPointer(2, GL_FLOAT, 0, R.coordinates.data());
    glDrawArrays(GL_QUADS, 0, static_cast<GLsizei>(R.positions.size() / 2));
    R.positions.clear();
    R.coordinates.clear();
}

bool SameRun(const FrameList& frame, const DrawRecord& a, const DrawRecord& b) {
    return a.kind == b.kind && a.blend == b.blend && a.texture == b.texture &&
           a.textureKind == b.textureKind && !a.turned && !b.turned &&
           std::memcmp(a.colour, b.colour, sizeof a.colour) == 0 &&
           frame.views[a.view] == frame.views[b.view];
}

void DrawRecords(const FrameList& frame, size_t from) {
    R.sent.valid = false; // others (texture uploads, tests) may have changed GL
    const DrawRecord* previous = nullptr;
    for (size_t i = from; i < frame.records.size(); ++i) {
        const DrawRecord& r = frame.records[i];
        if (r.kind == DrawRecord::Kind::Clear) {
            Flush();
            previous = nullptr;
            glClearColor(r.colour[0], r.colour[1], r.colour[2], r.colour[3]);
            glClear(GL_COLOR_BUFFER_BIT);
            continue;
        }
        if (previous && SameRun(frame, *previous, r)) {
            Gather(r);
            previous = &r;
            continue;
        }
        Flush();
        ApplyState(frame, r);
        if (!r.turned) {
            Gather(r);
            previous = &r;
            continue;
        }
        // A turned quad carries its own transform and is drawn alone.
        glPushMatrix();
        glTranslatef(r.turnX, r.turnY, 0);
        if (r.turnAngle != 0) glRotatef(r.turnAngle, 0, 0, 1);
        if (r.turnScale != 1) glScalef(r.turnScale, r.turnScale, 0);
        Gather(r);
        Flush();
        glPopMatrix();
        previous = nullptr;
    }
    Flush();
}

// Deletes the textures that no frame still on screen draws.
void DeleteDoomedTextures() {
    auto gone = std::remove_if(R.doomed.begin(), R.doomed.end(), [](uint32_t texture) {
        if (R.hasShown && UsesTexture(R.shown, texture)) return false;
        glDeleteTextures(1, &texture);
        return true;
    });
    R.doomed.erase(gone, R.doomed.end());
}

void SetFilter(GLenum target, bool linear) {
    const GLint filter = linear ? GL_LINEAR : GL_NEAREST;
    glTexParameteri(target, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(target, GL_TEXTURE_MAG_FILTER, filter);
}

void PrepareTarget() {
    if (detail::FitPictureToWindow()) {
        // A new buffer holds nothing drawn yet.
        R.redraw = true;
        R.drawnSoFar = 0;
        R.pictureHoldsShown = false;
    }
}

// Shows an all but black window and reads the back buffer after the swap:
// its colour is still there only where the driver keeps the back buffer,
// which lets a changed frame redraw just the part that changed. A plain
// clear: the first shader the driver compiles would hold the window back.
bool BackBufferSurvivesSwap() {
    if (detail::Window().picture.scaled) return false; // the picture is not in the window
    glClearColor(3 / 255.0f, 0, 5 / 255.0f, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    SDL_GL_SwapWindow(detail::Window().window);
    uint8_t pixel[4] = {};
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    return pixel[0] == 3 && pixel[1] == 0 && pixel[2] == 5;
}

} // namespace

uint32_t CreateTexture(const TextureRequest& request) {
    if (!R.started) return 0;
    static const GLint formats[] = {GL_RGB, GL_RGBA, GL_RGB8, GL_RGBA8};
    const GLenum target = Target(request.kind);
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(target, texture);
    GLenum layout = GL_RGBA;
    const uint8_t* texels = request.rgba;
#ifdef __EMSCRIPTEN__
    // WebGL takes texels only laid out as their internal format: RGB ones
    // go without their alpha bytes.
    std::vector<uint8_t> packed;
    if (request.rgba &&
        (request.format == TexelFormat::Rgb || request.format == TexelFormat::Rgb8)) {
        const size_t count = static_cast<size_t>(request.width) * request.height;
        packed.resize(count * 3);
        for (size_t i = 0; i < count; ++i)
            std::copy_n(request.rgba + 4 * i, 3, packed.data() + 3 * i);
        texels = packed.data();
    }
    if (request.format == TexelFormat::Rgb || request.format == TexelFormat::Rgb8) layout = GL_RGB;
#endif
    glTexImage2D(target, 0, formats[static_cast<int>(request.format)], request.width,
                 request.height, 0, layout, GL_UNSIGNED_BYTE, texels);
    SetFilter(target, request.linear);
    // Rectangle textures cannot repeat; clamping is their only wrap mode.
    const GLint wrap = request.repeat && target == GL_TEXTURE_2D ? GL_REPEAT : GL_CLAMP_TO_EDGE;
    glTexParameteri(target, GL_TEXTURE_WRAP_S, wrap);
    glTexParameteri(target, GL_TEXTURE_WRAP_T, wrap);
    return texture;
}

void DeleteTexture(uint32_t texture, const FrameList& recording) {
    if (!R.started || texture == 0) return;
    if (UsesTexture(recording, texture) || (R.hasShown && UsesTexture(R.shown, texture))) {
        R.doomed.push_back(texture);
        return;
    }
    glDeleteTextures(1, &texture);
}

void SetTextureFilter(uint32_t texture, TextureKind kind, bool linear) {
    if (!R.started || texture == 0) return;
    glBindTexture(Target(kind), texture);
    SetFilter(Target(kind), linear);
    R.redraw = true; // the same records now look different
}

int MaxTextureSide() {
    GLint side = 0;
    if (R.started) glGetIntegerv(GL_MAX_TEXTURE_SIZE, &side);
    return side;
}

bool HasTextureRectangles() {
    if (!R.started) return false;
    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    if (!extensions) return false;
    for (const char* name :
         {"GL_EXT_texture_rectangle", "GL_NV_texture_rectangle", "GL_ARB_texture_rectangle"})
        if (std::strstr(extensions, name)) return true;
    return false;
}

std::string RendererName() {
    const char* name =
        R.started ? reinterpret_cast<const char*>(glGetString(GL_RENDERER)) : nullptr;
    return name ? name : "";
}

bool PresentFrame(const FrameList& frame) {
    if (!R.started) return false;
    PrepareTarget();
    const bool covered = PaintsEveryPixel(frame);
    // Both frames paint every pixel and no redraw is due: an unchanged
    // frame is skipped, and when the buffer still holds the frame on screen
    // only the changed part is drawn again.
    Box part{0, 0, frame.width, frame.height};
    if (R.hasShown && R.drawnSoFar == 0 && !R.redraw && covered && PaintsEveryPixel(R.shown)) {
        const Box changed = ChangedPart(frame, R.shown);
        if (changed.Empty()) {
            DeleteDoomedTextures();
            return false;
        }
        if (R.pictureHoldsShown) part = changed;
    }
    const bool whole =
        part.x0 == 0 && part.y0 == 0 && part.x1 == frame.width && part.y1 == frame.height;
    if (!whole) {
        glEnable(GL_SCISSOR_TEST);
        glScissor(part.x0, part.y0, part.x1 - part.x0, part.y1 - part.y0);
    }
    // A frame that does not paint every pixel draws over the one before.
    DrawRecords(frame, R.drawnSoFar > 0 ? R.drawnSoFar : StartOfPicture(frame));
    if (!whole) glDisable(GL_SCISSOR_TEST);
    detail::ShowPicture();
    R.shown = frame;
    R.hasShown = true;
    R.redraw = false;
    R.drawnSoFar = 0;
    R.pictureHoldsShown = detail::Window().picture.scaled || R.backBufferKept;
    DeleteDoomedTextures();
    return true;
}

void DrawRecordedSoFar(const FrameList& frame) {
    if (!R.started) return;
    PrepareTarget();
    DrawRecords(frame, R.drawnSoFar > 0 ? R.drawnSoFar : StartOfPicture(frame));
    R.drawnSoFar = frame.records.size();
    R.pictureHoldsShown = false;
}

bool ReadShownFrame(std::vector<uint8_t>& rgbaBottomUp, int* width, int* height) {
    if (!R.started || !R.hasShown) return false;
    PrepareTarget();
    // Drawn again when the buffer no longer holds it. A frame that drew over
    // the one before cannot be: its buffer is read as it is (drivers that
    // keep the back buffer across swaps, as Mesa's software one does, still
    // hold it).
    if (!R.pictureHoldsShown && PaintsEveryPixel(R.shown)) {
        DrawRecords(R.shown, StartOfPicture(R.shown));
        R.pictureHoldsShown = true;
        R.drawnSoFar = 0; // the frame being recorded starts over on it
    }
    *width = R.shown.width;
    *height = R.shown.height;
    rgbaBottomUp.resize(static_cast<size_t>(*width) * *height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, *width, *height, GL_RGBA, GL_UNSIGNED_BYTE, rgbaBottomUp.data());
    return true;
}

void RedrawNextFrame() {
    R.redraw = true;
}

namespace detail {

void StartRenderer() {
    R = RendererState{};
    R.started = true;
    R.rectangles = HasTextureRectangles();
    Window().picture.outputWidth = Window().picture.outputHeight = 0;
    FitPictureToWindow();
    glDisable(GL_DEPTH_TEST);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    R.backBufferKept = BackBufferSurvivesSwap();
}

void StopRenderer() {
    R.hasShown = false;
    DeleteDoomedTextures();
    R.shown = FrameList{};
    R.started = false;
}

void NoteWindowEvent(const SDL_Event& event) {
    if (event.type == SDL_RENDER_TARGETS_RESET || event.type == SDL_RENDER_DEVICE_RESET) {
        R.redraw = true;
        return;
    }
    if (event.type != SDL_WINDOWEVENT) return;
    switch (event.window.event) {
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_RESIZED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
    case SDL_WINDOWEVENT_MAXIMIZED:
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_FOCUS_GAINED:
    case SDL_WINDOWEVENT_FOCUS_LOST:
    case SDL_WINDOWEVENT_TAKE_FOCUS:
        R.redraw = true;
        break;
    default:
        break;
    }
}

} // namespace detail
} // namespace platform
