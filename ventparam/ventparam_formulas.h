// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

namespace ventparam {

/// Equivalent resistance area of the traffic Am = (1 − r1)·Acs·ξcs + r1·Acl·ξcl [m²], with r1 the
/// large-vehicle share [-], Acs, Acl the frontal areas of small and large vehicles [m²] and ξcs, ξcl their
/// drag coefficients [-].
double ResistanceArea(double r1, double AA_cs, double xi_cs, double AA_cl, double xi_cl);

/// The quotient a/b; nullopt where b is 0 or the quotient is not finite.
std::optional<double> Divide(double a, double b);

/// Design air speed vr = Qreq / A [m/s] from the design demand [m³/s] and a cross-section area [m²];
/// nullopt when the area is 0 or the quotient is not finite.
std::optional<double> DesignAirSpeed(double QQ_req, double area);

/// True when the station lies outside the tunnel from start to end (either order); both end stations
/// themselves lie inside.
bool OutsideTunnel(double pile, double startPile, double endPile);

} // namespace ventparam
