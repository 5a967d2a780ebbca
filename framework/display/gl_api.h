// OpenGL 1.x for the drawing code, with the rectangle-texture enum that
// GL 1.x headers may lack.
#pragma once
#include <GL/gl.h>
#include <GL/glext.h>

#ifndef GL_TEXTURE_RECTANGLE
#define GL_TEXTURE_RECTANGLE 0x84F5
#endif
