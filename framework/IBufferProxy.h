#ifndef DRAVIK_FRAMEWORK_IBUFFERPROXY_H
#define DRAVIK_FRAMEWORK_IBUFFERPROXY_H

#include "framework/Export.h"
#include "framework/IBuffer.h"

class VisComponent;

// Attaches one grid to a component under a buffer type.
//
// Active proxies carry a grid that a strategy made over its own component; the component
// owns proxy and grid. Passive proxies start with a null `buffer`: the framework points
// `buffer` and `owner` at the active grid of the same type of the container the component
// lies in (its parent, or the root component for top-level components), and back to null
// when it lies on no container offering that type.
class DRAVIK_API IBufferProxy {
public:
    IBufferProxy() = default;
    explicit IBufferProxy(unsigned type, IBufferBase* buffer = nullptr) : buffer(buffer), type(type) {}
    IBufferProxy(const IBufferProxy&) = delete;
    IBufferProxy& operator=(const IBufferProxy&) = delete;

    // The grid as a grid of T, or null when there is none or its cells are of another type.
    template <class T>
    IBuffer<T>* getBuffer() const {
        if (buffer == nullptr || buffer->getCellKind() != IBuffer<T>::kCellKind) return nullptr;
        return static_cast<IBuffer<T>*>(buffer);
    }

    IBufferBase* buffer = nullptr;
    unsigned type = 0;
    VisComponent* owner = nullptr;  // component whose active grid `buffer` is
};

#endif
