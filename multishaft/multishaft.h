// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/scheme_file.h"
#include "ventparam/step2_inputs.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

/// Formulas and the scheme file of the several-shafts scheme: shafts with an exhaust and a supply opening
/// joined by a short passage, the ventilation sections between them, and jet fans in the sections.
namespace multishaft {

/// Cells of one shaft row: the station, then the 38 values of its exhaust and supply sides.
inline constexpr int kShaftFields = 39;
/// Cells of one section row: the start station, then the 15 values of the section.
inline constexpr int kSectionFields = 16;
/// Cells of one jet-fan group row: station, fans in the group, pressure rise of the group.
inline constexpr int kGroupFields = 3;
/// Column of the short-passage length ds in a shaft row (0 is the station).
inline constexpr int kColumnDs = 34;

inline constexpr const char* kMsjTitleBasic = "[基本信息]";
inline constexpr const char* kMsjTitleLayout = "[风机布置]";

/// One shaft as the window needs it for forming sections.
struct Shaft {
    double Station = 0; ///< centre of the shaft [m]
    double Ds = 0;      ///< length of the short passage [m]
};

/// One stretch of tunnel: a ventilation section or a short passage.
struct Stretch {
    double Start = 0; ///< [m]
    double End = 0;   ///< [m]
};

/// The stretches for n shafts taken in list order: 2n + 1 of them, the short passage of shaft i being
/// stretch 2i (1-based), from station − ds/2 to station + ds/2; the first starts at `startPile`, the last
/// ends at startPile + tunnelLength.
std::vector<Stretch> FormStretches(double startPile, double tunnelLength, const std::vector<Shaft>& shafts);

/// Whether column `column` (1 to 38) of a shaft row holds a result of the window's calculations (the
/// opening areas, rises and pressures, the fans' design pressures and powers) rather than a typed value or
/// a total flow.
bool IsShaftResultColumn(int column);

/// The result columns of a shaft row that the shaft fan design writes: areas, opening pressures, design
/// pressures, fan and motor powers of both sides.
inline constexpr int kFanDesignColumns[] = {2, 7, 8, 12, 15, 18, 24, 25, 29, 32};

/// Why shafts cannot form sections.
enum class ShaftProblem {
    NegativeDs,      ///< ds below 0
    OutsideTunnel,   ///< the short passage does not lie inside the tunnel
    NotAscending,    ///< the station is not greater than the station of the shaft before it
    OverlapsPrevious ///< the short passage begins before the one of the shaft before it ends
};

struct ShaftCheck {
    std::size_t Shaft = 0; ///< 1-based position of the offending shaft in the list
    ShaftProblem Problem = ShaftProblem::NegativeDs;
};

/// The first shaft that cannot form a section of a tunnel from startPile to endPile (either order), or
/// nullopt when all can: each ds ≥ 0, each passage inside the tunnel, stations ascending and passages
/// apart (touching passages are allowed). A station or ds that is not finite counts as outside the tunnel.
std::optional<ShaftCheck> CheckShafts(double startPile, double endPile, const std::vector<Shaft>& shafts);

/// The message naming the shaft and what is wrong with it.
std::string ShaftProblemText(const ShaftCheck& check);

/// Whether the air-change demand replaces the traffic demands of every row: only when the switch is on and
/// the total traffic demand is strictly below the whole tunnel's air-change demand.
bool ExchangeGoverns(bool exchangeSwitch, double totalTrafficDemand, double tunnelExchangeDemand);

/// The section rows (1-based) that hold Qr1 (before the shaft in the direction of traffic) and Qr2 (after
/// it) for shaft i (1-based): rows 2i − 1 and 2i + 1 on the right line, exchanged on the left line.
std::pair<int, int> PassageRatioRows(int shaft, bool leftLine);

/// The `.msj` file's contents as texts.
struct MsjFile {
    std::vector<std::array<std::string, kShaftFields>> Shafts;
    std::vector<std::array<std::string, kSectionFields>> Sections;
    std::string ZZ_j, TotalPower;   ///< box record
    bool KnowQr1 = false;           ///< known-flow record
    std::string CertanQr1;          ///< known-flow record
    std::string Deltap_j, JetCount; ///< jet-box record (its reserved first field is written empty)
    std::vector<std::array<std::string, kGroupFields>> Groups;
    /// The section row (1-based) the window showed when it was left, a bare integer after the groups; 0
    /// for none, which writes no record, so that a file without a shown section keeps the layout of the
    /// files written before the record was added (and those read as 0).
    long long ShownSection = 0;
    /// Step 2's inputs the results were computed with, after the shown section (written as 0 then when
    /// none is shown); nullopt when the file does not say (older files).
    std::optional<ventparam::Step2Inputs> Step2;
    /// The jet-fan data each section row's rise was computed with (flow, Dj, power, as their boxes showed
    /// them), in row order, empty texts for a row without; empty when the file does not say (older files).
    /// A catalogue changed since can then be named against what the design was computed with.
    std::vector<std::array<std::string, 3>> SectionModels;

    // Which records a read reached in full; a write ignores them.
    bool HasBoxes = false, HasKnownFlow = false, HasJetBoxes = false, HasGroups = false;
};

/// Reads the records in order. A count is the leading number of its field, halves to even; a count below
/// 0 reads as 0. Only rows read in full are kept: a file that ends inside a block keeps the rows before,
/// and a count larger than the fields left ends at the end of the file without reading further. The first
/// field of the jet-box record is passed over. A shown section that is not a whole number from 1 reads as
/// 0.
MsjFile ReadMsjFile(scheme::SchemeReader& in);

/// The records of the file: titles and cells quoted, counts bare, the check box as a Boolean.
scheme::SchemeWriter WriteMsjFile(const MsjFile& msj);

/// Whether a section row's kept jet-fan data (flow, Dj, power) says anything.
inline bool HoldsModelData(const std::array<std::string, 3>& data) {
    return !(data[0].empty() && data[1].empty() && data[2].empty());
}

/// The head of the field that keeps the sections' jet-fan data, after step 2's inputs.
inline constexpr const char* kMsjTitleSectionModels = "[射流风机数据]";

/// Empties every result the file holds: the computed columns of the shaft and section rows, the total
/// power, the shown section's rise and fan count, and the jet-fan data the rises were computed with. The
/// typed values, the sections' stations and jet-fan models and the groups stay.
void ForgetResults(MsjFile& msj);

} // namespace multishaft
