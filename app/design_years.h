// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// Design years and the vehicle mix of page 3. Every value is text as typed; numbers are read by their
/// leading number where a calculation needs them.
namespace app {

/// Number of vehicle classes, in the fixed order of the class table.
inline constexpr int kVehicleClassCount = 7;
/// Year of the one mix that serves all design years.
inline constexpr std::string_view kAnyYear = "AnyYear";
/// Conversion factors to standard vehicles that a newly added design year starts with, classes 1 to 7.
inline constexpr std::array<std::string_view, kVehicleClassCount> kNewYearConvRatio = {"1", "1.5", "2", "1",
                                                                                       "2", "3",   "3"};
/// Texts in one record: the year, then seven shares, seven conversion factors, seven diesel shares.
inline constexpr int kVehicleMixFieldCount = 1 + 3 * kVehicleClassCount;
/// Most vehicle-mix records a project file may ask for (one per design year).
inline constexpr long long kMaxVehicleMixes = 10000;

/// The vehicle mix of one design year. Arrays hold class k (1 to 7) at index k − 1; use the accessors
/// to address them by class number.
struct VehicleMixRecord {
    std::string Year;
    std::array<std::string, kVehicleClassCount> Ratio;       ///< class shares, column "比例"
    std::array<std::string, kVehicleClassCount> ConvRatio;   ///< conversion factors, column "换算比例"
    std::array<std::string, kVehicleClassCount> DieselRatio; ///< diesel shares, column "柴油车占有率"

    bool operator==(const VehicleMixRecord&) const = default;
};

/// The 22 texts of a record in file order.
std::array<std::string, kVehicleMixFieldCount> to_fields(const VehicleMixRecord& record);
/// A record from its 22 texts in file order.
VehicleMixRecord from_fields(const std::array<std::string, kVehicleMixFieldCount>& fields);

/// The mix a newly added design year starts with: shares 0, diesel shares 0, conversion factors
/// 1, 1.5, 2, 1, 2, 3, 3.
VehicleMixRecord new_year_mix(std::string_view year);

/// One row of the design-year list `lstTraffic`.
struct DesignYearRow {
    std::string Year; ///< "特征年"
    std::string Pcu;  ///< "pcu/d", forecast daily traffic
};

/// Whether a text may be added as a design year: the whole text, blanks around it aside, is a number.
bool is_valid_design_year(std::string_view yearText);

/// Traffic of a design year that has none, grown between the neighbouring listed years that bracket it:
/// r = (p2 / p1)^(1 / (y2 − y1)), estimate p1 × r^(Y − y1). Every bracketing pair in list order is
/// evaluated and the last one counts; an earlier traffic of 0 gives 0; a pair whose growth cannot be
/// computed is passed over. The text of `txtPcu` in "0", or nullopt when no pair brackets the year.
std::optional<std::string> estimate_traffic_text(const std::vector<DesignYearRow>& rows, double year);

/// 1-based position of the row that becomes current after row k of n was deleted (n counted before
/// the delete): the row that moved into its place, else the new last row; 0 when no row is left.
int row_after_delete(int k, int rowCountBefore);

/// The store after a design year was deleted. With no row left the store is empty; otherwise exactly one
/// record goes, the first whose year equals the deleted row's year text, and the others keep their order.
/// The year is the deleted row's own text, never the year box, which the user may have edited since.
std::vector<VehicleMixRecord> remove_year_mix(const std::vector<VehicleMixRecord>& store,
                                              std::string_view deletedRowYear, int rowsLeft);

/// The store after a design year was renamed: the first record of the old year takes the new one.
void rename_year_mix(std::vector<VehicleMixRecord>& store, std::string_view oldYear,
                     std::string_view newYear);

/// One mix per design year: a copy of the first record for every year row, in list order. An empty
/// store has no first record; the years then start from the mix of a newly added year.
std::vector<VehicleMixRecord> split_mix_per_year(const std::vector<VehicleMixRecord>& store,
                                                 const std::vector<std::string>& years);

/// One mix for all years: the first record under the year "AnyYear" (the new-year mix for an empty store).
std::vector<VehicleMixRecord> merge_mix_for_all_years(const std::vector<VehicleMixRecord>& store);

/// The record whose values the class table shows for a year: of the records with exactly that year text,
/// the last in store order (each one overwrites the table in turn). nullptr when none matches.
const VehicleMixRecord* mix_shown_for(const std::vector<VehicleMixRecord>& store, std::string_view year);

/// Stores the class editor into class k (1 to 7) of every record of the year; a class outside 1 to 7
/// (the total row, or none) stores nothing. Returns the number of records changed.
int store_class_values(std::vector<VehicleMixRecord>& store, std::string_view year, int classNumber,
                       std::string_view ratio, std::string_view convRatio, std::string_view dieselRatio);

/// Two-way design traffic `txtNN_bidirection` [veh/h]: N × c in "0.00", from the texts of `txtNN` and
/// of the control traffic ratio `txtBiDirection`.
std::string bidirection_traffic_text(std::string_view nnText, std::string_view ratioText);

/// A colour of the 16-colour console palette.
struct PaletteColour {
    int Red = 0;
    int Green = 0;
    int Blue = 0;
    bool operator==(const PaletteColour&) const = default;
};

/// Colour of a clicked class row from a uniform random value in [0, 1): palette entry n, n = 10 × rnd taken
/// to the nearest whole number with ties to even (0 to 10).
PaletteColour class_row_colour(double rnd);

} // namespace app
