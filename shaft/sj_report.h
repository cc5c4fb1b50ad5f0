// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// The report of the shaft-and-jet scheme, printed from the texts of the window's boxes, and the
/// least-power search of its operation control table.
namespace shaft {

/// Name of the report in its file name.
inline constexpr std::string_view kSjReportName = "单竖井送排式结合射流风机通风";
/// Title of the report after the project name.
inline constexpr std::string_view kSjReportTitle = "单竖井送排式结合射流风机通风方式计算报告";
/// Name of the operation control table in its file name.
inline constexpr std::string_view kSjControlTableName = "单竖井送排式通风+射流风机运营控制表";

/// Texts of the window's boxes by control name ("txtQe", "cmbCounte", ...); a name not present prints
/// as an empty box.
using SjBoxTexts = std::map<std::string, std::string, std::less<>>;

/// Texts of one row of the jet-fan group list: station [m], fans in the group, rise of the group [Pa].
struct SjStationTexts {
    std::string Station, Count, Rise;
};

/// One row of the station list: "000000.000", six blanks, "00", six blanks, "00.000" of the leading
/// numbers ("1200", "2", "93.5" give "001200.000      02      93.500").
std::string SjStationRow(const SjStationTexts& row);

/// Every line of the report: the title from column 30 as the first line, then every box behind its
/// label; a label wider than 25 columns puts its value on the next line from column 26; the sum of the
/// two opening rises as a number item; the station list last.
std::vector<std::string> SjReportLines(std::string_view projectName, const SjBoxTexts& boxes,
                                       const std::vector<SjStationTexts>& stations);

// ---- Least-power search of the control table ----

/// What the window shows after the balance of one pair of axial-fan counts.
struct SjPairBoxes {
    std::string QQ_req1, QQ_req2, QQ_r1, QQ_r2;
    std::string SSkw_e, SSkw_b;    ///< shaft power of one exhaust and one supply fan [kW]
    std::string jetcount1, Power1; ///< jet fans of the inlet section, power of one [kW]
    std::string jetcount2, Power2; ///< the same for the outlet section
    std::string ratio_Qe_Qr1, ratio_Qb_Qr2, CC_2, CC_3;
};

/// Limits a pair must meet: both ratios and C2 at most 1, C3 at most 1.02.
bool SjPairMeetsLimits(const SjPairBoxes& b);

/// Total power of a pair [kW]: i × Skw_e + j × Skw_b + N1 × P1 + N2 × P2 with N the whole jet fans of a
/// section (rounded down, never below 0), rounded to the nearest whole number, halves to even. nullopt
/// when it cannot be computed.
std::optional<std::int64_t> SjPairPower(int i, int j, const SjPairBoxes& b);

/// The control table's summary of a pair: "Qreq:" + Qreq1 + Qreq2 + ",  Qr1:" + … + ",  总功率:" + P + "kW".
std::string SjControlSummary(int i, int j, std::int64_t power, const SjPairBoxes& b);

/// What the control table says of a combination without any pair that meets the limits.
inline constexpr std::string_view kSjNoPairAccepted = "无满足条件的风机组合";

struct SjSearchResult {
    std::optional<int> Exhaust, Supply; ///< the pair of least power; none when no pair was accepted
    std::int64_t Power = 0;             ///< [kW]
    std::string Summary;                ///< empty when no pair was accepted
};

/// Balances every pair (i from 0 to E, inside it j from 0 to B) and keeps the first pair of least power
/// among those that meet the limits. `balance` runs the balance of a pair and returns what the window shows
/// then, or nullopt when the balance failed (such a pair is never accepted).
SjSearchResult LeastPowerSearch(int exhaustFans, int supplyFans,
                                const std::function<std::optional<SjPairBoxes>(int, int)>& balance);

} // namespace shaft
