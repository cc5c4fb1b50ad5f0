// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ventparam/station_lookup.h"

#include <vector>

namespace ventparam {

/// Which local losses are added at the two ends of a stretch, and their coefficients.
struct EndLosses {
    /// 1 entrance + branch, 2 merge + branch, 3 merge + exit (coefficient 1); any other value: none.
    int SectionType = 1;
    double ZetaRukou = 0.6;   ///< entrance loss coefficient [-]
    double ZetaFencha = 0.28; ///< branch loss coefficient [-]
    double ZetaHeliu = 0.7;   ///< merge loss coefficient [-]
};

/// How far inside the stretch its end areas are looked up [m].
inline constexpr double kEndAreaInset = 0.0001;

/// Pressure loss of the air flow Q between the stations dsp and dep, in either order [Pa]: wall friction
/// λ·L/D·ρ/2·(Q/A)² over every cross-section row the stretch passes (parts outside the list add nothing,
/// a row whose A or D is 0 or not a number is passed over), plus the end losses of the section type with
/// the areas just inside the smaller (A1) and the larger (A2) end. An end term whose area is 0 adds
/// nothing; the other end's term still counts. breakPiles, when given, receives the sorted break stations
/// (the start station, every section station, dsp and dep; equal stations kept).
double GetYANCHENGDeltap_r_m(const StationLists& lists, double dsp, double dep, double lambda, double rho,
                             double Q, const EndLosses& ends = {}, std::vector<double>* breakPiles = nullptr);
/// The same over lists prepared once for many stretches.
double GetYANCHENGDeltap_r_m(const IndexedStations& stations, double dsp, double dep, double lambda,
                             double rho, double Q, const EndLosses& ends = {},
                             std::vector<double>* breakPiles = nullptr);

/// Whole-tunnel loss (1 + ζe + Σ λ·Li/Di) · ρ/2 · v² [Pa] over all cross-section rows in list order; a row
/// whose D is 0 or not a number adds nothing to the sum.
double GetTotalDeltap(const StationLists& lists, double zeta_e, double lambda, double rho, double v);

/// Entrance and exit loss (1 + ζe) · ρ/2 · v² [Pa].
double GetRUKOUDeltap(double zeta_e, double rho, double v);

} // namespace ventparam
