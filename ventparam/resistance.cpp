// SPDX-License-Identifier: GPL-3.0-or-later
#include "ventparam/resistance.h"

#include <cmath>
#include <utility>

namespace ventparam {

namespace {

/// ζ · (Q/A)², or 0 when the area is 0 (the velocity is then undefined).
double endTerm(double zeta, double Q, double area) {
    if (area == 0) {
        return 0.0;
    }
    const double v = Q / area;
    const double term = zeta * (v * v);
    return std::isfinite(term) ? term : 0.0;
}

/// ρ/2 · (both end terms): the density multiplies their sum, not each term.
double endLosses(double rho, double first, double second) {
    const double sum = rho / 2 * (first + second);
    return std::isfinite(sum) ? sum : 0.0;
}

} // namespace

double GetYANCHENGDeltap_r_m(const StationLists& lists, double dsp, double dep, double lambda, double rho,
                             double Q, const EndLosses& ends, std::vector<double>* breakPiles) {
    if (dsp > dep) {
        std::swap(dsp, dep);
    }

    std::vector<double> p;
    p.reserve(lists.Sections.size() + 3);
    p.push_back(lists.StartPile);
    for (const SectionCells& row : lists.Sections) {
        p.push_back(row.Pile);
    }
    p.push_back(dsp);
    p.push_back(dep);
    // Plain exchange sort; equal stations stay in the list and give empty pieces.
    for (std::size_t i = 0; i < p.size(); ++i) {
        for (std::size_t j = i + 1; j < p.size(); ++j) {
            if (p[i] > p[j]) {
                std::swap(p[i], p[j]);
            }
        }
    }

    double sum = 0.0;
    for (std::size_t i = 1; i < p.size(); ++i) {
        const double m = (p[i] + p[i - 1]) * 0.5;
        if (!((m - dsp) * (m - dep) < 0)) {
            continue;
        }
        // Every row is tried: the product test holds for rows listed in either direction.
        double prev = lists.StartPile;
        for (const SectionCells& row : lists.Sections) {
            const double x = row.Pile;
            if ((m - prev) * (m - x) < 0 && row.Area && row.Diameter && *row.Area != 0 &&
                *row.Diameter != 0) {
                const double v = Q / *row.Area;
                const double term = (p[i] - p[i - 1]) * lambda / *row.Diameter * 0.5 * rho * (v * v);
                if (std::isfinite(term)) {
                    sum += term;
                }
            }
            prev = x;
        }
    }

    const double a1 = GetAA_r(lists, dsp + kEndAreaInset);
    const double a2 = GetAA_r(lists, dep - kEndAreaInset);
    switch (ends.SectionType) {
    case 1:
        sum += endLosses(rho, endTerm(ends.ZetaRukou, Q, a1), endTerm(ends.ZetaFencha, Q, a2));
        break;
    case 2:
        sum += endLosses(rho, endTerm(ends.ZetaHeliu, Q, a1), endTerm(ends.ZetaFencha, Q, a2));
        break;
    case 3:
        sum += endLosses(rho, endTerm(ends.ZetaHeliu, Q, a1), endTerm(1.0, Q, a2));
        break;
    default:
        break;
    }

    if (breakPiles != nullptr) {
        *breakPiles = std::move(p);
    }
    return sum;
}

double GetTotalDeltap(const StationLists& lists, double zeta_e, double lambda, double rho, double v) {
    double sum = 0.0;
    double prev = lists.StartPile;
    for (const SectionCells& row : lists.Sections) {
        if (row.Diameter && *row.Diameter != 0) {
            const double term = lambda * (row.Pile - prev) / *row.Diameter;
            if (std::isfinite(term)) {
                sum += term;
            }
        }
        prev = row.Pile;
    }
    const double result = (1 + zeta_e + sum) * 0.5 * rho * v * v;
    return std::isfinite(result) ? result : 0.0;
}

double GetRUKOUDeltap(double zeta_e, double rho, double v) {
    const double result = (1 + zeta_e) * 0.5 * rho * v * v;
    return std::isfinite(result) ? result : 0.0;
}

} // namespace ventparam
