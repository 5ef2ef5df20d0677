// The common set-up of the hook library tests: a fresh stand-in taskbar, HookDll installed, and
// a receiver that has handed its window to the stand-in's toolbar and got its first refresh
// request.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/e2e/harness.h"

namespace e2e {

class HookSession : public testing::Test {
 protected:
  void Connect(const std::wstring& barArguments = L"") {
    bar_ = std::make_unique<TestBarProcess>(barArguments);
    ASSERT_TRUE(bar_->Started()) << "testbar.exe did not come up";
    toolbar_ = bar_->Toolbar();
    ASSERT_NE(toolbar_, nullptr) << "no Shell_TrayWnd > ReBarWindow32 > MSTaskSwWClass > toolbar";
    ASSERT_TRUE(hook_.Installed()) << "HookDll.dll could not be installed";
    receiver_.Take(toolbar_);
    ASSERT_TRUE(WaitUntil([&] { return receiver_.CountOf(TestReceiver::Kind::kRefresh) > 0; }))
        << "no refresh request after the take";
    ASSERT_TRUE(WaitForQuiet()) << "the stand-in's buttons kept changing";
  }

  // Waits until the stand-in's buttons have settled: no refresh request for half a second. A new
  // stand-in's buttons change state for a while as its windows come up and take the focus.
  bool WaitForQuiet() {
    for (int attempt = 0; attempt < 20; ++attempt) {
      receiver_.Clear();
      WaitUntil([] { return false; }, 500);
      if (receiver_.CountOf(TestReceiver::Kind::kRefresh) == 0) return true;
    }
    return false;
  }

  // The receiver asks for a snapshot; the round must end with WM_APP.
  void Snapshot() {
    receiver_.Clear();
    ASSERT_TRUE(receiver_.RequestSnapshot(toolbar_)) << "no snapshot round";
  }

  // The stand-in has handled every message posted to its toolbar before this call.
  void WaitForToolbarQueue(const std::string& lastLogged) {
    ASSERT_TRUE(WaitUntil([&] {
      return bar_->Command("messages").find(lastLogged) != std::string::npos;
    })) << lastLogged;
  }

  // Declared first so that the stand-in ends after the hook is removed.
  std::unique_ptr<TestBarProcess> bar_;
  HookInstallation hook_;
  TestReceiver receiver_;
  HWND toolbar_ = nullptr;
};

}  // namespace e2e
