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

inline std::int32_t Add(std::int32_t A, std::int32_t B)
{
    std::int32_t R;
    if (__builtin_add_overflow(A, B, &R))
        throw EIntOverflow();
    return R;
}

inline std::int32_t Sub(std::int32_t A, std::int32_t B)
{
    std::int32_t R;
    if (__builtin_sub_overflow(A, B, &R))
        throw EIntOverflow();
    return R;
}

inline std::int32_t Mul(std::int32_t A, std::int32_t B)
{
    std::int32_t R;
    if (__builtin_mul_overflow(A, B, &R))
        throw EIntOverflow();
    return R;
}

inline std::int32_t Abs(std::int32_t A)
{
    return A < 0 ? Sub(0, A) : A;
}

} // namespace CheckedInt
