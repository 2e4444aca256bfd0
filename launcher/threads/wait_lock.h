// A lock with a condition to wait on, on the system's own primitives (slim reader/writer locks and
// condition variables on Windows, pthreads elsewhere): the runtime's std::condition_variable on
// MinGW goes through an emulation layer that costs far more per hand-over.
#pragma once

#include <cstdint>

class WaitLock {
public:
  WaitLock();
  ~WaitLock();
  WaitLock(const WaitLock&) = delete;
  WaitLock& operator=(const WaitLock&) = delete;

  void lock();
  void unlock();

private:
  friend class WaitCondition;
  alignas(void*) unsigned char storage_[64];
};

class WaitCondition {
public:
  WaitCondition();
  ~WaitCondition();
  WaitCondition(const WaitCondition&) = delete;
  WaitCondition& operator=(const WaitCondition&) = delete;

  // Releases the lock while waiting and takes it again before returning; may wake spuriously.
  void wait(WaitLock& lock);
  void wakeOne();
  void wakeAll();

private:
  alignas(void*) unsigned char storage_[64];
};

// Holds a WaitLock for a scope.
class WaitLockHold {
public:
  explicit WaitLockHold(WaitLock& lock) : lock_(lock) { lock_.lock(); }
  ~WaitLockHold() { lock_.unlock(); }
  WaitLockHold(const WaitLockHold&) = delete;
  WaitLockHold& operator=(const WaitLockHold&) = delete;

private:
  WaitLock& lock_;
};
