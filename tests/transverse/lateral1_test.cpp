// SPDX-License-Identifier: GPL-3.0-or-later
// The older supply semi-transverse calculation worked by hand: the supply duct with half the demand over
// half the tunnel, the tunnel pressure at the fixed 0.6, the fan's total pressure and the .lt1 records.
#include "transverse/lateral1.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

using namespace transverse;

/// Q 100 m³/s, L 1000 m, duct 5 m² and 2.5 m with λb 0.02, ρ 1.2, no connecting-duct loss; tunnel 50 m² and
/// 8 m, Am 1.5 m², N 1000 veh/h, vt 36 km/h.
OlderSupplyInput Duct() {
    OlderSupplyInput in;
    in.Q = 100;
    in.L = 1000;
    in.AA_b = 5;
    in.DD_b = 2.5;
    in.Lambda_b = 0.02;
    in.rho = 1.2;
    in.AA_r = 50;
    in.DD_r = 8;
    in.AA_m = 1.5;
    in.N = 1000;
    in.vt = 36;
    return in;
}

TEST(OlderSupplyDuct, HalfTheDemandOverHalfTheTunnelByHand) {
    // LL_b = 500; q_b = 100/1000 = 0.1; v_b = 0.5·100/5 = 10; p_b = 100·0.6 = 60;
    // k_b = 0.02·500/3/2.5 − 1 = 0.3333; pbi−pb0 = 100·0.3333·0.6 = 20; pb0−pr0 = 150.
    // vr = 0.1/50·500 = 1; C = 1.5·1000·1000·3.6/50/36/3600 = 0.8333;
    // prc−prx = 0.6·((0.02·500/3/8 + 2)·1² + 0.8333·0.5·36/3.6·1) = 0.6·(2.4167 + 4.1667) = 3.95;
    // p_tot = (3.95 + 150 + 20 + 60 + 0)·1.1 = 257.345.
    const OlderSupplyResult r = OlderSupplyDuct(Duct());
    EXPECT_DOUBLE_EQ(r.LL_b, 500);
    EXPECT_DOUBLE_EQ(r.q_b, 0.1);
    EXPECT_DOUBLE_EQ(r.v_b, 10);
    EXPECT_NEAR(r.p_b, 60, 1e-9);
    EXPECT_NEAR(r.k_b, 1.0 / 3, 1e-12);
    EXPECT_NEAR(r.pbi_pb0, 20, 1e-9);
    EXPECT_DOUBLE_EQ(r.pb0_pr0, 150);
    EXPECT_NEAR(r.vr, 1, 1e-12);
    EXPECT_NEAR(r.prc_prx, 3.95, 1e-9);
    EXPECT_NEAR(r.p_tot, 257.345, 1e-9);
}

TEST(OlderSupplyDuct, ConnectingDuctAndDensityReachOnlyTheDuctPressures) {
    // p_d 10: p_tot = (3.95 + 150 + 20 + 60 + 10)·1.1 = 268.345.
    OlderSupplyInput in = Duct();
    in.p_d = 10;
    EXPECT_NEAR(OlderSupplyDuct(in).p_tot, 268.345, 1e-9);
    // ρ 1.0: p_b = 50, pbi−pb0 = 16.6667, the tunnel pressure stays 3.95 (written for 1.2);
    // p_tot = (3.95 + 150 + 16.6667 + 50)·1.1 = 242.6783.
    in = Duct();
    in.rho = 1.0;
    const OlderSupplyResult r = OlderSupplyDuct(in);
    EXPECT_NEAR(r.p_b, 50, 1e-9);
    EXPECT_NEAR(r.pbi_pb0, 50.0 / 3, 1e-9);
    EXPECT_NEAR(r.prc_prx, 3.95, 1e-9);
    EXPECT_NEAR(r.p_tot, 242.678333, 1e-6);
    // The tunnel friction takes the duct's λb: λb 0.04 gives k_b = 0.04·500/3/2.5 − 1 = 1.6667,
    // pbi−pb0 = 100·1.6667·0.6 = 100 and
    // prc−prx = 0.6·((0.04·500/24 + 2) + 4.1667) = 0.6·7 = 4.2.
    in = Duct();
    in.Lambda_b = 0.04;
    EXPECT_NEAR(OlderSupplyDuct(in).pbi_pb0, 100, 1e-9);
    EXPECT_NEAR(OlderSupplyDuct(in).prc_prx, 4.2, 1e-9);
}

