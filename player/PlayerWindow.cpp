#include "player/PlayerWindow.h"

#include <GL/freeglut.h>
#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <iomanip>
#include <iostream>
#include <sstream>
#include <thread>
#include <utility>

#include "framework/ConstantProvider.h"
#include "framework/DravikEvent.h"
#include "framework/VisComponent.h"
#include "manipulation/KeyEvent.h"
#include "player/CorePointer.h"
#include "player/PlayerError.h"
#include "player/SceneFileManager.h"
#include "player/SceneSource.h"

namespace {

PlayerWindow* openWindow = nullptr;  // the window that freeglut's callbacks reach

constexpr unsigned char kEscape = 27;
constexpr std::chrono::microseconds kFramePeriod(16667);
volatile std::sig_atomic_t stopSignal = 0;  // SIGINT or SIGTERM arrived: end after the frame

// Asks the loop to end; a second signal of the kind ends the process as it would have.
void onStopSignal(int signal) {
    stopSignal = signal;
    std::signal(signal, SIG_DFL);
}

// Destroys a scene and then the textures it loaded: they outlive their manager, and a player
// that loads scene after scene must not keep them all.
void discard(std::unique_ptr<DefaultManager> scene) {
    std::vector<std::uint32_t> textures;
    if (const auto* file = dynamic_cast<const XMLConfigurationManager*>(scene.get()))
        textures = file->getTextureManager()->getTextureNames();
    scene.reset();
    glDeleteTextures(static_cast<GLsizei>(textures.size()), textures.data());
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

PlayerWindow::Window::Window(unsigned width, unsigned height, bool fullscreen, bool hideCursor) {
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE);
    glutInitWindowSize(static_cast<int>(width), static_cast<int>(height));
    glutInitWindowPosition(0, 0);
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_CONTINUE_EXECUTION);
    id = glutCreateWindow("Dravik player");
    if (fullscreen) glutFullScreen();  // the reshape that follows gives the scene the screen's size
    if (hideCursor) glutSetCursor(GLUT_CURSOR_NONE);
}

PlayerWindow::Window::~Window() {
    if (id == 0) return;
    glutSetWindow(id);
    glutCloseFunc(nullptr);  // freeglut destroys windows late: nothing may call back any more
    glutDestroyWindow(id);
}

