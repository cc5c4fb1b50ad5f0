// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace scheme {
class SchemeReader;
}

/// One jet-fan model of the model table, fields in the order of a `Jet.db` record.
struct JetFanModel {
    std::string JetName; ///< model name, as every model list shows it
    double Flow = 0;     ///< air flow of one fan [m³/s]
    double DD = 0;       ///< outlet diameter Dj [m]
    double Power = 0;    ///< power of one fan [kW]
    double Discount = 0; ///< factor on the pressure rise when the fan runs reversed [-]
};

namespace modPublic {

/// One `Jet.db` record as the model editor lists it: the five field texts as read, not reformatted.
using JetDbRow = std::array<std::string, 5>;

/// Reads `Jet.db` records from a field stream: the count (a 16-bit whole number), then five fields per
/// model. nullopt when the count is missing, not a whole number, negative or beyond 16 bits: the caller's
/// table stays as it was. A count of 0 gives an empty list. Reading stops after `count` records, or at
/// the last complete record when the file holds fewer; later lines are never read.
std::optional<std::vector<JetDbRow>> ParseJetDbRows(scheme::SchemeReader& reader);

/// As ParseJetDbRows, with the four numbers taken as the leading numbers of their texts (0 without one).
std::optional<std::vector<JetFanModel>> ParseJetModels(scheme::SchemeReader& reader);

/// Writes `Jet.db`: the count without quotes, then one record per row with all five texts quoted, as the
/// model editor saves it. Atomic: a failed write leaves the old file whole. False when it failed.
bool WriteJetDbRows(const std::string& path, const std::vector<JetDbRow>& rows);

/// Writes models in the same form, each number as its plain number text.
bool WriteJetModels(const std::string& path, const std::vector<JetFanModel>& models);

/// A value of a catalogue entry as a file kept it, beside the value the catalogue holds under the same name
/// now.
struct KeptCatalogueValue {
    std::string Label; ///< how the window names the value, e.g. "风机流量"
    std::string Kept;  ///< the text the file kept; "" when it kept none
    double Now = 0;    ///< the catalogue's value now
    std::string Unit;
};

/// The values the file kept that the catalogue now holds otherwise, each named "<Label>已由<kept>变为<now>
/// <Unit>", joined by "，"; "" when every kept value agrees.
std::string ChangedCatalogueValues(const std::vector<KeptCatalogueValue>& values);

/// An entry a file names, with what the catalogue holds under that name now (nullopt: nothing).
struct KeptCatalogueEntry {
    std::string Name;
    std::optional<std::vector<KeptCatalogueValue>> Now;
};

/// The hint line of a window that keeps the design it stored while the catalogue `catalogue` holds other
/// values under the names it used: "<catalogue>中<name>的<changes>；…，<kept>", an entry the catalogue
/// lacks named "已无<name>", the same piece once; "" when nothing differs.
std::string CatalogueChangeHint(const std::string& catalogue, const std::vector<KeptCatalogueEntry>& entries,
                                const std::string& kept);

/// The values of a jet-fan model that a scheme file keeps, with the catalogue's model (or nullopt) beside
/// them; "" texts are values the file does not keep.
std::optional<std::vector<KeptCatalogueValue>> KeptJetModelValues(const std::optional<JetFanModel>& now,
                                                                  const std::string& flow,
                                                                  const std::string& diameter,
                                                                  const std::string& power);

/// CatalogueChangeHint for the jet-fan models kept by a scheme window.
std::string JetModelChangeHint(const std::vector<KeptCatalogueEntry>& entries);

} // namespace modPublic
