#include "appearance/RoundBorderStrategy.h"

#include <GL/gl.h>

#include <cmath>

void RoundBorderStrategy::createDisplayList() {
    double r = 0.0;
    if (!takeCircle(r)) return;
    displayList.compile([&] {
        glEnable(GL_LINE_SMOOTH);
        if (numberSegments != 0) {  // an empty loop is not sent at all: drivers draw odd things for it
            const double step = 2.0 * M_PI / numberSegments;
            glBegin(GL_LINE_LOOP);
            for (std::uint32_t i = 0; i < numberSegments; ++i)
                glVertex3d(r * std::cos(i * step), r * std::sin(i * step), 0.0);
            glEnd();
        }
        glDisable(GL_LINE_SMOOTH);
    });
}
