#ifndef DRAVIK_TESTS_TESTSTRATEGIES_H
#define DRAVIK_TESTS_TESTSTRATEGIES_H

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "app/PickingRectangle.h"
#include "dravik/DravikFrameworkLayer.h"

// A strategy that writes down what the framework asks of it.
class RecordingStrategy : public VisComponentStrategy {
public:
    RecordingStrategy(std::vector<std::string>* log, std::string name) : log(log), name(std::move(name)) {}
    int events = 0;
    unsigned lastUser = 0;

protected:
    void initProperties() override { log->push_back(name + ".init"); }
    void process() override { log->push_back(name + ".process"); }
    void draw(const std::vector<unsigned long>&) override { log->push_back(name + ".draw"); }
    void onEvent(DravikEvent* e) override {
        ++events;
        if (e) lastUser = e->userId;
        log->push_back(name + ".event");
    }
    void resize(unsigned w, unsigned h) override { log->push_back(name + ".resize " + std::to_string(w) + "x" + std::to_string(h)); }
    bool drop(bool) override {
        log->push_back(name + ".drop");
        return false;
    }
    void readAllPassiveBuffers() override { log->push_back(name + ".read"); }
    void drawForPicking() override { log->push_back(name + ".pick"); }

private:
    std::vector<std::string>* log;
    std::string name;
};

// Makes its component's rectangle catch touches: the picking shape of plain test components.
class PickableStrategy : public VisComponentStrategy {
protected:
    void drawForPicking() override { drawPickingRectangle(*component); }
};

// Moves its component with the drags of whoever pressed on it.
class FollowStrategy : public VisComponentStrategy {
protected:
    void onEvent(DravikEvent* e) override {
        if (e->type == ConstantProvider::getInstance()->getEventTypeIdentifier("DRAG"))
            component->moveBranchBy(e->x - last.x, e->y - last.y, 0);
        last = e->getCoords();
    }
    Point3d last;
};

// Does the given work whenever its component is processed.
class ProcessStrategy : public VisComponentStrategy {
public:
    explicit ProcessStrategy(std::function<void()> work) : work(std::move(work)) {}

protected:
    void process() override { work(); }

private:
    std::function<void()> work;
};

// Makes its component a container that takes whatever is dropped onto it.
class HolderStrategy : public VisComponentStrategy {
protected:
    bool acceptsDrops() const override { return true; }
};

// Offers a grid under a buffer type name whose every cell holds `values`.
class GridStrategy : public VisComponentStrategy {
public:
    GridStrategy(std::string type, double value) : GridStrategy(std::move(type), std::vector<double>{value}) {}
    GridStrategy(std::string type, std::vector<double> values) : type(std::move(type)), values(std::move(values)) {}

protected:
    void initProperties() override {
        auto* proxy = new IBufferProxy(ConstantProvider::getInstance()->getBufferTypeIdentifier(type));
        const unsigned n = unsigned(values.size()), cells = component->width * component->height;
        auto* grid = new IBuffer<double>(proxy->type, n, component->width, component->height,
                                         component->width, component->height);
        for (unsigned i = 0; i < cells * n; ++i) grid->data[i] = values[i % n];
        proxy->buffer = grid;
        component->addActiveBuffer(proxy);
    }

private:
    std::string type;
    std::vector<double> values;
};

// Reads a grid type as a passive grid.
class ReaderStrategy : public VisComponentStrategy {
public:
    explicit ReaderStrategy(std::string type) : type(std::move(type)) {}

protected:
    void initProperties() override {
        component->addPassiveBuffer(new IBufferProxy(ConstantProvider::getInstance()->getBufferTypeIdentifier(type)));
    }

private:
    std::string type;
};

// A component (VisComponent or a subclass) at (x, y) of w x h carrying the strategies given,
// bottom first.
template <class Component = VisComponent>
Component* makeComponent(double x, double y, unsigned w, unsigned h, std::initializer_list<VisComponentStrategy*> strategies = {}) {
    auto* c = new Component;
    c->position = Point3d(x, y, 0);
    c->width = w;
    c->height = h;
    for (VisComponentStrategy* s : strategies) c->pushStrategy(s);
    return c;
}

// The same, added to the manager's scene.
template <class Component = VisComponent, class Manager>
Component* placeComponent(Manager& manager, double x, double y, unsigned w, unsigned h,
                          std::initializer_list<VisComponentStrategy*> strategies = {}) {
    Component* c = makeComponent<Component>(x, y, w, h, strategies);
    manager.addComponent(c);
    return c;
}

inline unsigned eventType(const char* name) { return ConstantProvider::getInstance()->getEventTypeIdentifier(name); }

// One event of a user's contact, routed by the manager to the component under it.
inline void route(DravikManager& manager, const char* type, unsigned user, double x, double y,
                  std::uint64_t contact = DravikEvent::OnlyContact) {
    DravikEvent e(eventType(type), user, x, y);
    e.setContact(contact, false);
    manager.processEvent(&e, nullptr);
}

// A routed press at the first point, a drag to each later one and the release at the last.
inline void routeStroke(DravikManager& manager, unsigned user, std::initializer_list<std::pair<double, double>> points) {
    route(manager, "PRESS", user, points.begin()->first, points.begin()->second);
    for (auto p = points.begin() + 1; p != points.end(); ++p) route(manager, "DRAG", user, p->first, p->second);
    route(manager, "RELEASE", user, (points.end() - 1)->first, (points.end() - 1)->second);
}

inline std::string sizeOf(const VisComponent* c) { return std::to_string(c->width) + "x" + std::to_string(c->height); }

// Whether the component's position is (x, y), up to rounding.
inline ::testing::AssertionResult isAt(const VisComponent* c, double x, double y) {
    if (std::abs(c->position.x - x) <= 1e-9 && std::abs(c->position.y - y) <= 1e-9) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "at (" << c->position.x << ", " << c->position.y << ")";
}

#endif
