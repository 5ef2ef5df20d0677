#include "app/instance/instance_block.h"

#include <algorithm>

namespace instance {
namespace {

std::size_t Count(const InstanceBlock& block) {
  return std::min<std::size_t>(block.InstanceCount, kMaxListed);
}

// Keeps the entries for which `keep` holds, in order, and zeroes the freed places.
template <class Keep>
void KeepOnly(InstanceBlock& block, Keep keep) {
  std::size_t kept = 0;
  for (std::size_t i = 0; i < Count(block); ++i) {
    if (keep(block.ProcessIds[i])) block.ProcessIds[kept++] = block.ProcessIds[i];
  }
  std::fill(block.ProcessIds + kept, block.ProcessIds + Count(block), 0u);
  block.InstanceCount = static_cast<std::uint16_t>(kept);
}

}  // namespace

bool Admit(InstanceBlock& block, std::uint16_t limit, std::uint32_t self, const ProcessAlive& alive) {
  // Id 0 names no process of ours.
  KeepOnly(block, [&](std::uint32_t id) { return id != 0 && id != self && alive(id); });
  if (block.MaxInstances == 0) block.MaxInstances = limit;
  const bool admitted = block.InstanceCount < block.MaxInstances;
  if (block.InstanceCount >= kMaxListed) return false;
  block.ProcessIds[block.InstanceCount++] = self;
  return admitted;
}

bool Withdraw(InstanceBlock& block, std::uint32_t self) {
  std::uint32_t* begin = block.ProcessIds;
  std::uint32_t* end = begin + Count(block);
  std::uint32_t* found = std::find(begin, end, self);
  if (found == end) return false;
  std::copy(found + 1, end, found);
  *(end - 1) = 0;
  block.InstanceCount = static_cast<std::uint16_t>(Count(block) - 1);
  return true;
}

std::vector<std::uint32_t> ListedIds(const InstanceBlock& block) {
  return std::vector<std::uint32_t>(block.ProcessIds, block.ProcessIds + Count(block));
}

}  // namespace instance
