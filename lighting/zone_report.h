// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// The text of the zone report of lighting step 1: the basic inputs as the window shows them, then one
/// block of the six zones per traffic volume and lighting mode.
namespace lighting {

/// Name of the report in its file name.
inline constexpr std::string_view kZoneReportName = "照明区段亮度与长度计算";

/// The window's texts that the head of the report prints.
struct ZoneReportHead {
    std::string ProjectName;
    std::string Speed, Length;
    bool TwoWay = false, Mixed = false;
    std::string SkyRatio;
    std::optional<std::string> Surroundings; ///< nullopt when no entry is selected
    std::string Slope, Height, PreLength, Span, k, Discount, L20, Ds;
};

/// Texts of one row of the zone table: zone, luminance, length.
using ZoneRowTexts = std::array<std::string, 3>;

/// One block: the volume's text, the mode's text and the six rows of the zone table.
struct ZoneReportBlock {
    std::string Volume, Mode;
    std::array<ZoneRowTexts, 6> Rows;
};

/// One zone line on the print zones: the leading numbers of the row's texts as "00", "0000.00" and
/// "000.00" from columns 1, 15 and 29 ("1 入口段", "85.50", "102.40" give "01", "0085.50", "102.40").
std::string ZoneLine(const ZoneRowTexts& row);

/// Every line of the report; `notes`, when there are any, close it under their own head, so that a table
/// the calculation lacked is said where the numbers are read.
std::vector<std::string> ZoneReportLines(const ZoneReportHead& head,
                                         const std::vector<ZoneReportBlock>& blocks,
                                         const std::vector<std::string>& notes = {});

} // namespace lighting
