// The task list: the snapshot and texts from the hook library, the tree built from them, and the
// refresh cycle (snapshot request, answer, rebuild).
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <unordered_map>

#include "app/main_window_win.h"
#include "app/registered_messages_win.h"
#include "app/task_icons_win.h"
#include "app/tree_images.h"
#include "ui/strings.h"
#include "ui/unhandled_error.h"

void TfrmRowtender::HandleCopyData(std::uint32_t code, const void* data, std::size_t size) {
  const RegisteredMessages& ids = HookMessages();
  taskbar::CopyDataPayload payload =
      taskbar::DecodeCopyData(code, data, size, {ids.getTaskText, ids.doMouse, ids.getTaskIcon});
  if (auto* snapshot = std::get_if<hook::TaskbarSnapshot>(&payload)) {
    *snapshot_ = *snapshot;
  } else if (auto* texts = std::get_if<taskbar::TextList>(&payload)) {
    // The list carries the system code page; everything inside the program is UTF-8.
    taskTexts_.clear();
    for (const std::string& text : *texts) taskTexts_.push_back(Narrow(AnsiToWide(text)));
  } else if (auto* mouse = std::get_if<taskbar::MouseInput>(&payload)) {
    // Off means off, also when a hook library goes on forwarding the taskbar's mouse after the
    // window was withdrawn: no drag on the taskbar, no drop that moves a button.
    if (SwitchState() == traymenu::Switch::On) HandleTaskbarMouse(*mouse);
  } else if (auto* icons = std::get_if<taskbar::IconList>(&payload)) {
    TakeTaskIcons(*icons);
  }
}

// The pictures follow their snapshot in the same round; a list of another length belongs to no
// snapshot we hold and is left alone.
void TfrmRowtender::TakeTaskIcons(const taskbar::IconList& list) {
  if (list.pictureOf.size() != static_cast<size_t>(snapshot_->count)) return;
  // Icons of pictures that are gone are destroyed here: they went into the tree's image list at the
  // last rebuild, and the snapshot that named them has been replaced.
  const std::vector<HICON> icons = taskbarIcons_.Take(list);
  for (size_t i = 0; i < list.pictureOf.size(); ++i) {
    const std::int32_t picture = list.pictureOf[i];
    if (picture == hook::kNoPicture || !icons[static_cast<size_t>(picture)]) continue;
    snapshot_->icons[i] = static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(icons[static_cast<size_t>(picture)]));
  }
}

void TfrmRowtender::RequestSnapshot() {
  if (hook_.Toolbar()) PostMessageW(hook_.Toolbar(), hook::kRequestSnapshot, 0, 0);
}

void TfrmRowtender::ScheduleRefresh() { timerRefresh_.SetEnabled(true); }

void TfrmRowtender::ButtonRefreshClick() { RequestSnapshot(); }

void TfrmRowtender::TimerRefreshTimer() {
  timerRefresh_.SetEnabled(false);
  // While Off the list stays locked, also when an activation of the window brought this tick.
  if (traymenu::ViewOf(SwitchState()).listWorks) SetListLocked(false);
  RequestSnapshot();
}

void TfrmRowtender::SetListLocked(bool locked) {
  Tree().SetMouseDownAttached(!locked);
  ControlByName("ButtonUp").SetEnabled(!locked);
  ControlByName("ButtonDown").SetEnabled(!locked);
}

void TfrmRowtender::RebuildTaskTree() { FollowThrottle(throttle_.Request(GetTickCount(), Visible())); }

void TfrmRowtender::DeferredRebuildTimer() {
  timerDeferredRebuild_.SetEnabled(false);
  FollowThrottle(throttle_.DeferredDue(GetTickCount(), Visible()));
}

void TfrmRowtender::FollowThrottle(const taskbar::RefreshThrottle::Answer& answer) {
  if (answer.deferFor) {
    timerDeferredRebuild_.SetInterval(*answer.deferFor);
    timerDeferredRebuild_.Restart();
  }
  if (!answer.rebuildNow) return;
  timerDeferredRebuild_.SetEnabled(false);
  RebuildNow();
}

void TfrmRowtender::RebuildNow() {
  if (hook_.Toolbar()) GetClientRect(hook_.Toolbar(), &taskbarClientRect_);
  EndTreeDrag();
  dragNode_ = taskbar::kNoNode;
  CancelTaskbarDrag();  // nothing of a drag stays painted on the taskbar
  HWND tree = Tree().Handle();
  Tree().BeginUpdate();
  RunGuarded([&] {
    TreeView_DeleteAllItems(tree);
    treeItems_.clear();
    tree_ = taskbar::TaskTree::Build(*snapshot_, taskTexts_);
    FillTree(windowIcons_.LookUp(*snapshot_));
  });
  throttle_.Restart(GetTickCount());
  SelectPending();
  Tree().EndUpdate();
}

