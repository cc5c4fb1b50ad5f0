// SPDX-License-Identifier: GPL-3.0-or-later
#include "transverse/lateral1.h"

#include "transverse/lateral.h"

namespace transverse {

OlderSupplyResult OlderSupplyDuct(const OlderSupplyInput& in) {
    // Half the demand enters a duct over half the tunnel: the duct of a transverse section with a fan at
    // each end. The exhaust side of that calculation has no duct here and is not read.
    LateralDuctInput d;
    static_cast<SupplyDuctInput&>(d) = in;
    d.L = in.L;
    d.TwoSections = true;
    d.FullTransverse = true;
    OlderSupplyResult r;
    // The supply fan's pressure is the older one below, with the tunnel pressure in it.
    static_cast<SupplyDuctResult&>(r) = LateralDucts(d);

    // The pressure drop from the middle of the tunnel to a portal, LL_b away, with the duct's friction
    // coefficient for the tunnel and the air density the formula was written for.
    TunnelPressureInput t;
    t.L = in.L;
    t.q_b = r.q_b;
    t.AA_r = in.AA_r;
    t.DD_r = in.DD_r;
    t.lambda_r = in.Lambda_b;
    t.rho = kOlderTunnelAirDensity;
    t.AA_m = in.AA_m;
    t.N = in.N;
    t.vt = in.vt;
    r.vr = r.q_b / in.AA_r * r.LL_b;
    r.prc_prx = NeutralPressureDrop(t, r.LL_b);
    r.p_tot = (r.prc_prx + r.pb0_pr0 + r.pbi_pb0 + r.p_b + in.p_d) * kLateralFanMargin;
    return r;
}

// ---- The .lt1 file ----

Lt1File ReadLt1File(scheme::SchemeReader& in) {
    Lt1File f;
    in.NextTexts(f.Inputs);
    in.NextTexts(f.Results);
    return f;
}

scheme::SchemeWriter WriteLt1File(const Lt1File& file) {
    scheme::SchemeWriter w;
    w.TextRecord(file.Inputs);
    w.TextRecord(file.Results);
    return w;
}

} // namespace transverse
