#include "app/version/link_date_win.h"

#include <windows.h>
#include <imagehlp.h>

#include "app/version/version_resource_win.h"
#include "ui/exceptions.h"
#include "ui/handles.h"
#include "ui/program_file_win.h"
#include "ui/strings.h"
#include "ui/system_error_win.h"
#include "ui/window_win.h"  // ThrowLastError

namespace {

class MappedView {
 public:
  explicit MappedView(void* view) : view_(view) {}
  MappedView(const MappedView&) = delete;
  MappedView& operator=(const MappedView&) = delete;
  ~MappedView() {
    if (view_) UnmapViewOfFile(view_);
  }
  void* Get() const { return view_; }

 private:
  void* view_;
};

std::string MonthName(int month) {
  wchar_t name[80] = {};
  if (month < 1 || month > 12 ||
      !GetLocaleInfoW(LOCALE_USER_DEFAULT, static_cast<LCTYPE>(LOCALE_SMONTHNAME1 + month - 1), name, 80)) {
    return std::to_string(month);
  }
  return Narrow(name);
}

}  // namespace

version::CalendarDate LinkDate(const std::wstring& path) {
  HANDLE opened = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (opened == INVALID_HANDLE_VALUE) ThrowLastError("Reading the link date");
  UniqueKernelHandle file(opened);
  // Mapped the way the loader maps it: a file that is no executable image fails here.
  UniqueKernelHandle mapping(CreateFileMappingW(file.Get(), nullptr, PAGE_READONLY | SEC_IMAGE, 0, 0, nullptr));
  if (!mapping) ThrowLastError("Reading the link date");
  MappedView view(MapViewOfFile(mapping.Get(), FILE_MAP_READ, 0, 0, 0));
  if (!view.Get()) ThrowLastError("Reading the link date");
  const IMAGE_NT_HEADERS* headers = ImageNtHeader(view.Get());
  if (!headers) throw EOSError("Reading the link date failed (" + SystemErrorText(ERROR_BAD_EXE_FORMAT) + ")");
  return version::DateOfDayNumber(version::LinkDayNumber(headers->FileHeader.TimeDateStamp));
}

std::string LinkDateText(const version::CalendarDate& date) {
  return version::LongDateText(date, MonthName(date.month));
}

std::string AboutVersionLine() {
  const std::string date = LinkDateText(LinkDate(ProgramFilePath()));
  return "Version " + VersionText(true, false, true) + " (" + date + ")";
}
