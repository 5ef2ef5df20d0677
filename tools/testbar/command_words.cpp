#include "tools/testbar/command_words.h"

namespace testbar {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Reads a quoted word starting after its opening quote; returns the position after it.
std::size_t ReadQuoted(const std::string& line, std::size_t pos, std::string& word) {
  while (pos < line.size()) {
    if (line[pos] != '"') {
      word += line[pos++];
    } else if (pos + 1 < line.size() && line[pos + 1] == '"') {
      word += '"';
      pos += 2;
    } else {
      return pos + 1;
    }
  }
  return pos;
}

}  // namespace

std::vector<std::string> SplitCommand(const std::string& line) {
  std::vector<std::string> words;
  std::size_t pos = 0;
  while (pos < line.size()) {
    if (IsBlank(line[pos])) {
      ++pos;
      continue;
    }
    std::string word;
    if (line[pos] == '"') {
      pos = ReadQuoted(line, pos + 1, word);
    } else {
      while (pos < line.size() && !IsBlank(line[pos])) word += line[pos++];
    }
    words.push_back(std::move(word));
  }
  return words;
}

}  // namespace testbar
