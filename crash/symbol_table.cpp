#include "crash/symbol_table.h"

#include <algorithm>
#include <cstring>

namespace crash {
namespace {

constexpr char kMagic[4] = {'R', 'S', 'Y', 'M'};
constexpr unsigned char kVersion = 1;
// Names share their prefixes, so a hostile table could spell out far more text than it holds.
constexpr std::size_t kMaxName = 1024;
constexpr std::size_t kMaxNames = std::size_t{1} << 24;

// Reads LEB128 numbers and byte runs without ever passing the end.
class Reader {
 public:
  Reader(const unsigned char* data, std::size_t size) : at_(data), end_(data + size) {}

  bool Number(std::uint64_t& value) {
    value = 0;
    for (int shift = 0; shift < 64; shift += 7) {
      if (at_ == end_) return false;
      const unsigned char byte = *at_++;
      value |= static_cast<std::uint64_t>(byte & 0x7F) << shift;
      if (!(byte & 0x80)) return true;
    }
    return false;
  }
  bool Bytes(std::size_t count, const unsigned char*& bytes) {
    if (count > Remaining()) return false;
    bytes = at_;
    at_ += count;
    return true;
  }
  std::size_t Remaining() const { return static_cast<std::size_t>(end_ - at_); }

 private:
  const unsigned char* at_;
  const unsigned char* end_;
};

}  // namespace

bool SymbolTable::Load(const void* data, std::size_t size) {
  *this = SymbolTable();
  Reader reader(static_cast<const unsigned char*>(data), size);
  const unsigned char* header = nullptr;
  std::uint64_t count = 0;
  if (!reader.Bytes(sizeof(kMagic) + 1, header) || std::memcmp(header, kMagic, sizeof(kMagic)) != 0 ||
      header[sizeof(kMagic)] != kVersion || !reader.Number(count) || count > reader.Remaining() / 3) {
    return false;
  }
  SymbolTable table;
  table.starts_.reserve(static_cast<std::size_t>(count));
  table.nameEnds_.reserve(static_cast<std::size_t>(count));
  std::uint64_t rva = 0;
  std::string name;  // the previous entry's name, then this one's
  for (std::uint64_t i = 0; i < count; ++i) {
    std::uint64_t delta = 0, shared = 0, rest = 0;
    const unsigned char* suffix = nullptr;
    if (!reader.Number(delta) || !reader.Number(shared) || !reader.Number(rest)) return false;
    if ((i > 0 && delta == 0) || delta > 0xFFFFFFFFu - rva || shared > name.size()) return false;
    if (!reader.Bytes(static_cast<std::size_t>(rest), suffix)) return false;
    rva += delta;
    name.resize(static_cast<std::size_t>(shared));
    name.append(reinterpret_cast<const char*>(suffix), static_cast<std::size_t>(rest));
    if (name.size() > kMaxName || table.names_.size() + name.size() > kMaxNames) return false;
    table.names_ += name;
    table.starts_.push_back(static_cast<std::uint32_t>(rva));
    table.nameEnds_.push_back(static_cast<std::uint32_t>(table.names_.size()));
  }
  if (reader.Remaining() != 0) return false;
  *this = std::move(table);
  return true;
}

std::optional<SymbolTable::Match> SymbolTable::Find(std::uint32_t rva) const {
  auto after = std::upper_bound(starts_.begin(), starts_.end(), rva);
  if (after == starts_.begin()) return std::nullopt;
  const std::size_t index = static_cast<std::size_t>(after - starts_.begin()) - 1;
  const std::size_t begin = index == 0 ? 0 : nameEnds_[index - 1];
  if (nameEnds_[index] == begin) return std::nullopt;
  Match match;
  match.name = std::string_view(names_).substr(begin, nameEnds_[index] - begin);
  match.offset = rva - starts_[index];
  return match;
}

}  // namespace crash
