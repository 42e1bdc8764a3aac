// A POSIX thread, because std::thread cannot be given a stack size. The stack is reserved
// address space: only the pages the recursion reaches are ever touched.
#include "core/internal/big_stack.h"

#include <pthread.h>

#include <exception>
#include <new>

namespace mirelkon {

namespace {

struct Job {
  const std::function<void()>* work;
  std::exception_ptr thrown;
};

void* RunJob(void* argument) {
  Job& job = *static_cast<Job*>(argument);
  try {
    (*job.work)();
  } catch (...) {
    job.thrown = std::current_exception();
  }
  return nullptr;
}

}  // namespace

void RunOnStack(std::size_t stackBytes, const std::function<void()>& work) {
  pthread_attr_t attributes;
  if (pthread_attr_init(&attributes) != 0) throw std::bad_alloc();
  Job job{&work, nullptr};
  pthread_t thread;
  const bool made = pthread_attr_setstacksize(&attributes, stackBytes) == 0 &&
                    pthread_create(&thread, &attributes, RunJob, &job) == 0;
  pthread_attr_destroy(&attributes);
  if (!made) throw std::bad_alloc();
  pthread_join(thread, nullptr);
  if (job.thrown) std::rethrow_exception(job.thrown);
}

}  // namespace mirelkon
