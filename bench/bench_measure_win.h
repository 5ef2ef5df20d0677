// What the Windows-side benchmarks measure with: a millisecond clock and the process's GDI objects.
#pragma once

#include <windows.h>

namespace bench {

inline double NowMs() {
  LARGE_INTEGER counter, frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Wine's GetGuiResources answers 0. Its GDI handles carry their table slot in the low 16 bits and
// are accepted without the generation in the high ones, so the live objects can be counted by
// asking every slot for its type.
inline DWORD GdiObjects() {
  if (DWORD count = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return count;
  DWORD count = 0;
  for (UINT_PTR slot = 1; slot <= 0xFFFF; ++slot) count += GetObjectType(reinterpret_cast<HGDIOBJ>(slot)) != 0;
  return count;
}

}  // namespace bench
