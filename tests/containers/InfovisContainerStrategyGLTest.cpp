#include <gtest/gtest.h>

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "containers/CircularInfovisContainerStrategy.h"
#include "support/FeedbackCapture.h"
#include "support/GLContext.h"
#include "support/TestStrategies.h"

namespace {

struct Infovis : GLTest {
    DravikManager manager{nullptr, 0};
    unsigned buttonType = ConstantProvider::getInstance()->getBufferTypeIdentifier("BUTTON_BUFFER");
    unsigned char noButton = static_cast<unsigned char>(ConstantProvider::getInstance()->getButtonBufferValue("NO_BUTTON"));

    // A w x h container with the strategy; components of the framework draw no picking
    // rectangle of their own, so only the strategy's shape is drawn.
    VisComponent* place(InfovisContainerStrategy* strategy, unsigned w, unsigned h) {
        return placeComponent(manager, 0, 0, w, h, {strategy});
    }
    // The picking draw centred on window pixel (128, 128).
    static void drawPicking(VisComponent* c) {
        glPushMatrix();
        glTranslated(128, 128, 0);
        c->renderForPicking();
        glPopMatrix();
    }
    // What it emits.
    static std::vector<FeedbackPrimitive> picking(VisComponent* c) {
        return captureFeedback([&] { drawPicking(c); });
    }
    // The identifier it leaves under window pixel (128 + dx, 128 + dy).
    static unsigned long pickedAt(VisComponent* c, int dx, int dy) {
        glClear(GL_COLOR_BUFFER_BIT);
        drawPicking(c);
        unsigned char rgb[3] = {0, 0, 0};
        glReadPixels(128 + dx, 128 + dy, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
        return VisComponent::convertColorToId(rgb);
    }
    bool allNoButton(const VisComponent* c) const {
        const IBuffer<unsigned char>* grid = c->getActiveBufferByType(buttonType)->getBuffer<unsigned char>();
        return std::all_of(grid->data, grid->data + grid->width * grid->height, [&](unsigned char v) { return v == noButton; });
    }
};

}  // namespace

TEST_F(Infovis, OffersANoButtonGridAndPicksItsRectangle) {
    VisComponent* c = place(new InfovisContainerStrategy, 100, 60);
    ASSERT_NE(c->getActiveBufferByType(buttonType), nullptr);
    EXPECT_TRUE(allNoButton(c));
    EXPECT_TRUE(c->isContainerFor(nullptr));
    EXPECT_TRUE(captureFeedback([&] { c->render({}); }).empty()) << "the normal pass draws nothing";
    EXPECT_EQ(pickedAt(c, 45, 25), c->id);
    EXPECT_EQ(pickedAt(c, 55, 0), VisComponent::NoComponentId);

    IBuffer<unsigned char>* grid = c->getActiveBufferByType(buttonType)->getBuffer<unsigned char>();
    grid->fill(9);
    c->resizeActiveBuffers();  // the same size: refilled all the same
    EXPECT_TRUE(allNoButton(c));
    c->resize(40, 20);
    EXPECT_EQ(grid->width, 40u);
    EXPECT_TRUE(allNoButton(c));
    EXPECT_EQ(pickedAt(c, 25, 0), VisComponent::NoComponentId) << "the shape follows the size";
    EXPECT_EQ(pickedAt(c, 15, 0), c->id);
}

TEST_F(Infovis, CircularContainersPickTheirLargestCentredDisc) {
    VisComponent* c = place(new CircularInfovisContainerStrategy, 200, 100);
    EXPECT_EQ(picking(c).size(), 36u);
    // Inside the disc; then a corner of the rectangle, and just beyond the disc.
    const unsigned long none = VisComponent::NoComponentId;
    EXPECT_EQ((std::vector<unsigned long>{pickedAt(c, 45, 0), pickedAt(c, 0, -45), pickedAt(c, 90, 40), pickedAt(c, 40, 40)}),
              (std::vector<unsigned long>{c->id, c->id, none, none}));

    // Triangles for other edge angles: too few or too many edges pick nothing.
    const double angles[] = {90.0, 7.0, -10.0, 0.0, std::nan(""), 1e-9};
    const std::size_t triangles[] = {4, 51, 0, 0, 0, 0};
    for (int k = 0; k < 6; ++k)
        EXPECT_EQ(picking(place(new CircularInfovisContainerStrategy(angles[k]), 200, 100)).size(), triangles[k]) << angles[k];
    VisComponent* flat = place(new CircularInfovisContainerStrategy, 0, 100);
    EXPECT_EQ(pickedAt(flat, 0, 0), VisComponent::NoComponentId);
}
