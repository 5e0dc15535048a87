#include "player/GridView.h"

#include <GL/freeglut.h>
#include <GL/gl.h>

#include <algorithm>
#include <cctype>
#include <cmath>

#include "framework/ConstantProvider.h"
#include "framework/DravikManager.h"
#include "framework/VisComponent.h"

namespace {

constexpr double kDegreesPerRadian = 57.29577951308232;
constexpr unsigned kLargestTextureSide = 512;  // grids are sampled down to this
constexpr unsigned kArrowSpacing = 24;         // cells between arrows
constexpr double kReadsPerArrow = 8.0;         // a direction arrow shows this many reads of travel

// Distinct colours for button areas, picked by value.
constexpr unsigned char kPalette[][3] = {{230, 25, 75},  {60, 180, 75},   {255, 225, 25}, {0, 130, 200},
                                         {245, 130, 48}, {145, 30, 180},  {70, 240, 240}, {240, 50, 230},
                                         {210, 245, 60}, {250, 190, 212}, {0, 128, 128},  {220, 190, 255}};

void collect(VisComponent* c, std::vector<VisComponent*>& out) {
    out.push_back(c);
    for (VisComponent* child : c->getChildren()) collect(child, out);
}

void drawArrow(double x, double y, double dx, double dy) {
    const double length = std::hypot(dx, dy);
    if (length == 0.0) return;
    const double ux = dx / length, uy = dy / length, head = std::min(5.0, length * 0.5);
    glVertex2d(x, y);
    glVertex2d(x + dx, y + dy);
    glVertex2d(x + dx, y + dy);
    glVertex2d(x + dx - head * (ux + uy * 0.6), y + dy - head * (uy - ux * 0.6));
    glVertex2d(x + dx, y + dy);
    glVertex2d(x + dx - head * (ux - uy * 0.6), y + dy - head * (uy + ux * 0.6));
}

}  // namespace

const std::vector<std::string>& GridView::gridNames() {
    static const std::vector<std::string> names = {"BUTTON_BUFFER", "FRICTION_BUFFER", "SIZE_BUFFER",
                                                   "ORIENTATION_BUFFER", "DIRECTION_BUFFER"};
    return names;
}

