// TAppInstances: one running copy per program file. The copies of a file share a list of their
// process ids in a named block backed by the paging file, guarded by a named lock, and announce
// every copy that joins or leaves with a registered message to each listed copy's application
// window ("TApplication"). All three objects are named from the program file's full path, in upper
// case, so the same file started under another letter case is the same program.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/instance/instance_block.h"
#include "ui/handles.h"

class TAppInstances {
 public:
  // wParam of the announcement; lParam is the process id of the copy concerned.
  static constexpr WPARAM kAdmitted = 1;
  static constexpr WPARAM kWithdrawn = 2;

  // Opens or creates the lock and the block of the program file at `programPath` and registers
  // the message. Throws Exception "Failed to create FileMapping" or "Failed to create
  // FileMappingView" (or "Failed to create Mutex") when an object cannot be had.
  explicit TAppInstances(const std::wstring& programPath);
  ~TAppInstances();  // WithdrawInstance, unless it was done already
  TAppInstances(const TAppInstances&) = delete;
  TAppInstances& operator=(const TAppInstances&) = delete;

  // Lists this process and says whether it may run: fewer than `limit` copies ran before it.
  bool AdmitInstance(std::uint16_t limit);
  // Takes this process off the list and announces it. Once per guard: a process that withdrew
  // early (to make room for a restarted copy) is not withdrawn again at its end.
  void WithdrawInstance();
  // Restores the oldest copy's application window if minimised and brings it to the front; a
  // copy that does not answer holds this up for about two seconds at most.
  void ActivateFirstInstance();

  UINT Message() const { return message_; }

 private:
  class BlockLock;
  void Announce(WPARAM event, DWORD processId);
  // The listed ids, read under the lock; empty when the lock could not be had.
  std::vector<std::uint32_t> ListedIds();

  const DWORD processId_;
  UniqueKernelHandle lock_;
  UniqueKernelHandle block_;
  UniqueMappedView view_;
  UINT message_ = 0;
  bool withdrawn_ = false;
};