TEST(OlderSupplyDuct, ZeroInputsSpoilOnlyWhatDividesByThem) {
    // Duct area 0: the speed and everything after it on the duct side cannot be computed; q_b, k_b and
    // the tunnel pressure still can.
    OlderSupplyInput in = Duct();
    in.AA_b = 0;
    OlderSupplyResult r = OlderSupplyDuct(in);
    EXPECT_FALSE(std::isfinite(r.v_b));
    EXPECT_FALSE(std::isfinite(r.p_tot));
    EXPECT_DOUBLE_EQ(r.q_b, 0.1);
    EXPECT_NEAR(r.k_b, 1.0 / 3, 1e-12);
    EXPECT_NEAR(r.prc_prx, 3.95, 1e-9);
    // Design speed 0: only the tunnel pressure and the fan fail.
    in = Duct();
    in.vt = 0;
    r = OlderSupplyDuct(in);
    EXPECT_NEAR(r.pbi_pb0, 20, 1e-9);
    EXPECT_FALSE(std::isfinite(r.prc_prx));
    EXPECT_FALSE(std::isfinite(r.p_tot));
    // Tunnel length 0: nothing per metre, nothing of the tunnel; the duct speed stands.
    in = Duct();
    in.L = 0;
    r = OlderSupplyDuct(in);
    EXPECT_DOUBLE_EQ(r.v_b, 10);
    EXPECT_FALSE(std::isfinite(r.q_b));
    EXPECT_FALSE(std::isfinite(r.prc_prx));
    // No demand is no failure: every pressure but the fixed end pressure is 0.
    in = Duct();
    in.Q = 0;
    r = OlderSupplyDuct(in);
    EXPECT_DOUBLE_EQ(r.prc_prx, 0);
    EXPECT_NEAR(r.p_tot, 165, 1e-9);
}

TEST(Lt1File, TwoRecordsWrittenAndReadBack) {
    Lt1File f;
    f.Inputs = {"5", "2.5", "0.02"};
    f.Results = {"0.10", "10.00", "60.00", "0.33", "20.00", "150.00", "3.95", "12.345", "271.14"};
    const scheme::SchemeWriter w = WriteLt1File(f);
    EXPECT_EQ(w.Bytes(), "\"5\",\"2.5\",\"0.02\"\r\n"
                         "\"0.10\",\"10.00\",\"60.00\",\"0.33\",\"20.00\",\"150.00\",\"3.95\",\"12.345\","
                         "\"271.14\"\r\n");
    scheme::SchemeReader in;
    in.Parse(w.Bytes());
    const Lt1File back = ReadLt1File(in);
    EXPECT_EQ(back.Inputs, f.Inputs);
    EXPECT_EQ(back.Results, f.Results);
    EXPECT_TRUE(in.AtEnd());
}

TEST(Lt1File, ShortFileLeavesTheRestUnread) {
    // A file cut after the duct diameter: the friction and every result stay as the window has them.
    scheme::SchemeReader in;
    in.Parse("\"5\",\"2.5\"");
    const Lt1File f = ReadLt1File(in);
    EXPECT_EQ(f.Inputs[0], "5");
    EXPECT_EQ(f.Inputs[1], "2.5");
    EXPECT_FALSE(f.Inputs[2]);
    for (const auto& t : f.Results) {
        EXPECT_FALSE(t);
    }
}

} // namespace
