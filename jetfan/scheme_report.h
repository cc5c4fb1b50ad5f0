// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reqair/report_text.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace jetfan {

/// The file a scheme report or an operation control table is written to: the project file less its last
/// four characters (its ".vnt"), then "_" + name + extension ("A.vnt", "纯射流风机通风", ".rpt" gives
/// "A_纯射流风机通风.rpt"). "" for an unnamed project (a path of four characters or less), which has no
/// base to name the file after.
std::string SchemeOutputPath(std::string_view projectFile, std::string_view name, std::string_view extension);

/// Column where the next item starts after a print-zone separator: zones start every 14 columns (1, 15,
/// 29, ...) and the item goes to the first zone after the current column, `width` being the display width
/// already on the line (9 gives 15, 14 gives 29).
int NextPrintZone(int width);

/// The text of a scheme report: a title line, "■■" section heads, labelled values printed as the window
/// shows them, and table rows on print zones. Columns count by display width (a Chinese character or one
/// of Δ, Σ, η, ■, "：" as two), so the padded labels line their values up in a monospaced viewer.
class SchemeReport {
public:
    SchemeReport& BlankLine();
    /// The project name from column 30, the report's title directly after it.
    SchemeReport& Title(std::string_view projectName, std::string_view title);
    /// indent + "■■" + name + "■■".
    SchemeReport& Section(std::string_view name, std::string_view indent = "");
    /// The label literal (carrying its own alignment blanks) and the box's text with no gap.
    SchemeReport& Value(std::string_view label, std::string_view boxText);
    SchemeReport& Line(std::string_view text);
    /// The items on consecutive print zones, the first in column 1.
    SchemeReport& ZoneRow(const std::vector<std::string>& items);
    /// A table: its header line, then each row's line as `lineOf` gives it.
    template <class Rows, class LineOf>
    SchemeReport& Table(std::string_view header, const Rows& rows, LineOf lineOf) {
        Line(header);
        for (const auto& row : rows) {
            Line(lineOf(row));
        }
        return *this;
    }

    std::vector<std::string> Lines() const;

private:
    reqair::ReportText text_;
};

/// `label` with blanks in front so that it ends at display column `labelEnd`, and behind so that what
/// follows starts at column `valueAt` + 1; a label wider than either keeps its text whole.
std::string AlignedLabel(std::string_view label, int labelEnd, int valueAt);

/// What a report prints for a result its box does not hold: no calculation of the inputs shown gave it.
inline constexpr std::string_view kNotComputed = "未计算";

/// A result's text as a report prints it: the box's text, or kNotComputed for an empty box.
std::string ResultText(std::string_view boxText);

/// The labels of an axial fan's seven power lines, as the scheme reports print them: ambient temperature,
/// ambient pressure (typed and used in kPa: 101.325 for the standard atmosphere), fan efficiency, fan
/// power, then motor efficiency, capacity safety factor, motor power.
inline constexpr std::array<std::string_view, 7> kFanPowerLabels = {
    "环境温度t1(℃):",         "环境大气压p1(kPa):",   "风机效率η:",     "风机功率Skw(kW):",
    "电机效率ηm(0.90-0.95):", "容量安全系数k(1.15):", "电机功率M1(kW):"};

/// Texts of one row of the jet-fan station list: station [m], fans in the group, pressure rise [Pa].
struct JetStationTexts {
    std::string Station, Count, Rise;
};

/// Texts of the jet-fan window's boxes that its report prints, as the window shows them.
struct JetReportBoxes {
    std::string ProjectName;
    // Data of one fan.
    std::string JetModel, Flow, DD_j, AA_j, vj, Power, ZZ_j, eta, deltap_j;
    // Pressure balance.
    std::string deltap_r, deltap_m, deltap_t, deltap_l, totaldeltap_j, i, TotalPower;
    std::vector<JetStationTexts> Stations;
    /// What the groups hold against the balance printed above them; "" when they agree.
    std::string LayoutJudgement;
};

/// Name of the jet-fan report in its file name.
inline constexpr std::string_view kJetReportName = "纯射流风机通风";
/// Title of the jet-fan report after the project name.
inline constexpr std::string_view kJetReportTitle = "纯射流风机通风计算报告";

/// One station-list row of a report: the leading numbers of the texts as "000000.00", "00" and "00.000"
/// on the print zones (texts "1200", "2", "93.5" give "001200.00", "02", "93.500" at columns 1, 15, 29).
std::vector<std::string> StationRowItems(const JetStationTexts& row);

/// Every line of the jet-fan report.
std::vector<std::string> JetReportLines(const JetReportBoxes& boxes);

// ---- Operation control tables ----

/// Name of the jet-fan scheme's control table in its file name.
inline constexpr std::string_view kJetControlTableName = "纯射流风机通风运营控制表";

inline constexpr std::string_view kControlOneWayHead = "单向正常交通工况:";
inline constexpr std::string_view kControlTwoWayHead = "双向交通工况:";
inline constexpr std::string_view kControlFullCongestionHead = "全阻滞工况:";
inline constexpr std::string_view kControlKmCongestionHead = "1km阻塞工况:";
/// Two of these close the block of every design year.
inline constexpr std::size_t kControlSeparatorWidth = 113;

std::string ControlYearHead(std::string_view year);
/// "混合车:" + the design hourly traffic of the mixed vehicles.
std::string ControlTrafficLine(std::string_view nn);
/// Line of a one-way or two-way speed: "工况车速:" + speed + "km/h,   " + summary.
std::string ControlSpeedLine(std::string_view speed, std::string_view summary);
std::string ControlFullCongestionLine(std::string_view summary);
std::string ControlKmCongestionLine(std::string_view summary);
std::string ControlSeparator();

/// Summary of the jet-fan scheme for one combination: "Qreq:" + the demand's text + ",  运营控制:需射流风机
/// 台数:" + n + ",  总功率:" + P + "kW", with n the whole fans of the count's leading number, rounded down
/// and never below 0, and P = n × the leading number of the power of one fan [kW], both in plain number text.
std::string JetControlSummary(std::string_view qreqText, std::string_view countText,
                              std::string_view powerText);

/// The line of a combination whose balance gave no fan count: the demand and why, never a count of 0.
std::string JetControlFailure(std::string_view qreqText, std::string_view why);

} // namespace jetfan
