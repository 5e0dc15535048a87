#ifndef DRAVIK_TESTS_CONTAINERTESTSUPPORT_H
#define DRAVIK_TESTS_CONTAINERTESTSUPPORT_H

#include <gtest/gtest.h>

#include <string>

#include "containers/BeltContainerStrategy.h"
#include "containers/BoundedContainerStrategy.h"
#include "containers/CurrentBeltContainerStrategy.h"
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
        VisComponent* c = makeComponent(x, y, w, h);
        for (VisComponentStrategy* s : strategies) c->pushStrategy(s);
        manager.addComponent(c);
        return c;
    }
    static void send(VisComponent* c, const char* type, double x, double y) {
        DravikEvent e(eventType(type), 1, x, y);
        c->onEvent(&e);
    }
    void route(const char* type, double x, double y, unsigned user = 1) {
        DravikEvent e(eventType(type), user, x, y);
        manager.processEvent(&e, nullptr);
    }
    // The button grid's value under the global point; "NO_BUTTON" outside it.
    static unsigned char button(VisComponent* c, double x, double y) {
        unsigned char v = buttonValue("NO_BUTTON");
        readActiveBufferCell(c, bufferType("BUTTON_BUFFER"), unsigned(x), unsigned(y), &v);
        return v;
    }
    // The values of the component's own double grid at the global point; false outside.
    static bool cell(VisComponent* c, const char* type, double x, double y, double* values) {
        IBufferProxy* proxy = c->getActiveBufferByType(bufferType(type));
        IBuffer<double>* grid = proxy ? proxy->getBuffer<double>() : nullptr;
        double bx = 0, by = 0;
        c->convertGlobalToBufferCoords(x, y, bx, by);
        if (grid == nullptr || bx < 0 || by < 0 || bx >= grid->width || by >= grid->height) return false;
        const double* v = grid->data + (std::size_t(by) * grid->width + std::size_t(bx)) * grid->valuesPerCell;
        for (unsigned k = 0; k < grid->valuesPerCell; ++k) values[k] = v[k];
        return true;
    }
    // A local point of the component in global coordinates.
    static Point3d global(VisComponent* c, double x, double y) {
        Point3d p(x, y, 0.0);
        c->convertComponentToGlobalCoords(p);
        return p;
    }
};

#endif
