#include "util/ForeignCall.h"

#include <malloc.h>

#include <cstdint>

// MinGW's GCC has no __try/__except. A vectored handler sees the fault first;
// when the faulting thread is inside a guarded call, it sends the thread on to
// a landing routine (on the stack below the guarded frames, which are
// abandoned anyway) that jumps back to where the call began. Returning
// EXCEPTION_CONTINUE_EXECUTION with a changed context lets the system finish
// its exception dispatch before our code runs again.

namespace quib {
namespace {

struct Guard {
    void* jump[5] = {};
    std::uintptr_t stackTop = 0;  // below this the guarded frames lie
    DWORD code = 0;
    Guard* outer = nullptr;
};

thread_local Guard* t_guard = nullptr;

[[noreturn]] void Land() {
    __builtin_longjmp(t_guard->jump, 1);
}

bool IsFault(DWORD code) {
    switch (code) {
        case EXCEPTION_ACCESS_VIOLATION:
        case EXCEPTION_ILLEGAL_INSTRUCTION:
        case EXCEPTION_PRIV_INSTRUCTION:
        case EXCEPTION_INT_DIVIDE_BY_ZERO:
        case EXCEPTION_INT_OVERFLOW:
        case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
        case EXCEPTION_DATATYPE_MISALIGNMENT:
        case EXCEPTION_IN_PAGE_ERROR:
        case EXCEPTION_STACK_OVERFLOW:
            return true;
        default:
            return false;
    }
}

LONG CALLBACK OnFault(EXCEPTION_POINTERS* info) {
    Guard* g = t_guard;
    if (!g || !IsFault(info->ExceptionRecord->ExceptionCode)) return EXCEPTION_CONTINUE_SEARCH;
    g->code = info->ExceptionRecord->ExceptionCode;
    // The landing routine runs as if just called: aligned as a call leaves
    // the stack, some way below the guarded entry's frame (and far above a
    // stack that overflowed).
    CONTEXT* c = info->ContextRecord;
#ifdef _WIN64
    c->Rsp = ((g->stackTop - 256) & ~std::uintptr_t(15)) - 8;
    c->Rip = reinterpret_cast<DWORD64>(&Land);
#else
    c->Esp = static_cast<DWORD>(((g->stackTop - 256) & ~std::uintptr_t(15)) - 4);
    c->Eip = static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(&Land));
#endif
    return EXCEPTION_CONTINUE_EXECUTION;
}

void EnsureHandler() {
    static const PVOID handler = AddVectoredExceptionHandler(1, OnFault);
    (void)handler;
}

// A frame of its own: its address marks where the guarded frames begin.
__attribute__((noinline)) void Enter(Guard* g, void (*call)(void*), void* context) {
    g->stackTop = reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
    call(context);
    __asm__ volatile("" ::: "memory");  // keep the call from becoming a tail jump
}

}  // namespace

bool CallForeignGuarded(void (*call)(void*), void* context, DWORD* faultCode) {
    EnsureHandler();
    static thread_local Guard frames[16];
    static thread_local int depth = 0;
    if (depth >= 16) {  // deeper nesting is not expected; run unguarded rather than refuse
        call(context);
        return true;
    }
    Guard* volatile g = &frames[depth++];
    *g = Guard{};
    g->outer = t_guard;
    t_guard = g;
    // A C++ exception leaving the call must leave the guard too, or a later
    // fault anywhere on this thread would land in a frame that is gone.
    struct Leave {
        Guard* g;
        ~Leave() {
            t_guard = g->outer;
            --depth;
        }
    };
    bool returned = true;
    {
        Leave leave{g};
        if (__builtin_setjmp(g->jump) == 0) {
            Enter(g, call, context);
        } else {
            returned = false;
        }
    }
    // The overflow used up the stack's guard page; without a new one the
    // next overflow would end the process unannounced.
    if (!returned && g->code == EXCEPTION_STACK_OVERFLOW) _resetstkoflw();
    if (faultCode) *faultCode = returned ? 0 : g->code;
    return returned;
}

}  // namespace quib