std::string GridView::resolve(const std::string& name) {
    for (const std::string& full : gridNames()) {
        std::string shortName = full.substr(0, full.find('_'));
        std::transform(shortName.begin(), shortName.end(), shortName.begin(),
                       [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
        if (name == full || name == shortName) return full;
    }
    return "";
}

GridView::GridView(std::string name) : gridName(std::move(name)) {
    if (!gridName.empty()) gridType = ConstantProvider::getInstance()->getBufferTypeIdentifier(gridName);
}

GridView::~GridView() {
    if (texture != 0) glDeleteTextures(1, &texture);
}

void GridView::next() {
    const std::vector<std::string>& names = gridNames();
    const auto at = std::find(names.begin(), names.end(), gridName);
    gridName = at == names.end() ? names.front() : (at + 1 == names.end() ? "" : *(at + 1));
    gridType = gridName.empty() ? 0 : ConstantProvider::getInstance()->getBufferTypeIdentifier(gridName);
}

void GridView::draw(const DravikManager& manager) {
    if (gridName.empty()) return;
    std::vector<VisComponent*> all;
    if (manager.rootComponent != nullptr) collect(manager.rootComponent, all);
    for (VisComponent* c : manager.components) collect(c, all);

    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_CURRENT_BIT | GL_TEXTURE_BIT | GL_LINE_BIT);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    for (VisComponent* c : all) {
        const IBufferProxy* proxy = c->getActiveBufferByType(gridType);
        if (proxy != nullptr && proxy->buffer != nullptr && proxy->buffer->getActualWidth() != 0 &&
            proxy->buffer->getActualHeight() != 0)
            drawComponent(*c, *proxy->buffer);
    }
    drawLabel();
    glPopAttrib();
}

void GridView::drawComponent(const VisComponent& c, const IBufferBase& grid) {
    glPushMatrix();
    glTranslated(c.position.x, c.position.y, c.position.z);
    glRotated(c.angle * kDegreesPerRadian, 0.0, 0.0, 1.0);
    glScaled(c.scale.x, c.scale.y, 1.0);
    // Cell (x, y) lies at component coordinates (x - actual width / 2, y - actual height / 2).
    glTranslated(-static_cast<double>(grid.getActualWidth() >> 1), -static_cast<double>(grid.getActualHeight() >> 1),
                 0.0);
    if (grid.getCellKind() == IBufferBase::CellKind::Double && grid.valuesPerCell >= 2)
        drawArrows(static_cast<const IBuffer<double>&>(grid), gridName == "DIRECTION_BUFFER");
    else
        drawAsTexture(grid);
    glPopMatrix();
}

void GridView::drawAsTexture(const IBufferBase& grid) {
    const unsigned w = grid.getActualWidth(), h = grid.getActualHeight();
    const unsigned step = std::max(1u, (std::max(w, h) + kLargestTextureSide - 1) / kLargestTextureSide);
    const unsigned tw = (w + step - 1) / step, th = (h + step - 1) / step;
    pixels.assign(std::size_t(tw) * th * 4, 0);
    const auto kind = grid.getCellKind();
    const unsigned stride = grid.valuesPerCell;

    double largest = 0.0;  // shading of double grids runs up to the largest value
    if (kind == IBufferBase::CellKind::Double) {
        const auto& g = static_cast<const IBuffer<double>&>(grid);
        for (unsigned y = 0; y < h; y += step)
            for (unsigned x = 0; x < w; x += step) largest = std::max(largest, g.data[(std::size_t(y) * g.width + x) * stride]);
    }
    const unsigned char noButton =
        static_cast<unsigned char>(ConstantProvider::getInstance()->getButtonBufferValue("NO_BUTTON"));
    for (unsigned j = 0; j < th; ++j)
        for (unsigned i = 0; i < tw; ++i) {
            const std::size_t cell = (std::size_t(j) * step * grid.width + std::size_t(i) * step) * stride;
            unsigned char* p = &pixels[(std::size_t(j) * tw + i) * 4];
            if (kind == IBufferBase::CellKind::Byte) {
                const unsigned char v = static_cast<const IBuffer<unsigned char>&>(grid).data[cell];
                if (v == noButton) continue;
                std::copy_n(kPalette[v % (sizeof kPalette / sizeof kPalette[0])], 3, p);
                p[3] = 150;
            } else if (kind == IBufferBase::CellKind::Bool) {
                if (!static_cast<const IBuffer<bool>&>(grid).data[cell]) continue;
                p[0] = p[1] = p[2] = 255;
                p[3] = 110;
            } else {
                const double v = static_cast<const IBuffer<double>&>(grid).data[cell];
                if (!(v > 0.0) || !(largest > 0.0)) continue;
                const double t = std::min(v / largest, 1.0);  // dark blue, through cyan, to white
                p[0] = static_cast<unsigned char>(255 * std::max(0.0, t * 2.0 - 1.0));
                p[1] = static_cast<unsigned char>(255 * std::min(1.0, t * 1.5));
                p[2] = static_cast<unsigned char>(120 + 135 * t);
                p[3] = static_cast<unsigned char>(60 + 150 * t);
            }
        }

    if (texture == 0) glGenTextures(1, &texture);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    const GLint filter = kind == IBufferBase::CellKind::Double ? GL_LINEAR : GL_NEAREST;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, static_cast<GLsizei>(tw), static_cast<GLsizei>(th), 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, pixels.data());
    const double right = double(tw) * step, top = double(th) * step;
    glColor4d(1.0, 1.0, 1.0, 1.0);
    glBegin(GL_QUADS);  // texture row 0 is grid row 0, at the bottom
    glTexCoord2d(0.0, 0.0);
    glVertex2d(0.0, 0.0);
    glTexCoord2d(1.0, 0.0);
    glVertex2d(right, 0.0);
    glTexCoord2d(1.0, 1.0);
    glVertex2d(right, top);
    glTexCoord2d(0.0, 1.0);
    glVertex2d(0.0, top);
    glEnd();
    glDisable(GL_TEXTURE_2D);
}

void GridView::drawArrows(const IBuffer<double>& grid, bool direction) {
    glLineWidth(1.5f);
    glBegin(GL_LINES);
    for (unsigned y = kArrowSpacing / 2; y < grid.getActualHeight(); y += kArrowSpacing)
        for (unsigned x = kArrowSpacing / 2; x < grid.getActualWidth(); x += kArrowSpacing) {
            const double* v = grid.data + (std::size_t(y) * grid.width + x) * grid.valuesPerCell;
            const double length = std::hypot(v[0], v[1]);
            if (!(length > 0.0) || !std::isfinite(length)) continue;
            if (direction) {
                // Eight reads of travel, at most most of the way to the next arrow.
                const double shown = std::min(length * kReadsPerArrow, kArrowSpacing - 4.0);
                const double t = std::min(length / 4.0, 1.0);
                glColor4d(1.0, 0.55 + 0.45 * t, 0.15, 0.55 + 0.45 * t);
                drawArrow(x, y, v[0] / length * shown, v[1] / length * shown);
            } else {
                // The way an item's top faces there.
                glColor4d(1.0, 1.0, 1.0, 0.85);
                drawArrow(x - v[0] / length * 6.0, y - v[1] / length * 6.0, v[0] / length * 12.0, v[1] / length * 12.0);
            }
        }
    glEnd();
}

void GridView::drawLabel() const {
    const std::string text = "grid: " + gridName + "   (F2: next grid)";
    glColor4d(0.0, 0.0, 0.0, 0.6);
    glRectd(4.0, 4.0, 12.0 + 7.0 * text.size(), 22.0);
    glColor4d(1.0, 1.0, 1.0, 1.0);
    glRasterPos2d(8.0, 9.0);
    for (char ch : text) glutBitmapCharacter(GLUT_BITMAP_HELVETICA_12, ch);
}
