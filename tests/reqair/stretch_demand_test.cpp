// SPDX-License-Identifier: GPL-3.0-or-later
#include "reqair/stretch_demand.h"

#include "tests/reqair/test_tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>
#include <tuple>

using namespace reqair;
using reqair_test::Table1D;
using reqair_test::Table2D;

namespace {

// fd: 2 at 10 km/h, 1 from 50 km/h; fiv (CO) 1 everywhere; fiv (VI) over slopes −2, 0, +2: 0.5, 1, 2;
// K: 0.01 at 10 km/h, 0.005 from 50 km/h.
struct Tables {
    CoefTable f_d = Table1D({10, 50, 100}, {2, 1, 1});
    CoefTable f_iv = Table2D({-2, 0, 2}, {10, 100}, {{1, 1, 1}, {1, 1, 1}});
    CoefTable f_iv_VI = Table2D({-2, 0, 2}, {10, 100}, {{0.5, 1, 2}, {0.5, 1, 2}});
    CoefTable K = Table1D({10, 50, 100}, {0.01, 0.005, 0.005});
    EmissionTables ref() const { return {f_d, f_iv, f_iv_VI}; }
};

CalSegment seg(double from, double to, double slope, double speed) {
    CalSegment s;
    s.StartPile = from;
    s.EndPile = to;
    s.Slope = slope;
    s.Area = 50;
    s.Speed = speed;
    return s;
}

// Segment A 0–400 m at −2 %, B 400–1000 m at +2 %, both at 60 km/h; qco 0.01, qvi 1; fa = fh = 1,
// p = p0, T = T0, clean fresh air; one-way traffic 3600 (CO) and 720 (smoke) veh/h, so nn / 3.6e6 is
// 1e-3 and 2e-4. One-way δ typed 250, K typed 0.005; two-way δ 200, K 0.004 typed; congestion δ and K
// computed (δ 300, K from the table).
StretchDemandInput project(int iCaseID, double dsp, double dep) {
    StretchDemandInput in;
    in.Segments = {seg(0, 400, -2, 60), seg(400, 1000, 2, 60)};
    in.iCaseID = iCaseID;
    in.dsp = dsp;
    in.dep = dep;
    in.qco = 0.01;
    in.qvi = 1;
    in.nnCO = 3600;
    in.nnVI = 720;
    in.nnCOBi = 1800;
    in.nnVIBi = 360;
    in.Site.TT = in.Site.T0;
    in.Concentrations.Cases[0] = {false, 250, false, 0.005};
    in.Concentrations.Cases[1] = {false, 200, false, 0.004};
    in.Concentrations.Cases[2] = {true, 0, true, 0};
    in.Concentrations.TunnelLength = 1000;
    return in;
}

// The stretch's CO and VI demands and the tunnel's sums, each within its own tolerance.
void expectTotals(const StretchDemand& d, const std::array<double, 4>& want,
                  const std::array<double, 4>& tol) {
    const double got[] = {d.QreqCO, d.QreqVI, d.SumCO, d.SumVI};
    const char* names[] = {"QreqCO", "QreqVI", "SumCO", "SumVI"};
    for (int k = 0; k < 4; ++k)
        EXPECT_NEAR(got[k], want[k], tol[k]) << names[k];
}

} // namespace

TEST(StretchDemand, OneWayStretchAndTunnelByHand) {
    // A: CO 0.01 × 400 × 1e-3 = 0.004 m³/s → × 1e6 / 250 = 16; VI 1 × 0.5 × 400 × 2e-4 = 0.04 → / 0.005 = 8.
    // B: CO 0.006 → 24; VI 1 × 2 × 600 × 2e-4 = 0.24 → 48. Tunnel: CO 40, VI 56 (smoke governs).
    Tables t;
    const StretchDemand d = GetStretchDemand(project(1, 0, 400), t.ref(), t.K);
    EXPECT_NEAR(d.QreqCO, 16, 1e-9);
    EXPECT_NEAR(d.QreqVI, 8, 1e-9);
    EXPECT_NEAR(d.SumCO, 40, 1e-9);
    EXPECT_NEAR(d.SumVI, 56, 1e-9);
    ASSERT_EQ(d.Segments.size(), 2u);
    EXPECT_NEAR(d.Segments[1].QQ_req_VI, 48, 1e-9);
    // Smoke governs the tunnel, so the stretch's smoke figure is returned although CO is larger there.
    EXPECT_NEAR(GoverningDemand(d.SumCO, d.SumVI, d.QreqCO, d.QreqVI), 8, 1e-9);
}

