// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/scheme_file.h"

#include <limits>
#include <optional>
#include <utility>
#include <vector>

namespace lighting {

/// Every lighting file (.bgh, .lmp, .lgh) ends with this many reserve records of this many empty texts.
inline constexpr int kReserveRecords = 3;
inline constexpr int kReserveFields = 15;

/// Reads the count of a file's row list, then that many rows shaped like `blank` into `rows`. False when
/// nothing after can be read: the count is missing (`rows` left as it was), a row is cut off by the end
/// of the file (the rows before it kept), or the count is above `limit` (`rows` left as it was, the count
/// in `refused` when given).
template <class Row>
bool ReadCountedRows(scheme::SchemeReader& in, const Row& blank, std::optional<std::vector<Row>>& rows,
                     long long limit = std::numeric_limits<long long>::max(),
                     std::optional<long long>* refused = nullptr) {
    const std::optional<long long> n = in.NextWhole();
    if (!n) {
        return false;
    }
    if (*n > limit) {
        if (refused != nullptr) {
            *refused = *n;
        }
        return false;
    }
    std::vector<Row> read;
    const bool whole = in.NextTextRows(*n, blank, read);
    rows = std::move(read);
    return whole;
}

} // namespace lighting
