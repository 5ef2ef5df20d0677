#include "app/icon_query_budget.h"

#include <algorithm>

namespace taskbar {

std::uint32_t IconQueryBudget::TimeoutFor(std::uint32_t thread, std::uint32_t now) const {
  const std::uint32_t elapsed = now - start_;
  if (elapsed >= kTotalMs || slowThreads_.count(thread) != 0) return 0;
  return std::min(kPerWindowMs, kTotalMs - elapsed);
}

}  // namespace taskbar
