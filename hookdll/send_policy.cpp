#include "hookdll/send_policy.h"

namespace hookdll {

bool SendPolicy::MouseKind(std::uint32_t message, std::uint32_t keys, SendKind& kind) {
  switch (message) {
    case kLeftDownMessage:
      kind = SendKind::kPress;
      return true;
    case kLeftUpMessage:
      kind = SendKind::kRelease;
      return true;
    case kMouseMoveMessage:
      kind = SendKind::kMove;
      return (keys & kLeftButtonKey) != 0;  // a hover: the program has no drag to feed
    default:
      return false;
  }
}

SendPlan SendPolicy::Plan(SendKind kind) const {
  switch (kind) {
    case SendKind::kReport:
      return {true, silent_, kReportTimeoutMs};
    case SendKind::kPress:
      return {true, silent_, kMouseTimeoutMs};
    case SendKind::kRelease:
      return {true, silent_, kReleaseTimeoutMs};
    case SendKind::kMove:
      // A probe per move would add up along a drag; the next press or release finds out.
      return {!silent_, false, kMouseTimeoutMs};
  }
  return {};
}

}  // namespace hookdll
