#ifndef DRAVIK_TESTS_APPEARANCE_GLPROBE_H
#define DRAVIK_TESTS_APPEARANCE_GLPROBE_H

#include <GL/gl.h>

#include <array>
#include <cmath>
#include <initializer_list>
#include <vector>

#include "support/FeedbackCapture.h"

// Looks at what OpenGL drew: the vertices of the primitives a draw call emits, and pixels.
namespace probe {

inline std::vector<FeedbackVertex> verticesOf(const std::vector<FeedbackPrimitive>& ps) {
    std::vector<FeedbackVertex> out;
    for (const FeedbackPrimitive& p : ps) out.insert(out.end(), p.vertices.begin(), p.vertices.end());
    return out;
}

inline double distance(const FeedbackVertex& v, double cx, double cy) { return std::hypot(v.x - cx, v.y - cy); }

using Rgb = std::array<int, 3>;

inline Rgb pixelAt(int x, int y) {
    unsigned char rgb[3] = {0, 0, 0};
    glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    return {rgb[0], rgb[1], rgb[2]};
}

// The pixels at the points (x, y) given, in their order.
inline std::vector<Rgb> pixelsAt(std::initializer_list<std::array<int, 2>> points) {
    std::vector<Rgb> out;
    for (const auto& p : points) out.push_back(pixelAt(p[0], p[1]));
    return out;
}

}  // namespace probe

#endif
