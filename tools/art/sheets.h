// One painter per image file of the game.
#pragma once

#include "image_files.h"

namespace art {

Image playSheet();         // gfx/play2.tga
Image largeFontSheet();    // gfx/font2.jpg
Image smallFontSheet();    // gfx/font.tga
Image menuSheet();         // gfx/menu.jpg
Image menuBackground();    // gfx/back.jpg
Image selectSheet();       // gfx/select.jpg
Image introLogo();         // gfx/logo.jpg
Image frameworkMark();     // gfx/TORV.tga
Image pointer();           // gfx/pointer.tga
Image pointerOverButton(); // gfx/Pointer2.tga
Image pointerShadow();     // gfx/Pointer_s.tga
Image windowIcon();        // gfx/icon.tga

} // namespace art
