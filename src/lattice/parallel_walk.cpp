// Starting the threads, watching their progress and collecting their outcome.
#include "lattice/parallel_walk.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "generate/lattice_counts.h"
#include "lattice/progress_meter.h"
#include "report/counted.h"

namespace mirelkon {

namespace {

// What a thread publishes at its checkpoints, for the calling thread to read.
struct ThreadState {
  std::atomic<std::uint64_t> lattices{0};
  GeneratorStats stats;  // read after the thread has ended
};

// The end of a walk that another thread's failure stopped.
struct Stopped {};

struct Walk {
  std::vector<ThreadState> threads;
  std::atomic<bool> stop{false};
  std::mutex mutex;
  std::condition_variable finished;
  int running;
  std::exception_ptr failure;

  explicit Walk(int count) : threads(count), running(count) {}

  void Fail(std::exception_ptr error) {
    std::lock_guard lock(mutex);
    if (!failure) failure = error;
    stop = true;
  }
  void Done() {
    std::lock_guard lock(mutex);
    --running;
    finished.notify_all();
  }
};

void RunThread(Walk& walk, int t, const GenerationPlan& plan, TaskDispenser* tasks,
               const std::function<LatticeGenerator::Visitor(int)>& visitorFor) {
  ThreadState& state = walk.threads[t];
  LatticeGenerator generator(plan, tasks);
  try {
    const LatticeGenerator::Visitor visit = visitorFor(t);
    generator.Run(visit, [&](const LatticeGenerator& g) {
      state.lattices = g.Stats().lattices;
      if (walk.stop) throw Stopped{};
    });
  } catch (const Stopped&) {
  } catch (...) {
    walk.Fail(std::current_exception());
  }
  state.stats = generator.Stats();
  state.lattices = generator.Stats().lattices;
  walk.Done();
}

}  // namespace

GeneratorStats WalkInParallel(const WalkSetup& setup,
                              const std::function<LatticeGenerator::Visitor(int)>& visitorFor) {
  const GenerationPlan plan = PlanGeneration(setup.size, setup.part, setup.parts, setup.threads);
  Walk walk(setup.threads);
  TaskDispenser tasks;
  ProgressMeter meter(Counted(setup.size, "element"),
                      static_cast<double>(KnownLatticeCount(setup.size)) / setup.parts);
  std::vector<std::thread> threads;
  for (int t = 0; t < setup.threads; ++t)
    threads.emplace_back(RunThread, std::ref(walk), t, std::cref(plan),
                         setup.threads > 1 ? &tasks : nullptr, std::cref(visitorFor));
  for (;;) {
    {
      std::unique_lock lock(walk.mutex);
      if (walk.finished.wait_for(lock, std::chrono::milliseconds(250),
                                 [&] { return walk.running == 0; }))
        break;
    }
    std::uint64_t lattices = 0;
    for (const ThreadState& state : walk.threads) lattices += state.lattices;
    meter.Show(lattices);
  }
  for (std::thread& thread : threads) thread.join();
  if (walk.failure) std::rethrow_exception(walk.failure);
  GeneratorStats total;
  for (const ThreadState& state : walk.threads) total += state.stats;
  return total;
}

}  // namespace mirelkon
