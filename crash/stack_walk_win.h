// Walking a thread's stack from a processor context: on x64 through the unwind data of each
// module (RtlLookupFunctionEntry / RtlVirtualUnwind, no symbol library needed), on x86 along the
// frame pointers. Every read stays inside the committed stack above the context's stack pointer,
// so a damaged stack ends the walk instead of faulting inside the crash report. Any thread of the
// process may walk any other thread's context.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

// Keeps a function a frame of its own, so that a stack trace shows it.
#if defined(_MSC_VER)
#define ROWTENDER_NOINLINE __declspec(noinline)
#else
#define ROWTENDER_NOINLINE __attribute__((noinline))
#endif

namespace crash {

// The code addresses up the stack from `context`: the context's own instruction first, then the
// return addresses. Leaves out the first `skip` frames and stores at most `capacity`; no allocation.
std::size_t WalkStack(const CONTEXT& context, std::size_t skip, std::uint64_t* frames, std::size_t capacity);

// The calling thread's stack from the function that calls this one (the first frame is a return
// address into it), leaving out `skip` further frames; no allocation.
std::size_t CaptureStack(std::size_t skip, std::uint64_t* frames, std::size_t capacity);

std::vector<std::uint64_t> WalkStack(const CONTEXT& context);
std::vector<std::uint64_t> CaptureStack(std::size_t skip);

}  // namespace crash
