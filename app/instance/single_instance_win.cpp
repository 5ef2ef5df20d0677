#include "app/instance/single_instance_win.h"

#include <memory>

#include "app/instance/app_instances_win.h"

namespace {

constexpr std::uint16_t kOneCopy = 1;

// Destroyed at the process's end, after the forms: its withdrawal is the process's last word.
std::unique_ptr<TAppInstances>& Guard() {
  static std::unique_ptr<TAppInstances> guard;
  return guard;
}

}  // namespace

bool AdmitSingleInstance(const std::wstring& programPath) {
  if (!Guard()) Guard() = std::make_unique<TAppInstances>(programPath);
  if (Guard()->AdmitInstance(kOneCopy)) return true;
  Guard()->ActivateFirstInstance();
  return false;
}

void WithdrawSingleInstanceEarly() {
  if (Guard()) Guard()->WithdrawInstance();
}
