// SPDX-License-Identifier: GPL-3.0-or-later
#include "multishaft/ms_jet.h"

#include "platform/vb.h"

#include <cmath>
#include <cstddef>

namespace multishaft {

double SectionJetRise(double rho, double vj, double aj, double ar, double vr, double eta) {
    return rho * (vj * vj) * (aj / ar) * (1 - vr / vj) * eta;
}

std::pair<double, double> SectionOpeningRises(int k, int rows, bool rightLine,
                                              const std::vector<double>& exhaust,
                                              const std::vector<double>& supply) {
    const auto of = [](const std::vector<double>& values, int shaft) {
        if (shaft < 1 || static_cast<std::size_t>(shaft) > values.size()) {
            return 0.0;
        }
        return values[static_cast<std::size_t>(shaft - 1)];
    };
    const int n = static_cast<int>(exhaust.size());
    if (k < 1 || k % 2 == 0) {
        return {0, 0};
    }
    if (rightLine) {
        if (k == 1) {
            return {of(exhaust, 1), 0};
        }
        if (k == rows) {
            return {0, of(supply, n)};
        }
        return {of(exhaust, (k + 1) / 2), of(supply, (k - 1) / 2)};
    }
    if (k == rows) {
        return {of(exhaust, n), 0};
    }
    if (k == 1) {
        return {0, of(supply, 1)};
    }
    return {of(exhaust, (k - 1) / 2), of(supply, (k + 1) / 2)};
}

double SectionJetNeed(double dpr, double dpm, double dpt, double dpe, double dpb) {
    return dpr + dpm - dpt - dpe - dpb;
}

std::optional<double> JetFansNeeded(double dpr, double dpm, double dpt, double dpe, double dpb, double dpj) {
    const double need = SectionJetNeed(dpr, dpm, dpt, dpe, dpb);
    if (!std::isfinite(need) || !std::isfinite(dpj)) {
        return std::nullopt;
    }
    if (need <= 0) {
        return 0.0;
    }
    if (dpj <= 0) {
        return std::nullopt;
    }
    // Fewer fans than the balance asks would leave the section short of pressure; a quotient a hair above
    // a whole number only by the rounding of its inputs asks for no extra fan.
    return vb::Int(need / dpj);
}

std::optional<double> ProposedGroups(double needed, double perGroup) {
    if (perGroup == 0 || !std::isfinite(needed) || !std::isfinite(perGroup)) {
        return std::nullopt;
    }
    const double whole = vb::Int(needed / perGroup);
    const bool odd = std::fmod(std::fabs(vb::RoundHalfEven(needed)), 2.0) == 1.0;
    return odd ? whole + 1 : whole;
}

std::vector<double> GroupStations(double start, bool leftLine, double dist, double span, long long groups) {
    const double dir = leftLine ? -1 : 1;
    std::vector<double> stations;
    for (long long i = 1; i <= groups; ++i) {
        stations.push_back(start + dir * dist + static_cast<double>(i - 1) * span * dir);
    }
    return stations;
}

void OrderGroups(std::vector<GroupRow>& rows, bool rightLine) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        for (std::size_t j = i; j < rows.size(); ++j) {
            const double a = vb::Val(rows[i][0]);
            const double b = vb::Val(rows[j][0]);
            if (rightLine ? b < a : b > a) {
                std::swap(rows[i], rows[j]);
            }
        }
    }
}

} // namespace multishaft
