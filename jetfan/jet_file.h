// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/scheme_file.h"
#include "ventparam/step2_inputs.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

/// The jet-fan scheme file (`.jet`) of a project, read and written record by record as texts.
namespace jetfan {

/// The fields of record 2 (data of one fan), in file order. The fire window reads the model name and η
/// by these positions.
enum JetRecord2 { kJetName, kvj, kAA_j, kDD_j, kZZ_j, keta, kdeltap_j, kFlow, kPower, kRecord2Fields };
/// The fields of record 4 (pressure balance), in file order.
enum JetRecord4 {
    kdeltap_m,
    kdeltap_t,
    kdeltap_r,
    kdeltap_l,
    ktotaldeltap_j,
    ki,
    kTotalPower,
    kRecord4Fields
};

/// One fan group as the three texts of its list row.
struct JetGroupRow {
    std::string Pile;  ///< station [m]
    std::string Count; ///< fans in the group
    std::string Press; ///< pressure rise of the group [Pa]
};

inline constexpr const char* kJetTitle1 = "[风机升压力计算]";
inline constexpr const char* kJetTitle2 = "[风机数量]";
inline constexpr const char* kJetTitle3 = "[风机布置]";

/// The file's contents. After reading, a field the file does not hold (it ended early) is nullopt.
struct JetFileContents {
    std::array<std::optional<std::string>, kRecord2Fields> Record2;
    std::array<std::optional<std::string>, kRecord4Fields> Record4;
    /// The fan groups; nullopt when the file ends before the group count. Only whole rows are kept.
    std::optional<std::vector<JetGroupRow>> Groups;
    /// Step 2's inputs the balance was computed with; nullopt when the file does not say (older files).
    std::optional<ventparam::Step2Inputs> Step2;
};

/// Reads the group records that end a scheme file: the count, the leading number of its field rounded
/// half to even, then one record of station, fans and rise per group. nullopt when the file ends before
/// the count; a count without a number, or below 1, gives no groups; a count larger than the rows present
/// gives the whole rows only.
std::optional<std::vector<JetGroupRow>> ReadGroupRows(scheme::SchemeReader& in);

/// Writes the group count (plain number) and one record of quoted texts per group; no list counts 0.
void WriteGroupRows(scheme::SchemeWriter& out, const std::optional<std::vector<JetGroupRow>>& groups);

/// Reads the records in order, titles passed over unchecked. The group count is the leading number of its
/// field rounded half to even; one without a number, or below 1, gives no groups; a count larger than the
/// rows present gives the whole rows only.
JetFileContents ReadJetFile(scheme::SchemeReader& in);

/// The records of the file: every field quoted except the group count; a nullopt field is written empty.
scheme::SchemeWriter WriteJetFile(const JetFileContents& jet);

/// The template as a tunnel other than the template's own takes it: the fan and its data (record 2) stay,
/// the balance (record 4), which is the template tunnel's result, is emptied and the groups, which stand
/// at that tunnel's stations, are dropped, and with the balance the inputs it was computed with.
void KeepTemplateInputs(JetFileContents& jet);

} // namespace jetfan
