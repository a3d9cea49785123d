// No C++ exception may leave an exported function: the caller is a program
// that knows only result codes (and may not be C++ at all), and the DLL runs
// in its process, so an escaping exception ends that process. Every export
// runs its work through Guarded.
#pragma once

#include <new>
#include <stdexcept>

#include "result_codes.h"

namespace standin {

// The result code for the exception being handled: memory (an allocation
// failed, or a size beyond what can be held) or a damaged archive.
inline int CurrentExceptionCode() noexcept {
  try {
    throw;
  } catch (const std::bad_alloc&) {
    return kErrMemory;
  } catch (const std::length_error&) {
    return kErrMemory;
  } catch (...) {
    return kErrDataBroken;
  }
}

// work() as it returns, or onError(code) when it throws.
template <typename Work, typename OnError>
auto Guarded(Work&& work, OnError&& onError) noexcept -> decltype(work()) {
  try {
    return work();
  } catch (...) {
    return onError(CurrentExceptionCode());
  }
}

}  // namespace standin
