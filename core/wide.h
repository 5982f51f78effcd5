#pragma once

// Unsigned 128-bit integers for the exact digits of a double (core/numbers.cpp): only
// the product of two 64-bit numbers and the shifts and comparisons that split it. The
// product is the one place that needs the compiler: GCC and Clang have a 128-bit type,
// MSVC the _umul128 intrinsic; anything else takes the four 32-bit partial products,
// which is also the reference the tests hold the others to.

#include <cstdint>

#if defined(_MSC_VER) && defined(_M_X64) && !defined(__clang__)
#include <intrin.h>
#endif

namespace core {

struct Wide128 {
    std::uint64_t high = 0;
    std::uint64_t low = 0;

    friend constexpr bool operator==(const Wide128&, const Wide128&) = default;
    friend constexpr bool operator<(const Wide128& a, const Wide128& b)
    {
        return a.high != b.high ? a.high < b.high : a.low < b.low;
    }
    friend constexpr bool operator>(const Wide128& a, const Wide128& b) { return b < a; }
    friend constexpr bool operator>=(const Wide128& a, const Wide128& b) { return !(a < b); }
};

// a * b without loss, from 32-bit halves: the carries of the middle column are added
// in 64 bits, where they cannot overflow.
constexpr Wide128 MultiplyWidePortable(std::uint64_t a, std::uint64_t b)
{
    const std::uint64_t aLow = a & 0xFFFFFFFFu;
    const std::uint64_t aHigh = a >> 32;
    const std::uint64_t bLow = b & 0xFFFFFFFFu;
    const std::uint64_t bHigh = b >> 32;
    const std::uint64_t lowLow = aLow * bLow;
    const std::uint64_t lowHigh = aLow * bHigh;
    const std::uint64_t highLow = aHigh * bLow;
    const std::uint64_t highHigh = aHigh * bHigh;
    const std::uint64_t middle = (lowLow >> 32) + (lowHigh & 0xFFFFFFFFu) + (highLow & 0xFFFFFFFFu);
    return {highHigh + (lowHigh >> 32) + (highLow >> 32) + (middle >> 32),
        (middle << 32) | (lowLow & 0xFFFFFFFFu)};
}

inline Wide128 MultiplyWide(std::uint64_t a, std::uint64_t b)
{
#if defined(__SIZEOF_INT128__)
    __extension__ using Native = unsigned __int128;
    const Native product = Native(a) * b;
    return {static_cast<std::uint64_t>(product >> 64), static_cast<std::uint64_t>(product)};
#elif defined(_MSC_VER) && defined(_M_X64)
    Wide128 product;
    product.low = _umul128(a, b, &product.high);
    return product;
#else
    return MultiplyWidePortable(a, b);
#endif
}

// value >> count, 0 <= count < 128.
constexpr Wide128 ShiftRight(Wide128 value, int count)
{
    if (count == 0)
        return value;
    if (count < 64)
        return {value.high >> count, (value.low >> count) | (value.high << (64 - count))};
    return {0, value.high >> (count - 64)};
}

// value << count, 0 <= count < 128; bits beyond the top are lost.
constexpr Wide128 ShiftLeft(Wide128 value, int count)
{
    if (count == 0)
        return value;
    if (count < 64)
        return {(value.high << count) | (value.low >> (64 - count)), value.low << count};
    return {value.low << (count - 64), 0};
}

// The lowest `count` bits of value, 0 <= count <= 128.
constexpr Wide128 LowBits(Wide128 value, int count)
{
    if (count >= 128)
        return value;
    if (count >= 64) {
        const int highBits = count - 64;
        return {highBits == 0 ? 0 : value.high & (~std::uint64_t(0) >> (64 - highBits)), value.low};
    }
    return {0, count == 0 ? 0 : value.low & (~std::uint64_t(0) >> (64 - count))};
}

// 2^count, 0 <= count < 128.
constexpr Wide128 PowerOfTwo(int count)
{
    return ShiftLeft(Wide128{0, 1}, count);
}

} // namespace core