void TfrmRowtender::FillTree(const std::vector<HICON>& icons) {
  int small = GetSystemMetrics(SM_CXSMICON), smallHeight = GetSystemMetrics(SM_CYSMICON);
  const int large = GetSystemMetrics(SM_CXICON);
  const int imagesPerBitmap = std::max(1, large / small);
  std::vector<bool> hasIcon;
  for (HICON icon : icons) hasIcon.push_back(icon != nullptr);
  std::vector<taskbar::NodeImages> plan = taskbar::PlanTreeImages(tree_, hasIcon, imagesPerBitmap);

  // Room for every planned image at once: growing the list image by image is what made a full
  // taskbar's rebuild slow.
  int planned = 0;
  for (const taskbar::NodeImages& images : plan) planned += images.addsBitmap ? imagesPerBitmap : 0;
  imageList_.Reset(ImageList_Create(small, smallHeight, ILC_COLOR32, std::max(planned, 1), 16));
  HWND tree = Tree().Handle();
  TreeView_SetImageList(tree, imageList_.Get(), TVSIL_NORMAL);
  TreeView_SetImageList(tree, imageList_.Get(), TVSIL_STATE);

  AddTreeImages(plan, icons, planned / imagesPerBitmap);
  for (int i = 0; i < tree_.size(); ++i) {
    const taskbar::NodeImages& images = plan[static_cast<size_t>(i)];
    std::wstring text = Widen(tree_.Node(i).text);
    TVINSERTSTRUCTW insert{};
    int parent = tree_.Parent(i);
    insert.hParent = parent == taskbar::kNoNode ? TVI_ROOT : treeItems_[static_cast<size_t>(parent)];
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    insert.item.pszText = text.data();
    insert.item.iImage = images.image;
    insert.item.iSelectedImage = images.selectedImage;
    insert.item.lParam = static_cast<LPARAM>(images.data);
    treeItems_.push_back(reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert))));
  }
}

// Each planned bitmap is one large-icon-wide piece of a single strip, white in its top-left small
// square with the entry's icon (or the default icon) drawn there, and the strip is added to the
// image list at once: the images get the indexes the plan gave them, and one add is far cheaper
// than one per entry.
void TfrmRowtender::AddTreeImages(const std::vector<taskbar::NodeImages>& plan, const std::vector<HICON>& icons,
                                  int bitmaps) {
  if (bitmaps <= 0) return;
  // The image list takes only the top rows of what it is given, as high as its images; the icons
  // are drawn in the top 16.
  const int large = GetSystemMetrics(SM_CXICON), height = std::max(GetSystemMetrics(SM_CYSMICON), 16);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), large * bitmaps, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  UniqueBitmap strip(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!strip) return;
  UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
  HICON fallback = ControlAs<Image>("ImageDefault").Icon();
  // Each icon is composed over the tree's own background, as the tree shows it, before it is
  // copied into the strip.
  const COLORREF treeColour = TreeView_GetBkColor(Tree().Handle());
  UniqueBrush treeBackground(CreateSolidBrush(treeColour == CLR_NONE ? GetSysColor(COLOR_WINDOW) : treeColour));
  {
    ScopedSelect select(dc.Get(), strip.Get());
    // Windows of one program mostly share an icon, and drawing an icon is the costly step: each
    // distinct icon is drawn once and its square copied for the other entries that show it.
    std::unordered_map<HICON, int> drawnAt;
    const size_t rowBytes = static_cast<size_t>(large) * bitmaps * sizeof(std::uint32_t);
    auto* pixels = static_cast<std::uint8_t*>(bits);
    int slot = 0;
    for (size_t i = 0; i < plan.size(); ++i) {
      if (!plan[i].addsBitmap) continue;
      HICON icon = icons[i] ? icons[i] : fallback;
      const auto [drawn, isNew] = drawnAt.try_emplace(icon, slot);
      if (isNew) {
        RECT square{slot * large, 0, slot * large + 16, 16};
        FillRect(dc.Get(), &square, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        DrawIconEx(dc.Get(), square.left, 0, icon, 16, 16, 0, treeBackground.Get(), DI_NORMAL);
        GdiFlush();  // the pixels are read and copied directly below
        // Composed over the tree's background, the square is opaque: with the icon's own alpha
        // left in it, the image list would blend the icon's soft edges over the background again.
        for (size_t row = 0; row < 16; ++row) {
          auto* line = reinterpret_cast<std::uint32_t*>(pixels + row * rowBytes) + static_cast<size_t>(slot) * large;
          for (int column = 0; column < 16; ++column) line[column] |= 0xFF000000u;
        }
      } else {
        const size_t from = static_cast<size_t>(drawn->second) * large * sizeof(std::uint32_t);
        const size_t to = static_cast<size_t>(slot) * large * sizeof(std::uint32_t);
        for (size_t row = 0; row < 16; ++row) {
          std::memcpy(pixels + row * rowBytes + to, pixels + row * rowBytes + from, 16 * sizeof(std::uint32_t));
        }
      }
      ++slot;
    }
  }
  ImageList_Add(imageList_.Get(), strip.Get(), nullptr);
}

void TfrmRowtender::SelectPending() {
  int node = taskbar::SelectionAfterRebuild(tree_, pendingSelection_);
  if (node == taskbar::kNoNode || static_cast<size_t>(node) >= treeItems_.size()) return;
  TreeView_SelectItem(Tree().Handle(), treeItems_[static_cast<size_t>(node)]);
}
