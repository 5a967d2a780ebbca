// Chooses the reader for an image file by its name and reports every
// failure to the player the way the framework always has: the reader's own
// box, then "file not found or out of memory".
#pragma once
#include "framework/display/decoded_image.h"

// Paths containing ".tga" (case-sensitive) go to the TGA reader, all others
// to the JPEG decoder. False after the message boxes; `out` is then empty.
bool ReadImageFile(const char* path, DecodedImage& out);
