// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/coef_table.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

/// Required luminance and length of the six lighting zones of a tunnel entrance: threshold, three
/// transitions, interior and exit zone, for one graded traffic volume and one lighting mode.
namespace lighting {

/// The six lighting modes in their list order.
inline constexpr int kModeCount = 6;
inline constexpr std::array<const char*, kModeCount> kModeNames = {
    "白天-晴天", "白天-云天", "白天-阴天", "白天-重阴", "夜间-交通量较大", "夜间-交通量较小"};

/// The six zones in their order from the entrance, as the zone table shows them.
inline constexpr int kZoneCount = 6;
inline constexpr std::array<const char*, kZoneCount> kZoneNames = {"1 入口段",  "2 过渡段1", "3 过渡段2",
                                                                   "4 过渡段3", "5 中间段",  "6 出口段"};

/// The sky shares and the two kinds of surroundings each offers.
inline constexpr std::array<const char*, 4> kSkyRatios = {"30%~50%", "25%", "10%", "0%"};
inline constexpr std::array<const char*, 2> kOrientations = {"南洞口", "北洞口"};
inline constexpr std::array<const char*, 2> kSurroundings = {"暗环境", "亮环境"};

/// Row of the access-zone luminance table: 2 × sky-share position + surroundings position + 1, each
/// position 0-based and -1 when nothing is selected.
int AccessLuminanceRow(int skyPosition, int surroundingsPosition);

/// The grade [%] a driver meets at the tunnel's entrance, in the direction of travel (negative downhill),
/// from the slope rows of the main window in station order, each rising towards the larger stations.
/// One-way traffic enters at the smaller station on the right line and at the larger one on the left line.
/// Two-way traffic enters at both: the portal whose grade asks the longer stopping distance at `vt` in
/// `DD_s` is taken, the one entered downhill the steeper where the table tells no difference (or is
/// missing), the smaller station where both are the same. nullopt without slope rows.
std::optional<double> EntranceGrade(const std::vector<double>& slopes, bool rightLine, bool twoWay,
                                    const std::optional<CoefTable>& DD_s, double vt);

/// Tables the zone calculation reads; a table the table file lacks is nullopt.
struct ZoneTables {
    std::optional<CoefTable> LL_in1;    ///< interior luminance, one-way: columns N, rows vt
    std::optional<CoefTable> LL_in2;    ///< interior luminance, two-way: columns N, rows vt
    std::optional<CoefTable> k1;        ///< threshold factor, two-way: columns vt, rows N
    std::optional<CoefTable> k2;        ///< threshold factor, one-way: columns vt, rows N
    std::optional<CoefTable> kdiscount; ///< reduction rate [%] by driving time between tunnels [s]
    std::optional<CoefTable> DD_s;      ///< stopping sight distance: columns slope, rows vt
    std::optional<CoefTable> DD_tr;     ///< transition lengths: columns zone 1..3, rows vt
};

/// The inputs of one calculation, as the window reads them.
struct ZoneInputs {
    double N = 0;         ///< graded traffic volume [veh/h]
    double vt = 0;        ///< design speed [km/h]
    double L = 0;         ///< tunnel length [m]
    bool twoWay = false;  ///< two-way traffic
    int mode = -1;        ///< lighting mode 0..5, -1 for none
    double h = 0;         ///< clear height [m]
    double slope = 0;     ///< longitudinal slope, in the unit of the DD_s column keys [%]
    double span = 0;      ///< distance between the preceding tunnel and this one [m]
    double preLength = 0; ///< length of the preceding tunnel [m]
    double L20 = 0;       ///< access-zone luminance L20(S) [cd/m²]
};

/// What the calculation leaves: the window's public members. A step that cannot be computed leaves
/// its value as it was, so the caller passes the values of the last calculation in.
struct ZoneValues {
    double LL_in = 0, DD_in = 0, k = 0, LL_20_S = 0, LL_th = 0, DD_s = 0, DD_th = 0;
    double dDiscount = 0;
    double LL_tr1 = 0, LL_tr2 = 0, LL_tr3 = 0, DD_tr1 = 0, DD_tr2 = 0, DD_tr3 = 0, DD_exit = 0, LL_exit = 0;

    /// Luminance and length of zone z (0 threshold … 5 exit), in the zone table's order.
    double Luminance(int z) const;
    double Length(int z) const;
};

/// Why a calculation could not use a table.
struct ZoneNotes {
    /// Keys of the tables the calculation needed and the table file lacks, in the order they were needed.
    std::vector<std::string> MissingTables;
    /// The consecutive-tunnel reduction applies but its table is missing: no reduction was made.
    bool DiscountNotApplied = false;
};

/// The zone calculation: updates `values` from the inputs and tables and says what was missing.
///
/// Without a lighting mode the threshold luminance is that of the clear-sky day (mode 0), the design
/// case, rather than whatever an earlier calculation left. A threshold length that the clear height
/// would make negative is 0; no zone is ever given a negative length. When the preceding tunnel calls
/// for a reduction and the reduction table is missing, no reduction is made (0 %).
ZoneNotes CalculateZones(const ZoneInputs& in, const ZoneTables& tables, ZoneValues& values);

/// tan 10° with the program's π, as the threshold-length formula uses it.
double TanTenDegrees();

/// The graded traffic volumes in ascending order of their leading numbers. Volumes of the same value keep
/// the order the list has always given them: that of the pairwise exchange (each position in turn swapped
/// with every later volume of a smaller value), by whose positions the cases of step 3 are saved.
std::vector<std::string> SortVolumes(const std::vector<std::string>& volumes);

} // namespace lighting
