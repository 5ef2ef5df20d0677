// The list of a program file's running copies, as every copy maps it from the shared block, and
// the admission arithmetic over it. Portable; the Win32 guard does all of it under its named lock.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace instance {

inline constexpr std::size_t kMaxListed = 257;

// The shared block, byte for byte (the platform's byte order, little-endian).
struct InstanceBlock {
  std::uint16_t MaxInstances;   // the limit; 0 until the first copy sets it
  std::uint16_t InstanceCount;  // ids in use at the front of ProcessIds
  std::uint32_t ProcessIds[kMaxListed];  // oldest first
};
static_assert(sizeof(InstanceBlock) == 1032);
static_assert(offsetof(InstanceBlock, MaxInstances) == 0);
static_assert(offsetof(InstanceBlock, InstanceCount) == 2);
static_assert(offsetof(InstanceBlock, ProcessIds) == 4);

// Whether a process with this id still runs.
using ProcessAlive = std::function<bool(std::uint32_t processId)>;

// Lists `self` and says whether it may run: fewer than MaxInstances copies were listed before it
// (MaxInstances := limit when still 0). Ids whose process has ended are dropped first, and so is
// any earlier entry of `self` (left by an ended process that had the same id). A full list
// refuses without adding anything.
bool Admit(InstanceBlock& block, std::uint16_t limit, std::uint32_t self, const ProcessAlive& alive);

// Removes the oldest entry of `self`, closing the gap; false when it was not listed.
bool Withdraw(InstanceBlock& block, std::uint32_t self);

// The listed ids, oldest first. A count past the list's end, written by a faulty copy, reads as
// a full list.
std::vector<std::uint32_t> ListedIds(const InstanceBlock& block);

}  // namespace instance
