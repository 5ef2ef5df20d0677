// What: the link label as a real window: its blue underlined look and width, the caption/URL rule
// through captions set on the window, the hand pointer after a move over a caption, and presses
// that open the URL (any button) or nothing (no caption), with the opener's errors swallowed.
// Why: the About page's link must open the right address and must never take the program down.
#include <windows.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "controls/url_label_win.h"
#include "controls_test_form.h"
#include "ui/unhandled_error.h"

namespace {

using ui::ControlKind;

class URLLabelWindow : public ControlsTestForm {
 protected:
  void SetUp() override { LoadURLHandCursor(GetModuleHandleW(nullptr)); }
  void TearDown() override {
    SetUnhandledErrorHandler(nullptr);
    FreeURLHandCursor();
  }

  // A label made from a description without a caption, then given `caption` through the control.
  TAutoURLLabel& Link(const char* caption, Show show = Show::No) {
    Build({ui::Describe(ControlKind::URLLabel, "Link", "", "", {10, 10, 0, 20}),
           ui::Describe(ControlKind::Label, "Plain", "", "", {10, 60, 100, 20})},
          show);
    auto& link = Get<TAutoURLLabel>("Link");
    link.SetOpener([this](const std::string& url) { opened_.push_back(url); });
    if (*caption) link.SetCaption(caption);
    return link;
  }

  // The longest run of one colour along a row of the captured control.
  static int LongestRun(const Pixels& p, unsigned color) {
    int best = 0;
    for (int y = 0; y < p.height; ++y) {
      int run = 0;
      for (int x = 0; x < p.width; ++x) {
        run = p.At(x, y) == color ? run + 1 : 0;
        if (run > best) best = run;
      }
    }
    return best;
  }

  std::vector<std::string> opened_;
};

TEST_F(URLLabelWindow, ANewLabelIsBlueUnderlinedAndOneHundredWideWithNoURL) {
  auto& link = Link("", Show::Yes);
  EXPECT_EQ(link.Bounds().width, 100);
  EXPECT_EQ(link.Font().color, 0xFF0000u);
  EXPECT_TRUE(link.Font().underline);
  EXPECT_FALSE(link.Font().bold);
  EXPECT_EQ(link.URL(), "");
  EXPECT_EQ(link.PrevCaption(), "");

  link.SetCaption("HHHH");
  Get<Control>("Plain").SetCaption("HHHH");
  Repaint();
  const unsigned blue = Rgb(0, 0, 255);
  // The underline is an unbroken blue line under the whole caption; plain text has no such run.
  EXPECT_GE(LongestRun(Capture(link.Handle()), blue), 20);
  EXPECT_LT(LongestRun(Capture(Get<Control>("Plain").Handle()), RgbOf(GetSysColor(COLOR_WINDOWTEXT))), 12);
}

TEST_F(URLLabelWindow, TheDescribedCaptionIsShownAndBecomesTheURL) {
  Build({ui::Describe(ControlKind::URLLabel, "Link", "", "http://www.kelvane.com/rowtender/", {10, 10, 200, 20})});
  auto& link = Get<TAutoURLLabel>("Link");
  EXPECT_EQ(link.Caption(), "http://www.kelvane.com/rowtender/");
  EXPECT_EQ(link.URL(), "http://www.kelvane.com/rowtender/");
  EXPECT_EQ(link.Bounds().width, 200);
}

TEST_F(URLLabelWindow, TheURLFollowsTheCaptionUntilSetApart) {
  auto& link = Link("");
  link.SetCaption("first");
  link.SetCaption("second");
  EXPECT_EQ(link.URL(), "second");
  link.SetURL("http://target.example/");
  link.SetCaption("third");
  EXPECT_EQ(link.URL(), "http://target.example/");
  EXPECT_EQ(link.PrevCaption(), "third");
  // A caption set on the window itself (not through the control) counts as well.
  link.SetURL("");
  SetWindowTextW(link.Handle(), L"fourth");
  EXPECT_EQ(link.URL(), "fourth");
}

TEST_F(URLLabelWindow, TheHandCursorIsTheOneBitLinkCursorWithItsHotSpotAtTheCorner) {
  HCURSOR hand = URLHandCursor();
  ASSERT_NE(hand, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(hand, &info));
  BITMAP mask{};
  GetObjectW(info.hbmMask, sizeof(mask), &mask);
  EXPECT_FALSE(info.fIcon);
  EXPECT_EQ(info.xHotspot, 0u);
  EXPECT_EQ(info.yHotspot, 0u);
  EXPECT_EQ(info.hbmColor, nullptr);  // monochrome: the mask holds both halves
  EXPECT_EQ(mask.bmWidth, 32);
  EXPECT_EQ(mask.bmHeight, 64);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
}

TEST_F(URLLabelWindow, AMouseMoveOverACaptionShowsTheHand) {
  auto& link = Link("http://www.kelvane.com/");
  EXPECT_EQ(link.CurrentCursor(), nullptr);
  SendMessageW(link.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  EXPECT_EQ(link.CurrentCursor(), URLHandCursor());
  SetCursor(LoadCursorW(nullptr, IDC_ARROW));
  EXPECT_EQ(SendMessageW(link.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(link.Handle()),
                         MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
            TRUE);
  EXPECT_EQ(GetCursor(), URLHandCursor());
}

TEST_F(URLLabelWindow, WithoutACaptionTheCursorStaysAndAPressOpensNothing) {
  auto& link = Link("");
  SendMessageW(link.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  EXPECT_EQ(link.CurrentCursor(), nullptr);
  SendMessageW(link.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  EXPECT_TRUE(opened_.empty());
}

TEST_F(URLLabelWindow, AnyButtonOpensTheURL) {
  auto& link = Link("Kelvane");
  link.SetURL("http://www.kelvane.com/");
  const UINT presses[] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN, WM_LBUTTONDBLCLK};
  for (UINT press : presses) SendMessageW(link.Handle(), press, 0, MAKELPARAM(3, 3));
  EXPECT_EQ(opened_, std::vector<std::string>(4, "http://www.kelvane.com/"));
  SendMessageW(link.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  SendMessageW(link.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  EXPECT_EQ(opened_.size(), 4u);
}

TEST_F(URLLabelWindow, AnOpenerThatThrowsIsSwallowedQuietly) {
  auto& link = Link("http://unreachable.invalid/");
  std::vector<std::string> reported;
  SetUnhandledErrorHandler([&](const CaughtError& error) { reported.push_back(error.className); });
  link.SetOpener([](const std::string&) { throw std::runtime_error("no browser"); });
  SendMessageW(link.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  EXPECT_TRUE(reported.empty());
  EXPECT_EQ(link.URL(), "http://unreachable.invalid/");
}

}  // namespace
