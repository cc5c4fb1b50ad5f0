// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jetfan/jet_file.h"
#include "platform/scheme_file.h"
#include "ventparam/step2_inputs.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

/// The shaft-and-jet scheme file (`.sj`) of a project, read and written record by record as texts. The fire
/// window reads the shaft station, ds, the inlet model name and its η by position: the order is fixed.
namespace shaft {

inline constexpr int kSjOpeningFields = 8;  ///< records 3 and 5
inline constexpr int kSjFanFields = 10;     ///< records 4 and 6
inline constexpr int kSjPassageFields = 8;  ///< record 9
inline constexpr int kSjSectionFields = 14; ///< records 11 and 13

inline constexpr const char* kSjTitleShaft = "[竖井信息]";
inline constexpr const char* kSjTitlePassage = "[短道]";
inline constexpr const char* kSjTitleInlet = "[进口区段]";
inline constexpr const char* kSjTitleOutlet = "[出口区段]";
inline constexpr const char* kSjTitleGroups = "[风机布置]";

/// One jet-fan group as the three texts of its list row, as in the jet-fan scheme's file.
using SjGroupRow = jetfan::JetGroupRow;

using SjField = std::optional<std::string>;

/// The file's contents. After reading, a field the file does not hold (it ended early) is nullopt.
struct SjFileContents {
    SjField ShaftPile;                             ///< record 2
    std::array<SjField, kSjOpeningFields> Exhaust; ///< record 3
    std::array<SjField, kSjFanFields> ExhaustFan;  ///< record 4
    std::array<SjField, kSjOpeningFields> Supply;  ///< record 5
    std::array<SjField, kSjFanFields> SupplyFan;   ///< record 6
    std::optional<bool> SupplyGiven;               ///< record 7, field 1 (nullopt: neither Boolean)
    SjField Beta;                                  ///< record 7, field 2
    std::array<SjField, kSjPassageFields> Passage; ///< record 9
    std::array<SjField, kSjSectionFields> Inlet;   ///< record 11
    std::array<SjField, kSjSectionFields> Outlet;  ///< record 13
    /// The groups; nullopt when the file ends before the count. Only whole rows are kept.
    std::optional<std::vector<SjGroupRow>> Groups;
    /// Step 2's inputs the results were computed with; nullopt when the file does not say (older files).
    std::optional<ventparam::Step2Inputs> Step2;
};

/// Reads the records in order, titles passed over unchecked. The group count is the leading number of its
/// field rounded half to even; one below 1 gives no groups; a count beyond the rows present gives the
/// whole rows only.
SjFileContents ReadSjFile(scheme::SchemeReader& in);

/// The records of the file: every field quoted except the supply-given Boolean and the group count; a
/// nullopt field is written empty.
scheme::SchemeWriter WriteSjFile(const SjFileContents& sj);

/// The template as a tunnel other than the template's own takes it: the openings' and fans' data, the
/// short passage's length and the sections' jet-fan models stay, with the supply flow or the inlet design
/// flow the engineer gives (the one chkQb says is known); the shaft station and the groups, which stand
/// at the template tunnel's stations, and every result of its balance and fan design are emptied.
void KeepTemplateInputs(SjFileContents& sj);

} // namespace shaft
