// The names of the objects through which the copies of one program file find each other: a base
// name made from the file's path, and from it the names of the lock, the shared instance list and
// the announcement message. Portable: the platform upper-cases the path before it comes here.
#pragma once

#include <cstddef>
#include <string>

namespace instance {

// A registered message's name is an atom: at most 255 UTF-16 units. Every object name is the base
// name followed by a four-character suffix.
inline constexpr std::size_t kMaxObjectNameUnits = 255;
inline constexpr std::size_t kSuffixUnits = 4;
inline constexpr std::size_t kMaxBaseNameUnits = kMaxObjectNameUnits - kSuffixUnits;

// "INST" followed by `upperCasePath` (UTF-8) with every backslash turned into an underscore. A
// name longer than kMaxBaseNameUnits UTF-16 units keeps as much of its start as fits before
// "~" and 16 hex digits of a hash of the whole name, so every path still gets a usable name and
// different long paths different names.
std::string BaseName(const std::string& upperCasePath);

struct ObjectNames {
  std::string lock;     // base name + "_Otx"
  std::string block;    // base name + "_Map"
  std::string message;  // base name + "_Msg"
};
ObjectNames NamesFor(const std::string& baseName);

// The number of UTF-16 units that the UTF-8 text `text` takes.
std::size_t Utf16Units(const std::string& text);

}  // namespace instance
