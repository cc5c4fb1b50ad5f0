// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/scheme_file.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace ventparam {

/// One local pressure loss along the tunnel, as its two texts.
struct ZetaRow {
    std::string Pile; ///< station [m]
    std::string Zeta; ///< loss coefficient [-]
};

/// The fields of record 3 of the step-2 file, in file order.
enum ParRecord3 { kQQ_req, kv_r, kAA_cs, kxi_cs, kAA_cl, kxi_cl, kr_1, kAA_m, kRecord3Fields };

/// The step-2 file (`.par`) as texts, field by field. After reading, a field the file does not hold (it
/// ended early) is nullopt; writing puts an empty text for a text field that is nullopt.
struct ParContents {
    std::optional<std::string> zeta_e, lambda_r, v_n;
    std::array<std::optional<std::string>, kRecord3Fields> Record3;
    /// The local losses; nullopt when the file ends before its row count. Only whole rows are kept.
    std::optional<std::vector<ZetaRow>> ZetaRows;
    std::optional<std::string> r_1_Bidirection, AA_m_Bidirection;
    std::optional<long long> SchemeIndex; ///< position of the scheme list, 0 to 5
    std::optional<bool> Exchange;         ///< the air-change demand governs when larger
};

/// The title record of the file.
inline constexpr const char* kParTitle = "[通风计算]";

/// Reads the records of the file in order. Reading stops at the end of the file: nothing past it gets a
/// value, and a row count larger than the rows present gives the whole rows only. A row count that is not
/// a number counts as no rows; a scheme position or switch that is not one is left nullopt.
ParContents ReadPar(scheme::SchemeReader& in);

/// The records of the file, in the order ReadPar reads them.
scheme::SchemeWriter WritePar(const ParContents& par);

} // namespace ventparam
