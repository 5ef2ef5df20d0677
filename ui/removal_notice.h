// The removal notification between components: an object that others refer to tells them when it
// is destroyed, so that they drop the reference instead of keeping a dangling one.
#pragma once

#include <algorithm>
#include <vector>

class RemovalNotifier;

class RemovalObserver {
 public:
  virtual void Removed(RemovalNotifier& removed) = 0;

 protected:
  ~RemovalObserver() = default;
};

class RemovalNotifier {
 public:
  RemovalNotifier() = default;
  RemovalNotifier(const RemovalNotifier&) = delete;
  RemovalNotifier& operator=(const RemovalNotifier&) = delete;
  virtual ~RemovalNotifier() {
    // An observer may unsubscribe while it is told: walk a copy.
    std::vector<RemovalObserver*> observers = observers_;
    for (RemovalObserver* observer : observers) observer->Removed(*this);
  }

  void AddObserver(RemovalObserver* observer) {
    if (std::find(observers_.begin(), observers_.end(), observer) == observers_.end()) observers_.push_back(observer);
  }
  void RemoveObserver(RemovalObserver* observer) {
    observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
  }

 private:
  std::vector<RemovalObserver*> observers_;
};
