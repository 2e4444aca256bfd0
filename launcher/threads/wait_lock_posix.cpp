#include <pthread.h>

#include <new>

#include "threads/wait_lock.h"

static_assert(sizeof(pthread_mutex_t) <= 64 && sizeof(pthread_cond_t) <= 64, "storage too small");

namespace {
pthread_mutex_t* mutex(unsigned char* storage) { return reinterpret_cast<pthread_mutex_t*>(storage); }
pthread_cond_t* cond(unsigned char* storage) { return reinterpret_cast<pthread_cond_t*>(storage); }
} // namespace

WaitLock::WaitLock() { pthread_mutex_init(new (storage_) pthread_mutex_t, nullptr); }
WaitLock::~WaitLock() { pthread_mutex_destroy(mutex(storage_)); }
void WaitLock::lock() { pthread_mutex_lock(mutex(storage_)); }
void WaitLock::unlock() { pthread_mutex_unlock(mutex(storage_)); }

WaitCondition::WaitCondition() { pthread_cond_init(new (storage_) pthread_cond_t, nullptr); }
WaitCondition::~WaitCondition() { pthread_cond_destroy(cond(storage_)); }
void WaitCondition::wait(WaitLock& lock) { pthread_cond_wait(cond(storage_), mutex(lock.storage_)); }
void WaitCondition::wakeOne() { pthread_cond_signal(cond(storage_)); }
void WaitCondition::wakeAll() { pthread_cond_broadcast(cond(storage_)); }
