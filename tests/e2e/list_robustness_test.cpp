// What: the task list keeps working when a taskbar window hangs, and copy-data messages of any
// size and content from another process neither crash the program nor replace its snapshot.
// Why: the program reads what other processes send and asks other programs' windows for icons;
// neither may freeze it or let a stray message scramble the list the next move is planned on.
#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "app/hook_contract.h"
#include "tests/e2e/list_session.h"

namespace e2e {
namespace {

class ListRobustnessTest : public ListSession {
 protected:
  void SendCopyData(std::uint32_t code, const std::string& bytes) const {
    COPYDATASTRUCT copy{code, static_cast<DWORD>(bytes.size()), bytes.empty() ? nullptr : const_cast<char*>(bytes.data())};
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(form_, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy), SMTO_ABORTIFHUNG, 5000, &answer);
  }

  std::string Garbage(size_t size) {
    std::string bytes(size, '\0');
    for (char& byte : bytes) byte = static_cast<char>(random_() & 0xFF);
    return bytes;
  }

  // A snapshot block whose Count is `count` and whose other bytes are garbage.
  std::string SnapshotBytes(size_t size, std::int32_t count) {
    std::string bytes = Garbage(size);
    if (size >= sizeof(count)) bytes.replace(0, sizeof(count), reinterpret_cast<const char*>(&count), sizeof(count));
    return bytes;
  }

  bool Alive() const { return !program_->WaitForExit(0); }

  // The program's private memory in bytes, 0 when it cannot be read.
  SIZE_T PrivateBytes() const {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_VM_READ, FALSE, program_->Id());
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    const bool read = process && GetProcessMemoryInfo(process, &counters, sizeof(counters));
    if (process) CloseHandle(process);
    return read ? counters.PagefileUsage : 0;
  }

  // How long the program's window takes to answer a message that does nothing, in milliseconds.
  DWORD AnswerTime() const {
    const DWORD start = GetTickCount();
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(form_, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &answer);
    return GetTickCount() - start;
  }

  static std::string QuotedTexts(int count) {
    std::string texts;
    for (int i = 0; i < count; ++i) texts += std::string(i ? "\xFE" : "") + "\xFFT" + std::to_string(i) + "\xFF";
    return texts;
  }


  std::mt19937 random_{20261207};
};

TEST_F(ListRobustnessTest, HungWindowDoesNotStopTheRebuild) {
  ASSERT_FALSE(windows_[3].empty());
  bar_->Checked("hang " + windows_[3]);  // g1
  bar_->Checked("retitle " + windows_[0] + " Alpha2");
  Click("ButtonRefresh");
  EXPECT_TRUE(ListShows({"Alpha2", "Beta", "Gamma", "g1", "g2", "Delta", "d1"}));
  bar_->Checked("retitle " + windows_[1] + " Beta2");
  EXPECT_TRUE(ListShows({"Alpha2", "Beta2", "Gamma", "g1", "g2", "Delta", "d1"}));
}

TEST_F(ListRobustnessTest, GarbageCopyDataChangesNothingAndCrashesNothing) {
  const UINT textCode = RegisterWindowMessageW(hook::kGetTaskTextNameW);
  const UINT mouseCode = RegisterWindowMessageW(hook::kDoMouseNameW);
  // Text lists of any bytes, none of them zero-terminated on purpose.
  for (size_t size = 0; size <= 4096; ++size) SendCopyData(textCode, Garbage(size));
  ASSERT_TRUE(Alive());
  // Well-formed texts that a rebuild from the kept snapshot shows.
  std::string texts;
  for (int i = 0; i < 7; ++i) texts += std::string(i ? "\xFE" : "") + "\xFFT" + std::to_string(i) + "\xFF";
  SendCopyData(textCode, texts);
  // Snapshots of every wrong length, each claiming three entries; of the right length with a
  // count out of range; mouse records shorter than their format; codes nobody uses.
  for (size_t size = 0; size <= sizeof(hook::TaskbarSnapshot) + 16; ++size) {
    if (size != sizeof(hook::TaskbarSnapshot)) SendCopyData(hook::kSnapshotCopyDataCode, SnapshotBytes(size, 3));
  }
  for (std::int32_t count : {-1, 258, 0x7FFFFFFF, static_cast<std::int32_t>(0x80000000u)}) {
    SendCopyData(hook::kSnapshotCopyDataCode, SnapshotBytes(sizeof(hook::TaskbarSnapshot), count));
  }
  for (size_t size = 0; size < hook::kMouseRecordMinSize; ++size) SendCopyData(mouseCode, Garbage(size));
  for (std::uint32_t code : {0u, 1u, 0x8000u, 0x8002u, 0xFFFFFFFFu}) SendCopyData(code, Garbage(64));
  ASSERT_TRUE(Alive());
  // A rebuild now shows the kept snapshot's seven entries with the new texts (asked for until the
  // throttle lets one through).
  const std::vector<std::string> expected{"T0", "T1", "T2", "T3", "T4", "T5", "T6"};
  EXPECT_TRUE(WaitUntil([&] {
    PostMessageW(form_, hook::kWmApp, 0, 0);
    return ListTexts() == expected;
  })) << ListShows(expected, 0).message();
  EXPECT_TRUE(Alive());
}

// A text list is read into one string per item: 16 MiB of separators once became 16 million
// strings. The program reads at most one item per entry, so its memory stays where it was, and it
// refuses a list longer than the library writes.
TEST_F(ListRobustnessTest, OversizeTextListsLeaveTheMemoryFlat) {
  const UINT textCode = RegisterWindowMessageW(hook::kGetTaskTextNameW);
  const std::string separators(hook::kMaxTextListSize, '\xFE');  // the longest list taken
  // What carrying the bytes into the program costs by itself (Wine keeps some of each large
  // message): the same size under a code nobody uses.
  SendCopyData(0x7FFF, separators);
  ASSERT_LT(AnswerTime(), 5000u);
  const SIZE_T before = PrivateBytes();
  ASSERT_GT(before, 0u) << "the program's memory could not be read";
  SendCopyData(textCode, separators);  // 788,733 items unbounded, 257 read
  SendCopyData(textCode, QuotedTexts(5000));
  ASSERT_LT(AnswerTime(), 5000u);
  const SIZE_T after = PrivateBytes();
  EXPECT_LT(after, before + (8u << 20)) << "private bytes before " << before << ", after " << after;
  // Longer than any list of the library: refused whole, the texts before it stay.
  SendCopyData(textCode, std::string(16u << 20, '\xFE'));
  ASSERT_TRUE(Alive());
  ASSERT_LT(AnswerTime(), 5000u);
  const std::vector<std::string> expected{"T0", "T1", "T2", "T3", "T4", "T5", "T6"};
  EXPECT_TRUE(WaitUntil([&] {
    PostMessageW(form_, hook::kWmApp, 0, 0);
    return ListTexts() == expected;
  })) << ListShows(expected, 0).message();
}

}  // namespace
}  // namespace e2e
