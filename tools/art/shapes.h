// Anti-aliased shapes as coverage functions, and the painters that fill
// them with a colour function (gradients are plain lambdas over x, y).
#pragma once

#include "canvas.h"

#include <functional>
#include <vector>

namespace art {

// Both are evaluated at pixel centres (x + 0.5, y + 0.5) in canvas pixels.
using Shader = std::function<Color(float x, float y)>;
using Coverage = std::function<float(float x, float y)>;

struct Box {
    int x = 0, y = 0, w = 0, h = 0;
    Box grown(int by) const { return {x - by, y - by, w + 2 * by, h + 2 * by}; }
};

struct Pt {
    float x, y;
};

Shader solid(Color c);
// Colour ramp from c0 at (x0, y0) to c1 at (x1, y1), clamped beyond.
Shader linear(float x0, float y0, Color c0, float x1, float y1, Color c1);
// Colour ramp from c0 at the centre to c1 at radius r (ellipse with ry).
Shader radial(float cx, float cy, float rx, float ry, Color c0, Color c1);

// Signed distances (negative inside).
float discDistance(float cx, float cy, float r, float x, float y);
float roundRectDistance(float x0, float y0, float x1, float y1, float radius, float x, float y);

Coverage disc(float cx, float cy, float r);
Coverage ring(float cx, float cy, float r, float width);
Coverage roundRect(float x0, float y0, float x1, float y1, float radius);
// Rounded-rectangle outline of the given width, inside the shape's edge.
Coverage roundRectFrame(float x0, float y0, float x1, float y1, float radius, float width);
// A segment with round ends (a line of thickness 2r).
Coverage capsule(float x0, float y0, float x1, float y1, float r);
// Any simple polygon, 4 x 4 samples per pixel.
Coverage polygon(std::vector<Pt> pts);
// A star of n points around (cx, cy), first point straight up.
std::vector<Pt> starPoints(float cx, float cy, float outer, float inner, int n, float turn = 0);

Mask rasterize(Box area, const Coverage& cover);
void paint(Canvas& c, Box area, const Coverage& cover, const Shader& shade);
void paintMask(Canvas& c, const Mask& m, int dx, int dy, const Shader& shade);
// The shape, blurred, offset and tinted: a drop shadow (or a glow with no offset).
void shadow(Canvas& c, Box area, const Coverage& cover, float dx, float dy, float radius,
            Color tint);

} // namespace art
