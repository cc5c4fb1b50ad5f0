// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace reqair {

/// Station text of a report: "K" + kilometres + "+" + metres, the metres in plain number text and not
/// zero-filled (12000 → "K12+0", 12050 → "K12+50", 12345.5 → "K12+345.5"). The kilometres are the whole
/// kilometres the station has passed, so the metres always lie in [0, 1000): 12999.6 is "K12+999.6", never
/// a negative metre count under the next kilometre. A value that is not finite gives "".
std::string StationText(double station);

/// The lines of a plain-text report, built item by item. Columns count by display width, a character
/// outside ASCII as two, so that Chinese headings and their rows line up in a monospaced viewer.
class ReportText {
public:
    /// Appends an item to the open line.
    ReportText& Add(std::string_view item);
    /// Pads the open line with blanks so that the next item starts in column n (the first column is 1).
    /// When the line already reaches column n, it is ended and the next line is padded to column n.
    ReportText& Col(int n);
    /// Ends the open line (an empty line when nothing was added to it).
    ReportText& EndLine();
    /// A whole line.
    ReportText& Line(std::string_view text);
    ReportText& EmptyLine();

    /// Every line so far, the open one included when it holds anything.
    std::vector<std::string> Lines() const;

private:
    std::vector<std::string> lines_;
    std::string open_;
};

/// Caption row of the vehicle-composition table from the nine column captions of the class table.
std::string VehicleCompositionHeader(const std::array<std::string, 9>& captions);

/// One row of the vehicle-composition table: the row text, then each of the eight cells as its leading
/// number in four decimals, zero-filled to one integer digit (cells 1 and 4), two (cell 2) or three (cells
/// 3, 5 to 8), each after ten blanks.
std::string VehicleCompositionRow(std::string_view rowText, const std::array<std::string, 8>& cells);

/// Number of traffic cases of the report options: 0 "单向交通" … 5 "火灾".
inline constexpr int kReportCaseCount = 6;
/// Names of the traffic cases, in the order of the options list.
inline constexpr std::array<const char*, kReportCaseCount> kReportCaseNames = {
    "单向交通", "双向交通", "全程阻滞", "1km阻滞", "换气次数", "火灾"};

/// The report options as the options file holds them: one selection flag per list position, and the
/// two check boxes. A position whose flag could not be read holds nullopt and keeps its row's state.
struct StoredReportOptions {
    std::vector<std::optional<bool>> Years;
    std::vector<std::optional<bool>> Cases;
    std::vector<std::optional<bool>> Speeds;
    std::optional<bool> OutputSegment;
    std::optional<bool> OpenReport;
};

/// Reads the options file's bytes as a field stream: for years, cases and speeds in turn a count and as
/// many flags, then the two check-box flags. A count that is not a whole number ends the reading there,
/// since the fields after it can no longer be told apart; what was read before is kept. A flag that is
/// not #TRUE#, #FALSE# or a number is nullopt.
StoredReportOptions ParseReportOptions(std::string_view gbkBytes);

/// The options file's bytes (GBK, CR LF): each list's count and one #TRUE#/#FALSE# per row, then the
/// two boxes, one value a line.
std::string ReportOptionsBytes(const std::vector<bool>& years, const std::vector<bool>& cases,
                               const std::vector<bool>& speeds, bool outputSegment, bool openReport);

} // namespace reqair
