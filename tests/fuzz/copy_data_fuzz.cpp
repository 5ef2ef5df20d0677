// Feeds arbitrary WM_COPYDATA payloads to the decoder: the first four bytes pick the code (one of
// the four known ones, or any other), the rest is the payload. Checks the invariants the
// program relies on besides "no crash": a taken snapshot has a count of 0..257 and the tree,
// hit tests and move planners built on it stay in bounds; the text list never yields more items
// than payload bytes plus one; a taken picture list indexes only pictures it carries.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/button_animation.h"
#include "app/copy_data.h"
#include "app/move_plan.h"
#include "app/task_tree.h"
#include "app/taskbar_hit_test.h"

namespace {

constexpr taskbar::CopyDataCodes kCodes{0xC0A1, 0xC0A3, 0xC0A2};

std::uint32_t PickCode(std::uint32_t selector) {
  switch (selector % 5) {
    case 0: return hook::kSnapshotCopyDataCode;
    case 1: return kCodes.taskText;
    case 2: return kCodes.mouse;
    case 3: return kCodes.icons;
    default: return selector;
  }
}

void Check(bool condition) {
  if (!condition) std::abort();
}

// Whatever the snapshot holds, the readers of a tree built from it stay inside its arrays.
void ExerciseSnapshot(const hook::TaskbarSnapshot& snapshot) {
  const taskbar::TaskTree tree = taskbar::TaskTree::Build(snapshot, {});
  Check(tree.size() == snapshot.count);
  const taskbar::TaskbarModel model{tree, snapshot};
  const taskbar::Point pointer{snapshot.rects[0].left, snapshot.rects[0].top};
  taskbar::HitTestPress(model, pointer);
  const int target = taskbar::HitTestMove(model, pointer);
  if (target != taskbar::kNoNode) taskbar::FrameAround(model, target);
  taskbar::HitTestDrop(model, pointer);
  if (tree.TopLevel().size() < 2) return;
  const taskbar::MovePlan plan = taskbar::PlanMove(tree, {tree.TopLevel().back(), tree.TopLevel().front()});
  const auto animation = taskbar::PlanButtonAnimation(tree, snapshot, plan.source, plan.target);
  Check(animation.frames.size() == static_cast<size_t>(taskbar::kAnimationFrames));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  std::uint32_t selector = 0;
  std::memcpy(&selector, data, 4);
  // A copy of exactly the payload, so that reading one byte past it is caught.
  const std::vector<std::uint8_t> payload(data + 4, data + size);
  const auto decoded = taskbar::DecodeCopyData(PickCode(selector), payload.data(), payload.size(), kCodes);
  if (const auto* snapshot = std::get_if<hook::TaskbarSnapshot>(&decoded)) {
    Check(snapshot->count >= 0 && snapshot->count <= hook::kMaxEntries);
    ExerciseSnapshot(*snapshot);
  }
  if (const auto* texts = std::get_if<taskbar::TextList>(&decoded)) {
    Check(texts->size() <= payload.size() + 1);
  }
  if (const auto* icons = std::get_if<taskbar::IconList>(&decoded)) {
    Check(icons->pixels.size() == icons->PictureCount() * icons->width * icons->height);
    for (std::int32_t picture : icons->pictureOf) {
      Check(picture == hook::kNoPicture || (picture >= 0 && static_cast<std::size_t>(picture) < icons->PictureCount()));
    }
  }
  return 0;
}
