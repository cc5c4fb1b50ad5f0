// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/scheme_file.h"
#include "transverse/lateral.h"

#include <array>
#include <optional>
#include <string>

/// The older supply semi-transverse calculation of two-way traffic: a supply duct of half the tunnel
/// carrying half the design demand, the tunnel pressure its fan overcomes, and the fan's total pressure.
/// The duct is the one of transverse ventilation with a fan at each end of the tunnel.
namespace transverse {

/// Air density the older tunnel-pressure formula is written for [kg/m³]; its 0.6 is 0.5 · 1.2.
inline constexpr double kOlderTunnelAirDensity = 1.2;

/// Q is the design demand of the whole tunnel; the duct's friction coefficient Lambda_b is also taken
/// for the tunnel's.
struct OlderSupplyInput : SupplyDuctInput {
    double L = 0;    ///< tunnel length [m]
    double AA_r = 0; ///< tunnel area at its start [m²]
    double DD_r = 0; ///< tunnel equivalent diameter at its start [m]
    double AA_m = 0; ///< vehicle resistance area of two-way traffic [m²]
    double N = 0;    ///< design hourly traffic [veh/h]
    double vt = 0;   ///< design speed [km/h]
};

/// The supply duct is half the tunnel long. A zero length, area, diameter or speed makes what divides by
/// it infinite or not a number; the other results are still computed.
struct OlderSupplyResult : SupplyDuctResult {
    double vr = 0;      ///< tunnel air speed at the end of the duct's half [m/s]
    double prc_prx = 0; ///< tunnel pressure between the middle and the portal [Pa]
};

/// The supply duct with half the demand over half the tunnel; the tunnel pressure
/// 0.6·((λb·LL_b/3/Dr + 2)·vr² + C·0.5·vt/3.6·vr), vr = q_b·LL_b/Ar, C = Am·N·L·3.6/Ar/vt/3600;
/// p_tot = (prc_prx + pb0_pr0 + pbi_pb0 + p_b + p_d)·1.1.
OlderSupplyResult OlderSupplyDuct(const OlderSupplyInput& in);

// ---- The .lt1 file ----

/// The boxes of the .lt1 file as texts; a field missing from a short file stays nullopt.
struct Lt1File {
    std::array<std::optional<std::string>, 3> Inputs;  ///< txtAA_b, txtDD_b, txtZetab
    std::array<std::optional<std::string>, 9> Results; ///< txtq_b … txtp_tot, txtp_d among them
};

Lt1File ReadLt1File(scheme::SchemeReader& in);
/// Exactly two records; missing texts are written empty.
scheme::SchemeWriter WriteLt1File(const Lt1File& file);

} // namespace transverse
