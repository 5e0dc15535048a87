#ifndef DRAVIK_WALL_STATEHASH_H
#define DRAVIK_WALL_STATEHASH_H

#include <cstdint>

class DravikManager;

// A 64-bit digest of what the scene's components are: for every component in drawing order
// (the root's subtree, then each top-level subtree), its identifier, its parent's, position,
// angle, size, scale and colour, bit for bit; then the held components in press order.
// Processes that ran the same frames on the same input give the same digest.
std::uint64_t hashSceneState(const DravikManager& manager);

#endif
