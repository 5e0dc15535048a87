#ifndef DRAVIK_TESTS_FEEDBACKCAPTURE_H
#define DRAVIK_TESTS_FEEDBACKCAPTURE_H

// Captures what OpenGL drawing emits, through feedback mode: the lines and polygons with
// their vertices in window coordinates and their colours.

#include <GL/gl.h>

#include <functional>
#include <vector>

struct FeedbackVertex {
    double x, y, z;
    double rgba[4];
};

struct FeedbackPrimitive {
    enum Kind { Point, Line, Polygon } kind;
    std::vector<FeedbackVertex> vertices;
};

// Runs `draw` in feedback mode (GL_3D_COLOR, RGBA) and returns the primitives it produced.
inline std::vector<FeedbackPrimitive> captureFeedback(const std::function<void()>& draw) {
    std::vector<GLfloat> buffer(1 << 20);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const GLint used = glRenderMode(GL_RENDER);
    std::vector<FeedbackPrimitive> out;
    auto vertex = [&](GLint& i) {
        FeedbackVertex v{buffer[i], buffer[i + 1], buffer[i + 2], {buffer[i + 3], buffer[i + 4], buffer[i + 5], buffer[i + 6]}};
        i += 7;
        return v;
    };
    for (GLint i = 0; i < used;) {
        const auto token = static_cast<GLint>(buffer[i++]);
        if (token == GL_POINT_TOKEN || token == GL_BITMAP_TOKEN || token == GL_DRAW_PIXEL_TOKEN ||
            token == GL_COPY_PIXEL_TOKEN) {
            out.push_back({FeedbackPrimitive::Point, {vertex(i)}});
        } else if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
            FeedbackPrimitive line{FeedbackPrimitive::Line, {}};
            line.vertices.push_back(vertex(i));
            line.vertices.push_back(vertex(i));
            out.push_back(line);
        } else if (token == GL_POLYGON_TOKEN) {
            const auto n = static_cast<int>(buffer[i++]);
            FeedbackPrimitive polygon{FeedbackPrimitive::Polygon, {}};
            for (int k = 0; k < n; ++k) polygon.vertices.push_back(vertex(i));
            out.push_back(polygon);
        } else if (token == GL_PASS_THROUGH_TOKEN) {
            ++i;
        } else {
            break;  // not expected from the drawing under test
        }
    }
    return out;
}

#endif
