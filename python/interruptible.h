// The library's long work run from Python: on a thread of its own, while the calling thread
// waits without the GIL (so other Python threads run, and count, meanwhile) and looks for
// signals every few milliseconds. Ctrl-C then requests a stop through the work's stop token,
// waits for the work to give up, and raises KeyboardInterrupt.
//
// Two shapes: a call that answers one value (RunInterruptibly), and a walk that hands out
// items one at a time, read as a Python iterator (Stream). The work never touches Python
// objects, so it needs no GIL.
#pragma once

#include <pybind11/pybind11.h>

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <future>
#include <mutex>
#include <optional>
#include <stop_token>
#include <thread>
#include <type_traits>
#include <utility>

namespace mirelkon {

namespace py = pybind11;

// How often a waiting caller looks for a signal: Ctrl-C stops a count well within a second.
constexpr auto signalCheckInterval = std::chrono::milliseconds(50);

// Throws the pending Python error of a signal handler (KeyboardInterrupt), if there is one.
inline void RaiseOnSignal() {
  if (PyErr_CheckSignals() != 0) throw py::error_already_set();
}

// work(stop_token) on a worker thread; answers its result or throws its exception.
template <class Work>
std::invoke_result_t<Work, std::stop_token> RunInterruptibly(Work work) {
  using Result = std::invoke_result_t<Work, std::stop_token>;
  std::stop_source stop;
  std::packaged_task<Result(std::stop_token)> task(std::move(work));
  std::future<Result> result = task.get_future();
  std::thread worker(std::move(task), stop.get_token());
  for (;;) {
    bool done;
    {
      py::gil_scoped_release released;
      done = result.wait_for(signalCheckInterval) == std::future_status::ready;
    }
    if (done) break;
    try {
      RaiseOnSignal();
    } catch (...) {
      stop.request_stop();
      py::gil_scoped_release released;
      worker.join();
      throw;
    }
  }
  worker.join();
  return result.get();
}

// Items that a producer on a worker thread emits, taken one at a time by Next. The producer
// waits while `capacity` items are not taken yet, and emit answers false once the stream is
// given up, when the producer should end.
template <class Item>
class Stream {
 public:
  using Emit = std::function<bool(const Item&)>;
  using Producer = std::function<void(const Emit&, std::stop_token)>;

  explicit Stream(Producer producer, std::size_t capacity = 1024) : capacity_(capacity) {
    worker_ = std::thread([this, producer = std::move(producer)] { Produce(producer); });
  }
  ~Stream() {
    stop_.request_stop();
    py::gil_scoped_release released;
    worker_.join();
  }
  Stream(const Stream&) = delete;
  Stream& operator=(const Stream&) = delete;

  // The next item, or none at the end; called with the GIL, which it releases while it
  // waits. Throws the producer's exception, or KeyboardInterrupt on Ctrl-C.
  std::optional<Item> Next() {
    for (;;) {
      std::optional<Item> item;
      bool finished;
      {
        py::gil_scoped_release released;
        std::unique_lock lock(mutex_);
        changed_.wait_for(lock, signalCheckInterval,
                          [this] { return !items_.empty() || finished_; });
        if (!items_.empty()) {
          item = std::move(items_.front());
          items_.pop_front();
          changed_.notify_all();
        }
        finished = finished_ && items_.empty();
      }
      if (item) return item;
      if (finished) {
        if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
        return std::nullopt;
      }
      RaiseOnSignal();
    }
  }

 private:
  void Produce(const Producer& producer) {
    const std::stop_token stop = stop_.get_token();
    const Emit emit = [this, &stop](const Item& item) {
      std::unique_lock lock(mutex_);
      if (!changed_.wait(lock, stop, [this] { return items_.size() < capacity_; })) return false;
      items_.push_back(item);
      changed_.notify_all();
      return true;
    };
    std::exception_ptr failure;
    try {
      producer(emit, stop);
    } catch (...) {
      failure = std::current_exception();
    }
    std::lock_guard lock(mutex_);
    if (!stop.stop_requested()) failure_ = failure;
    finished_ = true;
    changed_.notify_all();
  }

  const std::size_t capacity_;
  std::stop_source stop_;
  std::mutex mutex_;
  std::condition_variable_any changed_;
  std::deque<Item> items_;
  bool finished_ = false;
  std::exception_ptr failure_;
  std::thread worker_;  // last: started once everything it uses is in place
};

}  // namespace mirelkon
