// Posting an announcement to another copy's thread: a full message queue makes the post fail for
// as long as that copy does not read its messages, so the retry gives up after a while.
#pragma once

#include <cstdint>
#include <functional>

namespace instance {

inline constexpr std::uint32_t kPostRetryLimitMs = 1000;

enum class PostResult { kPosted, kNoSuchThread, kFailed };

// Calls `post` until it posts, says the thread is gone, or `limitMs` have passed since the first
// attempt (by `tickMs`, a wrapping millisecond count), calling `pause` between attempts.
// True when the message was posted.
bool PostWithRetry(const std::function<PostResult()>& post, const std::function<std::uint32_t()>& tickMs,
                   const std::function<void()>& pause, std::uint32_t limitMs = kPostRetryLimitMs);

}  // namespace instance
