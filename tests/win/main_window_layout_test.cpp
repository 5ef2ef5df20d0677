// What: the main window built from its description, read back from the live windows: every control
// where the description puts it, alignment and anchors kept at the window's size limits, and the
// dialog font fallback. Why: the layout engine, the border and the page insets meet only here.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/main_window_win.h"
#include "ui/application_win.h"
#include "ui/dialog_font_win.h"
#include "ui/strings.h"

namespace {

RECT InParent(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

RECT Client(HWND window) {
  RECT r;
  GetClientRect(window, &r);
  return r;
}

void ResizeOuter(HWND window, int width, int height) {
  SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string FaceName(HWND control) {
  auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
  LOGFONTW lf{};
  GetObjectW(font, sizeof(lf), &lf);
  return Narrow(lf.lfFaceName);
}

class MainWindowLayout : public testing::Test {
 protected:
  // The form without its creation handler: only the description's windows.
  struct BareForm : TfrmRowtender {
    BareForm() { BindEvent("FormCreate", [] {}); }
  };
  void SetUp() override { form_.CreateForm(); }
  HWND Of(const char* name) { return form_.ControlByName(name).Handle(); }
  BareForm form_;
};

TEST_F(MainWindowLayout, ClientAreaAndTopLevelControlsMatchTheDescription) {
  RECT client = Client(form_.Handle());
  EXPECT_EQ(client.right, 510);
  EXPECT_EQ(client.bottom, 387);
  RECT pages = InParent(Of("PageControlMain"));
  EXPECT_EQ(pages.left, 0);
  EXPECT_EQ(pages.top, 0);
  EXPECT_EQ(pages.right, 510);
  EXPECT_EQ(pages.bottom, 336);
  RECT bar = InParent(Of("Panel3"));
  EXPECT_EQ(bar.top, 336);
  EXPECT_EQ(bar.bottom - bar.top, 51);
}

TEST_F(MainWindowLayout, FixedControlsSitAtTheirDescribedPlaces) {
  struct Expected {
    const char* name;
    RECT r;  // left, top, right, bottom in the parent's client area
  } cases[] = {
      {"ButtonUp", {8, 0, 83, 25}},        {"ButtonDown", {8, 32, 83, 57}},
      {"btnExit", {328, 16, 416, 41}},     {"btnOk", {426, 16, 501, 41}},
      {"TileBmp1", {0, 8, 513, 49}},       {"Image2", {8, 16, 40, 48}},
      {"Label1", {48, 16, 481, 63}},       {"lblVersion", {8, 66, 497, 82}},
      {"lblURL", {8, 180, 497, 193}},      {"chkStartInTray", {16, 48, 436, 65}},
  };
  for (const auto& c : cases) {
    RECT r = InParent(Of(c.name));
    EXPECT_EQ(r.left, c.r.left) << c.name;
    EXPECT_EQ(r.top, c.r.top) << c.name;
    EXPECT_EQ(r.right, c.r.right) << c.name;
    EXPECT_EQ(r.bottom, c.r.bottom) << c.name;
  }
}

TEST_F(MainWindowLayout, AlignmentAndAnchorsHoldAtTheSizeLimits) {
  RECT outer;
  GetWindowRect(form_.Handle(), &outer);
  for (SIZE size : {SIZE{512, 316}, SIZE{1024, 632}, SIZE{outer.right - outer.left, outer.bottom - outer.top}}) {
    ResizeOuter(form_.Handle(), size.cx, size.cy);
    RECT window;
    GetWindowRect(form_.Handle(), &window);
    EXPECT_EQ(window.right - window.left, size.cx);
    EXPECT_EQ(window.bottom - window.top, size.cy);
    RECT client = Client(form_.Handle());
    RECT bar = InParent(Of("Panel3"));
    EXPECT_EQ(bar.bottom, client.bottom) << "bottom bar stays at the bottom";
    EXPECT_EQ(bar.right, client.right);
    RECT pages = InParent(Of("PageControlMain"));
    EXPECT_EQ(pages.bottom, bar.top) << "page control fills the rest";
    RECT panel1 = InParent(Of("Panel1"));
    RECT sheet = Client(Of("TabSheet1"));
    EXPECT_EQ(panel1.right, sheet.right - 8) << "Panel1 aligned right inside the 8 px border";
    EXPECT_EQ(panel1.right - panel1.left, 83);
    RECT refresh = InParent(Of("ButtonRefresh"));
    EXPECT_EQ(refresh.bottom, panel1.bottom - panel1.top) << "Refresh anchored to the bottom";
    RECT panel4 = InParent(Of("Panel4"));
    RECT shape = InParent(Of("Shape12"));
    EXPECT_EQ(shape.right, panel4.right - panel4.left) << "Shape12 stretches with its panel";
  }
}

TEST_F(MainWindowLayout, DialogFontFallsBackWithoutTheShellDlg2Substitute) {
  AdjustDialogFont(form_, /*hasSubstitute=*/true);
  EXPECT_EQ(form_.FontName(), "MS Shell Dlg 2");
  EXPECT_EQ(FaceName(Of("Label9")), "MS Shell Dlg 2");
  AdjustDialogFont(form_, /*hasSubstitute=*/false);
  EXPECT_EQ(form_.FontName(), "MS Shell Dlg");
  EXPECT_EQ(FaceName(Of("ButtonUp")), "MS Shell Dlg") << "parent-font control follows the form";
  EXPECT_EQ(FaceName(Of("Label9")), "MS Shell Dlg") << "own font named MS Shell Dlg 2 is replaced";
  EXPECT_TRUE(form_.FindControl("Label9")->Font().bold);
}

TEST(DialogFontRegistry, ReadsTheSubstituteFromTheRegistry) {
  const wchar_t* path = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes";
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  wchar_t saved[64] = {};
  DWORD savedSize = sizeof(saved);
  bool had = RegQueryValueExW(key, L"MS Shell Dlg 2", nullptr, nullptr, reinterpret_cast<BYTE*>(saved), &savedSize) ==
             ERROR_SUCCESS;
  RegDeleteValueW(key, L"MS Shell Dlg 2");
  EXPECT_FALSE(HasShellDlg2Substitute());
  const wchar_t value[] = L"Tahoma";
  RegSetValueExW(key, L"MS Shell Dlg 2", 0, REG_SZ, reinterpret_cast<const BYTE*>(value), sizeof(value));
  EXPECT_TRUE(HasShellDlg2Substitute());
  if (had) {
    RegSetValueExW(key, L"MS Shell Dlg 2", 0, REG_SZ, reinterpret_cast<const BYTE*>(saved), savedSize);
  } else {
    RegDeleteValueW(key, L"MS Shell Dlg 2");
  }
  RegCloseKey(key);
}

}  // namespace
