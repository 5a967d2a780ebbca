#include "framework/display/recorded_frame.h"

namespace recorded_frame {
namespace {

struct Recording {
    platform::FrameList frame;
    uint32_t lastTexture[2] = {0, 0}; // by TextureKind
} REC;

} // namespace

const platform::FrameList& Frame() {
    return REC.frame;
}

void SetSize(int width, int height) {
    REC.frame.width = width;
    REC.frame.height = height;
}

void SetView(const platform::View& view) {
    if (!REC.frame.views.empty() && REC.frame.views.back() == view) return;
    REC.frame.views.push_back(view);
}

void AppendClear(const float colour[4]) {
    platform::DrawRecord record;
    record.kind = platform::DrawRecord::Kind::Clear;
    for (int i = 0; i < 4; ++i)
        record.colour[i] = colour[i];
    Append(record);
}

void Append(platform::DrawRecord record) {
    if (REC.frame.views.empty()) REC.frame.views.emplace_back(); // the plain view
    record.view = static_cast<uint16_t>(REC.frame.views.size() - 1);
    if (record.kind == platform::DrawRecord::Kind::Quad)
        NoteTexture(record.textureKind, record.texture);
    REC.frame.records.push_back(record);
}

bool Present() {
    const bool shown = platform::PresentFrame(REC.frame);
    // The next frame starts in the view in force, with no records.
    platform::View view = REC.frame.views.empty() ? platform::View{} : REC.frame.views.back();
    REC.frame.views.assign(1, view);
    REC.frame.records.clear();
    return shown;
}

void DrawForReading() {
    platform::DrawRecordedSoFar(REC.frame);
}

uint32_t LastTexture(platform::TextureKind kind) {
    return REC.lastTexture[static_cast<int>(kind)];
}

void NoteTexture(platform::TextureKind kind, uint32_t texture) {
    REC.lastTexture[static_cast<int>(kind)] = texture;
}

void ForgetTexture(uint32_t texture) {
    for (uint32_t& t : REC.lastTexture)
        if (t == texture) t = 0;
}

} // namespace recorded_frame
