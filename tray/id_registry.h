// Live objects by a 32-bit id. The shell hands an icon's id back in every notification, and any
// process can post that message with any number: the id is looked up, never cast to a pointer.
// Ids start at 1 and are not reused while the registry lives, so a late notification for a
// destroyed object never reaches a newer one.
#pragma once

#include <cstdint>
#include <unordered_map>

namespace tray {

template <class T>
class IdRegistry {
 public:
  std::uint32_t Add(T* object) {
    do {
      ++last_;
    } while (last_ == 0 || objects_.count(last_) != 0);
    objects_[last_] = object;
    return last_;
  }
  void Remove(std::uint32_t id) { objects_.erase(id); }
  T* Find(std::uint32_t id) const {
    auto it = objects_.find(id);
    return it == objects_.end() ? nullptr : it->second;
  }
  bool Empty() const { return objects_.empty(); }

 private:
  std::unordered_map<std::uint32_t, T*> objects_;
  std::uint32_t last_ = 0;
};

}  // namespace tray
