// The common set-up of the task list tests: a stand-in taskbar with a known set of buttons and
// Rowtender started beside it with its window shown, plus the means to read its task tree from
// outside and to press its buttons and drag in its tree.
//
// The bar, by toolbar index: 0 Alpha, 1 Beta, 2 Gamma (an expanded group: its own button hidden),
// 3 g1, 4 g2, 5 Delta (a collapsed group: its windows' buttons hidden), 6 d1.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/harness.h"

namespace e2e {

// One item of the program's task tree as read from outside.
struct ListItem {
  std::string text;  // UTF-8
  int depth = 0;     // 0: top level, 1: a window inside a group
  bool selected = false;
  HTREEITEM handle = nullptr;
};

// The tree view of another process, read through memory of that process.
class RemoteTree {
 public:
  RemoteTree(HWND tree, DWORD processId);
  ~RemoteTree();
  RemoteTree(const RemoteTree&) = delete;
  RemoteTree& operator=(const RemoteTree&) = delete;

  std::vector<ListItem> Items() const;  // depth first
  // The item's text rectangle in the tree's client pixels.
  RECT TextRect(HTREEITEM item) const;

 private:
  std::string Text(HTREEITEM item) const;
  void Collect(HTREEITEM first, int depth, HTREEITEM selected, std::vector<ListItem>& items) const;

  HWND tree_;
  HANDLE process_ = nullptr;
  void* remote_ = nullptr;  // scratch memory in the other process
};

class ListSession : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Control of the main window by its name in the window description.
  HWND Control(const std::string& name) const;
  // Texts of the stand-in's buttons in toolbar order (group buttons by their group name).
  std::vector<std::string> BarOrder() const;
  // Texts of the tree's items, depth first; and the selected item's text ("" when none).
  std::vector<std::string> ListTexts() const;
  std::string SelectedText() const;
  // Waits until the list shows `texts` and the Up button is enabled again (the lock has ended).
  ::testing::AssertionResult ListShows(const std::vector<std::string>& texts, DWORD timeoutMs = 10000) const;
  bool Unlocked() const { return IsWindowEnabled(Control("ButtonUp")) != FALSE; }

  void Select(const std::string& text) const;
  void Click(const std::string& button) const;
  // A drag in the tree from the item `from` to the item `to` (or to a point below all items when
  // `to` is empty), posted to the tree as the mouse would send it. DragPath works out the points
  // (folded groups are opened for that) and PostDrag posts them, so that a test can post a drag at
  // a moment of its choosing.
  struct DragPath {
    POINT start{}, end{};
  };
  DragPath PathOf(const std::string& from, const std::string& to) const;
  void PostDrag(const DragPath& path) const;
  void Drag(const std::string& from, const std::string& to) const { PostDrag(PathOf(from, to)); }
  // A click posted to a button: it is handled after everything already queued for the window.
  void PostClick(const std::string& button) const;

  std::unique_ptr<TestBarProcess> bar_;
  std::unique_ptr<Process> program_;
  std::unique_ptr<RemoteTree> remote_;
  std::vector<std::string> windows_;  // the bar's window handles by title, "" for groups
  HWND form_ = nullptr;
  HWND tree_ = nullptr;

 private:
  HTREEITEM Item(const std::string& text) const;
};

}  // namespace e2e