PlayerWindow::PlayerWindow(const PlayerOptions& playerOptions, TouchScript touchScript, FrameLockstep* frameLockstep)
    : options(playerOptions),
      script(std::move(touchScript)),
      lockstep(frameLockstep),
      window(lockstep != nullptr ? lockstep->windowWidth() : options.width,
             lockstep != nullptr ? lockstep->windowHeight() : options.height, options.fullscreen, options.hideCursor),
      gridView(options.grid),
      width(options.width),
      height(options.height),
      // Runs with a fixed number of frames are reproducible, unless touches come in real time.
      timer(10, [this]() -> const TickSource& {
          const TickSource& local = options.frames != 0 && !options.tuio ? fixedClock : TickSource::system();
          return lockstep != nullptr ? lockstep->clock(local) : local;
      }()) {
    keyType = ConstantProvider::getInstance()->getEventTypeIdentifier("KEY");
    corePointer = corePointerDevice();

    glutDisplayFunc(PlayerCallbacks::display);
    glutReshapeFunc(PlayerCallbacks::forward<&PlayerWindow::onReshape, int, int>);
    glutMouseFunc(PlayerCallbacks::forward<&PlayerWindow::onMouse, int, int, int, int>);
    glutMotionFunc(PlayerCallbacks::forward<&PlayerWindow::onMotion, int, int>);
    glutKeyboardFunc(PlayerCallbacks::forward<&PlayerWindow::onKey, unsigned char, int, int>);
    glutSpecialFunc(PlayerCallbacks::forward<&PlayerWindow::onSpecialKey, int, int, int>);
    glutCloseFunc(PlayerCallbacks::forward<&PlayerWindow::onClose>);
    glutMultiButtonFunc(PlayerCallbacks::forward<&PlayerWindow::onTouch, int, int, int, int, int>);
    glutMultiMotionFunc(PlayerCallbacks::forward<&PlayerWindow::onTouchMotion, int, int, int>);
    glutMultiEntryFunc(PlayerCallbacks::forward<&PlayerWindow::onTouchEntry, int, int>);

    glDisable(GL_DEPTH_TEST);
    // Soft borders and spots fade into what lies below them.
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    usePixelProjection();
    std::srand(options.seed);  // the random values of the scene file
    if (options.seedFromTime) std::cout << "dravik-player: random values from seed " << options.seed << std::endl;
    manager = buildScene(options, &timer);
    manager->resize(width, height);
    input = std::make_unique<PlayerInput>(options, *manager, std::cerr);
    // From here on a stop signal ends the run after its next frame, summary printed (also one
    // that comes while the window is still opening).
    stopSignal = 0;
    std::signal(SIGINT, onStopSignal);
    std::signal(SIGTERM, onStopSignal);
    if (lockstep != nullptr) {
        lockstep->attach(*manager, *input);
        input->shareThrough(lockstep);
    }
    if (input->hasTuio())
        std::cout << "dravik-player: listening for TUIO on UDP port " << input->getTuioPort() << std::endl;
    overlay = options.overlay;
    if (options.watch) {
        const auto& scene = dynamic_cast<const SceneFileManager&>(*manager);  // --watch needs a scene file
        watcher.emplace();
        watcher->watch(scene.getFiles());
        sceneProblems = scene.getProblems();
    }
    openWindow = this;  // only a complete player takes callbacks
}

PlayerWindow::~PlayerWindow() {
    input.reset();    // stops listening before the scene goes
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
    const bool realTime = interactive || options.tuio;
    auto nextFrame = std::chrono::steady_clock::now();
    while (interactive || frame < options.frames) {
        glutMainLoopEvent();  // input, resizes and closing arrive here, between frames
        if (watcher && watcher->changed()) reloadScene();
        if (!startFrame()) break;
        // Without a frame count any frame may be the last: keep each one.
        const bool capture = !options.screenshotPath.empty() && (interactive || frame == options.frames);
        drawFrame(capture);
        const auto& summaries = options.summaryFrames;
        if (std::find(summaries.begin(), summaries.end(), frame) != summaries.end()) {
            printSummary(std::cout);
            std::cout.flush();  // for whoever follows the run as it goes
        }
        if (realTime) {  // at most 60 frames a second, where the display does not wait
            nextFrame = std::max(nextFrame + kFramePeriod, std::chrono::steady_clock::now() - kFramePeriod);
            std::this_thread::sleep_until(nextFrame);
        }
    }
    if (options.screenshotPath.empty()) return;
    if (lockstep != nullptr) lockstep->saveScreenshot(screenshot, options.screenshotPath);
    else screenshot.save(options.screenshotPath);
}

// Delivers the input of the next frame; in lockstep, the input the owner shares.
bool PlayerWindow::startFrame() {
    if (stopSignal != 0) quit = true;
    if (quit && lockstep == nullptr) return false;
    ++frame;
    usePixelProjection();  // picking during event delivery draws with it too
    touches.clear();
    script.eventsAt(frame, touches);
    input->beginFrame(frame, touches);
    auto scripted = static_cast<unsigned>(touches.size());
    if (lockstep != nullptr && !lockstep->startFrame(frame, quit, scripted)) {
        --frame;
        return false;
    }
    scriptedEvents += scripted;
    return true;
}

