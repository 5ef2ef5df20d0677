// The compact symbol table that the build embeds in the program (cmake/make_symbol_table.py writes
// it from the linked program): address ranges of our own code, relative to the image base, with
// short function names. It names our functions in a stack trace on a machine without debug files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace crash {

class SymbolTable {
 public:
  struct Match {
    std::string_view name;
    std::uint32_t offset = 0;  // from the function's start
  };

  // Reads a table; false, leaving the table empty, when the bytes are not a whole valid table.
  bool Load(const void* data, std::size_t size);

  // The function whose range holds `rva`; none before the first entry or in a range without a name.
  std::optional<Match> Find(std::uint32_t rva) const;

  std::size_t size() const { return starts_.size(); }

 private:
  std::vector<std::uint32_t> starts_;
  std::vector<std::uint32_t> nameEnds_;  // end of each name in names_
  std::string names_;
};

}  // namespace crash
