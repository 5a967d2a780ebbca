// WebGL 2 chooses draw buffers only as a list; the renderer names one at a
// time, the window's back buffer or the picture's one colour attachment.
#include <GLES3/gl3.h>

extern "C" void glDrawBuffer(GLenum buffer) {
    glDrawBuffers(1, &buffer);
}