void PlayerWindow::drawFrame(bool capture) {
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    auto drawScene = [this](bool first, bool overview) {
        if (first) manager->runFrame();
        else manager->renderAll(false, true, false);  // one frame step, several views of it
        gridView.draw(*manager);
        if (overlay && !overview) {
            manager->renderInfo(width, height);
            drawLatency();
            drawProblems();
        }
    };
    if (lockstep != nullptr) lockstep->drawViews(drawScene);
    else drawScene(true, false);
    glFinish();
    if (capture)
        screenshot.capture(lockstep != nullptr ? lockstep->windowWidth() : width,
                           lockstep != nullptr ? lockstep->windowHeight() : height);
    if (lockstep != nullptr && lockstep->finishFrame(frame, quit)) quit = true;
    glutSwapBuffers();
    input->endFrame();

    if (options.frames != 0) fixedClock.advanceFrame();  // each frame lasts exactly 1/60 s
}

// Beside the frame rate: the median touch-to-screen time of the last second.
void PlayerWindow::drawLatency() const {
    std::ostringstream text;
    text << "touch-to-screen: ";
    const double ms = input->getLatency().recentMedianMilliseconds();
    if (ms < 0.0) text << "N/A";
    else text << std::fixed << std::setprecision(1) << ms << " ms";
    glColor3d(1.0, 1.0, 1.0);
    glRasterPos3d(110.0, height - 20.0, 0.0);
    glutBitmapString(GLUT_BITMAP_HELVETICA_12, reinterpret_cast<const unsigned char*>(text.str().c_str()));
}

// The problems of the scene, one line each below the frame rate, as many as fit.
void PlayerWindow::drawProblems() const {
    if (sceneProblems.empty()) return;
    constexpr double kLineHeight = 15.0;
    const double top = static_cast<double>(height) - 70.0;
    const auto fit = static_cast<std::size_t>(std::max(top / kLineHeight, 1.0));
    glColor3d(1.0, 0.55, 0.45);
    for (std::size_t i = 0; i < sceneProblems.size() && i < fit; ++i) {
        std::string line = sceneProblems[i];
        if (i + 1 == fit && sceneProblems.size() > fit)
            line = "... " + std::to_string(sceneProblems.size() - i) + " more on standard error";
        glRasterPos3d(10.0, top - kLineHeight * static_cast<double>(i), 0.0);
        glutBitmapString(GLUT_BITMAP_HELVETICA_12, reinterpret_cast<const unsigned char*>(line.c_str()));
    }
    glColor3d(1.0, 1.0, 1.0);  // as the overlay leaves it otherwise
}

// Loads the scene file again; keeps the scene shown unless the new one loaded without a problem.
void PlayerWindow::reloadScene() {
    std::vector<std::string> problems;
    std::unique_ptr<SceneFileManager> next;
    std::srand(options.seed);  // the random values a fresh start would give
    try {
        next = std::make_unique<SceneFileManager>(options, &timer);
        problems = next->getProblems();
        watcher->watch(next->getFiles());
    } catch (const PlayerError& e) {
        problems.push_back(e.what());
    } catch (const std::runtime_error& e) {  // a strategy that cannot do what the scene asks
        problems.push_back(std::string("scene problem: ") + e.what());
    }
    if (problems.empty()) {
        next->resize(width, height);
        input->setManager(*next);
        discard(std::exchange(manager, std::move(next)));
        sceneProblems.clear();
        std::cout << "dravik-player: reloaded scene file " << options.scenePath << std::endl;
        return;
    }
    // The scene's own problems are on standard error already, one line each.
    std::cerr << "dravik-player: "
              << (next != nullptr ? std::to_string(problems.size()) + " problems in scene file " + options.scenePath
                                  : problems.front())
              << "; the last good scene stays" << std::endl;
    if (next != nullptr) discard(std::move(next));
    problems.insert(problems.begin(), "Not reloaded, the last good scene stays:");
    sceneProblems = std::move(problems);
}

