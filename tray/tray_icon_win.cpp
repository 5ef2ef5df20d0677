// TTrayIcon: construction and destruction, the properties, the shell calls, the image list and its
// animation, and balloon hints.
#include "tray/tray_icon_win.h"

#include "tray/icon_index.h"
#include "tray/shell_notify_win.h"
#include "tray/taskbar_created_win.h"
#include "tray/tray_icon_handler_win.h"
#include "ui/image_list_win.h"
#include "ui/popup_menu_win.h"
#include "ui/unhandled_error.h"

using tray::ShellRequest;

TTrayIcon::TTrayIcon(Form* owner)
    : Component(owner),
      id_(tray::AcquireTrayWindow(this)),
      record_(tray::MakeTrayRecord(tray::RecordHandle(tray::SharedTrayWindow()), id_)),
      animationTimer_(1000, [this](TSimpleTimer&) { AnimationTick(); }),
      clickDelayTimer_(1000, [this](TSimpleTimer&) { dispatch_.ClickDelayElapsed(); }),
      hoverPollTimer_(tray::TrayDispatch::kHoverPollMs, [this](TSimpleTimer&) { dispatch_.HoverPollTick(); }) {
  tray::TaskbarCreatedMessage();
  InstallHooks();
}

TTrayIcon::~TTrayIcon() {
  RunGuarded([&] {
    SetIconVisible(false);
    animationTimer_.SetEnabled(false);
    clickDelayTimer_.SetEnabled(false);
    hoverPollTimer_.SetEnabled(false);
    icon_.Reset();
  });
  RemoveHooks();
  if (iconList_) iconList_->RemoveObserver(this);
  if (popupMenu_) popupMenu_->RemoveObserver(this);
  tray::ReleaseTrayWindow(id_);
}

void TTrayIcon::Loaded() {
  Component::Loaded();
  InstallOwnerHook();
  StartupDecision();
  UpdateTrayIcon();
  SetIconVisible(iconVisible_);
  SetCycleIcons(cycleIcons_);
  SetWantEnterExitEvents(WantEnterExitEvents());
  record_.uTimeoutOrVersion = 0;
  tray::CallShell(ShellRequest::SetVersion, record_);
}

// Shell calls.

bool TTrayIcon::FillTrayRecord() {
  record_.hIcon = tray::RecordHandle(icon_.Get());
  tray::SetTip(record_, tray::ToRecordText(hint_), !hint_.empty() && showHint_);
  return true;
}

bool TTrayIcon::CallShell(ShellRequest request) { return FillTrayRecord() && tray::CallShell(request, record_); }

bool TTrayIcon::AddTrayIcon() {
  iconVisible_ = true;
  return CallShell(ShellRequest::Add);
}

bool TTrayIcon::RemoveTrayIcon() {
  iconVisible_ = false;
  return CallShell(ShellRequest::Delete);
}

bool TTrayIcon::UpdateTrayIcon() { return CallShell(ShellRequest::Modify); }

// Properties.

void TTrayIcon::SetIconVisible(bool visible) {
  if (visible) {
    AddTrayIcon();
  } else {
    RemoveTrayIcon();
  }
}

void TTrayIcon::SetHint(const std::string& hint) {
  hint_ = hint;
  UpdateTrayIcon();
}

void TTrayIcon::SetShowHint(bool show) {
  showHint_ = show;
  UpdateTrayIcon();
}

void TTrayIcon::SetIcon(HICON icon) {
  icon_.Reset(icon ? CopyIcon(icon) : nullptr);
  UpdateTrayIcon();
}

void TTrayIcon::SetIconList(ImageList* list) {
  if (iconList_) iconList_->RemoveObserver(this);
  iconList_ = list;
  if (iconList_) iconList_->AddObserver(this);
  SetIconIndex(0);
}

void TTrayIcon::SetPopupMenu(::PopupMenu* menu) {
  if (popupMenu_) popupMenu_->RemoveObserver(this);
  popupMenu_ = menu;
  if (popupMenu_) popupMenu_->AddObserver(this);
}

void TTrayIcon::Removed(RemovalNotifier& removed) {
  if (iconList_ && &removed == static_cast<RemovalNotifier*>(iconList_)) {
    iconList_ = nullptr;
    SetIconIndex(0);
  }
  if (popupMenu_ && &removed == static_cast<RemovalNotifier*>(popupMenu_)) popupMenu_ = nullptr;
}

// The image list and the animation.

void TTrayIcon::ShowListImage(int index) { icon_ = iconList_ ? iconList_->GetIcon(index) : UniqueIcon(); }

void TTrayIcon::SetIconIndex(int index) {
  iconIndex_ = tray::ClampIconIndex(iconList_ != nullptr, iconList_ ? iconList_->Count() : 0, index);
  if (iconList_) ShowListImage(iconIndex_);
  UpdateTrayIcon();
}

void TTrayIcon::SetCycleIcons(bool cycle) {
  cycleIcons_ = cycle;
  if (cycle) {
    SetIconIndex(0);
    animationTimer_.SetInterval(cycleInterval_);
    animationTimer_.SetEnabled(true);  // an interval of 0 leaves it stopped
  } else {
    animationTimer_.SetEnabled(false);
  }
}

void TTrayIcon::SetCycleInterval(unsigned interval) {
  if (interval == cycleInterval_) return;
  cycleInterval_ = interval;
  SetCycleIcons(cycleIcons_);
}

void TTrayIcon::AnimationTick() {
  if (!iconList_) return;
  ShowListImage(iconIndex_);
  UpdateTrayIcon();
  std::weak_ptr<int> alive = alive_;
  CycleIcon();
  if (alive.expired() || !iconList_) return;
  SetIconIndex(tray::NextIconIndex(true, iconList_->Count(), iconIndex_));
}

void TTrayIcon::CycleIcon() {
  int count = iconList_ ? iconList_->Count() : 0;
  if (OnCycle) OnCycle(*this, tray::NextIconIndex(iconList_ != nullptr, count, iconIndex_));
}

// Balloon hints.

bool TTrayIcon::HideBalloonHint() {
  tray::PrepareHideBalloon(record_);
  return UpdateTrayIcon();
}

bool TTrayIcon::ShowBalloonHint(const std::string& title, const std::string& text, tray::BalloonIconKind kind,
                                std::uint8_t timeoutSecs) {
  HideBalloonHint();
  tray::PrepareShowBalloon(record_, tray::ToRecordText(title), tray::ToRecordText(text), kind, timeoutSecs);
  bool shown = UpdateTrayIcon();
  tray::EndBalloon(record_);
  return shown;
}
