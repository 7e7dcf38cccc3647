// The one thread a calculator's requests run on, so the program that drives
// it keeps answering its user while a solve or plot works.
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace korvex {

class RequestWorker {
 public:
  RequestWorker() = default;
  // Waits for the request in progress: whoever owns the worker stops it
  // first (the calculator's stop flag) and must not be what it waits on.
  ~RequestWorker();
  RequestWorker(const RequestWorker&) = delete;
  RequestWorker& operator=(const RequestWorker&) = delete;

  // Runs `job` on the worker thread. False, and nothing runs, while an
  // earlier job has not ended: requests never overlap. The thread starts
  // with the first job, so a program that never calls this has none.
  bool Start(std::function<void()> job);
  bool busy() const;
  // Returns once no job runs.
  void WaitUntilIdle();

 private:
  void Loop();

  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable idle_;
  std::function<void()> job_;
  bool busy_ = false;
  bool quit_ = false;
  std::thread thread_;
};

}  // namespace korvex
