// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace lighting {

/// Every lighting file (.bgh, .lmp, .lgh) ends with this many reserve records of this many empty texts.
inline constexpr int kReserveRecords = 3;
inline constexpr int kReserveFields = 15;

} // namespace lighting
