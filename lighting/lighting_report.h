// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "lighting/lgh_file.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// The text of the lighting calculation report of step 3: a head with the project name and one block per
/// lighting zone with its switched-on circuits and its results.
namespace lighting {

/// Name of the report in its file name.
inline constexpr std::string_view kLightingReportName = "照明计算";

/// Two blank lines, 16 blanks + project name + "照明计算书", two blank lines.
std::vector<std::string> LightingReportHead(std::string_view projectName);

/// One zone as the report prints it.
struct LightingZoneBlock {
    std::string Zone;
    std::vector<CaseRow> Rows;
    bool Numeric = true; ///< the numeric method of step 2 is chosen
    /// The result boxes' texts: Emin, Emax, Eav, Lmin, Lmax, Lav, Uo, Ul.
    std::array<std::string, kCaseResults> Results;
    /// Why the zone's calculation was refused; its results are then not printed.
    std::optional<std::string> Refused;
    /// False for a zone the engineer never set up: its block says so instead of circuits and results.
    bool SetUp = true;
};

/// One circuit line: name, six blanks, spacing "00.0", six blanks, power "0000.0", six blanks, distance
/// "00.00"; a cell that is not a number is written as typed.
std::string CircuitLine(const CaseRow& row);

/// The lines of a zone's block.
std::vector<std::string> LightingZoneLines(const LightingZoneBlock& block);

} // namespace lighting
