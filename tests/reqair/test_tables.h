// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/coef_table.h"

#include <vector>

namespace reqair_test {

/// A one-row table: values over column keys.
inline CoefTable Table1D(std::vector<double> keys, std::vector<double> values) {
    CoefTable t;
    t.x = std::move(keys);
    t.y = {0.0};
    t.v = {std::move(values)};
    return t;
}

/// A table of rows: columns keyed by x, rows keyed by y.
inline CoefTable Table2D(std::vector<double> x, std::vector<double> y, std::vector<std::vector<double>> v) {
    CoefTable t;
    t.x = std::move(x);
    t.y = std::move(y);
    t.v = std::move(v);
    return t;
}

} // namespace reqair_test
