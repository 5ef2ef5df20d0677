// What: the pictures of the rebuilt task list: every window shows its own icon on white, windows
// that share an icon each show it, a group without an icon shows its first window's picture, a
// window without any icon the default picture, and each node's selected picture is its picture.
// Why: each distinct icon is drawn once and copied for the other entries, and all pictures go into
// the image list as one strip; a wrong copy or index shows another window's icon.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "app/hook_contract.h"
#include "app/main_window_win.h"
#include "app/task_icons_win.h"
#include "tests/win/colour_icon.h"
#include "tests/win/taskbar_drag_pixels.h"
#include "ui/handles.h"
#include "ui/standard_controls_win.h"

namespace {

using listtest::ColourIcon;

constexpr int kSide = 16;
using Pixels = std::vector<std::uint32_t>;

// A 16 x 16 picture on a background (white unless told), drawn by the given painter, read back
// without its alpha byte.
template <typename Paint>
Pixels PictureOf(Paint paint, COLORREF background = RGB(255, 255, 255)) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), kSide, -kSide, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
  {
    ScopedSelect select(dc.Get(), bitmap.Get());
    RECT all{0, 0, kSide, kSide};
    UniqueBrush brush(CreateSolidBrush(background));
    FillRect(dc.Get(), &all, brush.Get());
    paint(dc.Get());
    GdiFlush();
  }
  Pixels pixels(kSide * kSide);
  std::memcpy(pixels.data(), bits, pixels.size() * sizeof(std::uint32_t));
  for (auto& pixel : pixels) pixel &= 0xFFFFFF;
  return pixels;
}

Pixels IconPicture(HICON icon, COLORREF background = RGB(255, 255, 255)) {
  return PictureOf([&](HDC dc) { DrawIconEx(dc, 0, 0, icon, kSide, kSide, 0, nullptr, DI_NORMAL); }, background);
}

std::uint32_t Value(const void* handle) {
  return static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(handle));
}

class TaskListImages : public testing::Test {
 protected:
  struct BareForm : TfrmRowtender {
    BareForm() { BindEvent("FormCreate", [] {}); }
  };

  void SetUp() override {
    form_.CreateForm();
    // A window that answers no icon: its entry falls back to the default picture.
    iconless_.Reset(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr));
    ASSERT_TRUE(iconless_);
  }

  void AddEntry(std::uint32_t window, HICON icon) {
    const int i = snapshot_.count++;
    snapshot_.buttons[i].window = window;
    snapshot_.icons[i] = Value(icon);
  }

  void Rebuild() {
    COPYDATASTRUCT copy{hook::kSnapshotCopyDataCode, sizeof snapshot_, &snapshot_};
    SendMessageW(form_.Handle(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy));
    SendMessageW(form_.Handle(), hook::kWmApp, 0, 0);
  }

  HWND Tree() { return form_.ControlByName("TreeTasks").Handle(); }

  // The tree's nodes in depth-first order: node i is entry i.
  std::vector<TVITEMW> Nodes() {
    std::vector<TVITEMW> nodes;
    for (HTREEITEM top = TreeView_GetRoot(Tree()); top; top = TreeView_GetNextSibling(Tree(), top)) {
      nodes.push_back(Item(top));
      for (HTREEITEM child = TreeView_GetChild(Tree(), top); child; child = TreeView_GetNextSibling(Tree(), child)) {
        nodes.push_back(Item(child));
      }
    }
    return nodes;
  }

  TVITEMW Item(HTREEITEM handle) {
    TVITEMW item{};
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.hItem = handle;
    TreeView_GetItem(Tree(), &item);
    return item;
  }

  // The node's picture as the tree shows it: its image over the tree's background.
  Pixels ImagePicture(int index, COLORREF background = RGB(255, 255, 255)) {
    HIMAGELIST list = TreeView_GetImageList(Tree(), TVSIL_NORMAL);
    return PictureOf([&](HDC dc) { ImageList_Draw(list, index, dc, 0, 0, ILD_NORMAL); }, background);
  }

  BareForm form_;
  UniqueWindow iconless_;
  hook::TaskbarSnapshot snapshot_{};
};

