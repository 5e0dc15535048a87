#include "config/detail/LargeStack.h"

#include <sys/mman.h>
#include <ucontext.h>
#include <unistd.h>

#include <exception>
#include <new>

// Sanitizers follow a switch of stacks only when told of it.
#if defined(__SANITIZE_ADDRESS__)
#define DRAVIK_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define DRAVIK_ASAN 1
#endif
#endif
#if defined(__SANITIZE_THREAD__)
#define DRAVIK_TSAN 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define DRAVIK_TSAN 1
#endif
#endif
#ifdef DRAVIK_ASAN
#include <sanitizer/common_interface_defs.h>
#endif
#ifdef DRAVIK_TSAN
#include <sanitizer/tsan_interface.h>
#endif

namespace detail {
namespace {

// What the stack's entry function needs; makecontext passes no pointers portably.
struct Switch {
    const std::function<void()>* work;
    ucontext_t caller;
    ucontext_t callee;
    std::exception_ptr failure;
    const void* callerStack = nullptr;  // for AddressSanitizer
    std::size_t callerStackSize = 0;
    void* callerFiber = nullptr;  // for ThreadSanitizer
};

thread_local Switch* current = nullptr;

void enter() {
    Switch* s = current;
#ifdef DRAVIK_ASAN
    __sanitizer_finish_switch_fiber(nullptr, &s->callerStack, &s->callerStackSize);
#endif
    try {
        (*s->work)();
    } catch (...) {
        s->failure = std::current_exception();
    }
#ifdef DRAVIK_ASAN
    __sanitizer_start_switch_fiber(nullptr, s->callerStack, s->callerStackSize);
#endif
#ifdef DRAVIK_TSAN
    __tsan_switch_to_fiber(s->callerFiber, 0);
#endif
    setcontext(&s->caller);
}

// The mapping of a stack with an inaccessible page below it, so that an overflow faults.
class StackMemory {
public:
    explicit StackMemory(std::size_t bytes) : guard(static_cast<std::size_t>(sysconf(_SC_PAGESIZE))) {
        size = (bytes + guard - 1) / guard * guard + guard;
        base = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE | MAP_STACK,
                    -1, 0);
        if (base == MAP_FAILED) throw std::bad_alloc();
        mprotect(base, guard, PROT_NONE);
    }
    StackMemory(const StackMemory&) = delete;
    StackMemory& operator=(const StackMemory&) = delete;
    ~StackMemory() { munmap(base, size); }

    void* bottom() const { return static_cast<char*>(base) + guard; }
    std::size_t usable() const { return size - guard; }

private:
    std::size_t guard;
    std::size_t size = 0;
    void* base = nullptr;
};

}  // namespace

void runOnLargeStack(std::size_t bytes, const std::function<void()>& work) {
    StackMemory stack(bytes);
    Switch s;
    s.work = &work;
    getcontext(&s.callee);
    s.callee.uc_stack.ss_sp = stack.bottom();
    s.callee.uc_stack.ss_size = stack.usable();
    s.callee.uc_link = nullptr;
    makecontext(&s.callee, enter, 0);

    Switch* outer = current;  // a nested use runs on a stack of its own too
    current = &s;
#ifdef DRAVIK_TSAN
    s.callerFiber = __tsan_get_current_fiber();
    void* fiber = __tsan_create_fiber(0);
    __tsan_switch_to_fiber(fiber, 0);
#endif
#ifdef DRAVIK_ASAN
    void* fakeStack = nullptr;
    __sanitizer_start_switch_fiber(&fakeStack, stack.bottom(), stack.usable());
#endif
    swapcontext(&s.caller, &s.callee);
#ifdef DRAVIK_ASAN
    __sanitizer_finish_switch_fiber(fakeStack, nullptr, nullptr);
#endif
#ifdef DRAVIK_TSAN
    __tsan_destroy_fiber(fiber);
#endif
    current = outer;
    if (s.failure) std::rethrow_exception(s.failure);
}

}  // namespace detail