TEST(StretchDemand, StationOrderDoesNotMatterAndAnEmptyStretchAddsNothing) {
    Tables t;
    const StretchDemand reversed = GetStretchDemand(project(1, 1000, 400), t.ref(), t.K);
    EXPECT_NEAR(reversed.QreqCO, 24, 1e-9);
    EXPECT_NEAR(reversed.QreqVI, 48, 1e-9);
    const StretchDemand none = GetStretchDemand(project(1, 400, 400), t.ref(), t.K);
    EXPECT_EQ(none.QreqCO, 0);
    EXPECT_EQ(none.QreqVI, 0);
    EXPECT_NEAR(none.SumCO, 40, 1e-9);
}

TEST(StretchDemand, OneKmCongestionRunsAtTenKmhWithTheCongestionConcentrations) {
    // Speed 10: fd 2, δ 300, K 0.01. A: CO 0.01 × 2 × 400 × 1e-3 = 0.008 → 26.6667; VI 2 × 0.5 × 400 ×
    // 2e-4 = 0.08 → 8. B: CO 0.012 → 40; VI 2 × 2 × 600 × 2e-4 = 0.48 → 48. Tunnel CO 66.667 ≥ VI 56.
    Tables t;
    const StretchDemand d = GetStretchDemand(project(4, 0, 1000), t.ref(), t.K);
    EXPECT_NEAR(d.QreqCO, 66.666667, 1e-6);
    EXPECT_NEAR(d.QreqVI, 56, 1e-9);
    EXPECT_NEAR(GoverningDemand(d.SumCO, d.SumVI, d.QreqCO, d.QreqVI), 66.666667, 1e-6);
}

TEST(StretchDemand, FullLengthCongestionTakesEachSegmentsOwnSpeed) {
    // A at 50 km/h: fd 1, K 0.005, δ 300: CO 0.004 → 13.3333; VI 0.04 → 8.
    // B at 0 km/h (beyond the blocks): tables clamp at 10 km/h: CO 0.012 → 40; VI 0.48 / 0.01 = 48.
    Tables t;
    StretchDemandInput in = project(3, 0, 400);
    in.Segments[0].Speed = 50;
    in.Segments[1].Speed = 0;
    const StretchDemand d = GetStretchDemand(in, t.ref(), t.K);
    expectTotals(d, {13.333333, 8, 53.333333, 56}, {1e-6, 1e-9, 1e-6, 1e-9});
}

TEST(StretchDemand, TwoWayTrafficSplitsBetweenTheDirections) {
    // Two-way traffic 1800 / 360 veh/h, half each way; δ 200, K 0.004.
    // A: CO 0.01 × 400 × 1800 / 3.6e6 = 0.002 → 10; VI 400 × (180 × 2 + 180 × 0.5) / 3.6e6 = 0.05 → 12.5.
    // B: CO 0.003 → 15; VI 600 × 450 / 3.6e6 = 0.075 → 18.75. Tunnel CO 25 < VI 31.25.
    Tables t;
    const StretchDemand d = GetStretchDemand(project(2, 400, 1000), t.ref(), t.K);
    expectTotals(d, {15, 18.75, 25, 31.25}, {1e-9, 1e-9, 1e-9, 1e-9});
}

TEST(StretchDemand, ACaseOutsideOneToFourComputesNothing) {
    Tables t;
    for (int c : {0, 5, -1}) {
        const StretchDemand d = GetStretchDemand(project(c, 0, 1000), t.ref(), t.K);
        EXPECT_TRUE(d.Segments.empty());
        // QreqCO, QreqVI, SumCO, SumVI.
        EXPECT_EQ(std::tuple(d.QreqCO, d.QreqVI, d.SumCO, d.SumVI), std::tuple(0, 0, 0, 0));
    }
    // With nothing computed the caller's CO accumulator comes back.
    EXPECT_EQ(GoverningDemand(0, 0, 3.5, 7), 3.5);
}

TEST(StretchDemand, WindowClipOrdersCutsAndRefusesMereTouching) {
    // The stretch 2500 → 1500 against the window 1200–2200 becomes 1500–2200.
    WindowClip c = ClipToWindow(2500, 1500, 1200, 2200);
    EXPECT_TRUE(c.Overlaps);
    EXPECT_EQ(c.dsp, 1500);
    EXPECT_EQ(c.dep, 2200);
    // Touching at either end is no overlap; the stations are still put in order.
    c = ClipToWindow(2200, 1000, 2200, 3200);
    EXPECT_FALSE(c.Overlaps);
    EXPECT_EQ(c.dsp, 1000);
    EXPECT_EQ(c.dep, 2200);
    EXPECT_FALSE(ClipToWindow(3200, 4000, 2200, 3200).Overlaps);
    // The window's own stations, typed start above end, are no overlap: the stretch is ordered, the window
    // is not.
    EXPECT_FALSE(ClipToWindow(2000, 1000, 2000, 1000).Overlaps);
    // A stretch inside the window is kept whole.
    c = ClipToWindow(1300, 1400, 1200, 2200);
    EXPECT_TRUE(c.Overlaps);
    EXPECT_EQ(c.dsp, 1300);
    EXPECT_EQ(c.dep, 1400);
}

