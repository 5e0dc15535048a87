#ifndef DRAVIK_PLAYER_TOUCHINDICATORS_H
#define DRAVIK_PLAYER_TOUCHINDICATORS_H

class DefaultManager;

// The player's touch indicators: a small diamond per user that follows the user's touches,
// in a colour of its own (users 1 and 2 orange and blue, then further colours in turn). A
// user gets one the first time the input produces a touch of that user, so that every user
// is seen, however many the input can produce. The indicator of a contact without a user (a
// TUIO 1.1 finger, a touch screen contact: its user is a slot it was lent) fades out in the
// frames after its release and leaves the display, so that lifted fingers leave no markers
// behind; a named user's indicator stays where the user last touched.
namespace touchIndicators {

// Gives every indicator the manager made its look, and makes indicators for users 1 to
// `users` (the mouse buttons).
void decorate(DefaultManager& manager, unsigned users);
// Makes sure that `user` has an indicator.
void ensure(DefaultManager& manager, unsigned user);

}  // namespace touchIndicators

#endif
