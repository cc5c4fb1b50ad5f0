// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/scheme_file.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// The case file `.lgh` of lighting step 3: one per traffic volume, lighting mode and zone, holding the
/// switched-on circuits, the length of the calculation area, the last results and the drawing switch, as
/// the window shows them.
namespace lighting {

/// Number of result texts of a case: Emin, Emax, Eav, Lmin, Lmax, Lav, Uo, Ul.
inline constexpr int kCaseResults = 8;

/// Most switched-on circuits a case file may list: a zone is lit by a handful of circuits.
inline constexpr long long kMaxCaseRows = 1000;

/// One switched-on circuit: name, longitudinal spacing, power, distance from the start of the area.
using CaseRow = std::array<std::string, 4>;

/// What a case file holds. Reading fills a field only when the file has it, so that the window keeps what
/// it shows for the rest.
struct LghContents {
    /// nullopt when the row count could not be read: nothing after it can be told apart then.
    std::optional<std::vector<CaseRow>> Rows;
    std::optional<std::string> AreaLength;
    std::array<std::optional<std::string>, kCaseResults> Results;
    std::optional<bool> Draw;
    /// False for a case the engineer never set up (kept as it was read from the template). A record after
    /// the reserve records, written only for such a case, so that the files written before it read as
    /// cases of their own.
    bool SetUp = true;
    /// False when the file ends before the end of its reserve records: it was cut short.
    bool Whole = true;
    /// The row count when it exceeds kMaxCaseRows: the reading stopped at it.
    std::optional<long long> RefusedRowCount;
};

/// Reads the records in file order. A count that is not a whole number ends the reading; a row cut off by
/// the end of the file is dropped (the rows before it are kept); a drawing switch that is no Boolean is
/// nullopt. The reserve records are passed over. A row count above kMaxCaseRows ends the reading
/// (`RefusedRowCount`). A field after the reserve that is no Boolean is the not-set-up record cut short:
/// the file is not `Whole` and the case not set up.
LghContents ReadLgh(scheme::SchemeReader& in);

/// Reads a whole file's bytes (GBK). A file cut short (not `Whole`) keeps the records read whole: the
/// record the cut falls in, after the last line end, is dropped, so that a circuit row cut in two is not
/// taken for another circuit.
LghContents ReadLghBytes(std::string_view gbk);

/// The records of a case file, the three reserve records of 15 empty texts, then #FALSE# for a case not
/// set up.
scheme::SchemeWriter WriteLgh(const std::vector<CaseRow>& rows, const std::string& areaLength,
                              const std::array<std::string, kCaseResults>& results, bool draw,
                              bool setUp = true);

/// The case file of the project for the list positions of volume, mode and zone: the project path less
/// its last four characters + "_v_m_z.lgh"; "" for an unnamed project (a path of four characters or less).
std::string CaseFileName(const std::string& projectFile, int volume, int mode, int zone);

} // namespace lighting
