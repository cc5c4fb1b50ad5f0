// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/scheme_file.h"

#include <optional>
#include <string>
#include <vector>

/// The `.lmp` file of lighting step 2: the lamp circuits, the road, the calculation area and the method,
/// as the window's controls show them.
namespace lighting {

/// What a `.lmp` file holds. Reading fills a field only when the file has it: the first field that cannot
/// be read ends the reading, and everything after it stays nullopt so that the window keeps what it shows.
struct LmpContents {
    /// The circuit rows, each its 16 column texts; nullopt when not even the count could be read. Only
    /// whole rows are kept.
    std::optional<std::vector<std::vector<std::string>>> Circuits;
    std::optional<long long> RoadType; ///< list position of the road surface
    std::optional<std::string> RoadWidth;
    std::optional<std::string> Distance, PointsAlong, PointsAcross;
    std::optional<bool> Numeric, Curve;
};

/// Reads the records in file order. A count or position that is not a whole number, or a method value that
/// is no Boolean, ends the reading there; a negative count reads no row.
LmpContents ReadLmp(scheme::SchemeReader& in);

/// The records of a `.lmp` file, the three reserve records of 15 empty texts last. A row with fewer than 16
/// cells is written with empty texts for the missing ones, so that the rows after it stay in place.
scheme::SchemeWriter WriteLmp(const LmpContents& contents);

} // namespace lighting
