// The stack of every C++ throw, taken as the exception is raised, so that a report shows where an
// exception came from rather than the boundary that caught it. With mingw the program's link wraps
// the runtime's throw (-Wl,--wrap=__cxa_throw, set by crash/CMakeLists.txt); with MSVC a vectored
// handler sees the throw's first-chance exception. Each thread keeps its last few throws.
#pragma once

#include <cstddef>
#include <cstdint>

namespace crash {

struct ThrowTrace {
  static constexpr std::size_t kCapacity = 48;
  const void* object = nullptr;  // the thrown object
  std::size_t count = 0;
  std::uint64_t frames[kCapacity] = {};  // return addresses; the first lies in the throwing function
};

// Starts seeing throws where the link does not (MSVC); call once.
void InstallThrowCapture();

// The trace of the throw of `object` on this thread (of its latest throw when `object` is null);
// false when none is kept.
bool FindThrowTrace(const void* object, ThrowTrace& trace);

}  // namespace crash
