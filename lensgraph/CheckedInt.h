#pragma once

#include <cstdint>
#include <stdexcept>

// 32-bit signed arithmetic that raises instead of wrapping around, the rule for
// every integer computation of the diagram and of dragging.
namespace CheckedInt {

class EIntOverflow : public std::overflow_error {
public:
    EIntOverflow()
        : std::overflow_error("Integer overflow")
    {
    }
};

inline std::int32_t Add(std::int32_t a, std::int32_t b)
{
    std::int32_t r;
    if (__builtin_add_overflow(a, b, &r))
        throw EIntOverflow();
    return r;
}

inline std::int32_t Sub(std::int32_t a, std::int32_t b)
{
    std::int32_t r;
    if (__builtin_sub_overflow(a, b, &r))
        throw EIntOverflow();
    return r;
}

inline std::int32_t Mul(std::int32_t a, std::int32_t b)
{
    std::int32_t r;
    if (__builtin_mul_overflow(a, b, &r))
        throw EIntOverflow();
    return r;
}

inline std::int32_t Abs(std::int32_t a)
{
    return a < 0 ? Sub(0, a) : a;
}

} // namespace CheckedInt
