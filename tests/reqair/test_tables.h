// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/coef_table.h"
#include "reqair/segment_demand.h"

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

/// Flat fd = 1; fiv (CO) over slopes −2, 0, 2: 0.5, 1, 1.5; fiv (VI): 0.8, 1, 1.2; at every speed;
/// K 0.0075 throughout. The tables of the one-way and two-way demand cases worked by hand.
struct DemandTables {
    CoefTable f_d = Table1D({10, 100}, {1, 1});
    CoefTable f_iv = Table2D({-2, 0, 2}, {10, 100}, {{0.5, 1, 1.5}, {0.5, 1, 1.5}});
    CoefTable f_iv_VI = Table2D({-2, 0, 2}, {10, 100}, {{0.8, 1, 1.2}, {0.8, 1, 1.2}});
    CoefTable K = Table1D({10, 100}, {0.0075, 0.0075});
    reqair::EmissionTables ref() const { return {f_d, f_iv, f_iv_VI}; }
};

} // namespace reqair_test
