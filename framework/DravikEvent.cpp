#include "framework/DravikEvent.h"

const unsigned DravikEvent::NoUserId = 0xFFFFFFFFu;
const std::uint64_t DravikEvent::OnlyContact = 0;

DravikEvent::DravikEvent(unsigned type, unsigned userId, double x, double y, double z,
                         VisComponent* component, unsigned contacts)
    : type(type), userId(userId), component(component), x(x), y(y), z(z), contacts(contacts) {}

DravikEvent::~DravikEvent() = default;
