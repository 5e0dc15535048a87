#include "player/PlayerInput.h"

#include "app/DefaultManager.h"
#include "framework/DravikEvent.h"
#include "input/InputError.h"
#include "player/FrameLockstep.h"
#include "player/PlayerError.h"
#include "player/TouchIndicators.h"

namespace {
constexpr int kMostTouchScreenContacts = 1024;  // contact numbers of the window system
}

PlayerInput::PlayerInput(const PlayerOptions& options, DefaultManager& manager, std::ostream& errors)
    : manager(&manager) {
    touchIndicators::decorate(manager, kMouseUsers);
    if (!options.recordPath.empty()) recorder = std::make_unique<TouchRecorder>(options.recordPath, errors);
    if (options.tuio) {
        try {
            tuio = std::make_unique<TuioListener>(queue, options.tuioPort, options.tuioCalibration);
        } catch (const InputError& e) {
            throw PlayerError(e.what());
        }
    }
}

void PlayerInput::setManager(DefaultManager& next) {
    manager = &next;
    touchIndicators::decorate(next, kMouseUsers);
}

unsigned PlayerInput::getTuioPort() const { return tuio != nullptr ? tuio->getPort() : 0; }

InputEvent PlayerInput::windowEvent(InputEvent::Phase phase, ContactSource source, std::uint32_t id, unsigned user,
                                    int x, int y) const {
    InputEvent e;
    e.phase = phase;
    e.contact = contactName(source, id);
    e.user = user;
    e.x = x;
    e.y = static_cast<double>(manager->displayHeight) - 1.0 - y;
    e.arrival = InputEvent::Clock::now();
    return e;
}

void PlayerInput::mouseButton(int button, bool down, int x, int y) {
    if (button < 0 || button >= static_cast<int>(kMouseUsers)) return;  // wheel steps and extra buttons
    if (buttonsDown[button] == down) return;
    buttonsDown[button] = down;
    const auto id = static_cast<std::uint32_t>(button);
    deliverLive(windowEvent(down ? InputEvent::Phase::Press : InputEvent::Phase::Release, ContactSource::Mouse, id,
                            id + 1, x, y));
}

void PlayerInput::mouseMotion(int x, int y) {
    for (std::uint32_t button = 0; button < kMouseUsers; ++button)
        if (buttonsDown[button])
            deliverLive(windowEvent(InputEvent::Phase::Drag, ContactSource::Mouse, button, button + 1, x, y));
}

PlayerInput::TouchScreenContact* PlayerInput::touchScreenContact(int contact) {
    if (contact < 0 || contact >= kMostTouchScreenContacts) return nullptr;
    const auto id = static_cast<std::size_t>(contact);
    if (touchScreen.size() <= id) touchScreen.resize(id + 1);
    return &touchScreen[id];
}

void PlayerInput::touchScreenButton(int contact, bool down, int x, int y) {
    TouchScreenContact* c = touchScreenContact(contact);
    if (c == nullptr || c->down == down) return;
    *c = {down, x, y};
    deliverLive(windowEvent(down ? InputEvent::Phase::Press : InputEvent::Phase::Release, ContactSource::TouchScreen,
                            static_cast<std::uint32_t>(contact), InputEvent::AnonymousUser, x, y));
}

void PlayerInput::touchScreenMotion(int contact, int x, int y) {
    TouchScreenContact* c = touchScreenContact(contact);
    if (c == nullptr || !c->down) return;
    *c = {true, x, y};
    deliverLive(windowEvent(InputEvent::Phase::Drag, ContactSource::TouchScreen, static_cast<std::uint32_t>(contact),
                            InputEvent::AnonymousUser, x, y));
}

void PlayerInput::touchScreenLeft(int contact) {
    TouchScreenContact* c = touchScreenContact(contact);
    if (c != nullptr && c->down) touchScreenButton(contact, false, c->x, c->y);  // lifted where it last was
}

void PlayerInput::deliverLive(const InputEvent& event) {
    InputDispatcher::Touch touch;
    if (dispatcher.translate(event, manager->displayWidth, manager->displayHeight, touch)) deliver(touch, true);
}

void PlayerInput::route(const InputDispatcher::Touch& touch) {
    touchIndicators::ensure(*manager, touch.user);
    DravikEvent event(touch.type, touch.user, touch.x, touch.y, 0.0, nullptr, 1);
    event.setContact(touch.contact, touch.anonymous);
    manager->processEvent(&event, nullptr);
}

void PlayerInput::deliver(const InputDispatcher::Touch& touch, bool live) {
    if (sharing != nullptr) sharing->holdTouch(touch);
    else route(touch);
    if (recorder != nullptr) recorder->record(deliveryFrame, touch.type, touch.user, touch.contact, touch.anonymous, touch.x, touch.y);
    if (live) latency.delivered(touch.arrival);
}

void PlayerInput::beginFrame(unsigned frame, const std::vector<TouchScript::Touch>& scripted) {
    deliveryFrame = frame;
    for (const TouchScript::Touch& touch : scripted) deliver(touch, false);
    queue.takeFrame(arrived);
    for (const InputEvent& event : arrived) deliverLive(event);
    deliveryFrame = frame + 1;  // window-system input arrives between frames
}

void PlayerInput::endFrame() {
    latency.frameEnded(LatencyMeter::Clock::now());
    if (recorder != nullptr) recorder->endFrame();
}

void PlayerInput::printStatistics(std::ostream& out) const {
    out << "dravik-player: touch-to-screen time ";
    if (latency.runSamples() == 0) {
        out << "N/A (no touches)\n";
    } else {
        out << latency.runQuantileMilliseconds(0.5) << " ms median, " << latency.runQuantileMilliseconds(0.95)
            << " ms at the 95th percentile, " << latency.runQuantileMilliseconds(1.0) << " ms at most, over "
            << latency.runSamples() << " touches\n";
    }
    if (tuio == nullptr) return;
    const TuioReceiver::Statistics s = tuio->getStatistics();
    out << "dravik-player: TUIO " << s.packets << " packets, " << s.frames << " frames (" << s.lateFrames
        << " late), " << s.rejectedPackets << " packets rejected, " << s.ignoredMessages << " messages and "
        << s.ignoredTouches << " touches ignored, " << queue.pushedCount() << " events queued, "
        << queue.droppedCount() << " lost";
    if (s.outsideTouches != 0) out << ", " << s.outsideTouches << " positions outside the tracker area";
    out << '\n';
}