TEST_F(TaskListImages, EveryNodeShowsItsWindowsIcon) {
  UniqueIcon red = ColourIcon(RGB(220, 30, 30)), blue = ColourIcon(RGB(30, 30, 220));
  UniqueIcon green = ColourIcon(RGB(30, 200, 30));
  AddEntry(0x1001, red.Get());                     // 0: lone window
  AddEntry(0, nullptr);                            // 1: group without an icon
  AddEntry(0x1002, blue.Get());                    // 2:   its first window
  AddEntry(0x1003, red.Get());                     // 3:   a window sharing the icon of 0
  AddEntry(Value(iconless_.Get()), nullptr);       // 4: lone window without any icon
  AddEntry(0, green.Get());                        // 5: group with an icon of its own
  AddEntry(0x1004, blue.Get());                    // 6:   a window sharing the icon of 2
  Rebuild();

  const std::vector<TVITEMW> nodes = Nodes();
  ASSERT_EQ(nodes.size(), 7u);
  HICON fallback = form_.ControlAs<Image>("ImageDefault").Icon();
  const HICON expected[] = {red.Get(), blue.Get(), blue.Get(), red.Get(), fallback, green.Get(), blue.Get()};
  for (size_t i = 0; i < nodes.size(); ++i) {
    SCOPED_TRACE("entry " + std::to_string(i));
    EXPECT_EQ(nodes[i].iSelectedImage, nodes[i].iImage);
    EXPECT_EQ(ImagePicture(nodes[i].iImage), IconPicture(expected[i]));
  }
  EXPECT_EQ(nodes[1].iImage, nodes[2].iImage) << "a group without an icon takes its first window's picture";
  EXPECT_NE(IconPicture(red.Get()), IconPicture(blue.Get())) << "the test's icons must differ";
}

// Where an icon lets the background through, wholly (a masked frame) or in part (its own alpha),
// the node shows the tree's own background once, whatever colour the tree has.
TEST_F(TaskListImages, IconsAreDrawnOverTheTreesBackground) {
  UniqueIcon framed = ColourIcon(RGB(220, 30, 30), GetSystemMetrics(SM_CXICON) / 4);
  UniqueIcon seeThrough = listtest::SeeThroughIcon(RGB(30, 30, 220), 96);
  AddEntry(0x1001, framed.Get());
  AddEntry(0x1002, seeThrough.Get());
  const COLORREF background = RGB(255, 240, 160);
  TreeView_SetBkColor(Tree(), background);
  Rebuild();
  const std::vector<TVITEMW> nodes = Nodes();
  ASSERT_EQ(nodes.size(), 2u);
  const HICON icons[] = {framed.Get(), seeThrough.Get()};
  for (size_t i = 0; i < nodes.size(); ++i) {
    SCOPED_TRACE("entry " + std::to_string(i));
    EXPECT_NE(IconPicture(icons[i], background), IconPicture(icons[i])) << "the background must show through";
    EXPECT_EQ(ImagePicture(nodes[i].iImage, background), IconPicture(icons[i], background));
  }
}

}  // namespace

