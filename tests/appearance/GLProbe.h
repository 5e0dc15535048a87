#ifndef DRAVIK_TESTS_APPEARANCE_GLPROBE_H
#define DRAVIK_TESTS_APPEARANCE_GLPROBE_H

#include <GL/gl.h>

#include <array>
#include <cmath>
#include <initializer_list>
#include <vector>

#include "support/FeedbackCapture.h"

// Looks at what OpenGL drew: the lines and polygons of a draw call through feedback mode
// (window coordinates and colours of their vertices), and pixels.
namespace probe {

struct Vertex {
    double x, y;
    double r, g, b, a;
};
using Primitive = std::vector<Vertex>;

template <class Draw>
std::vector<Primitive> feedbackOf(Draw draw) {
    std::vector<Primitive> out;
    for (const FeedbackPrimitive& p : captureFeedback(draw)) {
        if (p.kind == FeedbackPrimitive::Point) continue;
        Primitive& q = out.emplace_back();
        for (const FeedbackVertex& v : p.vertices) q.push_back({v.x, v.y, v.rgba[0], v.rgba[1], v.rgba[2], v.rgba[3]});
    }
    return out;
}

inline std::vector<Vertex> verticesOf(const std::vector<Primitive>& ps) {
    std::vector<Vertex> out;
    for (const Primitive& p : ps) out.insert(out.end(), p.begin(), p.end());
    return out;
}

inline double distance(const Vertex& v, double cx, double cy) { return std::hypot(v.x - cx, v.y - cy); }

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

// True when the pixel has the colour within `tolerance` in each channel.
inline bool near(const Rgb& pixel, const Rgb& colour, int tolerance = 2) {
    for (int i = 0; i < 3; ++i)
        if (std::abs(pixel[i] - colour[i]) > tolerance) return false;
    return true;
}

}  // namespace probe

#endif
