#ifndef DRAVIK_CONFIG_DETAIL_LARGESTACK_H
#define DRAVIK_CONFIG_DETAIL_LARGESTACK_H

#include <cstddef>
#include <functional>

namespace detail {

// Runs `work` to its end on a stack of `bytes` of its own, on the calling thread (so that
// what is bound to the thread, such as the current OpenGL context, stays in place), and
// then returns; an exception thrown by `work` is thrown on from here. The stack's pages are
// only committed as they are used. For recursions deeper than a thread's stack allows.
void runOnLargeStack(std::size_t bytes, const std::function<void()>& work);

}  // namespace detail

#endif
