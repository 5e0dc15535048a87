#ifndef DRAVIK_TESTS_APPEARANCE_GLPROBE_H
#define DRAVIK_TESTS_APPEARANCE_GLPROBE_H

#include <GL/gl.h>

#include <array>
#include <cmath>
#include <vector>

// Looks at what OpenGL drew: the primitives of a draw call through feedback mode (window
// coordinates and colours of every vertex, as the rasteriser would get them), and pixels.
namespace probe {

struct Vertex {
    double x, y;
    double r, g, b, a;
};

struct Primitive {
    bool line;  // else a polygon
    std::vector<Vertex> vertices;
};

// The primitives that `draw` sends to the rasteriser, in order.
template <class Draw>
std::vector<Primitive> feedbackOf(Draw draw) {
    std::vector<GLfloat> buffer(1 << 16);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const GLint used = glRenderMode(GL_RENDER);
    std::vector<Primitive> out;
    auto vertex = [&](GLint& i) {
        const Vertex v{buffer[i], buffer[i + 1], buffer[i + 3], buffer[i + 4], buffer[i + 5], buffer[i + 6]};
        i += 7;
        return v;
    };
    for (GLint i = 0; i < used;) {
        const auto token = static_cast<GLenum>(buffer[i++]);
        if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
            Primitive p{true, {}};
            p.vertices.push_back(vertex(i));
            p.vertices.push_back(vertex(i));
            out.push_back(p);
        } else if (token == GL_POLYGON_TOKEN) {
            const auto n = static_cast<int>(buffer[i++]);
            Primitive p{false, {}};
            for (int k = 0; k < n; ++k) p.vertices.push_back(vertex(i));
            out.push_back(p);
        } else if (token == GL_PASS_THROUGH_TOKEN) {
            ++i;
        } else {  // points, bitmaps, pixel rectangles: one vertex
            vertex(i);
        }
    }
    return out;
}

inline std::size_t lineCount(const std::vector<Primitive>& ps) {
    std::size_t n = 0;
    for (const Primitive& p : ps) n += p.line;
    return n;
}

// Every vertex of the primitives.
inline std::vector<Vertex> verticesOf(const std::vector<Primitive>& ps) {
    std::vector<Vertex> out;
    for (const Primitive& p : ps) out.insert(out.end(), p.vertices.begin(), p.vertices.end());
    return out;
}

inline double distance(const Vertex& v, double cx, double cy) { return std::hypot(v.x - cx, v.y - cy); }

using Rgb = std::array<int, 3>;

inline Rgb pixelAt(int x, int y) {
    unsigned char rgb[3] = {0, 0, 0};
    glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    return {rgb[0], rgb[1], rgb[2]};
}

// True when the pixel has the colour within `tolerance` in each channel.
inline bool near(const Rgb& pixel, const Rgb& colour, int tolerance = 2) {
    for (int i = 0; i < 3; ++i)
        if (std::abs(pixel[i] - colour[i]) > tolerance) return false;
    return true;
}

}  // namespace probe

#endif
