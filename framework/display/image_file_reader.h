// Chooses the reader for an image file by the ending of its name and tells
// the player about a file that cannot be shown: one message box whose
// caption is the reason and whose text is the path.
#pragma once
#include "framework/display/decoded_image.h"

// Paths ending in ".tga" (case-sensitive) go to the TGA reader, all others
// to the JPEG decoder. False after the message box; `out` is then empty.
bool ReadImageFile(const char* path, DecodedImage& out);