namespace {

// The pixels of the tree's client area that have exactly the given colour.
int PixelsOf(HWND tree, COLORREF colour) {
  RECT client{};
  GetClientRect(tree, &client);
  WindowDC surface = WindowDC::Client(tree);
  const dragtest::Picture picture = dragtest::PictureOf(surface.Get(), 0, 0, client.right, client.bottom);
  const std::uint32_t wanted = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
  return static_cast<int>(std::count(picture.pixels.begin(), picture.pixels.end(), wanted));
}

// The ghost of a dragged item shows the item's own picture, also when a newer snapshot with
// another icon came in and the throttle held its rebuild back.
TEST_F(TaskListImages, TheDragGhostShowsTheItemsPictureNotANewerSnapshots) {
  form_.SetVisible(true);
  const COLORREF red = RGB(220, 30, 30), green = RGB(30, 200, 30);
  UniqueIcon redIcon = ColourIcon(red), greenIcon = ColourIcon(green), blueIcon = ColourIcon(RGB(30, 30, 220));
  AddEntry(0x1001, redIcon.Get());
  AddEntry(0x1002, blueIcon.Get());
  Rebuild();
  ASSERT_EQ(Nodes().size(), 2u);
  snapshot_.icons[0] = Value(greenIcon.Get());  // the snapshot changes; no rebuild follows
  COPYDATASTRUCT copy{hook::kSnapshotCopyDataCode, sizeof snapshot_, &snapshot_};
  SendMessageW(form_.Handle(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy));

  RECT text{};
  TreeView_GetItemRect(Tree(), TreeView_GetRoot(Tree()), &text, TRUE);
  ui::MouseEvent press;
  press.shift = MK_LBUTTON;
  press.x = (text.left + text.right) / 2;
  press.y = (text.top + text.bottom) / 2;
  ui::MouseEvent move = press;
  move.y += 2 * (text.bottom - text.top);
  const int redBefore = PixelsOf(Tree(), red);
  form_.TreeTasksMouseDown(press);
  form_.TreeTasksMouseMove(move);
  EXPECT_GT(PixelsOf(Tree(), red), redBefore + 200) << "no ghost of the item's picture";
  EXPECT_EQ(PixelsOf(Tree(), green), 0) << "the ghost shows the newer snapshot's icon";
  form_.TreeTasksMouseUp(move);
}

// The taskbar's pictures become icons once: a later report with the same picture keeps its icon,
// a picture that is gone loses its icon, and every icon draws its own picture.
TEST(TaskIcons, APictureKeepsItsIconAcrossReportsAndGoneOnesAreDestroyed) {
  auto listOf = [](std::vector<std::uint32_t> colours) {
    taskbar::IconList list;
    list.width = list.height = kSide;
    for (std::uint32_t colour : colours) {
      list.pictureOf.push_back(static_cast<std::int32_t>(list.pictureOf.size()));
      list.pixels.insert(list.pixels.end(), kSide * kSide, 0xFF000000u | colour);
    }
    return list;
  };
  const std::uint32_t red = 0xDC1E1E, blue = 0x1E1EDC, green = 0x1EC81E;  // 0xRRGGBB
  TaskIcons icons;
  const std::vector<HICON> first = icons.Take(listOf({red, blue}));
  const std::vector<HICON> second = icons.Take(listOf({blue, green}));
  ASSERT_EQ(first.size(), 2u);
  ASSERT_EQ(second.size(), 2u);
  EXPECT_EQ(second[0], first[1]) << "the same picture made anew";
  ICONINFO info{};
  EXPECT_FALSE(GetIconInfo(first[0], &info)) << "the icon of a picture that is gone still lives";
  const struct {
    HICON icon;
    std::uint32_t colour;
  } drawn[] = {{second[0], blue}, {second[1], green}};
  for (const auto& d : drawn) EXPECT_EQ(IconPicture(d.icon), Pixels(kSide * kSide, d.colour));
}

// The rebuild hides the list from drawing while it fills it; afterwards the list shows again, with
// a scroll bar that covers every entry.
TEST_F(TaskListImages, AfterALongRebuildTheListShowsAndScrollsOverEveryEntry) {
  form_.SetVisible(true);
  UniqueIcon red = ColourIcon(RGB(220, 30, 30));
  constexpr int kEntries = 80;
  for (int i = 0; i < kEntries; ++i) AddEntry(0x2000u + i, red.Get());
  Rebuild();
  ASSERT_EQ(TreeView_GetCount(Tree()), static_cast<UINT>(kEntries));
  EXPECT_TRUE(IsWindowVisible(Tree()));
  SCROLLINFO scroll{sizeof(scroll), SIF_RANGE | SIF_PAGE};
  ASSERT_TRUE(GetScrollInfo(Tree(), SB_VERT, &scroll));
  EXPECT_EQ(scroll.nMax - scroll.nMin + 1, kEntries);
  EXPECT_LT(static_cast<int>(scroll.nPage), kEntries);
}

}  // namespace
