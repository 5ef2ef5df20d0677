#include "app/instance/post_retry.h"

namespace instance {

bool PostWithRetry(const std::function<PostResult()>& post, const std::function<std::uint32_t()>& tickMs,
                   const std::function<void()>& pause, std::uint32_t limitMs) {
  const std::uint32_t start = tickMs();
  for (;;) {
    PostResult result = post();
    if (result != PostResult::kFailed) return result == PostResult::kPosted;
    if (tickMs() - start >= limitMs) return false;
    pause();
  }
}

}  // namespace instance
