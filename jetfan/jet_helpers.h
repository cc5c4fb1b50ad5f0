// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <functional>
#include <utility>

/// The pressure rise of one jet fan and the small helpers the jet-fan and shaft windows share.
namespace jetfan {

/// π as the jet-fan rule takes it.
inline constexpr double kJetPi = 3.1415926;

/// The flow value that stands for step 2's design air demand in a station-velocity lookup.
inline constexpr double kDesignDemandMarker = -100;

/// Outlet area Aj of a jet fan of outlet diameter dj [m]: 0.25 × 3.1415926 × dj² [m²].
double JetOutletArea(double dj);

/// Position factor η of a fan whose axis lies dZ [m] below the crown, outlet diameter dD [m]. With r = dZ /
/// dD: 0.91 above 1.5; rising linearly from 0.87 at r = 1 to 0.91 at 1.5 and from 0.85 at r = 0.7 to 0.87 at
/// 1; 0.85 at or below 0.7. A boundary value takes the lower branch. dD = 0 gives 0.91.
double JetWallFactor(double dZ, double dD);

/// Pressure rise of one fan [Pa] from its outlet speed vj [m/s], air density rho [kg/m³], outlet area aj
/// [m²], tunnel area ar [m²], tunnel air speed vr [m/s] and position factor eta:
/// vj² × rho × aj / ar × (1 − vr / vj) × eta, in exactly this order. A tunnel air speed above the outlet
/// speed gives a negative rise. Callers that read their inputs back from rounded boxes use this form.
double JetPressureRise(double vj, double rho, double aj, double ar, double vr, double eta);

/// One fan of a model at a place in the tunnel.
struct JetFanAtStation {
    double Flow = 0;       ///< air flow of one fan [m³/s]
    double DD = 0;         ///< outlet diameter Dj [m]
    double Discount = 0;   ///< factor on the rise when the fan runs reversed [-]
    double Z = 0;          ///< crown-to-axis distance [m]
    double Ar = 0;         ///< tunnel cross-section area at the fan [m²]
    double vr = 0;         ///< air speed in the tunnel [m/s]
    double rho = 0;        ///< air density [kg/m³]
    bool Reversed = false; ///< the fan runs reversed
};

/// Pressure rise of one fan [Pa], unrounded: Aj from Dj, vj = Flow / Aj, η from Z and Dj, times Discount
/// when reversed. An outlet diameter or flow of 0, or an area of 0, gives a value that is not finite.
double JetPressureRise(const JetFanAtStation& fan);

/// Mean air speed at a station [m/s]: the flow dQ [m³/s] (or, when dQ is exactly kDesignDemandMarker, the
/// design air demand that designFlow gives) divided by the area that areaAt gives for the station. An area
/// of 0 gives a value that is not finite; a flow of 0 gives 0 wherever an area is known.
double StationVelocity(double dPile, double dQ, const std::function<double()>& designFlow,
                       const std::function<double(double)>& areaAt);

/// Exchange sort of rows by their first cell: iOrder 1 ascending, −1 descending, any other value leaves the
/// rows as they are. Rows with equal keys are never exchanged with each other, but a row exchanged past
/// them can change their relative order: the curve builders rely on this very order, so it is no stable
/// sort. Rows is a sequence of rows indexable as rows[i][0] (std::array, std::vector of cells, ...).
template <class Rows> void SortByFirstColumn(Rows& rows, int iOrder) {
    if (iOrder != 1 && iOrder != -1) {
        return;
    }
    const std::size_t n = rows.size();
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = i + 1; j < n; ++j) {
            const bool exchange = iOrder == 1 ? rows[i][0] > rows[j][0] : rows[i][0] < rows[j][0];
            if (exchange) {
                using std::swap;
                swap(rows[i], rows[j]);
            }
        }
    }
}

} // namespace jetfan
