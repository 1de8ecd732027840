#pragma once
// The statistic the benchmarks report beside the mean: the machine may be busy with other
// work, so the fastest of the repetitions is the steadiest figure.

#include <algorithm>
#include <vector>

namespace ql::bench {

inline double fastest(const std::vector<double>& v)
{
    return *std::min_element(v.begin(), v.end());
}

}  // namespace ql::bench