void PlayerWindow::printSummary(std::ostream& out) const {
    std::vector<const VisComponent*> all;
    for (const VisComponent* c : manager->components) collect(c, all);
    std::sort(all.begin(), all.end(), [](const VisComponent* a, const VisComponent* b) { return a->id < b->id; });
    out << "dravik-player: " << frame << " frames, " << scriptedEvents << " scripted events, " << all.size()
        << " components\n";
    const std::ios::fmtflags flags = out.flags();
    const std::streamsize precision = out.precision();
    out << std::fixed;
    for (const VisComponent* c : all) {
        double degrees = std::fmod(c->angle * 57.29577951308232, 360.0);
        if (degrees < 0.0) degrees += 360.0;
        if (degrees >= 359.95) degrees = 0.0;  // would print as 360.0
        out << "  component " << c->id << " at (" << std::setprecision(1) << c->position.x << ", "
            << c->position.y << "), angle " << degrees << " degrees, size " << c->width << " x " << c->height;
        if (c->scale.x != 1.0 || c->scale.y != 1.0)
            out << ", scale " << std::setprecision(3) << c->scale.x << " x " << c->scale.y;
        if (c->getParent() != nullptr) out << ", in component " << c->getParent()->id;
        out << '\n';
    }
    if (options.stats) {
        out << "dravik-player: frame rate " << manager->frameRate << " fps\n";
        input->printStatistics(out);
        if (lockstep != nullptr) lockstep->printStatistics(out);
    }
    out.flags(flags);
    out.precision(precision);
}

void PlayerWindow::onReshape(int w, int h) {
    if (lockstep != nullptr) return;  // the display is the wall's, whatever the window
    width = static_cast<unsigned>(std::max(w, 1));
    height = static_cast<unsigned>(std::max(h, 1));
    usePixelProjection();
    if (manager) manager->resize(width, height);
}

// Pointer positions in the window as positions on the display, which in lockstep is larger.
void PlayerWindow::toDisplayWindow(int& x, int& y) const {
    if (lockstep != nullptr) lockstep->toDisplayWindow(x, y);
}

void PlayerWindow::onMouse(int button, int state, int x, int y) {
    toDisplayWindow(x, y);
    input->mouseButton(button, state == GLUT_DOWN, x, y);
}

void PlayerWindow::onMotion(int x, int y) {
    toDisplayWindow(x, y);
    input->mouseMotion(x, y);
}

// The core pointer's contacts are the mouse's events again: only other devices are touches.
void PlayerWindow::onTouch(int contact, int x, int y, int button, int state) {
    (void)button;  // a contact is a finger, whichever button the device reports
    toDisplayWindow(x, y);
    if (contact != corePointer) input->touchScreenButton(contact, state == GLUT_DOWN, x, y);
}

void PlayerWindow::onTouchMotion(int contact, int x, int y) {
    toDisplayWindow(x, y);
    if (contact != corePointer) input->touchScreenMotion(contact, x, y);
}

void PlayerWindow::onTouchEntry(int contact, int state) {
    if (state == GLUT_LEFT && contact != corePointer) input->touchScreenLeft(contact);
}

void PlayerWindow::onKey(unsigned char key, int x, int y) {
    if (key == kEscape) {
        quit = true;
        return;
    }
    if (lockstep != nullptr) {  // keys of the owner's window reach every process
        toDisplayWindow(x, y);
        if (lockstep->ownsInput()) lockstep->holdKey(static_cast<char>(key), x, toGlobalY(y));
        return;
    }
    KeyEvent event(static_cast<char>(key), keyType, DravikEvent::NoUserId, x, toGlobalY(y), 0.0, nullptr);
    manager->processEvent(&event, nullptr);
}

void PlayerWindow::onSpecialKey(int key, int, int) {
    if (key == GLUT_KEY_F1) overlay = !overlay;
    if (key == GLUT_KEY_F2) gridView.next();
}

void PlayerWindow::onClose() {
    quit = true;
    window.id = 0;  // freeglut destroys the window itself
}
