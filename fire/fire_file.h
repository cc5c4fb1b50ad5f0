// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/scheme_file.h"

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// The fire window's settings file (`.fir`) and what the fire window takes from the ventilation schemes'
/// files (`.jet`, `.sj`, `.msj`).
namespace fire {

inline constexpr const char* kFirTitleFires = "[火灾位置]";
inline constexpr const char* kFirTitlePorts = "[排烟口桩号]";
inline constexpr int kFirReserveRecords = 5;
inline constexpr int kFirReserveFields = 14;
/// Most rows either station list of the .fir file may ask for: a port or a fire point every two metres
/// of a 20 km tunnel stays below it.
inline constexpr long long kMaxFirRows = 10000;

/// A list count of the file above kMaxFirRows, where the reading stopped.
struct RefusedCount {
    bool ports = false; ///< the exhaust-port list; otherwise the fire points
    long long count = 0;
};

/// The window's content as the file holds it. After reading, a field the file does not hold, or one that
/// is not of its kind (a text where a number or a Boolean belongs), is nullopt: its control keeps its value.
struct FirSettings {
    std::vector<std::string> FireLocs;     ///< rows of the fire-point list
    std::vector<std::string> ExsmokePiles; ///< rows of the exhaust-port list
    /// chkTranverse, chkAirExpand, chkUseJetOnly, chkNaturalWind (0 clear, 1 ticked, 2 greyed).
    std::array<std::optional<int>, 4> Checks;
    std::array<std::optional<bool>, 3> VentModes;
    std::array<std::optional<bool>, 2> TrafficModes;
    std::array<std::optional<bool>, 2> WindDirections;
    /// txtMW, txtQ, cmbJetModel, txtBlockVehNum, txteta.
    std::array<std::optional<std::string>, 5> Texts;
    /// txtExsmokePile1, txtExsmokePile2.
    std::array<std::optional<std::string>, 2> Range;
    /// txtvn, txtRatio.
    std::array<std::optional<std::string>, 2> WindRatio;
    /// optBDVentDirection1, optBDVentDirection2: appended after the reserve records, so that a file written
    /// before them holds none and keeps the window's first direction.
    std::array<std::optional<bool>, 2> TwoWayDirections;
    /// False when the file ends before the end of its reserve records, or inside the direction record
    /// after them: it was cut short.
    bool Whole = true;
    /// Set when a list count was above kMaxFirRows: nothing after it was read.
    std::optional<RefusedCount> Refused;
};

/// Reads the records in order, titles passed over unchecked. A list count is taken as a whole number; one
/// that is missing or below 0 gives no rows, and a count beyond the fields left gives the fields left. A
/// count above kMaxFirRows stops the reading there (`Refused`).
FirSettings ReadFirFile(scheme::SchemeReader& in);

/// Reads a whole file's bytes (GBK). A file cut short keeps the records read whole: the record the cut
/// falls in, after the last line end, is dropped, so that a station or a number cut in two is not taken
/// for another one.
FirSettings ReadFirBytes(std::string_view gbk);

/// Where a row of station `station` goes in a list of `count` rows kept in ascending order of their
/// stations (`stationAt`, 0-based): after the last row whose station is not above it, so that a tie goes
/// after the rows already there. Found by bisection: the list is read at about log2(count) rows.
std::size_t OrderedPosition(std::size_t count, const std::function<double(std::size_t)>& stationAt,
                            double station);

/// The records of the file; a nullopt field is written as the empty value of its kind (0, #FALSE#, "").
scheme::SchemeWriter WriteFirFile(const FirSettings& fir);

/// What the collection takes from the scheme file of the chosen ventilation mode.
struct CollectedScheme {
    std::optional<std::string> JetModel;
    std::optional<std::string> Eta; ///< not given by the several-shafts file
    /// The shafts' exhaust openings, S + ds on the right line and S − ds on the left, in file order [m].
    std::vector<double> Ports;
};

/// `.jet`: record 2, field 1 the model name, field 6 η. nullopt when the file ends before field 6.
std::optional<CollectedScheme> CollectJetScheme(scheme::SchemeReader& in);
/// `.sj`: the shaft station (record 2), ds (record 9, field 1), the inlet section's model (record 11, field
/// 9) and η (field 11). nullopt when the file ends before that field.
std::optional<CollectedScheme> CollectSjScheme(scheme::SchemeReader& in, bool rightLine);
/// `.msj`: title, shaft count, 39 fields per shaft (1st the station, 35th ds), section count, 16 fields per
/// section (14th the model; the last section's stays). nullopt when the file ends before the last field.
std::optional<CollectedScheme> CollectMsjScheme(scheme::SchemeReader& in, bool rightLine);

} // namespace fire
