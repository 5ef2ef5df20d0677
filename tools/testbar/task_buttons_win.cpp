#include "tools/testbar/task_buttons_win.h"

#include <commctrl.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iomanip>
#include <sstream>
#include <type_traits>

#include "ui/strings.h"

namespace testbar {
namespace {

HIMAGELIST MakeImageList() {
  HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 8, 4);
  const LPCWSTR icons[] = {IDI_APPLICATION, IDI_INFORMATION, IDI_WARNING, IDI_ERROR,
                           IDI_QUESTION,    IDI_WINLOGO};
  for (LPCWSTR id : icons) ImageList_AddIcon(images, LoadIconW(nullptr, id));
  return images;
}

std::string ButtonText(HWND toolbar, int index) {
  wchar_t text[512] = {};
  TBBUTTONINFOW info{};
  info.cbSize = sizeof(info);
  info.dwMask = TBIF_BYINDEX | TBIF_TEXT;
  info.pszText = text;
  info.cchText = 512;
  SendMessageW(toolbar, TB_GETBUTTONINFOW, index, reinterpret_cast<LPARAM>(&info));
  return Narrow(text);
}

}  // namespace

// Readers of the button data rely on the window being the record's first field.
static_assert(std::is_standard_layout_v<TaskButtons::ButtonData>);
static_assert(offsetof(TaskButtons::ButtonData, window) == 0);

TaskButtons::TaskButtons(HWND toolbar)
    : toolbar_(toolbar),
      images_(MakeImageList()),
      imageCount_(std::max(1, ImageList_GetImageCount(images_))) {
  SendMessageW(toolbar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_));
}

TaskButtons::~TaskButtons() {
  SendMessageW(toolbar_, TB_SETIMAGELIST, 0, 0);
  ImageList_Destroy(images_);
}

int TaskButtons::Count() const {
  return static_cast<int>(SendMessageW(toolbar_, TB_BUTTONCOUNT, 0, 0));
}

TaskButtons::Record* TaskButtons::RecordAt(int index) const {
  TBBUTTON button{};
  if (!SendMessageW(toolbar_, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&button))) {
    return nullptr;
  }
  const auto* data = reinterpret_cast<const ButtonData*>(button.dwData);
  const auto record = data ? records_.find(data->command) : records_.end();
  return record == records_.end() ? nullptr : record->second.get();
}

TaskButtons::Record* TaskButtons::FindGroup(const std::string& name) const {
  for (const auto& [command, record] : records_) {
    if (record->data.window == nullptr && record->group == name) return record.get();
  }
  return nullptr;
}

TaskButtons::Record* TaskButtons::FindTaskWindow(HWND window) const {
  for (const auto& [command, record] : records_) {
    if (window != nullptr && record->data.window == window) return record.get();
  }
  return nullptr;
}

int TaskButtons::IndexOf(const Record& record) const {
  return static_cast<int>(SendMessageW(toolbar_, TB_COMMANDTOINDEX, record.data.command, 0));
}

int TaskButtons::FirstGroupIndex() const {
  const int count = Count();
  for (int i = 0; i < count; ++i) {
    if (RecordAt(i)->data.window == nullptr) return i;
  }
  return count;
}

int TaskButtons::EndOfGroup(int groupIndex) const {
  const int count = Count();
  int end = groupIndex + 1;
  while (end < count && RecordAt(end)->data.window != nullptr) ++end;
  return end;
}

bool TaskButtons::Insert(int index, Record* record, const std::wstring& text, int image,
                         bool hidden) {
  TBBUTTON button{};
  button.iBitmap = image;
  button.idCommand = record->data.command;
  button.fsState = static_cast<BYTE>(TBSTATE_ENABLED | (hidden ? TBSTATE_HIDDEN : 0));
  button.fsStyle = BTNS_BUTTON | BTNS_NOPREFIX;
  button.dwData = reinterpret_cast<DWORD_PTR>(&record->data);
  button.iString = reinterpret_cast<INT_PTR>(text.c_str());  // the toolbar keeps a copy
  return SendMessageW(toolbar_, TB_INSERTBUTTONW, index, reinterpret_cast<LPARAM>(&button)) != 0;
}

void TaskButtons::SetHidden(const Record& record, bool hidden) {
  SendMessageW(toolbar_, TB_HIDEBUTTON, record.data.command, MAKELPARAM(hidden ? TRUE : FALSE, 0));
}

