#include "app/copy_data.h"

#include <cstring>

#include "app/text_list.h"

namespace taskbar {
namespace {

CopyDataPayload DecodeSnapshot(const void* data, std::size_t size) {
  if (size != sizeof(hook::TaskbarSnapshot)) return {};
  hook::TaskbarSnapshot snapshot;
  std::memcpy(&snapshot, data, sizeof snapshot);
  if (snapshot.count < 0 || snapshot.count > hook::kMaxEntries) return {};
  return snapshot;
}

CopyDataPayload DecodeMouse(const void* data, std::size_t size) {
  if (size < hook::kMouseRecordMinSize) return {};
  hook::MouseRecord record{};
  std::memcpy(&record, data, hook::kMouseRecordMinSize);
  switch (record.message) {
    case hook::kMouseMove:
    case hook::kLeftButtonDown:
    case hook::kLeftButtonUp:
      return MouseInput{record.message, record.wParam, record.lParam};
    default:
      return {};
  }
}

}  // namespace

CopyDataPayload DecodeCopyData(std::uint32_t code, const void* data, std::size_t size,
                               const CopyDataCodes& codes) {
  if (data == nullptr) size = 0;
  if (code == hook::kSnapshotCopyDataCode) return DecodeSnapshot(data, size);
  if (codes.taskText != 0 && code == codes.taskText) {
    if (size > hook::kMaxTextListSize) return {};
    return ReadTextList(static_cast<const char*>(data), size);
  }
  if (codes.mouse != 0 && code == codes.mouse) return DecodeMouse(data, size);
  if (codes.icons != 0 && code == codes.icons) {
    if (std::optional<IconList> icons = ReadIconList(data, size)) return std::move(*icons);
  }
  return {};
}

}  // namespace taskbar
