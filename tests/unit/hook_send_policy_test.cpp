// What: which toolbar mouse messages go to the program, and how the library treats a program that
// stopped answering. Why: the taskbar's thread stands still during every send; a hover or a silent
// program must not freeze the user's taskbar, and a drop must not be cut off mid-animation.
#include <gtest/gtest.h>

#include "hookdll/send_policy.h"

namespace {

using hookdll::SendKind;
using hookdll::SendPolicy;

TEST(HookSendPolicy, OnlyLeftButtonMessagesAreForwardedAndMovesOnlyWhileTheButtonIsHeld) {
  struct Case {
    std::uint32_t message, keys;
    bool forwarded;
    SendKind kind;
  };
  const Case cases[] = {
      {0x0200, 0x0000, false, SendKind::kMove},     // hover
      {0x0200, 0x0002, false, SendKind::kMove},     // right button held: no drag of ours
      {0x0200, 0x0001, true, SendKind::kMove},      // drag
      {0x0200, 0x0009, true, SendKind::kMove},      // drag with Ctrl
      {0x0201, 0x0001, true, SendKind::kPress},
      {0x0202, 0x0000, true, SendKind::kRelease},
      {0x0204, 0x0002, false, SendKind::kMove},     // right button down
      {0x0203, 0x0001, false, SendKind::kMove},     // double click
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.message << " keys " << c.keys);
    SendKind kind = SendKind::kMove;
    EXPECT_EQ(SendPolicy::MouseKind(c.message, c.keys, kind), c.forwarded);
    if (c.forwarded) {
      EXPECT_EQ(kind, c.kind);
    }
  }
}

TEST(HookSendPolicy, ASilentProgramGetsNoMovesAndAProbeBeforeAnythingElseUntilItAnswers) {
  struct Case {
    SendKind kind;
    bool sendWhileAnswering, sendWhileSilent, probeWhileSilent;
  };
  const Case cases[] = {
      {SendKind::kReport, true, true, true},
      {SendKind::kPress, true, true, true},
      {SendKind::kMove, true, false, false},
      {SendKind::kRelease, true, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.kind));
    SendPolicy policy;
    EXPECT_EQ(policy.Plan(c.kind).send, c.sendWhileAnswering);
    EXPECT_FALSE(policy.Plan(c.kind).probeFirst);
    policy.NotAnswered();
    EXPECT_EQ(policy.Plan(c.kind).send, c.sendWhileSilent);
    EXPECT_EQ(policy.Plan(c.kind).probeFirst, c.probeWhileSilent);
    policy.Answered();
    EXPECT_TRUE(policy.Plan(c.kind).send);
    EXPECT_FALSE(policy.Plan(c.kind).probeFirst);
  }
}

TEST(HookSendPolicy, TheDropWaitsLongerThanItsAnimationAndLongerThanAnyOtherSend) {
  SendPolicy policy;
  const unsigned release = policy.Plan(SendKind::kRelease).timeoutMs;
  EXPECT_GE(release, 2u * 640u) << "the move animation alone takes 640 ms";
  for (SendKind other : {SendKind::kReport, SendKind::kPress, SendKind::kMove}) {
    EXPECT_LT(policy.Plan(other).timeoutMs, release);
  }
  EXPECT_LT(hookdll::kProbeTimeoutMs * 10, policy.Plan(SendKind::kMove).timeoutMs) << "a probe must be brief";
}

}  // namespace
