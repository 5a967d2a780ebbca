// A copy of each frame as it is presented. After a swap the front buffer
// cannot be read back reliably (Mesa returns black or stale pixels), so the
// frame is copied into a texture just before the swap; screen grabs read
// that copy and so see exactly what the player last saw.
#pragma once
#include <cstdint>
#include <vector>

namespace presented_frame {

// Copies the drawn frame (screen-sized) into the keeping texture.
void Keep(int width, int height, bool hasTextureRectangle);
// The last kept frame as RGBA rows from the bottom of the screen upwards,
// width x height pixels. False when no frame has been kept at that size.
bool Read(int width, int height, std::vector<uint8_t>& rgbaBottomUp);
// Deletes the keeping texture (before the context goes).
void Release();

} // namespace presented_frame
