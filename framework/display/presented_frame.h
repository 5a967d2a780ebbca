// A copy of each frame as it is presented. After a swap the front buffer
// cannot be read back reliably (Mesa returns black or stale pixels), so the
// frame is read into memory just before the swap; screen grabs use that
// copy and so see exactly what the player last saw. Reading pixels back
// costs far less on llvmpipe than copying into a texture (0.45 ms against
// 3.8 ms a frame).
#pragma once
#include <cstdint>
#include <vector>

namespace presented_frame {

// Copies the drawn frame (screen-sized) into memory.
void Keep(int width, int height);
// The last kept frame as RGBA rows from the bottom of the screen upwards,
// width x height pixels. False when no frame has been kept at that size.
bool Read(int width, int height, std::vector<uint8_t>& rgbaBottomUp);
// Forgets the copy.
void Release();

} // namespace presented_frame
