// What: the base name of a program file's single-instance objects. Why: a copy that names its
// objects differently runs beside the first one, and a path too long for a registered message
// must still give a working name, never a cut one that two programs share.
#include <gtest/gtest.h>

#include <string>

#include "app/instance/instance_names.h"

namespace {

using instance::BaseName;
using instance::kMaxBaseNameUnits;
using instance::Utf16Units;

// A path that makes a base name of exactly `units` UTF-16 units, ending in `tail`.
std::string PathForUnits(std::size_t units, const std::string& tail = ".EXE") {
  return "C:\\" + std::string(units - 4 - 3 - Utf16Units(tail), 'D') + tail;
}

std::string Repeat(const std::string& text, int times) {
  std::string repeated;
  for (int i = 0; i < times; ++i) repeated += text;
  return repeated;
}

bool ValidUtf8(const std::string& text) {
  for (std::size_t i = 0; i < text.size();) {
    unsigned char lead = static_cast<unsigned char>(text[i]);
    std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    if ((lead & 0xC0) == 0x80 || i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    }
    i += length;
  }
  return true;
}

TEST(InstanceNames, ShortPathsGiveThePrefixAndThePathWithUnderscores) {
  const struct {
    std::string path, base;
  } cases[] = {
      {"C:\\PROGRAM FILES\\ROWTENDER\\ROWTENDER.EXE", "INSTC:_PROGRAM FILES_ROWTENDER_ROWTENDER.EXE"},
      {"\\\\SERVER\\SHARE\\TOOLS\\ROWTENDER.EXE", "INST__SERVER_SHARE_TOOLS_ROWTENDER.EXE"},
      {"D:\\PRÖGRAMME\\ÄPFEL.EXE", "INSTD:_PRÖGRAMME_ÄPFEL.EXE"},
      {"C:/MIXED\\SLASHES/R.EXE", "INSTC:/MIXED_SLASHES/R.EXE"},  // only backslashes are name separators
      {PathForUnits(kMaxBaseNameUnits), "INST" + PathForUnits(kMaxBaseNameUnits)},  // the longest kept whole
  };
  for (const auto& c : cases) {
    std::string expected = c.base;
    for (char& ch : expected) ch = ch == '\\' ? '_' : ch;
    EXPECT_EQ(BaseName(c.path), expected) << c.path;
    const instance::ObjectNames names = instance::NamesFor(BaseName(c.path));
    EXPECT_EQ(names.lock, expected + "_Otx");
    EXPECT_EQ(names.block, expected + "_Map");
    EXPECT_EQ(names.message, expected + "_Msg");
  }
}

TEST(InstanceNames, LongPathsKeepTheirStartAndEndInAHashOfTheWhole) {
  const std::string clef = "\xF0\x9D\x84\x9E";  // U+1D11E: two UTF-16 units
  const struct {
    const char* what;
    std::string path;
  } cases[] = {
      {"one unit too long", PathForUnits(kMaxBaseNameUnits + 1)},
      {"a path as long as Windows allows", "C:\\" + std::string(32000, 'X') + ".EXE"},
      {"two-byte letters across the cut", "C:\\" + std::string(200, 'A') + Repeat("Ä", 60) + ".EXE"},
      {"four-byte characters across the cut", "C:\\" + std::string(226, 'B') + Repeat(clef, 10) + "\\R.EXE"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string& path = c.path;
    const std::string base = BaseName(path);
    EXPECT_TRUE(ValidUtf8(base));
    EXPECT_LE(Utf16Units(base), kMaxBaseNameUnits);
    EXPECT_GE(Utf16Units(base), kMaxBaseNameUnits - 1);  // a two-unit character may not fit the last place
    ASSERT_GT(base.size(), 17u);
    const std::string start = base.substr(0, base.size() - 17);
    std::string whole = "INST" + path;
    for (char& ch : whole) ch = ch == '\\' ? '_' : ch;
    EXPECT_EQ(whole.compare(0, start.size(), start), 0) << "the name does not keep the path's start";
    EXPECT_EQ(base[base.size() - 17], '~');
    EXPECT_EQ(base.find_first_not_of("0123456789ABCDEF", base.size() - 16), std::string::npos);
    EXPECT_EQ(BaseName(path), base) << "the same path named twice differently";
    std::string other = path;
    other.insert(other.size() - 4, "Z");  // differs only past the kept start
    EXPECT_NE(BaseName(other), base) << "two programs share a name";
  }
}

}  // namespace
