// SPDX-License-Identifier: GPL-3.0-or-later
#include "ventparam/resistance.h"

#include <algorithm>
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

/// Friction of the piece a..b (midpoint m) in the row, when m lies strictly inside the row's stretch
/// prev..x (either way round) and the row has an area and a diameter; otherwise nothing.
double frictionTerm(const SectionCells& row, double prev, double a, double b, double m, double lambda,
                    double rho, double Q) {
    const double x = row.Pile;
    if ((m - prev) * (m - x) < 0 && row.Area && row.Diameter && *row.Area != 0 && *row.Diameter != 0) {
        const double v = Q / *row.Area;
        const double term = (b - a) * lambda / *row.Diameter * 0.5 * rho * (v * v);
        if (std::isfinite(term)) {
            return term;
        }
    }
    return 0.0;
}

bool insideStretch(double m, double dsp, double dep) {
    return (m - dsp) * (m - dep) < 0;
}

/// Stations far enough from overflow that a midpoint lies between its two ends, and not -0, which sorts
/// level with 0 and could change places with it.
bool plainStation(double pile) {
    return std::fabs(pile) < 1e300 && !(pile == 0 && std::signbit(pile));
}

/// The friction of the stretch over rows listed in any order: every piece between sorted break stations
/// is tried against every row.
double frictionByWalk(const StationLists& lists, double dsp, double dep, double lambda, double rho, double Q,
                      std::vector<double>& p) {
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
        if (!insideStretch(m, dsp, dep)) {
            continue;
        }
        // Every row is tried: the product test holds for rows listed in either direction.
        double prev = lists.StartPile;
        for (const SectionCells& row : lists.Sections) {
            sum += frictionTerm(row, prev, p[i - 1], p[i], m, lambda, rho, Q);
            prev = row.Pile;
        }
    }
    return sum;
}

/// The same when the rows' stations never decrease from the start: the break stations are the rows' own
/// with the two ends slotted in, only the pieces between the ends can lie inside the stretch, and each
/// piece lies in one row at most, found by bisection. Pieces and terms come in the walk's order.
double frictionInOrder(const IndexedStations& stations, double dsp, double dep, double lambda, double rho,
                       double Q, std::vector<double>& p) {
    const StationLists& lists = stations.Lists;
    p.reserve(lists.Sections.size() + 3);
    p.push_back(lists.StartPile);
    for (const SectionCells& row : lists.Sections) {
        p.push_back(row.Pile);
    }
    p.insert(std::upper_bound(p.begin(), p.end(), dsp), dsp);
    p.insert(std::upper_bound(p.begin(), p.end(), dep), dep);

    const auto first = static_cast<std::size_t>(std::lower_bound(p.begin(), p.end(), dsp) - p.begin());
    const auto last = static_cast<std::size_t>(std::upper_bound(p.begin(), p.end(), dep) - p.begin());
    double sum = 0.0;
    for (std::size_t i = first + 1; i < last; ++i) {
        const double m = (p[i] + p[i - 1]) * 0.5;
        if (!insideStretch(m, dsp, dep)) {
            continue;
        }
        const long r = stations.SectionRows.FindOpen(m);
        if (r >= 0) {
            const auto k = static_cast<std::size_t>(r);
            sum += frictionTerm(lists.Sections[k], stations.SectionRows.PreviousPile(k), p[i - 1], p[i], m,
                                lambda, rho, Q);
        }
    }
    return sum;
}

bool plainStations(const IndexedStations& stations, double dsp, double dep) {
    if (!stations.SectionRows.InOrder() || !plainStation(stations.Lists.StartPile) || !plainStation(dsp) ||
        !plainStation(dep)) {
        return false;
    }
    return std::all_of(stations.Lists.Sections.begin(), stations.Lists.Sections.end(),
                       [](const SectionCells& row) { return plainStation(row.Pile); });
}

} // namespace

double GetYANCHENGDeltap_r_m(const IndexedStations& stations, double dsp, double dep, double lambda,
                             double rho, double Q, const EndLosses& ends, std::vector<double>* breakPiles) {
    if (dsp > dep) {
        std::swap(dsp, dep);
    }
    std::vector<double> p;
    double sum = plainStations(stations, dsp, dep)
                     ? frictionInOrder(stations, dsp, dep, lambda, rho, Q, p)
                     : frictionByWalk(stations.Lists, dsp, dep, lambda, rho, Q, p);

    const double a1 = GetAA_r(stations, dsp + kEndAreaInset);
    const double a2 = GetAA_r(stations, dep - kEndAreaInset);
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

double GetYANCHENGDeltap_r_m(const StationLists& lists, double dsp, double dep, double lambda, double rho,
                             double Q, const EndLosses& ends, std::vector<double>* breakPiles) {
    return GetYANCHENGDeltap_r_m(IndexedStations(lists), dsp, dep, lambda, rho, Q, ends, breakPiles);
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
