#pragma once

// A hint that the cache line at `address` is read soon. Only speed depends on it: where
// the compiler offers none, the code that uses it computes the same results.
#if defined(__GNUC__) || defined(__clang__)
#define ROCKPILE_PREFETCH(address) __builtin_prefetch(address)
#elif defined(_MSC_VER) && (defined(_M_X64) || defined(_M_IX86))
#include <xmmintrin.h>
#define ROCKPILE_PREFETCH(address) _mm_prefetch(reinterpret_cast<const char*>(address), _MM_HINT_T0)
#else
#define ROCKPILE_PREFETCH(address) static_cast<void>(0)
#endif
