// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tools/axial_fan_file.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace tools {

/// The four captions that follow the fan type: opening speed, duct loss, pressure rise at the opening,
/// design pressure.
using FanTypeCaptions = std::array<const char*, 4>;
inline constexpr FanTypeCaptions kSupplyCaptions = {
    "送风口风速vb(m/s):", "送风口,送风井及连接风道总压力损失pdb(Pa):", "送风口处总升压力psb(Pa):",
    "送风机设计风压ptotb(Pa):"};
inline constexpr FanTypeCaptions kExhaustCaptions = {
    "排风口风速ve(m/s):", "排风口,排风井及连接风道总压力损失pde(Pa):", "排风口处总升压力pse(Pa):",
    "排风机设计风压ptote(Pa):"};

inline const FanTypeCaptions& CaptionsOf(bool supply) {
    return supply ? kSupplyCaptions : kExhaustCaptions;
}

/// Name of the report in its file name.
inline constexpr std::string_view kAxialFanReportName = "轴流风机动力设计";

/// The friction a straight piece's loss was worked with when its λ cell held no number.
struct AxialFrictionUsed {
    std::size_t Row = 0; ///< 0-based row of the piece
    double Lambda = 0;   ///< λ taken from the roughness [-]
    double Loss = 0;     ///< the piece's friction loss [Pa]
};

/// One fan's block of the report: its number, whether it is a supply fan, and its texts.
struct AxialFanReportFan {
    std::string FanNo;
    bool Supply = true;
    AxialFanTexts Texts;
    /// Printed under the duct pieces when some friction could not be counted; empty otherwise.
    std::string DuctNote;
    /// Printed under the local losses when some lie outside the duct; empty otherwise.
    std::string ZetaNote;
    /// Pieces whose λ came from their roughness: the λ column prints that λ, and a line under the pieces
    /// gives it with the friction loss it made.
    std::vector<AxialFrictionUsed> Friction;
};

/// Line of one duct piece: the length as "000.00", the flag as written, area, perimeter, diameter,
/// roughness and λ as "00.000" (leading numbers, so an empty cell prints zeros), the remark.
std::string AxialSectionLine(const AxialSectionTexts& row);

/// Line of one local loss: the position as "000.00", the coefficient as "0.000", the remark.
std::string AxialZetaLine(const AxialZetaTexts& row);

/// Every line of the report: the title, then one block per fan in list order.
std::vector<std::string> AxialFanReportLines(std::string_view projectName,
                                             const std::vector<AxialFanReportFan>& fans);

} // namespace tools
