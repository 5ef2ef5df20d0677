// The main window: the task list and its pages, the hook library connection and the life of the
// program from start-up to the end.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/copy_data.h"
#include "app/device_bitmap_win.h"
#include "app/hook_connection_win.h"
#include "app/hook_contract.h"
#include "app/refresh_throttle.h"
#include "app/task_icons_win.h"
#include "app/task_tree.h"
#include "app/tray_menu/switch_state.h"
#include "app/window_icons_win.h"
#include "app/tree_images.h"
#include "app/tree_drag.h"
#include "app/taskbar_drag.h"
#include "tray/tray_icon_win.h"
#include "ui/form_win.h"
#include "ui/handles.h"
#include "ui/image_list_win.h"
#include "ui/popup_menu_win.h"
#include "ui/standard_controls_win.h"
#include "ui/timer_win.h"

struct SettingsForm;

class TfrmRowtender : public Form {
 public:
  // While a new taskbar has no button toolbar yet, it is looked for again this often, this many times.
  static constexpr unsigned kFindTaskbarIntervalMs = 500;
  static constexpr int kFindTaskbarAttempts = 20;

  TfrmRowtender();
  ~TfrmRowtender() override;

  // Form events.
  void FormCreate();
  void FormActivate();
  bool FormCloseQuery();
  void FormClose();
  void MenuItemExitClick();

  // Task list (snapshot, tree, refresh).
  void HandleCopyData(std::uint32_t code, const void* data, std::size_t size);
  void RebuildTaskTree();
  void ScheduleRefresh();
  void ButtonRefreshClick();
  void TimerRefreshTimer();
  void RequestSnapshot();
  // The lock of a move: the tree takes no presses and Up and Down are disabled until the refresh.
  void SetListLocked(bool locked);

  const hook::TaskbarSnapshot& Snapshot() const { return *snapshot_; }
  const std::vector<std::string>& TaskTexts() const { return taskTexts_; }
  const HookConnection& Hook() const { return hook_; }
  bool ExitRequested() const { return exitRequested_; }

 protected:
  bool OnCloseQuery() override { return FormCloseQuery(); }
  void OnClose(CloseAction& action) override;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // Carries out the throttle's answer to a rebuild request: rebuild now, or arm the one deferred
  // rebuild (app/refresh_throttle.h).
  void FollowThrottle(const taskbar::RefreshThrottle::Answer& answer);
  void DeferredRebuildTimer();
  void RebuildNow();
  void BindHandlers();
  void ConnectHookLibrary();
  // The window's parts that show the settings (app/settings).
  SettingsForm SettingsView();
  void TakeTaskIcons(const taskbar::IconList& list);
  void FillTree(const std::vector<HICON>& icons);
  void AddTreeImages(const std::vector<taskbar::NodeImages>& plan, const std::vector<HICON>& icons, int bitmaps);
  void SelectPending();
  CheckBox& Check(const char* name) const { return ControlAs<CheckBox>(name); }
  TreeView& Tree() const { return ControlAs<TreeView>("TreeTasks"); }

  // Start-up state.
  bool exitRequested_ = false;
  int pendingSelection_ = -1;

  // Task list state.
  std::unique_ptr<hook::TaskbarSnapshot> snapshot_;
  std::vector<std::string> taskTexts_;
  taskbar::TaskTree tree_;
  taskbar::RefreshThrottle throttle_;
  RECT taskbarClientRect_{};
  std::vector<HTREEITEM> treeItems_;  // by absolute index
  TaskIcons taskbarIcons_;  // the taskbar's pictures of the last round, made ours
  WindowIcons windowIcons_;  // icons the windows of the taskbar answered
  Timer timerRefresh_;
  Timer timerDeferredRebuild_;  // the rebuild that a dropped request asked for
  UniqueImageList imageList_;

  // Drag surfaces (device-dependent bitmaps in the screen's format).
  DeviceBitmap ghostBackground_, dragImage_, taskbarComposite_, taskbarBackground_;