TEST(StretchDemand, AllowedClassTrafficIsDividedByTheDirectionalFactor) {
    std::array<bool, kVehicleClasses> allowed{};
    std::array<ClassTraffic, kVehicleClasses> classes{};
    allowed[0] = true;
    allowed[3] = true;
    classes[0] = {100, 150, 120};
    classes[1] = {999, 999, 999};
    classes[3] = {500, 450, 30};
    // (150 + 450) / 0.6 = 1000; (120 + 30) / 0.6 = 250.
    AllowedTraffic t = AllowedClassTraffic(allowed, classes, 0.6);
    EXPECT_TRUE(t.Valid);
    EXPECT_NEAR(t.CO, 1000, 1e-9);
    EXPECT_NEAR(t.VI, 250, 1e-9);
    for (double bad : {0.0, -0.5}) {
        t = AllowedClassTraffic(allowed, classes, bad);
        EXPECT_FALSE(t.Valid);
        EXPECT_EQ(t.CO, 0);
        EXPECT_EQ(t.VI, 0);
    }
}

TEST(StretchDemand, ExchangeDemandIsTheStretchVolumeChangedPerHour) {
    // Segments 0–400 (50 m²), 400–1000 (50 m²), 1000–1300 (80 m²); stretch 1300 → 400 holds the last two:
    // 600 × 50 + 300 × 80 = 54000 m³, 4 changes an hour → 60 m³/s.
    std::vector<CalSegment> segs = {seg(0, 400, 0, 0), seg(400, 1000, 0, 0), seg(1000, 1300, 0, 0)};
    segs[2].Area = 80;
    EXPECT_NEAR(ExchangeDemand(segs, 1300, 400, 4), 60, 1e-9);
    EXPECT_EQ(ExchangeDemand(segs, 400, 400, 4), 0);
    EXPECT_EQ(ExchangeDemand(segs, 0, 1300, 0), 0);
}

TEST(StretchDemand, AMemoGivesTheSameFiguresAsComputingEverySegment) {
    // A run of stretches over a long tunnel as the 1 km search makes them, the memo carried from call
    // to call; in between the cases and the inputs change, which must not bring back a stale segment.
    const Tables t;
    std::vector<CalSegment> tunnel;
    for (int i = 0; i < 200; ++i) {
        tunnel.push_back(seg(i * 25.0, (i + 1) * 25.0, (i % 5) - 2, 20 + (i % 3) * 20));
    }
    SegmentDemandMemo memo;
    for (int k = 0; k < 40; ++k) {
        const int iCaseID = 1 + k / 5 % 4;
        StretchDemandInput in = project(iCaseID, k * 100.0, k * 100.0 + 1000);
        in.Segments = tunnel;
        // The window ends cut a segment in two, as the stretch ends do in the cut.
        const std::size_t cut = static_cast<std::size_t>(k * 4 % 200);
        in.Segments[cut].EndPile -= 10;
        in.Segments.insert(
            in.Segments.begin() + static_cast<std::ptrdiff_t>(cut) + 1,
            seg(in.Segments[cut].EndPile, (cut + 1) * 25.0, in.Segments[cut].Slope, in.Segments[cut].Speed));
        if (k % 7 == 3) {
            in.qco *= 1.5;
        }
        const StretchDemand plain = GetStretchDemand(in, t.ref(), t.K);
        const StretchDemand memoised = GetStretchDemand(in, t.ref(), t.K, &memo);
        ASSERT_EQ(memoised.Segments.size(), plain.Segments.size()) << k;
        EXPECT_EQ(memoised.QreqCO, plain.QreqCO) << k;
        EXPECT_EQ(memoised.QreqVI, plain.QreqVI) << k;
        EXPECT_EQ(memoised.SumCO, plain.SumCO) << k;
        EXPECT_EQ(memoised.SumVI, plain.SumVI) << k;
        for (std::size_t i = 0; i < plain.Segments.size(); ++i) {
            ASSERT_EQ(memoised.Segments[i].QQ_req_CO, plain.Segments[i].QQ_req_CO) << k << " " << i;
            ASSERT_EQ(memoised.Segments[i].QQ_req_VI, plain.Segments[i].QQ_req_VI) << k << " " << i;
            ASSERT_EQ(memoised.Segments[i].fiv, plain.Segments[i].fiv) << k << " " << i;
        }
    }
}

