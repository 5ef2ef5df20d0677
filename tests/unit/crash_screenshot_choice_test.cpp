// What: the choice between the colour and the grey screenshot by their encoded sizes. Why: the
// report mails the screenshot; a large colour picture must give way to a smaller grey one, a
// small one must not pay for a grey encoding, and a failed encoding must not lose the other.
#include <gtest/gtest.h>

#include <string>

#include "crash/screenshot_choice.h"

TEST(ScreenshotChoice, ColourUnlessItExceedsTheLimitAndGreyIsSmaller) {
  enum Pick { kColour, kGrey, kNone };
  struct Case {
    const char* name;
    std::size_t colourSize, greySize;
    Pick pick;
    bool greyMade;
  } cases[] = {
      {"small colour", 1000, 500, kColour, false},
      {"colour at the limit", 102400, 10, kColour, false},
      {"colour past the limit, grey smaller", 102401, 102400, kGrey, true},
      {"grey as large as colour", 200000, 200000, kColour, true},
      {"grey larger", 200000, 300000, kColour, true},
      {"grey failed", 200000, 0, kColour, true},
      {"colour failed", 0, 5000, kGrey, true},
      {"both failed", 0, 0, kNone, true},
  };
  for (const Case& c : cases) {
    bool greyMade = false;
    const std::string chosen = crash::ChooseScreenshot(std::string(c.colourSize, 'c'), [&] {
      greyMade = true;
      return std::string(c.greySize, 'g');
    });
    const std::string expected = c.pick == kColour ? std::string(c.colourSize, 'c')
                                 : c.pick == kGrey ? std::string(c.greySize, 'g')
                                                   : std::string();
    EXPECT_EQ(chosen, expected) << c.name;
    EXPECT_EQ(greyMade, c.greyMade) << c.name;
  }
}
