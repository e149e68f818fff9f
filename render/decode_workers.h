// Worker threads that decode a fixed list of pictures ahead of their upload, in list order and
// within a memory budget, and the hand-over of each decoded picture to the main thread.
#pragma once

#include <cstdint>

// The list the workers go through; its functions run on the worker threads.
struct DecodeJobs {
  int count = 0;  // pictures in the list
  // Decoded pictures may wait for their upload up to this many bytes, so the workers run ahead
  // while the memory held stays bounded; the picture the upload needs next is decoded whatever
  // its size.
  int64_t budget = 0;
  int64_t (*sizeOf)(int index) = nullptr;  // bytes picture `index` holds once decoded
  void (*decode)(int index) = nullptr;     // decodes picture `index` into the caller's slot
};

// The system's side of a worker, replaceable so a test can refuse a thread as a process at its
// thread limit does.
struct DecodeThreadSteps {
  bool (*start)(int worker, void* (*body)(void*));  // false: the system refused the thread
  void (*join)(int worker);
};
extern DecodeThreadSteps decodeThreadSteps;            // the steps in use
extern const DecodeThreadSteps realDecodeThreadSteps;  // the operating system's own

constexpr int decodeWorkerCount = 2;

// Starts the workers on `jobs`, which must stay valid until `stopDecodeWorkers`; returns how many
// started. With none, nothing is decoded ahead and the caller decodes every picture itself.
int startDecodeWorkers(const DecodeJobs& jobs);
// Blocks until picture `index` is decoded; pictures are taken in list order, each once.
void waitUntilDecoded(int index);
// The upload is done with picture `index` (the next in list order) and its decoded copy is gone:
// its bytes leave the budget and workers waiting for room look again.
void markUploaded(int index);
// Nothing more will be taken: waiting workers leave at once, the others after the picture in
// their hands, and all are joined.
void stopDecodeWorkers();
// Workers held back by the budget at this moment.
int decodeWorkersWaitingForRoom();
