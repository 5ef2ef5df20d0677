// Drives what the program does with the hook library's messages over a session, from compact
// inputs that reach every part without the fuzzer having to find an 11,316-byte snapshot:
// - two snapshots, each encoded whole and taken through the copy-data decoder: the tree is built
//   from the first and the second replaces it before any rebuild (the throttle holds rebuilds
//   back, so the drag, the hit tests and the move planner read a snapshot newer than the tree);
// - press, move and release records through the taskbar drag, and the drops it plans as moves
//   with their animation;
// - texts through the library's writer and the program's reader, which must give them back.
// Besides "no crash" (the sanitizers watch every read), it checks what the program relies on.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "app/button_animation.h"
#include "app/copy_data.h"
#include "app/move_plan.h"
#include "app/task_tree.h"
#include "app/taskbar_drag.h"
#include "app/text_list.h"
#include "hookdll/text_list_writer.h"

namespace {

constexpr taskbar::CopyDataCodes kCodes{0xC0A1, 0xC0A3, 0xC0A2};

void Check(bool condition) {
  if (!condition) std::abort();
}

std::int32_t Coordinate(FuzzedDataProvider& in) {
  // Mostly taskbar-like values; now and then anything, for the saturated arithmetic.
  return in.ConsumeBool() ? in.ConsumeIntegral<std::int32_t>() : in.ConsumeIntegralInRange<std::int32_t>(-40, 1200);
}

// A snapshot as the decoder takes it, or none when the decoder refuses it (a count out of range).
std::optional<hook::TaskbarSnapshot> TakeSnapshot(FuzzedDataProvider& in) {
  hook::TaskbarSnapshot snapshot{};
  snapshot.count = in.ConsumeIntegralInRange<std::int32_t>(-1, hook::kMaxEntries + 1);
  for (int i = 0; i < hook::kMaxEntries && i < snapshot.count && in.remaining_bytes() > 0; ++i) {
    snapshot.buttons[i].window = in.ConsumeBool() ? 0 : in.ConsumeIntegralInRange<std::uint32_t>(1, 8);
    snapshot.rects[i] = {Coordinate(in), Coordinate(in), Coordinate(in), Coordinate(in)};
    snapshot.states[i] = in.ConsumeBool() ? hook::kStateHidden : 0;
    snapshot.icons[i] = in.ConsumeIntegral<std::uint8_t>();
  }
  const auto decoded = taskbar::DecodeCopyData(hook::kSnapshotCopyDataCode, &snapshot, sizeof snapshot, kCodes);
  if (const auto* taken = std::get_if<hook::TaskbarSnapshot>(&decoded)) return *taken;
  Check(snapshot.count < 0 || snapshot.count > hook::kMaxEntries);
  return std::nullopt;
}

// The library quotes every text, so the reader gives each back whole: zero bytes left out (the
// list travels zero-terminated), and no more than one text per entry.
void CheckTextRoundTrip(FuzzedDataProvider& in) {
  std::vector<std::string> texts(in.ConsumeIntegralInRange<std::size_t>(0, hook::kMaxEntries + 3));
  std::string list;
  for (std::string& text : texts) {
    text = in.ConsumeRandomLengthString(64);
    hookdll::AppendTaskText(list, text);
    text.erase(std::remove(text.begin(), text.end(), '\0'), text.end());
  }
  if (texts.size() > static_cast<std::size_t>(hook::kMaxEntries)) texts.resize(hook::kMaxEntries);
  const std::vector<char> exact(list.begin(), list.end());  // no terminator: the reader must stop
  Check(taskbar::ReadTextList(exact.data(), exact.size()) == texts);
}

void PlanDrop(const taskbar::TaskbarModel& model, const taskbar::MoveRequest& request) {
  const taskbar::MovePlan plan = taskbar::PlanMove(model.tree, request);
  if (plan.repaintOnly) return;
  Check(model.tree.Contains(plan.source) && model.tree.Contains(plan.target));
  const auto animation = taskbar::PlanButtonAnimation(model.tree, model.snapshot, plan.source, plan.target);
  Check(animation.frames.size() == static_cast<std::size_t>(taskbar::kAnimationFrames));
}

void DriveDrag(FuzzedDataProvider& in, const taskbar::TaskbarModel& model) {
  taskbar::TaskbarDrag drag(taskbar::Size{in.ConsumeIntegralInRange(0, 2000), in.ConsumeIntegralInRange(0, 200)});
  const taskbar::Size client{in.ConsumeIntegralInRange(0, 2000), in.ConsumeIntegralInRange(0, 200)};
  const int rows = in.ConsumeIntegralInRange(-1, 4);
  while (in.remaining_bytes() > 0) {
    const auto lParam = in.ConsumeIntegral<std::uint32_t>();
    switch (in.ConsumeIntegralInRange(0, 3)) {
      case 0: {
        const taskbar::PressResult press = drag.Press(model, lParam, client, [rows] { return rows; });
        if (press.resizeBuffers) Check(press.resizeBuffers->width >= 0 && press.resizeBuffers->height >= 0);
        break;
      }
      case 1:
        drag.Move(model, in.ConsumeBool() ? taskbar::kLeftButtonHeld : 0, lParam);
        break;
      case 2: {
        const taskbar::ReleaseResult release = drag.Release(model, lParam);
        if (release.drop) PlanDrop(model, *release.drop);
        break;
      }
      default:
        drag.Cancel();
        break;
    }
    Check(drag.DragNode() == taskbar::kNoNode || model.tree.Contains(drag.DragNode()));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  CheckTextRoundTrip(in);
  const auto first = TakeSnapshot(in);
  if (!first) return 0;
  const taskbar::TaskTree tree = taskbar::TaskTree::Build(*first, {});
  Check(tree.size() == first->count);
  const auto second = TakeSnapshot(in);
  DriveDrag(in, {tree, second ? *second : *first});
  return 0;
}
