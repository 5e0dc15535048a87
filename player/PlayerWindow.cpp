#include "player/PlayerWindow.h"

#include <GL/freeglut.h>
#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <iomanip>
#include <iostream>
#include <thread>

#include "framework/ConstantProvider.h"
#include "framework/DravikEvent.h"
#include "framework/VisComponent.h"
#include "manipulation/KeyEvent.h"
#include "manipulation/TouchIndicatorStrategy.h"
#include "player/FilledRectangleStrategy.h"
#include "player/SceneSource.h"

namespace {

PlayerWindow* openWindow = nullptr;  // the window that freeglut's callbacks reach

constexpr unsigned char kEscape = 27;
constexpr std::chrono::microseconds kFramePeriod(16667);
constexpr double kIndicatorColours[2][4] = {{1.0, 0.55, 0.1, 0.9}, {0.2, 0.8, 1.0, 0.9}};  // users 1, 2
constexpr double kIndicatorFrame[4] = {1.0, 1.0, 1.0, 0.9};

// Shows each of the manager's touch indicators as a small diamond that follows its user.
void decorateTouchIndicators(DefaultManager& manager) {
    for (std::size_t i = 0; i < manager.touchIndicators.size(); ++i) {
        VisComponent* indicator = manager.touchIndicators[i];
        if (indicator == nullptr) continue;
        indicator->width = indicator->height = 18;
        indicator->angle = M_PI / 4;
        indicator->position = Point3d(-100.0, -100.0, 0.0);  // off the display until a touch
        std::copy_n(kIndicatorColours[i % 2], 4, indicator->color);
        indicator->pushStrategy(new TouchIndicatorStrategy);
        indicator->pushStrategy(new FilledRectangleStrategy(kIndicatorFrame, 3.0, false));
    }
}

void collect(const VisComponent* c, std::vector<const VisComponent*>& out) {
    out.push_back(c);
    for (const VisComponent* child : c->getChildren()) collect(child, out);
}

}  // namespace

// Forwards freeglut's plain function callbacks to the open window, if there still is one.
struct PlayerCallbacks {
    template <auto member, class... Args>
    static void forward(Args... args) {
        if (openWindow != nullptr) (openWindow->*member)(args...);
    }
    static void display() {}  // frames are drawn by the loop, not on demand
};

PlayerWindow::Window::Window(unsigned width, unsigned height) {
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE);
    glutInitWindowSize(static_cast<int>(width), static_cast<int>(height));
    glutInitWindowPosition(0, 0);
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_CONTINUE_EXECUTION);
    id = glutCreateWindow("Dravik player");
}

PlayerWindow::Window::~Window() {
    if (id == 0) return;
    glutSetWindow(id);
    glutCloseFunc(nullptr);  // freeglut destroys windows late: nothing may call back any more
    glutDestroyWindow(id);
}

PlayerWindow::PlayerWindow(const PlayerOptions& playerOptions, TouchScript touchScript)
    : options(playerOptions),
      script(std::move(touchScript)),
      window(options.width, options.height),
      gridView(options.grid),
      width(options.width),
      height(options.height),
      timer(10, options.frames != 0 ? static_cast<const TickSource&>(fixedClock) : TickSource::system()) {
    ConstantProvider* names = ConstantProvider::getInstance();
    pressType = names->getEventTypeIdentifier("PRESS");
    dragType = names->getEventTypeIdentifier("DRAG");
    releaseType = names->getEventTypeIdentifier("RELEASE");
    keyType = names->getEventTypeIdentifier("KEY");

    glutDisplayFunc(PlayerCallbacks::display);
    glutReshapeFunc(PlayerCallbacks::forward<&PlayerWindow::onReshape, int, int>);
    glutMouseFunc(PlayerCallbacks::forward<&PlayerWindow::onMouse, int, int, int, int>);
    glutMotionFunc(PlayerCallbacks::forward<&PlayerWindow::onMotion, int, int>);
    glutKeyboardFunc(PlayerCallbacks::forward<&PlayerWindow::onKey, unsigned char, int, int>);
    glutSpecialFunc(PlayerCallbacks::forward<&PlayerWindow::onSpecialKey, int, int, int>);
    glutCloseFunc(PlayerCallbacks::forward<&PlayerWindow::onClose>);

    glDisable(GL_DEPTH_TEST);
    usePixelProjection();
    manager = buildScene(options, &timer);
    decorateTouchIndicators(*manager);
    manager->resize(width, height);
    openWindow = this;  // only a complete player takes callbacks
}

PlayerWindow::~PlayerWindow() {
    manager.reset();  // strategies free their GL objects while the context is current
    openWindow = nullptr;
}

