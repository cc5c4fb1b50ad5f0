// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <optional>

namespace app {

/// A step's result, or nullopt when its arithmetic failed on the way (NaN or an overflow).
inline std::optional<double> finite(double value) {
    return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

/// Assigns only a finite result: a step that cannot be computed leaves its target as it was.
inline void assign_if_finite(double& target, double value) {
    if (std::isfinite(value)) {
        target = value;
    }
}

} // namespace app
