#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

namespace ostra::bench {

// The value below which a share of the values lies, between neighbours
// where it falls between two.
inline double quantile(std::vector<double> values, double share)
{
    std::sort(values.begin(), values.end());
    const double at = share * static_cast<double>(values.size() - 1);
    const std::size_t below = static_cast<std::size_t>(at);
    const std::size_t above = std::min(below + 1, values.size() - 1);
    return values[below] + (values[above] - values[below]) * (at - static_cast<double>(below));
}

inline double median(const std::vector<double>& values)
{
    return quantile(values, 0.5);
}

} // namespace ostra::bench
