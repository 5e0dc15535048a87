#ifndef DRAVIK_TESTS_CONTAINERTESTSUPPORT_H
#define DRAVIK_TESTS_CONTAINERTESTSUPPORT_H

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>

#include "containers/BeltContainerStrategy.h"
#include "containers/BoundedContainerStrategy.h"
#include "containers/CurrentBeltContainerStrategy.h"
#include "manipulation/Touches.h"
#include "support/TestStrategies.h"

// Container strategies with their state in view.
template <class Base>
struct Probe : Base {
    using Base::Base;
    using Base::highlighted;
    using Base::selectedControlPoint;
    using Base::initializeDefaultShape;
};

struct ProbeCurrentBelt : Probe<CurrentBeltContainerStrategy> {
    using Probe<CurrentBeltContainerStrategy>::Probe;
    using CurrentBeltContainerStrategy::flowNormal;
};

inline unsigned bufferType(const char* name) {
    return ConstantProvider::getInstance()->getBufferTypeIdentifier(name);
}
inline unsigned char buttonValue(const std::string& name) {
    return static_cast<unsigned char>(ConstantProvider::getInstance()->getButtonBufferValue(name));
}

// A scene of 1024 x 768 without drawing; events go to components directly or through the
// manager's routing. OpenGL calls without a context do nothing, so strategies that draw
// work here too.
struct ContainerScene : ::testing::Test {
    DravikManager manager{nullptr, 0};
    void SetUp() override { manager.resize(1024, 768); }

    VisComponent* add(double x, double y, unsigned w, unsigned h, std::initializer_list<VisComponentStrategy*> strategies) {
        return placeComponent(manager, x, y, w, h, strategies);
    }
    // The button grid's value under the global point; "NO_BUTTON" outside it.
    static unsigned char button(VisComponent* c, double x, double y) {
        unsigned char v = buttonValue("NO_BUTTON");
        readActiveBufferCell(c, bufferType("BUTTON_BUFFER"), unsigned(x), unsigned(y), &v);
        return v;
    }
    // Each point's button value, by name.
    struct Button {
        double x, y;
        const char* name;
    };
    static void expectButtons(VisComponent* c, std::initializer_list<Button> points) {
        for (const Button& b : points) EXPECT_EQ(button(c, b.x, b.y), buttonValue(b.name)) << b.name << " at " << b.x << "," << b.y;
    }
    // The first two values of the component's own double grid at the global point; NaN
    // where there are none, so that a point off the grid fails every comparison.
    static std::array<double, 2> cell(VisComponent* c, const char* type, double x, double y) {
        std::array<double, 2> values{std::nan(""), std::nan("")};
        IBufferProxy* proxy = c->getActiveBufferByType(bufferType(type));
        IBuffer<double>* grid = proxy ? proxy->getBuffer<double>() : nullptr;
        double bx = 0, by = 0;
        c->convertGlobalToBufferCoords(x, y, bx, by);
        if (grid == nullptr || bx < 0 || by < 0 || bx >= grid->width || by >= grid->height) return values;
        const double* v = grid->data + (std::size_t(by) * grid->width + std::size_t(bx)) * grid->valuesPerCell;
        for (unsigned k = 0; k < grid->valuesPerCell && k < 2; ++k) values[k] = v[k];
        return values;
    }
};

#endif
