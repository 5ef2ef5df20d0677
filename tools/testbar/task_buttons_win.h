// The stand-in's buttons, kept the classic taskbar's way: the toolbar holds them in taskbar
// order; each button's data points to a record whose first field is the window's handle (null
// for a group's button); a group is its button followed by its windows' buttons; an expanded
// group hides its own button, a collapsed one hides its windows' buttons; lone windows come
// before the first group.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>

#include "tools/testbar/task_window_win.h"
#include "ui/handles.h"

namespace testbar {

class TaskButtons {
 public:
  explicit TaskButtons(HWND toolbar);
  ~TaskButtons();
  TaskButtons(const TaskButtons&) = delete;
  TaskButtons& operator=(const TaskButtons&) = delete;

  // Each returns false (with nothing changed) when the window or group is unknown.
  HWND AddWindow(const std::string& title, const std::string& group);  // "" = lone
  bool AddGroup(const std::string& name, bool collapsed);
  bool Remove(HWND window);
  bool Retitle(HWND window, const std::string& title);
  bool Hang(HWND window);
  bool SetCollapsed(const std::string& group, bool collapsed);

  // One line per button (see control_protocol.h, "order").
  std::string Order() const;
  // The picture button `index` shows (see control_protocol.h, "picture"); "" when there is none.
  std::string Picture(int index) const;
  int VisibleCount() const;

  // What a button's data points to: the classic taskbar's record, the window handle first.
  struct ButtonData {
    HWND window = nullptr;  // null for a group's button
    int command = 0;
  };

 private:
  struct Record {
    ButtonData data;
    std::string group;  // a group button's name
    bool collapsed = false;
    UniqueIcon icon;  // outlives owner: the window shows it until it is closed
    std::unique_ptr<TaskWindow> owner;
  };

  int Count() const;
  Record* RecordAt(int index) const;
  Record* FindGroup(const std::string& name) const;
  Record* FindTaskWindow(HWND window) const;
  int IndexOf(const Record& record) const;
  int FirstGroupIndex() const;
  int EndOfGroup(int groupIndex) const;  // index after the group's last window
  bool Insert(int index, Record* record, const std::wstring& text, int image, bool hidden);
  void SetHidden(const Record& record, bool hidden);

  HWND toolbar_;
  HIMAGELIST images_;
  int imageCount_;
  int nextCommand_ = 100;
  int windowsOpened_ = 0;
  std::map<int, std::unique_ptr<Record>> records_;  // by command id
};

}  // namespace testbar
