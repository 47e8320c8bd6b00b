// net: clang's thread-safety attributes under short names, so that the
// compiler checks which lock guards what (-Wthread-safety); other compilers
// see nothing.
#pragma once

#if defined(__clang__)
#define KRV_LOCK_ATTRIBUTE(x) __attribute__((x))
#else
#define KRV_LOCK_ATTRIBUTE(x)
#endif

#define KRV_CAPABILITY(name) KRV_LOCK_ATTRIBUTE(capability(name))
#define KRV_SCOPED_CAPABILITY KRV_LOCK_ATTRIBUTE(scoped_lockable)
#define KRV_GUARDED_BY(lock) KRV_LOCK_ATTRIBUTE(guarded_by(lock))
#define KRV_ACQUIRED_BEFORE(...) KRV_LOCK_ATTRIBUTE(acquired_before(__VA_ARGS__))
#define KRV_REQUIRES(...) KRV_LOCK_ATTRIBUTE(requires_capability(__VA_ARGS__))
#define KRV_EXCLUDES(...) KRV_LOCK_ATTRIBUTE(locks_excluded(__VA_ARGS__))
#define KRV_ACQUIRE(...) KRV_LOCK_ATTRIBUTE(acquire_capability(__VA_ARGS__))
#define KRV_RELEASE(...) KRV_LOCK_ATTRIBUTE(release_capability(__VA_ARGS__))
// For the lock primitive itself, whose body the analysis cannot follow.
#define KRV_NO_LOCK_ANALYSIS KRV_LOCK_ATTRIBUTE(no_thread_safety_analysis)