  HookConnection hook_;

  // The node being dragged, in the list or on the taskbar; every rebuild clears it.
  int dragNode_ = taskbar::kNoNode;

  // moves: MoveTaskNode and its animation (app/main_window_move_win.cpp).
 public:
  // Source and target are absolute tree indexes, or taskbar::kNoNode.
  void MoveTaskNode(int source, int target);

 private:
  void AnimateButtonMove(int sourceIndex, int targetIndex);

  // list drag: the tree's drag and Up/Down (app/main_window_list_drag_win.cpp).
 public:
  void TreeTasksMouseDown(const ui::MouseEvent& event);
  void TreeTasksMouseMove(const ui::MouseEvent& event);
  void TreeTasksMouseUp(const ui::MouseEvent& event);
  void ButtonUpClick();
  void ButtonDownClick();

 private:
  void MoveSelected(int direction);
  // The absolute index of a tree view item, or of the item at a point of the tree; kNoNode if none.
  int NodeIndex(HTREEITEM item) const;
  int NodeAt(int x, int y) const;
  void PaintGhost(const taskbar::GhostStep& step);
  void EndTreeDrag();
  taskbar::TreeDrag treeDrag_;

  // taskbar drag: the hook library's mouse records (app/main_window_taskbar_drag_win.cpp).
 public:
  void TaskbarMouseDown(std::uint32_t wParam, std::uint32_t lParam);
  void TaskbarMouseMove(std::uint32_t wParam, std::uint32_t lParam);
  void TaskbarMouseUp(std::uint32_t wParam, std::uint32_t lParam);
  // Ends a drag on the taskbar in progress (a rebuild, the toolbar gone), repainting the taskbar
  // when something of the drag is painted on it.
  void CancelTaskbarDrag();

 private:
  // Hands a forwarded mouse record to the handler of its message.
  void HandleTaskbarMouse(const taskbar::MouseInput& input);
  taskbar::TaskbarModel TaskbarDragModel() const { return {tree_, *snapshot_}; }
  // The toolbar and its device context are still there to draw on.
  bool TaskbarDrawable() const;
  void TakeTaskbarPictures(const taskbar::PressResult& press);
  void PaintTaskbarDragFrame(const taskbar::DragFrame& frame);
  // Invalidates the whole toolbar with its background erased and has it paint at once.
  void RepaintTaskbar();
  taskbar::TaskbarDrag taskbarDrag_;
  UniqueBrush frameBrush_;

  // tray: the tray icon component, its menu with the On/Off switch, and their handlers
  // (app/main_window_tray_win.cpp).
 public:
  TTrayIcon& TrayIcon() { return trayIcon_; }
  void TrayIconDblClick();
  void TrayIconBalloonHintClick();
  void TrayIconStartup(bool& showMainForm);
  void btnOkClick();
  // Either switch item: On to Off or Off to On.
  void MenuItemOnClick();
  void MenuItemSettingsClick();
  void MenuItemAboutClick();
  void MenuItemCheckforUpdatesClick() {}
  void KelvaneSoftwareWebsite1Click();
  // On while the task list shows (every start begins On); Off hides it behind its notice.
  traymenu::Switch SwitchState() const;

 private:
  void ConfigureTrayIcon();
  void LoadContextMenu();
  void BindMenuHandlers();
  void RestoreOnPage(int page);
  ImageList imageListTray_{this};
  ImageList imageListMenuItems_{this};
  PopupMenu contextMenu_{this};
  TTrayIcon trayIcon_{this};

  // taskbar restart: a new taskbar after the shell's "TaskbarCreated"
  // (app/main_window_taskbar_restart_win.cpp).
 public:
  void TaskbarCreated();

 private:
  void WatchTaskbarRestarts();
  void AttachTaskbar();
  void FindTaskbarTimer();
  Timer timerFindTaskbar_;
  int findTaskbarAttempts_ = 0;
  int taskbarCreatedHookId_ = 0;
};
