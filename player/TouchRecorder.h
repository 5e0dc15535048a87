#ifndef DRAVIK_PLAYER_TOUCHRECORDER_H
#define DRAVIK_PLAYER_TOUCHRECORDER_H

#include <cstdint>
#include <fstream>
#include <map>
#include <utility>
#include <ostream>
#include <string>

// Writes the touches of a run as a touch script (see TouchScript), one line per touch with
// the frame it was delivered at the start of, so that --script replays the run exactly:
// coordinates are written with as many digits as they need to read back the same. A user's
// only contact is written as the user alone; a further contact of a user down at the same
// time as USER.CONTACT, and a contact without a user as ~USER.CONTACT, numbered 1, 2, ... in
// the order they touched in the run.
//
// A file that cannot be created is bad input (PlayerError, before the run starts). A write
// that fails later (a full disk) stops the recording with one message on `errors`; the run
// goes on.
class TouchRecorder {
public:
    TouchRecorder(const std::string& path, std::ostream& errors);

    // A touch of event type `type` ("PRESS", "DRAG" or "RELEASE"; others are not touches
    // and are left out).
    // `contact` is DravikEvent::OnlyContact for the user's only contact.
    void record(unsigned frame, unsigned type, unsigned user, std::uint64_t contact, bool anonymous, double x,
                double y);
    // Hands the frame's lines to the file and checks that they got there.
    void endFrame();
    bool isRecording() const { return recording; }

private:
    std::string path;
    std::ofstream out;
    std::ostream& errors;
    bool recording = true;
    std::map<std::pair<unsigned, std::uint64_t>, unsigned> contactNumbers;  // by user and contact, of those down
    unsigned lastContactNumber = 0;
    unsigned pressType, dragType, releaseType;
};

#endif
