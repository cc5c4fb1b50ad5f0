// SPDX-License-Identifier: GPL-3.0-or-later
#include "ventparam/ventparam_formulas.h"

#include <cmath>

namespace ventparam {

double ResistanceArea(double r1, double AA_cs, double xi_cs, double AA_cl, double xi_cl) {
    return (1 - r1) * AA_cs * xi_cs + r1 * AA_cl * xi_cl;
}

std::optional<double> Divide(double a, double b) {
    if (b == 0) {
        return std::nullopt;
    }
    const double q = a / b;
    if (!std::isfinite(q)) {
        return std::nullopt;
    }
    return q;
}

std::optional<double> DesignAirSpeed(double QQ_req, double area) {
    return Divide(QQ_req, area);
}

bool OutsideTunnel(double pile, double startPile, double endPile) {
    return (pile - startPile) * (pile - endPile) > 0;
}

} // namespace ventparam
