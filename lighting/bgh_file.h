// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/scheme_file.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

/// The `.bgh` file of lighting step 1: the graded traffic volumes, the tunnel's lighting inputs, the
/// lighting mode and the last zone table, as the window's controls show them.
namespace lighting {

/// The most graded traffic volumes a file may list; a design grades its traffic in a handful.
inline constexpr long long kMaxTrafficVolumes = 1000;

/// One row of the zone table: luminance and length as shown.
struct BghZoneRow {
    std::optional<std::string> Luminance, Length;
};

/// What a `.bgh` file holds. Reading fills a field only when the file has it, so that a file that ends
/// early leaves the remaining controls as they are.
struct BghContents {
    /// The volumes, in list order; nullopt when not even the count could be read.
    std::optional<std::vector<std::string>> Volumes;
    std::optional<std::string> Speed, Length;
    std::optional<bool> TwoWay, OneWay, Mixed;
    std::optional<std::string> SkyRatio;
    std::optional<long long> Surroundings; ///< 0 or 1, -1 for none
    std::optional<std::string> Slope, Height, PreLength, Span, k, Discount, L20, Ds;
    std::optional<long long> Mode; ///< 0 to 5, -1 for none
    /// The stored zone rows (normally six); nullopt when the row count could not be read.
    std::optional<std::vector<BghZoneRow>> Zones;
    /// The design traffic volume typed in the window when it was saved, which the zone table and k were
    /// calculated for. A record after the reserve records, so that files written before it read as they
    /// did; nullopt for those (and written only when set).
    std::optional<std::string> Traffic;
    /// The count of volumes when it exceeds kMaxTrafficVolumes: the reading stopped at it.
    std::optional<long long> RefusedVolumeCount;
};

/// The facts of the project's own tunnel, as texts for the window's boxes.
struct OwnTunnel {
    std::string Speed, Length, Traffic, Slope;
    bool TwoWay = false;
};

/// What the template holds that another tunnel may take: the office's defaults (sky share, surroundings,
/// clear height, the preceding tunnel and the distance to it) and the lighting mode shown; the tunnel's
/// own facts from `own`, its design traffic the one volume; nothing the template computed for its own
/// tunnel (k, reduction rate, L20, Ds, the zone table) and not its traffic.
BghContents KeepOfficeDefaults(const BghContents& fromTemplate, const OwnTunnel& own);

/// Reads the records in file order. A count that is not a whole number ends the reading there, since the
/// fields after it can no longer be told apart; a negative count reads as 0, and a count larger than the
/// fields left reads what there is. A count of volumes above kMaxTrafficVolumes is refused: the reading
/// ends there and says so in RefusedVolumeCount.
BghContents ReadBgh(scheme::SchemeReader& in);

/// The records of a `.bgh` file, the three reserve records of 15 empty texts, then the design traffic.
scheme::SchemeWriter WriteBgh(const BghContents& contents);

} // namespace lighting
