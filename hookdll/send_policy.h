// When the library sends to the program, and how long it waits. The taskbar's thread stands still
// while a send waits, so: hover moves (no left button) are never sent, since the program acts on
// moves only during a drag; once a send has gone unanswered, moves are dropped and every other
// send is preceded by a short probe, until the program answers again.
#pragma once

#include <cstdint>

namespace hookdll {

enum class SendKind { kReport, kPress, kMove, kRelease };

struct SendPlan {
  bool send = false;         // false: nothing goes out
  bool probeFirst = false;   // ask whether the program answers at all, briefly, before the send
  unsigned timeoutMs = 0;    // the send's own limit
};

// Long enough for the program's snapshot handling, short enough that the taskbar recovers.
inline constexpr unsigned kReportTimeoutMs = 2000;
// A press or a move: the program draws at most one frame of its drag.
inline constexpr unsigned kMouseTimeoutMs = 1000;
// A release runs the program's drop with its whole move animation (64 frames, at least 640 ms) in
// its handler: the taskbar must not repaint under the frames.
inline constexpr unsigned kReleaseTimeoutMs = 5000;
// How long a program that went silent gets to show that it answers again.
inline constexpr unsigned kProbeTimeoutMs = 50;

// The mouse messages the library may forward; others are not the program's business.
inline constexpr std::uint32_t kMouseMoveMessage = 0x0200;
inline constexpr std::uint32_t kLeftDownMessage = 0x0201;
inline constexpr std::uint32_t kLeftUpMessage = 0x0202;
inline constexpr std::uint32_t kLeftButtonKey = 0x0001;  // MK_LBUTTON in a mouse message's wParam

class SendPolicy {
 public:
  // What a toolbar mouse message becomes: a send of its kind, or nothing (kind left alone).
  static bool MouseKind(std::uint32_t message, std::uint32_t keys, SendKind& kind);

  SendPlan Plan(SendKind kind) const;
  // The outcome of each send or probe made.
  void Answered() { silent_ = false; }
  void NotAnswered() { silent_ = true; }
  bool Silent() const { return silent_; }

 private:
  bool silent_ = false;
};

}  // namespace hookdll