void PlayerWindow::usePixelProjection() const {
    glViewport(0, 0, static_cast<GLsizei>(width), static_cast<GLsizei>(height));
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, width, 0.0, height, -10000.0, 10000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void PlayerWindow::run() {
    const bool interactive = options.frames == 0;
    auto nextFrame = std::chrono::steady_clock::now();
    while (!quit && (interactive || frame < options.frames)) {
        glutMainLoopEvent();  // input, resizes and closing arrive here, between frames
        if (quit) break;
        ++frame;
        // Without a frame count any frame may be the last: keep each one.
        const bool capture = !options.screenshotPath.empty() && (interactive || frame == options.frames);
        drawFrame(capture);
        const auto& summaries = options.summaryFrames;
        if (std::find(summaries.begin(), summaries.end(), frame) != summaries.end()) printSummary(std::cout);
        if (interactive) {  // at most 60 frames a second, where the display does not wait
            nextFrame = std::max(nextFrame + kFramePeriod, std::chrono::steady_clock::now() - kFramePeriod);
            std::this_thread::sleep_until(nextFrame);
        }
    }
    if (!options.screenshotPath.empty()) screenshot.save(options.screenshotPath);
}

void PlayerWindow::deliver(unsigned type, unsigned user, double x, double y) {
    DravikEvent event(type, user, x, y, 0.0, nullptr, 1);
    manager->processEvent(&event, nullptr);
}

void PlayerWindow::drawFrame(bool capture) {
    usePixelProjection();  // picking during event delivery draws with it too

    touches.clear();
    script.eventsAt(frame, touches);
    for (const TouchScript::Touch& t : touches) deliver(t.type, t.user, t.x, t.y);
    scriptedEvents += touches.size();

    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    manager->runFrame();
    gridView.draw(*manager);
    if (options.overlay) manager->renderInfo(width, height);
    glFinish();
    if (capture) screenshot.capture(width, height);
    glutSwapBuffers();

    if (options.frames != 0) fixedClock.advanceFrame();  // each frame lasts exactly 1/60 s
}

void PlayerWindow::printSummary(std::ostream& out) const {
    std::vector<const VisComponent*> all;
    for (const VisComponent* c : manager->components) collect(c, all);
    std::sort(all.begin(), all.end(), [](const VisComponent* a, const VisComponent* b) { return a->id < b->id; });
    out << "dravik-player: " << frame << " frames, " << scriptedEvents << " scripted events, " << all.size()
        << " components\n";
    const std::ios::fmtflags flags = out.flags();
    out << std::fixed;
    for (const VisComponent* c : all) {
        double degrees = std::fmod(c->angle * 57.29577951308232, 360.0);
        if (degrees < 0.0) degrees += 360.0;
        if (degrees >= 359.95) degrees = 0.0;  // would print as 360.0
        out << "  component " << c->id << " at (" << std::setprecision(1) << c->position.x << ", "
            << c->position.y << "), angle " << degrees << " degrees, size " << c->width << " x " << c->height;
        if (c->scale.x != 1.0 || c->scale.y != 1.0)
            out << ", scale " << std::setprecision(3) << c->scale.x << " x " << c->scale.y;
        if (c->getParent() != nullptr) out << ", on component " << c->getParent()->id;
        out << '\n';
    }
    out.flags(flags);
}

void PlayerWindow::onReshape(int w, int h) {
    width = static_cast<unsigned>(std::max(w, 1));
    height = static_cast<unsigned>(std::max(h, 1));
    usePixelProjection();
    if (manager) manager->resize(width, height);
}

void PlayerWindow::onMouse(int button, int state, int x, int y) {
    if (button < 0 || button > 2) return;  // wheel steps and extra buttons
    const bool down = state == GLUT_DOWN;
    if (buttonsDown[button] == down) return;
    buttonsDown[button] = down;
    deliver(down ? pressType : releaseType, static_cast<unsigned>(button) + 1, x, toGlobalY(y));
}

void PlayerWindow::onMotion(int x, int y) {
    for (unsigned button = 0; button < 3; ++button)
        if (buttonsDown[button]) deliver(dragType, button + 1, x, toGlobalY(y));
}

void PlayerWindow::onKey(unsigned char key, int x, int y) {
    if (key == kEscape) {
        quit = true;
        return;
    }
    KeyEvent event(static_cast<char>(key), keyType, DravikEvent::NoUserId, x, toGlobalY(y), 0.0, nullptr);
    manager->processEvent(&event, nullptr);
}

void PlayerWindow::onSpecialKey(int key, int, int) {
    if (key == GLUT_KEY_F2) gridView.next();
}

void PlayerWindow::onClose() {
    quit = true;
    window.id = 0;  // freeglut destroys the window itself
}
