// The game window as the X server has it, where SDL's own picture of it
// falls short. Private to framework/platform; without X11 (another video
// driver) both fall back to SDL.
#pragma once

namespace platform::detail {

// The drawable's real size in pixels. SDL reports the size it last asked
// for: without a window manager to grant a full-screen request it reports
// the display's size while the window keeps its own.
void RealDrawableSize(int* width, int* height);
// Without a window manager nobody carries out a full-screen request: the
// window is moved over the display here instead.
void CoverDisplayWithoutWindowManager();

} // namespace platform::detail
