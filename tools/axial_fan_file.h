// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/scheme_file.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// The fan file (.afd) of one axial fan: the texts of the design window's boxes and lists.
namespace tools {

/// One duct piece row: length, tapered flag, area, perimeter, equivalent diameter, roughness, λ, remark.
using AxialSectionTexts = std::array<std::string, 8>;
/// One local-loss row: position, coefficient, remark.
using AxialZetaTexts = std::array<std::string, 3>;

/// Most rows either list of a fan file (the duct pieces, the local losses) may ask for: one fan's duct
/// is made of a handful of pieces and bends, so a larger count is a damaged file.
inline constexpr long long kMaxAxialFanRows = 1000;

/// A list count of the fan file above kMaxAxialFanRows, where the reading stopped.
struct AxialRefusedCount {
    bool losses = false; ///< the local-loss list; otherwise the duct pieces
    long long count = 0;
};

/// Everything the fan file holds, as the window shows it.
struct AxialFanTexts {
    std::string Q, N, RHO;
    /// The two fan-type options; nullopt where the file gave no Boolean (the window keeps its choice).
    std::optional<bool> Supply, Exhaust;
    std::string v, Disc;
    std::vector<AxialSectionTexts> Sections;
    std::vector<AxialZetaTexts> Zetas;
    std::string p_d, p_s, p_tot;
    std::string t, P, eta, SSkw;
    std::string etam, k, MM;
    /// Set by reading when a list count was above kMaxAxialFanRows: nothing after it was read.
    std::optional<AxialRefusedCount> Refused;
};

/// The fan file of fan `fanNo`: the project file less its last four characters, "_", the number, ".afd".
/// "" for an unnamed project (a project path of four characters or less).
std::string AxialFanFilePath(std::string_view projectFile, std::string_view fanNo);

/// Why a fan number cannot name a fan file (the program's one check of names built from texts, see
/// platform::FileNamePartProblem). nullopt when the number is usable.
std::optional<std::string> FanNoProblem(std::string_view fanNo);

/// The file (see AxialFanFileBytes), for the texts it would hold before it is written.
scheme::SchemeWriter AxialFanFile(const AxialFanTexts& fan);

/// The file's bytes (GBK, CR LF): record 1, "[沿程损失计算]", the piece count and rows, "[局部损失计算]", the
/// loss count and rows, the three result records and two reserve records of ten empty texts.
std::string AxialFanFileBytes(const AxialFanTexts& fan);

/// Reads the file's bytes field by field in the order they are written. A file that ends early gives
/// empty texts past its end; a row cut short by the end is dropped; a count that is not a whole number
/// of 0 or more gives no rows; a count above kMaxAxialFanRows stops the reading there (`Refused`).
AxialFanTexts ParseAxialFanFile(std::string_view gbkBytes);

} // namespace tools
