#include "wall/StateHash.h"

#include <cstring>
#include <vector>

#include "framework/DravikManager.h"
#include "framework/VisComponent.h"

namespace {

class Digest {
public:
    void add(std::uint64_t word) { state = (state ^ word) * 0x100000001b3ULL + (state >> 29); }
    void add(double value) {
        std::uint64_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        add(bits);
    }
    std::uint64_t value() const {
        std::uint64_t h = state;  // a final mix, so that nearby states give distant digests
        h ^= h >> 33;
        h *= 0xff51afd7ed558ccdULL;
        h ^= h >> 33;
        return h;
    }

private:
    std::uint64_t state = 0xcbf29ce484222325ULL;
};

void addBranch(Digest& digest, const VisComponent* top, std::vector<const VisComponent*>& pending) {
    pending.assign(1, top);
    while (!pending.empty()) {
        const VisComponent* c = pending.back();
        pending.pop_back();
        digest.add(std::uint64_t{c->id});
        digest.add(std::uint64_t{c->getParent() != nullptr ? c->getParent()->id : 0});
        for (double v : {c->position.x, c->position.y, c->position.z, c->angle, c->scale.x, c->scale.y, c->color[0],
                         c->color[1], c->color[2], c->color[3]})
            digest.add(v);
        digest.add((std::uint64_t{c->width} << 32) | c->height);
        for (const VisComponent* child : c->getChildren()) pending.push_back(child);
    }
}

}  // namespace

std::uint64_t hashSceneState(const DravikManager& manager) {
    Digest digest;
    std::vector<const VisComponent*> pending;
    if (manager.rootComponent != nullptr) addBranch(digest, manager.rootComponent, pending);
    for (const VisComponent* c : manager.components) addBranch(digest, c, pending);
    for (unsigned long id : manager.getSelectedComponentIds()) digest.add(std::uint64_t{id});
    return digest.value();
}
