// Makes a fresh corpus folder for a fuzzer's run. For the copy-data fuzzer it writes one
// well-formed payload of each kind there, so that the fuzzer starts from inputs its decoder takes
// (a snapshot alone is 11,316 bytes, which random inputs practically never hit) and mutates them.
//   fuzz_seeds <folder> <fuzzer name>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "app/hook_contract.h"

namespace {

// The fuzzer's input: four bytes that pick the copy-data code, then the payload.
void Write(const std::filesystem::path& file, std::uint32_t selector, const void* payload, std::size_t size) {
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&selector), sizeof selector);
  out.write(static_cast<const char*>(payload), static_cast<std::streamsize>(size));
}

hook::TaskbarSnapshot Snapshot() {
  hook::TaskbarSnapshot snapshot{};
  const char* kinds = "wgwwgw";  // a lone window, then two groups with windows
  snapshot.count = static_cast<std::int32_t>(std::strlen(kinds));
  for (int i = 0; i < snapshot.count; ++i) {
    snapshot.buttons[i].window = kinds[i] == 'g' ? 0 : 0x10 + i;
    snapshot.rects[i] = {i * 40, 0, i * 40 + 40, 28};
    snapshot.states[i] = kinds[i] == 'g' ? hook::kStateHidden : 0;
  }
  return snapshot;
}

std::string IconList() {
  const hook::IconListHeader header{3, 2, 2, 1};
  const std::int32_t pictureOf[] = {0, hook::kNoPicture, 0};
  const std::uint32_t pixels[4] = {0xFF0000FF, 0x00000000, 0x80FFFFFF, 0xFF00FF00};
  std::string bytes(reinterpret_cast<const char*>(&header), sizeof header);
  bytes.append(reinterpret_cast<const char*>(pictureOf), sizeof pictureOf);
  bytes.append(reinterpret_cast<const char*>(pixels), sizeof pixels);
  return bytes;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: fuzz_seeds <folder> <fuzzer name>\n";
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  if (std::string(argv[2]) != "copy_data_fuzz") return 0;
  // Selectors as the fuzzer reads them: 0 snapshot, 1 text list, 2 mouse record, 3 picture list.
  const hook::TaskbarSnapshot snapshot = Snapshot();
  Write(folder / "snapshot", 0, &snapshot, sizeof snapshot);
  const std::string texts = "\xFF" "Mail\xFF\xFE\xFF" "My Docs\xFF\xFE\xFF" "a\xFF\xFF" "b\xFF";
  Write(folder / "texts", 1, texts.c_str(), texts.size() + 1);
  const hook::MouseRecord press{0, hook::kLeftButtonDown, 1, 0x000A0032, 0, 50, 10};
  Write(folder / "mouse", 2, &press, sizeof press);
  const std::string icons = IconList();
  Write(folder / "icons", 3, icons.data(), icons.size());
  return 0;
}
