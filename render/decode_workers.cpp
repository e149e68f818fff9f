// Decoding pictures ahead on worker threads, handed over to the main thread under one lock.
#include "render/decode_workers.h"

#include <pthread.h>

#include <condition_variable>
#include <mutex>
#include <vector>

namespace {

// Every wait below is a condition variable's with its predicate, checked under the lock that
// every change takes: a change made between a waiter's check and its sleep cannot be missed, as
// it could with a bare atomic wait whose notification takes no lock (MinGW's libstdc++ lost such
// wake-ups and froze the loading for good).
std::mutex handOverLock;
std::condition_variable handOverChanged;  // any field below changed

// Guarded by handOverLock.
DecodeJobs jobs;
int nextToDecode = 0;
int uploadedCount = 0;  // pictures the upload has taken so far, in list order
bool stopping = false;  // nothing more will be uploaded: workers leave at once
int waitingForRoom = 0;
int64_t bytesWaiting = 0;      // decoded (or being decoded) and not yet uploaded
std::vector<int64_t> bytesOf;  // what each picture's decoded copy takes
std::vector<char> decoded;     // per picture: its decode has finished

pthread_t workers[decodeWorkerCount];
bool workerRunning[decodeWorkerCount] = {};

void* decodeInListOrder(void*) {
  std::unique_lock<std::mutex> held(handOverLock);
  while (!stopping && nextToDecode < jobs.count) {
    const int i = nextToDecode++;
    held.unlock();
    const int64_t size = jobs.sizeOf(i);
    held.lock();
    bytesOf[static_cast<size_t>(i)] = size;
    // The next picture the upload needs is always decoded; the others wait for room.
    ++waitingForRoom;
    handOverChanged.wait(held, [i, size] {
      return stopping || i == uploadedCount || bytesWaiting + size <= jobs.budget;
    });
    --waitingForRoom;
    if (stopping) break;
    bytesWaiting += size;
    held.unlock();
    jobs.decode(i);
    held.lock();
    decoded[static_cast<size_t>(i)] = 1;
    handOverChanged.notify_all();
  }
  return nullptr;
}

bool startThread(int worker, void* (*body)(void*)) {
  return pthread_create(&workers[worker], nullptr, body, nullptr) == 0;
}
void joinThread(int worker) { pthread_join(workers[worker], nullptr); }

}  // namespace

const DecodeThreadSteps realDecodeThreadSteps = {startThread, joinThread};
DecodeThreadSteps decodeThreadSteps = realDecodeThreadSteps;

int startDecodeWorkers(const DecodeJobs& list) {
  {
    const std::lock_guard<std::mutex> held(handOverLock);
    jobs = list;
    nextToDecode = 0;
    uploadedCount = 0;
    stopping = false;
    waitingForRoom = 0;
    bytesWaiting = 0;
    bytesOf.assign(static_cast<size_t>(list.count), 0);
    decoded.assign(static_cast<size_t>(list.count), 0);
  }
  // A worker that cannot start (a process limit reached) leaves the pictures to the others.
  int running = 0;
  for (int w = 0; w < decodeWorkerCount; ++w) {
    workerRunning[w] = decodeThreadSteps.start(w, decodeInListOrder);
    running += workerRunning[w] ? 1 : 0;
  }
  return running;
}

void waitUntilDecoded(int index) {
  std::unique_lock<std::mutex> held(handOverLock);
  handOverChanged.wait(held, [index] { return decoded[static_cast<size_t>(index)] != 0; });
}

void markUploaded(int index) {
  const std::lock_guard<std::mutex> held(handOverLock);
  uploadedCount = index + 1;
  bytesWaiting -= bytesOf[static_cast<size_t>(index)];
  handOverChanged.notify_all();
}

void stopDecodeWorkers() {
  {
    const std::lock_guard<std::mutex> held(handOverLock);
    stopping = true;
    handOverChanged.notify_all();
  }
  for (int w = 0; w < decodeWorkerCount; ++w) {
    if (workerRunning[w]) decodeThreadSteps.join(w);
    workerRunning[w] = false;
  }
}

int decodeWorkersWaitingForRoom() {
  const std::lock_guard<std::mutex> held(handOverLock);
  return waitingForRoom;
}
