// SPDX-License-Identifier: GPL-3.0-or-later
#include "tracefigures.h"

#include <algorithm>
#include <cmath>

double percentile(std::vector<double> values, double fraction)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const auto rank = std::size_t(std::ceil(fraction * double(values.size())));
    return values.at(std::clamp<std::size_t>(rank, 1, values.size()) - 1);
}

double median(std::vector<double> values)
{
    return percentile(std::move(values), 0.5);
}
