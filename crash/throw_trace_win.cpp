#include "crash/throw_trace_win.h"

#include <windows.h>

#include "crash/stack_walk_win.h"

namespace crash {
namespace {

struct ThrowHistory {
  static constexpr std::size_t kSize = 4;
  ThrowTrace traces[kSize];
  std::size_t next = 0;
};

ThrowHistory& History() {
  thread_local ThrowHistory history;
  return history;
}

// Runs inside the throw: no allocation beyond the thread's history, nothing that could throw.
ThrowTrace& NextSlot(const void* object) {
  ThrowHistory& history = History();
  ThrowTrace& slot = history.traces[history.next];
  history.next = (history.next + 1) % ThrowHistory::kSize;
  slot.object = object;
  slot.count = 0;
  return slot;
}

#if defined(_MSC_VER)
LONG CALLBACK OnFirstChance(EXCEPTION_POINTERS* pointers) {
  const EXCEPTION_RECORD* record = pointers->ExceptionRecord;
  constexpr DWORD kMsvcThrow = 0xE06D7363;  // "msc"
  if (record->ExceptionCode == kMsvcThrow && record->NumberParameters >= 2) {
    ThrowTrace& slot = NextSlot(reinterpret_cast<const void*>(record->ExceptionInformation[1]));
    // The context is the raise inside the runtime's throw: the first frames lie in the runtime.
    slot.count = WalkStack(*pointers->ContextRecord, 0, slot.frames, ThrowTrace::kCapacity);
  }
  return EXCEPTION_CONTINUE_SEARCH;
}
#endif

}  // namespace

void InstallThrowCapture() {
#if defined(_MSC_VER)
  AddVectoredExceptionHandler(1, &OnFirstChance);
#endif
}

bool FindThrowTrace(const void* object, ThrowTrace& trace) {
  const ThrowHistory& history = History();
  // Newest first: an address can be used again by a later exception object.
  for (std::size_t age = 1; age <= ThrowHistory::kSize; ++age) {
    const ThrowTrace& candidate = history.traces[(history.next + ThrowHistory::kSize - age) % ThrowHistory::kSize];
    if (object == nullptr || candidate.object == object) {
      if (candidate.count == 0) return false;  // that throw's stack could not be taken
      trace = candidate;
      return true;
    }
  }
  return false;
}

}  // namespace crash

#if !defined(_MSC_VER)
// The link sends every call of the runtime's __cxa_throw here first.
extern "C" {
[[noreturn]] void __real___cxa_throw(void* object, void* type, void (*destroy)(void*));

[[noreturn]] void __wrap___cxa_throw(void* object, void* type, void (*destroy)(void*)) {
  crash::ThrowTrace& slot = crash::NextSlot(object);
  // Leaves out this wrapper: the first frame is the throwing function.
  slot.count = crash::CaptureStack(1, slot.frames, crash::ThrowTrace::kCapacity);
  __real___cxa_throw(object, type, destroy);
}
}
#endif