HWND TaskButtons::AddWindow(const std::string& title, const std::string& group) {
  Record* groupRecord = group.empty() ? nullptr : FindGroup(group);
  if (!group.empty() && groupRecord == nullptr) return nullptr;
  const int image = windowsOpened_ % imageCount_;
  auto record = std::make_unique<Record>();
  record->icon.Reset(ImageList_GetIcon(images_, image, ILD_NORMAL));
  record->owner = TaskWindow::Open(Widen(title), record->icon.Get(), windowsOpened_++);
  if (!record->owner) return nullptr;
  record->data.window = record->owner->Handle();
  record->data.command = nextCommand_++;
  const int index = groupRecord ? EndOfGroup(IndexOf(*groupRecord)) : FirstGroupIndex();
  const bool hidden = groupRecord != nullptr && groupRecord->collapsed;
  if (!Insert(index, record.get(), Widen(title), image, hidden)) return nullptr;
  HWND window = record->data.window;
  records_[record->data.command] = std::move(record);
  return window;
}

bool TaskButtons::AddGroup(const std::string& name, bool collapsed) {
  if (name.empty() || FindGroup(name) != nullptr) return false;
  auto record = std::make_unique<Record>();
  record->data.command = nextCommand_++;
  record->group = name;
  record->collapsed = collapsed;
  // An expanded group shows its windows and hides its own button.
  if (!Insert(Count(), record.get(), Widen(name), 0, !collapsed)) return false;
  records_[record->data.command] = std::move(record);
  return true;
}

bool TaskButtons::Remove(HWND window) {
  Record* record = FindTaskWindow(window);
  if (record == nullptr) return false;
  SendMessageW(toolbar_, TB_DELETEBUTTON, IndexOf(*record), 0);
  records_.erase(record->data.command);
  return true;
}

bool TaskButtons::Retitle(HWND window, const std::string& title) {
  Record* record = FindTaskWindow(window);
  if (record == nullptr) return false;
  const std::wstring text = Widen(title);
  record->owner->Retitle(text);
  TBBUTTONINFOW info{};
  info.cbSize = sizeof(info);
  info.dwMask = TBIF_TEXT;
  info.pszText = const_cast<wchar_t*>(text.c_str());
  return SendMessageW(toolbar_, TB_SETBUTTONINFOW, record->data.command,
                      reinterpret_cast<LPARAM>(&info)) != 0;
}

bool TaskButtons::Hang(HWND window) {
  Record* record = FindTaskWindow(window);
  if (record == nullptr) return false;
  record->owner->Hang();
  return true;
}

bool TaskButtons::SetCollapsed(const std::string& group, bool collapsed) {
  Record* groupRecord = FindGroup(group);
  if (groupRecord == nullptr) return false;
  groupRecord->collapsed = collapsed;
  const int start = IndexOf(*groupRecord);
  const int end = EndOfGroup(start);
  SetHidden(*groupRecord, !collapsed);
  for (int i = start + 1; i < end; ++i) SetHidden(*RecordAt(i), collapsed);
  return true;
}

std::string TaskButtons::Order() const {
  std::ostringstream out;
  const int count = Count();
  for (int i = 0; i < count; ++i) {
    TBBUTTON button{};
    SendMessageW(toolbar_, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
    RECT rect{};
    SendMessageW(toolbar_, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&rect));
    const auto* data = reinterpret_cast<const ButtonData*>(button.dwData);
    out << i << '\t' << HandleToULong(data->window) << '\t'
        << (data->window ? "window" : "group") << '\t'
        << ((button.fsState & TBSTATE_HIDDEN) ? 1 : 0) << '\t' << rect.left << ',' << rect.top
        << ',' << rect.right << ',' << rect.bottom << '\t' << ButtonText(toolbar_, i) << '\n';
  }
  return out.str();
}

std::string TaskButtons::Picture(int index) const {
  TBBUTTON button{};
  int width = 0, height = 0;
  if (!SendMessageW(toolbar_, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&button)) || button.iBitmap < 0 ||
      !ImageList_GetIconSize(images_, &width, &height)) {
    return {};
  }
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  UniqueBitmap picture(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
  if (!picture || !dc) return {};
  {
    ScopedSelect select(dc.Get(), picture.Get());
    RECT all{0, 0, width, height};
    FillRect(dc.Get(), &all, GetSysColorBrush(COLOR_WINDOW));
    if (!ImageList_Draw(images_, button.iBitmap, dc.Get(), 0, 0, ILD_NORMAL)) return {};
    GdiFlush();
  }
  std::ostringstream out;
  out << std::hex << std::setfill('0');
  const auto* pixels = static_cast<const std::uint32_t*>(bits);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) out << (x ? " " : "") << std::setw(6) << (pixels[y * width + x] & 0xFFFFFF);
    out << '\n';
  }
  return out.str();
}

int TaskButtons::VisibleCount() const {
  int visible = 0;
  const int count = Count();
  for (int i = 0; i < count; ++i) {
    TBBUTTON button{};
    SendMessageW(toolbar_, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
    if (!(button.fsState & TBSTATE_HIDDEN)) ++visible;
  }
  return visible;
}

}  // namespace testbar
