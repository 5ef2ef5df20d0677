#include "crash/stack_walk_win.h"

namespace crash {
namespace {

constexpr std::size_t kMaxFrames = 64;

struct StackBounds {
  std::uintptr_t low = 0;   // the lowest readable address
  std::uintptr_t high = 0;  // one past the highest
};

// The stack is committed in one run of read-write pages from the page of any address in use up to
// its base; VirtualQuery describes that run from the page of `stackPointer` on.
StackBounds StackAbove(std::uintptr_t stackPointer) {
  MEMORY_BASIC_INFORMATION region{};
  if (!VirtualQuery(reinterpret_cast<const void*>(stackPointer), &region, sizeof(region)) ||
      region.State != MEM_COMMIT || (region.Protect & (PAGE_GUARD | PAGE_NOACCESS))) {
    return {};
  }
  const auto low = reinterpret_cast<std::uintptr_t>(region.BaseAddress);
  return {low, low + region.RegionSize};
}

bool Holds(const StackBounds& bounds, std::uintptr_t address, std::size_t size) {
  return address >= bounds.low && address <= bounds.high && bounds.high - address >= size;
}

template <class T>
T ReadStack(std::uintptr_t address) {
  return *reinterpret_cast<const T*>(address);
}

// Moves `context` to the caller's frame; false when the walk cannot go on.
bool Unwind(CONTEXT& context, const StackBounds& bounds) {
#if defined(_M_X64) || defined(__x86_64__)
  const DWORD64 stack = context.Rsp;
  if (!Holds(bounds, stack, sizeof(DWORD64))) return false;
  DWORD64 imageBase = 0;
  if (PRUNTIME_FUNCTION function = RtlLookupFunctionEntry(context.Rip, &imageBase, nullptr)) {
    void* handlerData = nullptr;
    DWORD64 establisherFrame = 0;
    RtlVirtualUnwind(UNW_FLAG_NHANDLER, imageBase, context.Rip, function, &context, &handlerData,
                     &establisherFrame, nullptr);
  } else {
    // No unwind data: a leaf function (or a jump to nowhere) keeps its return address on top.
    context.Rip = ReadStack<DWORD64>(stack);
    context.Rsp = stack + sizeof(DWORD64);
  }
  return context.Rsp > stack && Holds(bounds, context.Rsp, 0);
#elif defined(_M_IX86) || defined(__i386__)
  const std::uintptr_t frame = context.Ebp;
  if (!Holds(bounds, frame, 2 * sizeof(DWORD))) return false;
  const DWORD callerFrame = ReadStack<DWORD>(frame);
  context.Eip = ReadStack<DWORD>(frame + sizeof(DWORD));
  context.Ebp = callerFrame;
  return callerFrame > frame;
#else
  (void)context;
  (void)bounds;
  return false;
#endif
}

std::uintptr_t StackPointerOf(const CONTEXT& context) {
#if defined(_M_X64) || defined(__x86_64__)
  return context.Rsp;
#elif defined(_M_IX86) || defined(__i386__)
  return context.Esp;
#elif defined(_M_ARM64)
  return context.Sp;
#else
  return 0;
#endif
}

std::uint64_t InstructionOf(const CONTEXT& context) {
#if defined(_M_X64) || defined(__x86_64__)
  return context.Rip;
#elif defined(_M_IX86) || defined(__i386__)
  return context.Eip;
#elif defined(_M_ARM64)
  return context.Pc;
#else
  return 0;
#endif
}

}  // namespace

std::size_t WalkStack(const CONTEXT& start, std::size_t skip, std::uint64_t* frames, std::size_t capacity) {
  CONTEXT context = start;
  const StackBounds bounds = StackAbove(StackPointerOf(start));
  std::size_t count = 0;
  for (std::size_t depth = 0; count < capacity && depth < skip + kMaxFrames; ++depth) {
    const std::uint64_t instruction = InstructionOf(context);
    if (instruction == 0 && depth > 0) break;
    if (depth >= skip) frames[count++] = instruction;
    if (!Unwind(context, bounds)) break;
  }
  return count;
}

ROWTENDER_NOINLINE std::size_t CaptureStack(std::size_t skip, std::uint64_t* frames, std::size_t capacity) {
  CONTEXT context{};
  RtlCaptureContext(&context);
  // The captured context lies inside this function: its own frame is left out too.
  return WalkStack(context, skip + 1, frames, capacity);
}

std::vector<std::uint64_t> WalkStack(const CONTEXT& context) {
  std::vector<std::uint64_t> frames(kMaxFrames);
  frames.resize(WalkStack(context, 0, frames.data(), frames.size()));
  return frames;
}

ROWTENDER_NOINLINE std::vector<std::uint64_t> CaptureStack(std::size_t skip) {
  std::vector<std::uint64_t> frames(kMaxFrames);
  frames.resize(CaptureStack(skip + 1, frames.data(), frames.size()));
  return frames;
}

}  // namespace crash
