// What: the shared instance list's bytes and the admission arithmetic over it. Why: every copy of
// the program reads the same 1032 bytes; a wrong offset or a write past the list corrupts what
// the others read, and an id left by a killed copy must not keep the program from starting.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <vector>

#include "app/instance/instance_block.h"
#include "app/instance/post_retry.h"

namespace {

using instance::InstanceBlock;
using instance::kMaxListed;
using Ids = std::vector<std::uint32_t>;

InstanceBlock BlockOf(std::uint16_t max, const Ids& ids) {
  InstanceBlock block{};
  block.MaxInstances = max;
  block.InstanceCount = static_cast<std::uint16_t>(ids.size());
  std::copy(ids.begin(), ids.end(), block.ProcessIds);
  return block;
}

TEST(InstanceBlock, BytesAreLittleEndianAtTheFixedOffsets) {
  InstanceBlock block{};
  block.MaxInstances = 0x0102;
  block.InstanceCount = 0x0304;
  block.ProcessIds[0] = 0x05060708;
  block.ProcessIds[kMaxListed - 1] = 0x090A0B0C;
  unsigned char bytes[sizeof(InstanceBlock)];
  std::memcpy(bytes, &block, sizeof(block));
  const struct {
    std::size_t offset;
    std::vector<unsigned char> expected;
  } fields[] = {{0, {0x02, 0x01}}, {2, {0x04, 0x03}}, {4, {0x08, 0x07, 0x06, 0x05}}, {1028, {0x0C, 0x0B, 0x0A, 0x09}}};
  for (const auto& f : fields) {
    EXPECT_EQ(std::vector<unsigned char>(bytes + f.offset, bytes + f.offset + f.expected.size()), f.expected)
        << "offset " << f.offset;
  }
}

// One block through the life of several copies; each step names the processes that still run.
TEST(InstanceBlock, AdmitsUpToTheLimitAndForgetsEndedCopies) {
  enum Op { kAdmit, kWithdraw };
  const struct {
    const char* what;
    Op op;
    std::uint32_t self;
    std::uint16_t limit;
    std::set<std::uint32_t> running;
    bool result;
    Ids listed;
    std::uint16_t max;
  } steps[] = {
      {"the first copy sets the limit and runs", kAdmit, 10, 1, {10}, true, {10}, 1},
      {"a second copy is refused but listed", kAdmit, 20, 1, {10, 20}, false, {10, 20}, 1},
      {"the refused copy leaves", kWithdraw, 20, 0, {10}, true, {10}, 1},
      {"leaving twice finds nothing", kWithdraw, 20, 0, {10}, false, {10}, 1},
      {"a later limit does not replace the first", kAdmit, 30, 5, {10, 30}, false, {10, 30}, 1},
      {"another refused copy", kAdmit, 35, 1, {10, 30, 35}, false, {10, 30, 35}, 1},
      {"one leaves from the middle; the gap closes", kWithdraw, 30, 0, {10, 35}, true, {10, 35}, 1},
      {"a killed copy's id is dropped", kAdmit, 40, 1, {40}, true, {40}, 1},
      {"an id left by an ended process with our id", kAdmit, 40, 1, {40}, true, {40}, 1},
      {"the first copy leaves; the list is empty", kWithdraw, 40, 0, {}, true, {}, 1},
      {"the next start runs", kAdmit, 50, 1, {50}, true, {50}, 1},
  };
  InstanceBlock block{};
  for (const auto& s : steps) {
    SCOPED_TRACE(s.what);
    auto alive = [&](std::uint32_t id) { return s.running.count(id) != 0; };
    bool result = s.op == kAdmit ? instance::Admit(block, s.limit, s.self, alive) : instance::Withdraw(block, s.self);
    EXPECT_EQ(result, s.result);
    EXPECT_EQ(instance::ListedIds(block), s.listed);
    EXPECT_EQ(block.MaxInstances, s.max);
    for (std::size_t i = s.listed.size(); i < kMaxListed; ++i) ASSERT_EQ(block.ProcessIds[i], 0u) << "slot " << i;
  }
}

TEST(InstanceBlock, AFullListRefusesWithoutWritingAndIsFreedByEndedCopies) {
  Ids full(kMaxListed);
  for (std::size_t i = 0; i < kMaxListed; ++i) full[i] = static_cast<std::uint32_t>(1000 + i);
  const struct {
    const char* what;
    std::uint16_t max;
    std::uint16_t count;  // as the block says; past the list's end when a faulty copy wrote it
    std::function<bool(std::uint32_t)> alive;
    bool admitted;
    Ids listed;
  } cases[] = {
      {"all running", 1, kMaxListed, [](std::uint32_t) { return true; }, false, full},
      {"all running, under a high limit", 300, kMaxListed, [](std::uint32_t) { return true; }, false, full},
      {"a count past the end", 300, 1000, [](std::uint32_t) { return true; }, false, full},
      {"all ended", 1, kMaxListed, [](std::uint32_t) { return false; }, true, {7}},
      {"the last one ended", 300, kMaxListed, [](std::uint32_t id) { return id != 1256; }, true,
       [&] { Ids ids(full.begin(), full.end() - 1); ids.push_back(7); return ids; }()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    InstanceBlock block = BlockOf(c.max, full);
    block.InstanceCount = c.count;
    EXPECT_EQ(instance::Admit(block, 1, 7, c.alive), c.admitted);
    EXPECT_EQ(instance::ListedIds(block), c.listed);
    EXPECT_EQ(block.InstanceCount, c.listed.size());
  }
}

// What: the bounded retry of a post to another copy's thread. Why: a copy whose queue stays full
// must not keep a second start waiting for ever.
TEST(PostRetry, StopsOnSuccessOnAGoneThreadOrAfterTheLimit) {
  using instance::PostResult;
  const struct {
    const char* what;
    int failuresBeforeEnd;
    PostResult end;
    bool posted;
    std::uint32_t startTick;
  } cases[] = {
      {"posted at once", 0, PostResult::kPosted, true, 0},
      {"posted after the queue drained", 40, PostResult::kPosted, true, 0},
      {"the thread ended", 3, PostResult::kNoSuchThread, false, 0},
      {"the queue stays full", 1 << 30, PostResult::kPosted, false, 0},
      {"the queue stays full across the tick's wrap", 1 << 30, PostResult::kPosted, false, 0xFFFFFE00u},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::uint32_t tick = c.startTick;
    int attempts = 0;
    bool posted = instance::PostWithRetry(
        [&] { return attempts++ < c.failuresBeforeEnd ? PostResult::kFailed : c.end; }, [&] { return tick; },
        [&] { ++tick; }, 1000);
    EXPECT_EQ(posted, c.posted);
    EXPECT_LE(std::uint32_t(tick - c.startTick), 1000u);
    EXPECT_LE(attempts, 1001);
  }
}

}  // namespace
