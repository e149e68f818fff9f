// The hand-over between the decoding workers and the main thread: repeated many thousand times
// it never loses a wake-up, a stop reaches workers waiting for room, and refused threads leave
// the work to the caller. Runs on Linux, cross-built through Wine, and built for the web under
// Node.js, where no thread starts: there only the refusals run.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "render/decode_workers.h"

namespace {

constexpr int handOvers = 20000;
constexpr int stopRounds = 300;
constexpr auto hangLimit = std::chrono::seconds(60);

std::vector<int64_t> slots;  // what each job "decoded": its index squared, written by a worker

int64_t smallSize(int index) { return 1 + index % 5; }
void decodeSquare(int index) { slots[static_cast<size_t>(index)] = int64_t{index} * index; }

// Runs `body` on a thread of its own; a hand-over that never wakes up ends the whole test
// program with a failure instead of hanging the suite.
template <typename Body>
void withinHangLimit(const char* what, Body body) {
  std::atomic<bool> done{false};
  std::thread runner([&] {
    body();
    done = true;
  });
  const auto start = std::chrono::steady_clock::now();
  while (!done && std::chrono::steady_clock::now() - start < hangLimit)
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  if (!done) {
    std::fprintf(stderr, "%s: still waiting after %lld s, a wake-up was lost\n", what,
                 static_cast<long long>(hangLimit.count()));
    std::fflush(stderr);
    std::_Exit(1);
  }
  runner.join();
}

// Whether this system starts threads at all: a web page served without the headers that
// SharedArrayBuffer needs starts none, and neither does its build under Node.js.
bool threadsStart() {
  static const bool start = [] {
    if (!realDecodeThreadSteps.start(0, [](void*) -> void* { return nullptr; })) return false;
    realDecodeThreadSteps.join(0);
    return true;
  }();
  return start;
}
constexpr const char* noThreads =
    "this system starts no thread: the game decodes every picture on its main thread";

class DecodeWorkers : public ::testing::Test {
 protected:
  void TearDown() override {
    stopDecodeWorkers();
    decodeThreadSteps = realDecodeThreadSteps;
  }
};

TEST_F(DecodeWorkers, ManyThousandHandOversInListOrderUnderATightBudget) {
  if (!threadsStart()) GTEST_SKIP() << noThreads;
  // A budget of a few bytes makes the workers wait for room at almost every job, so the main
  // thread's and the workers' wake-ups cross each other all the time.
  slots.assign(handOvers, -1);
  const DecodeJobs jobs = {handOvers, 6, smallSize, decodeSquare};
  int mismatches = 0;
  withinHangLimit("hand-over", [&] {
    ASSERT_EQ(startDecodeWorkers(jobs), decodeWorkerCount);
    for (int i = 0; i < handOvers; ++i) {
      waitUntilDecoded(i);
      mismatches += slots[static_cast<size_t>(i)] == int64_t{i} * i ? 0 : 1;
      markUploaded(i);
    }
    stopDecodeWorkers();
  });
  EXPECT_EQ(mismatches, 0);
  EXPECT_EQ(decodeWorkersWaitingForRoom(), 0);
}

TEST_F(DecodeWorkers, AStopReachesWorkersWaitingForRoom) {
  if (!threadsStart()) GTEST_SKIP() << noThreads;
  // Each round: the first job handed over, the workers then held back by a budget smaller than
  // any job, and the stop must still let them go.
  int roundsWithAWaiter = 0;
  withinHangLimit("stop", [&] {
    for (int round = 0; round < stopRounds; ++round) {
      slots.assign(64, -1);
      ASSERT_EQ(startDecodeWorkers({64, 0, smallSize, decodeSquare}), decodeWorkerCount);
      waitUntilDecoded(0);
      markUploaded(0);
      const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
      while (decodeWorkersWaitingForRoom() == 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::yield();
      roundsWithAWaiter += decodeWorkersWaitingForRoom() > 0 ? 1 : 0;
      stopDecodeWorkers();
      ASSERT_EQ(decodeWorkersWaitingForRoom(), 0);
    }
  });
  EXPECT_EQ(roundsWithAWaiter, stopRounds);
}

TEST_F(DecodeWorkers, RefusedThreadsLeaveTheWorkToTheCaller) {
  decodeThreadSteps.start = [](int, void* (*)(void*)) { return false; };
  slots.assign(8, -1);
  EXPECT_EQ(startDecodeWorkers({8, 0, smallSize, decodeSquare}), 0);
  stopDecodeWorkers();  // nothing to join
  for (int64_t s : slots) EXPECT_EQ(s, -1);

  // A system that starts no thread refuses both workers itself, the same way.
  if (!threadsStart()) {
    decodeThreadSteps = realDecodeThreadSteps;
    EXPECT_EQ(startDecodeWorkers({8, 0, smallSize, decodeSquare}), 0);
    stopDecodeWorkers();
    for (int64_t s : slots) EXPECT_EQ(s, -1);
  }
}

TEST_F(DecodeWorkers, OneRefusedWorkerLeavesTheWholeListToTheOther) {
  if (!threadsStart()) GTEST_SKIP() << noThreads;
  decodeThreadSteps.start = [](int worker, void* (*body)(void*)) {
    return worker == 1 && realDecodeThreadSteps.start(worker, body);
  };
  slots.assign(8, -1);
  withinHangLimit("one worker", [] {
    ASSERT_EQ(startDecodeWorkers({8, 0, smallSize, decodeSquare}), 1);
    for (int i = 0; i < 8; ++i) {
      waitUntilDecoded(i);
      markUploaded(i);
    }
  });
  for (int i = 0; i < 8; ++i) EXPECT_EQ(slots[static_cast<size_t>(i)], int64_t{i} * i);
}

}  // namespace
