// TTrayIcon: a non-visual component that puts one icon into the notification area, keeps it up to
// date (image, tooltip, balloon), animates it from an image list, turns the shell's notifications
// into events, takes the application's main form to the tray on minimise and brings it back, asks
// at start-up whether the main form is shown at all, and puts the icon back when the taskbar is
// created again. Nothing in it knows the program that uses it; a form owns it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "tray/simple_timer_win.h"
#include "tray/tray_dispatch.h"
#include "tray/tray_record.h"
#include "ui/component_win.h"
#include "ui/handles.h"
#include "ui/removal_notice.h"

class ImageList;
class PopupMenu;

class TTrayIcon : public Component, private tray::DispatchHost, private RemovalObserver {
 public:
  using NotifyEvent = std::function<void(TTrayIcon& sender)>;
  using MouseEvent = std::function<void(TTrayIcon& sender, tray::MouseButton button, unsigned shift, int x, int y)>;
  using MouseMoveEvent = std::function<void(TTrayIcon& sender, unsigned shift, int x, int y)>;
  using CycleEvent = std::function<void(TTrayIcon& sender, int nextIndex)>;
  using StartupEvent = std::function<void(TTrayIcon& sender, bool& showMainForm)>;

  explicit TTrayIcon(Form* owner);
  ~TTrayIcon() override;

  // Properties.
  bool DesignPreview() const { return designPreview_; }
  void SetDesignPreview(bool preview) { designPreview_ = preview; }  // only a form designer acts on it
  ImageList* IconList() const { return iconList_; }
  void SetIconList(ImageList* list);
  bool CycleIcons() const { return cycleIcons_; }
  void SetCycleIcons(bool cycle);
  unsigned CycleInterval() const { return cycleInterval_; }
  void SetCycleInterval(unsigned interval);
  bool Enabled() const { return dispatch_.enabled; }
  void SetEnabled(bool enabled) { dispatch_.enabled = enabled; }
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint);
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool show);
  HICON Icon() const { return icon_.Get(); }
  // Takes a copy of icon (null: no icon) and updates the tray.
  void SetIcon(HICON icon);
  bool IconVisible() const { return iconVisible_; }
  void SetIconVisible(bool visible);
  int IconIndex() const { return iconIndex_; }
  void SetIconIndex(int index);
  ::PopupMenu* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(::PopupMenu* menu);
  bool LeftPopup() const { return dispatch_.leftPopup; }
  void SetLeftPopup(bool leftPopup) { dispatch_.leftPopup = leftPopup; }
  bool WantEnterExitEvents() const { return dispatch_.WantEnterExitEvents(); }
  void SetWantEnterExitEvents(bool want) { dispatch_.SetWantEnterExitEvents(want); }
  bool MinimizeToTray() const { return minimizeToTray_; }
  void SetMinimizeToTray(bool minimize) { minimizeToTray_ = minimize; }

  // Events, each called with this component as sender and only when assigned.
  NotifyEvent OnClick, OnDblClick, OnMouseEnter, OnMouseExit;
  MouseEvent OnMouseDown, OnMouseUp;
  MouseMoveEvent OnMouseMove;
  CycleEvent OnCycle;
  NotifyEvent OnBalloonHintShow, OnBalloonHintHide, OnBalloonHintTimeout, OnBalloonHintClick;
  NotifyEvent OnMinimizeToTray;
  StartupEvent OnStartup;

  // The shell calls; each answers whether the call was made and the shell accepted it.
  virtual bool AddTrayIcon();
  virtual bool RemoveTrayIcon();
  virtual bool UpdateTrayIcon();
  bool ShowBalloonHint(const std::string& title, const std::string& text, tray::BalloonIconKind kind,
                       std::uint8_t timeoutSecs);
  bool HideBalloonHint();

  // Opens PopupMenu at a screen point / at the pointer and returns when it has closed.
  void ShowTrayMenu(int x, int y);
  void ShowTrayMenuAtCursor();

  // The application's main form and its taskbar button.
  void RestoreMainForm();
  void HideMainForm();
  void HideTaskbarButton();

  void Loaded() override;

  // The record as the shell gets it (for the tests of what is sent).
  const tray::TrayRecord& TrayRecord() const { return record_; }
  // A notification from the shell (the shared window's callback message).
  void Dispatch(std::uint32_t code) { dispatch_.Notify(code); }

 protected:
  // Event dispatchers.
  virtual void CycleIcon();
  virtual void MoveToTray();
  void Click() override;
  void DblClick() override;
  void MouseDown(tray::MouseButton button, unsigned shift, tray::ScreenPoint at) override;
  void MouseUp(tray::MouseButton button, unsigned shift, tray::ScreenPoint at) override;
  void MouseMove(unsigned shift, tray::ScreenPoint at) override;
  void MouseEnter() override;
  void MouseExit() override;

 private:
  // The dispatch's view of a simple timer.
  class TimerAdapter : public tray::DispatchTimer {
   public:
    explicit TimerAdapter(TSimpleTimer& timer) : timer_(timer) {}
    void Restart(unsigned intervalMs) override;
    void Stop() override { timer_.SetEnabled(false); }
    bool Running() const override { return timer_.Enabled(); }

   private:
    TSimpleTimer& timer_;
  };

  // What the dispatch reads from the platform and the menu.
  unsigned KeyShiftState() override;
  bool CursorPosition(tray::ScreenPoint& point) override;
  unsigned DoubleClickTime() override;
  bool HasDblClickHandler() override { return static_cast<bool>(OnDblClick); }
  bool CanAutoPopup() override;
  void PopupAtCursor() override;
  std::vector<bool> MenuItemDefaults() override;
  void ClickMenuItem(int index) override;
  void Balloon(tray::BalloonNotice notice) override;
  void Removed(RemovalNotifier& removed) override;

  bool FillTrayRecord();
  bool CallShell(tray::ShellRequest request);
  void ShowListImage(int index);
  void AnimationTick();
  void Fire(const NotifyEvent& event);
  void ShowMenuUntilSettled(int x, int y);

  // Main window integration.
  void StartupDecision();
  void InstallHooks();
  void InstallOwnerHook();
  void RemoveHooks();
  bool ApplicationHook(UINT message, WPARAM wParam, LPARAM lParam);
  bool OwnerHook(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  bool TryMinimizeToTray(LRESULT& result);

  std::uint32_t id_;
  tray::TrayRecord record_;
  TSimpleTimer animationTimer_, clickDelayTimer_, hoverPollTimer_;
  TimerAdapter clickDelay_{clickDelayTimer_}, hoverPoll_{hoverPollTimer_};
  tray::TrayDispatch dispatch_{*this, clickDelay_, hoverPoll_};

  bool designPreview_ = false;
  ImageList* iconList_ = nullptr;
  bool cycleIcons_ = false;
  unsigned cycleInterval_ = 0;
  std::string hint_;
  bool showHint_ = true;
  UniqueIcon icon_;
  bool iconVisible_ = false;
  int iconIndex_ = 0;
  ::PopupMenu* popupMenu_ = nullptr;
  bool minimizeToTray_ = false;

  bool awaitingMdiStartup_ = true;
  int applicationHookId_ = 0;
  // The owner form whose window carries this component's hook, while it does.
  Form* hookedOwner_ = nullptr;
  int ownerHookId_ = 0;
  // A menu of this icon is open; a request to open it again waits here until that one has closed.
  bool menuOpen_ = false;
  bool menuRequested_ = false;
  tray::ScreenPoint requestedMenuPoint_;
  // Handlers may destroy the component: steps after a handler check this first.
  std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};
