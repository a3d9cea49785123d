#pragma once
// Calls into code the program does not own (Susie plug-ins) so that a
// hardware fault inside it ends that call, not the program.
#include <windows.h>

namespace quib {

// Runs call(context). Returns true when it returned; false when a fault
// (access violation, illegal or privileged instruction, division by zero,
// misalignment, paging error, stack overflow) was raised inside it, with the
// exception code in *faultCode. The faulting call's frames are abandoned, not
// unwound: the call must not own anything that needs destroying, which is
// why it is a plain function with a context and not a C++ callable.
// Calls may nest; each fault ends the innermost guarded call.
bool CallForeignGuarded(void (*call)(void*), void* context, DWORD* faultCode = nullptr);

// The same for a lambda whose own frame holds nothing to destroy (capture by
// reference; do the plug-in call and store its result, nothing else).
template <class Call>
bool CallForeign(Call& call, DWORD* faultCode = nullptr) {
    return CallForeignGuarded([](void* p) { (*static_cast<Call*>(p))(); }, &call, faultCode);
}

}  // namespace quib