namespace {

// The 1 km demand of a window as the tunnel cut for it gives it.
OneKmWindowDemand::Result cutForTheWindow(const TunnelLayout& layout, StretchDemandInput in,
                                          const EmissionTables& tables, const CoefTable& K, double dsp,
                                          double dep) {
    in.iCaseID = kCaseOneKmCongestion;
    in.dsp = dsp;
    in.dep = dep;
    const double extra[] = {dsp, dep};
    in.Segments = BuildSegments(layout, extra, kCaseOneKmCongestion, kTunnelEnd, kTunnelEnd, 0).Segments;
    const StretchDemand d = GetStretchDemand(in, tables, K);
    OneKmWindowDemand::Result r{GoverningDemand(d.SumCO, d.SumVI, 0.0 + d.QreqCO, 0.0 + d.QreqVI), d.QreqCO,
                                d.QreqVI};
    for (const SegmentDemand& s : d.Segments) {
        r.COFailed = r.COFailed || s.COFailed;
        r.VIFailed = r.VIFailed || s.VIFailed;
    }
    return r;
}

} // namespace

// Random tunnels (rows out of order, rows beyond the end, stations with fractions) and windows (at the
// coarse and fine steps, at row stations, reaching past the end). The gases are made equal per metre in
// half of them, so that the tunnel totals tie and the shortcut must sum them as the cut does.
TEST(OneKmWindowDemand, EveryWindowGivesTheBitsOfTheTunnelCutForIt) {
    reqair_test::DemandTables t;
    std::mt19937 rng(29);
    auto uniform = [&rng](double a, double b) { return std::uniform_real_distribution<double>(a, b)(rng); };
    long windows = 0;
    for (int tunnel = 0; tunnel < 40; ++tunnel) {
        TunnelLayout layout;
        layout.StartPile = 10000 + (tunnel % 3 == 0 ? 0.0 : uniform(0, 1));
        layout.TunnelLength = tunnel % 5 == 0 ? 1500 : uniform(1001, 8000);
        const double end = layout.StartPile + layout.TunnelLength;
        for (int r = 0, n = 1 + tunnel % 9; r < n; ++r) {
            layout.Slopes.push_back(
                {r + 1 == n ? end : uniform(layout.StartPile - 50, end + 50), uniform(-3, 3)});
        }
        if (tunnel % 4 == 0) {
            layout.Slopes.push_back({layout.StartPile + 1000, 1}); // a window from the start splits nothing
        }
        if (tunnel % 2 == 0) {
            std::sort(layout.Slopes.begin(), layout.Slopes.end(),
                      [](const SlopeRow& a, const SlopeRow& b) { return a.Pile < b.Pile; });
        }
        for (int r = 0, n = 1 + tunnel % 4; r < n; ++r) {
            layout.Sections.push_back(
                {r + 1 == n ? end : uniform(layout.StartPile, end), uniform(40, 80), 30, 8});
        }
        for (int r = 0, n = tunnel % 3; r < n; ++r) {
            layout.Blocks.push_back({std::round(uniform(100, 3000)), 40});
        }
        StretchDemandInput in = project(kCaseOneKmCongestion, 0, 0);
        const bool tie = tunnel % 2 == 1;
        in.qco = 0.01;
        in.qvi = tie ? 0.75 : 1; // 0.01 × 1e6 / 100 = 0.75 / 0.0075
        in.nnVI = tie ? in.nnCO : in.nnVI;
        in.Concentrations.Cases[2] = {false, 100, true, 0};
        const EmissionTables tables{t.f_d, t.f_iv, tie ? t.f_iv : t.f_iv_VI};
        const OneKmWindowDemand demand(layout, in, tables, t.K);

        std::vector<double> starts;
        for (double s = layout.StartPile; s <= end - 1000; s += 100) {
            starts.push_back(s);
        }
        for (double s = end - 1050; s <= end - 950; s += 5) {
            starts.push_back(s);
        }
        for (const SlopeRow& row : layout.Slopes) {
            starts.push_back(row.Pile);
            starts.push_back(row.Pile - 1000);
        }
        for (const double s : starts) {
            const WindowClip clip = ClipToWindow(s, s + 1000, s, s + 1000);
            const OneKmWindowDemand::Result got = demand(clip.dsp, clip.dep);
            const OneKmWindowDemand::Result want =
                cutForTheWindow(layout, in, tables, t.K, clip.dsp, clip.dep);
            ASSERT_EQ(std::bit_cast<std::uint64_t>(got.Governing),
                      std::bit_cast<std::uint64_t>(want.Governing))
                << "tunnel " << tunnel << " window " << s;
            ASSERT_EQ(std::bit_cast<std::uint64_t>(got.QreqCO), std::bit_cast<std::uint64_t>(want.QreqCO));
            ASSERT_EQ(std::bit_cast<std::uint64_t>(got.QreqVI), std::bit_cast<std::uint64_t>(want.QreqVI));
            ASSERT_EQ(got.COFailed, want.COFailed);
            ASSERT_EQ(got.VIFailed, want.VIFailed);
            ++windows;
        }
    }
    EXPECT_GT(windows, 1000);
}
