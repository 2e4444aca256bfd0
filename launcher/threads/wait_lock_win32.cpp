#include <windows.h>

#include <new>

#include "threads/wait_lock.h"

static_assert(sizeof(SRWLOCK) <= 64 && sizeof(CONDITION_VARIABLE) <= 64, "storage too small");

namespace {
SRWLOCK* srw(unsigned char* storage) { return reinterpret_cast<SRWLOCK*>(storage); }
CONDITION_VARIABLE* cv(unsigned char* storage) { return reinterpret_cast<CONDITION_VARIABLE*>(storage); }
} // namespace

WaitLock::WaitLock() { InitializeSRWLock(new (storage_) SRWLOCK); }
WaitLock::~WaitLock() {}
void WaitLock::lock() { AcquireSRWLockExclusive(srw(storage_)); }
void WaitLock::unlock() { ReleaseSRWLockExclusive(srw(storage_)); }

WaitCondition::WaitCondition() { InitializeConditionVariable(new (storage_) CONDITION_VARIABLE); }
WaitCondition::~WaitCondition() {}
void WaitCondition::wait(WaitLock& lock) { SleepConditionVariableSRW(cv(storage_), srw(lock.storage_), INFINITE, 0); }
void WaitCondition::wakeOne() { WakeConditionVariable(cv(storage_)); }
void WaitCondition::wakeAll() { WakeAllConditionVariable(cv(storage_)); }
