// SPDX-License-Identifier: GPL-3.0-or-later
#include "shaft/shaft_eject.h"

#include "platform/vb.h"

#include <algorithm>
#include <cmath>

namespace shaft {

double ShaftDiameter(double area, double perimeter) {
    return 4 * area / perimeter;
}

DesignFlows MergeFlows(double qreq1, double qreq2) {
    return {qreq1, qreq2, qreq1 + qreq2};
}

DesignFlows SplitFlows(double qreq1, double qreq2, double qr3) {
    const double s = qreq1 + qreq2 + qr3;
    DesignFlows f;
    f.Qr3 = qr3;
    f.Qr1 = (s + std::sqrt(s * s - 4 * qreq1 * qr3)) * 0.5;
    f.Qr2 = f.Qr1 - f.Qr3;
    return f;
}

double FlowAtPile(double pile, double shaft, double entrance, double q1, double q2) {
    return (pile - shaft) * (pile - entrance) < 0 ? q1 : q2;
}

MergePressures MergeShaftPressures(double deltap_g1, double deltap_t1, double deltap_r1, double deltap_g2,
                                   double deltap_t2, double deltap_r2, double v3, double rho, double zeta_13,
                                   double zeta_23) {
    MergePressures p;
    p.p_tot3 = deltap_g1 + deltap_t1 - deltap_r1 - v3 * v3 * rho * zeta_13 * 0.5;
    p.p_tot3a = deltap_g2 + deltap_t2 - deltap_r2 - v3 * v3 * rho * zeta_23 * 0.5;
    return p;
}

SplitPressures SplitShaftPressures(const SplitInputs& in) {
    SplitPressures p;
    p.p_tot1 = in.deltap_g1 + in.deltap_t1 - in.deltap_r1;
    p.p_tot21 = p.p_tot1 - in.rho * in.zeta_12 * 0.5 * (in.v1 * in.v1);
    p.p_tot22 = p.p_tot21 - in.deltap_r2 + in.deltap_t2;
    p.p_tot23 = 0.5 * in.rho * (in.v2 * in.v2) + in.deltap_g2;
    p.p_tot3 = p.p_tot1 - in.zeta_13 * 0.5 * in.rho * (in.v1 * in.v1);
    return p;
}

bool ExitImbalance(double p_tot22, double p_tot23) {
    return std::fabs(p_tot23 - p_tot22) > kExitImbalanceLimit;
}

bool FanHasDuty(double p_tot) {
    // Not above zero as its box shows it, or not a number: there is no fan duty to put a power on. Judged
    // on the shown figure, a reopened design pressure says what the calculation said.
    return vb::Val(vb::Format(p_tot, "0.00")) > 0;
}

FanPower ExhaustFan(double p_tot3, double deltap_d, double qr3, double eta) {
    FanPower f;
    f.p_tot = (deltap_d - p_tot3) * kFanPressureMargin;
    f.Powered = FanHasDuty(f.p_tot);
    if (!f.Powered) {
        return f;
    }
    f.AA_tot = qr3 * f.p_tot / 1000;
    f.SS_tot = f.AA_tot / eta;
    return f;
}

TrafficStretches CongestionTrafficStretches(double a, double b, double shaft, int dir) {
    const EjectStretch below{std::min(a, shaft), std::min(shaft, b)};
    const EjectStretch above{std::max(a, shaft), std::max(shaft, b)};
    if (dir < 0) {
        return {above, below};
    }
    return {below, above};
}

BalanceResult BalanceShaftPosition(double length,
                                   const std::function<std::pair<double, double>(double)>& evaluate) {
    BalanceResult r;
    double lo = 0;
    double hi = length;
    while (r.steps < kBalanceMaxHalvings) {
        r.x = (lo + hi) * 0.5;
        ++r.steps;
        const auto [p3, p3a] = evaluate(r.x);
        const double difference = std::fabs(p3 - p3a);
        if (difference < kBalanceTolerance) {
            r.found = true;
            break;
        }
        if (std::isnan(difference)) {
            break;
        }
        if (p3 < p3a) {
            hi = r.x;
        } else {
            lo = r.x;
        }
        if (std::fabs(hi - lo) < kBalanceMinBracket) {
            break;
        }
    }
    return r;
}

} // namespace shaft
