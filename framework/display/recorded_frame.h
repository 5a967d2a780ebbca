// The frame being drawn, as a list: each KGraphic draw appends a plain
// record (texture, corners, colour, blend, view) instead of drawing, and
// the flip hands the list to the platform's renderer, which draws it only
// when it differs from the frame on screen.
#pragma once
#include "framework/platform/platform_renderer.h"

namespace recorded_frame {

// The list so far. Its size is the game's screen size.
const platform::FrameList& Frame();
void SetSize(int width, int height);
// Later records are drawn in this view (the last one set stays in force
// from frame to frame, as GL's matrices did).
void SetView(const platform::View& view);
void AppendClear(const float colour[4]);
// Appended in the view in force.
void Append(platform::DrawRecord record);
// Hands the list to the renderer (drawn and shown unless unchanged) and
// starts the next frame's list. False when the frame was unchanged.
bool Present();
// Draws what has been recorded so far without showing it, so that a test
// can read back the pixels of the frame being drawn.
void DrawForReading();

// The texture of each kind last loaded or drawn: the one "bound" in GL's
// terms, which KGraphic::SetTextureFilter changes.
uint32_t LastTexture(platform::TextureKind kind);
void NoteTexture(platform::TextureKind kind, uint32_t texture);
void ForgetTexture(uint32_t texture);

} // namespace recorded_frame
