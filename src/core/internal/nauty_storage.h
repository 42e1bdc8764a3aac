// The working storage nauty keeps per thread from one call to the next and never frees by
// itself: a thread that ends without giving it back leaks it.
#pragma once

namespace mirelkon {

// Frees it for the calling thread; the next call into nauty allocates afresh.
void ReleaseNautyStorage();

// Frees it when the scope that used nauty ends.
struct NautyStorage {
  NautyStorage() = default;
  ~NautyStorage() { ReleaseNautyStorage(); }
  NautyStorage(const NautyStorage&) = delete;
  NautyStorage& operator=(const NautyStorage&) = delete;
};

}  // namespace mirelkon
