// What: the symbol table made by the build's generator (cmake/make_symbol_table.py) from an nm
// listing names each address of the code with its function and offset: global names win at one
// address, data, section labels and addresses outside the code are left out, long standard names
// are shortened, and the end of the code names nothing. Damaged tables are refused whole.
// Why: a stack trace that names the wrong function sends whoever reads the report astray.
#include <gtest/gtest.h>

#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>

#include "crash/symbol_table.h"

namespace {

std::string FixtureBytes() {
  std::ifstream in(ROWTENDER_SYMBOL_FIXTURE, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct Lookup {
  std::uint32_t rva;
  const char* name;  // nullptr: no function
  std::uint32_t offset;
};

TEST(CrashSymbolTable, NamesEveryAddressOfTheCodeWithItsFunctionAndOffset) {
  const std::string bytes = FixtureBytes();
  crash::SymbolTable table;
  ASSERT_TRUE(table.Load(bytes.data(), bytes.size())) << "fixture of " << bytes.size() << " bytes";
  const std::string deep = "Deep::" + [] {
    std::string nested;
    for (int i = 0; i < 40; ++i) nested += "Nested";
    return nested;
  }();
  const std::string truncated = deep.substr(0, 157) + "...";
  const Lookup lookups[] = {
      {0x0FFF, nullptr, 0},                             // before the code
      {0x1000, "main", 0},                              // the section's own label gives way
      {0x104F, "main", 0x4F},                           // up to the next function
      {0x1050, "TfrmRowtender::ButtonUpClick", 0},      // parameters left out
      {0x10A0, "Duplicate::SameAddress", 0},            // a global name wins at one address
      {0x1180, "Duplicate::SameAddress", 0xE0},         // ".text$..." labels are no functions
      {0x1200, "std::string::append", 0},               // standard spellings shortened
      {0x1300, "Form::operator()", 0},                  // operator() keeps its own parentheses
      {0x1400, "Form::operator()", 0x100},              // data does not end a function
      {0x1444, "Form::CreateForm [clone .isra.0] [clone .cold]", 4},  // compiler-made copies say so
      {0x1480, truncated.c_str(), 0},                   // overlong names cut
      {0x81000, "FarAway::Function", 0},                // a distance that takes three bytes
      {0x8FFFF, "FarAway::Function", 0xEFFF},
      {0x90000, nullptr, 0},                            // the end of the code section
      {0xA0000, nullptr, 0},                            // beyond it, even where nm lists a name
  };
  for (const Lookup& l : lookups) {
    SCOPED_TRACE(testing::Message() << "rva 0x" << std::hex << l.rva);
    const auto match = table.Find(l.rva);
    if (!l.name) {
      EXPECT_FALSE(match.has_value()) << match->name;
      continue;
    }
    ASSERT_TRUE(match.has_value());
    EXPECT_EQ(match->name, l.name);
    EXPECT_EQ(match->offset, l.offset);
  }
}

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (int value : values) bytes += static_cast<char>(value);
  return bytes;
}

TEST(CrashSymbolTable, RefusesDamagedTablesWhole) {
  const std::string valid = FixtureBytes();
  const std::string header = "RSYM\x01";
  const std::string damaged[] = {
      "",
      "RSYX" + Bytes({1, 1, 0x10, 0, 0}),                           // magic
      "RSYM" + Bytes({2, 1, 0x10, 0, 0}),                           // version
      header,                                                       // no count
      header + Bytes({5, 0x10, 0, 0}),                              // more entries than bytes
      header + Bytes({2, 0x10, 0, 1, 'a', 0, 0, 1, 'b'}),           // two entries at one address
      header + Bytes({1, 0x10, 1, 1, 'a'}),                         // shares more than the last name had
      header + Bytes({1, 0x10, 0, 5, 'a', 'b'}),                    // name runs past the end
      header + Bytes({1, 0x10, 0, 1, 'a', 'b'}),                    // bytes left over
      header + Bytes({1, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 1, 0, 0}),  // endless number
      header + Bytes({1, 0x80, 0x80, 0x80, 0x80, 0x20, 0, 0}),      // address beyond 32 bits
      valid.substr(0, valid.size() - 1),                            // cut short
  };
  for (const std::string& bytes : damaged) {
    SCOPED_TRACE(testing::PrintToString(bytes.substr(0, 24)));
    crash::SymbolTable table;
    EXPECT_FALSE(table.Load(bytes.data(), bytes.size()));
    EXPECT_EQ(table.size(), 0u);
    EXPECT_FALSE(table.Find(0x10).has_value());
  }
}

}  // namespace
