// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/design_years.h"

#include "platform/vb.h"

#include <cmath>

namespace app {

std::array<std::string, kVehicleMixFieldCount> to_fields(const VehicleMixRecord& record) {
    std::array<std::string, kVehicleMixFieldCount> fields;
    fields[0] = record.Year;
    for (int k = 0; k < kVehicleClassCount; ++k) {
        fields[1 + k] = record.Ratio[k];
        fields[1 + kVehicleClassCount + k] = record.ConvRatio[k];
        fields[1 + 2 * kVehicleClassCount + k] = record.DieselRatio[k];
    }
    return fields;
}

VehicleMixRecord from_fields(const std::array<std::string, kVehicleMixFieldCount>& fields) {
    VehicleMixRecord record;
    record.Year = fields[0];
    for (int k = 0; k < kVehicleClassCount; ++k) {
        record.Ratio[k] = fields[1 + k];
        record.ConvRatio[k] = fields[1 + kVehicleClassCount + k];
        record.DieselRatio[k] = fields[1 + 2 * kVehicleClassCount + k];
    }
    return record;
}

VehicleMixRecord new_year_mix(std::string_view year) {
    VehicleMixRecord record;
    record.Year = std::string(year);
    for (int k = 0; k < kVehicleClassCount; ++k) {
        record.Ratio[k] = "0";
        record.ConvRatio[k] = std::string(kNewYearConvRatio[k]);
        record.DieselRatio[k] = "0";
    }
    return record;
}

bool is_valid_design_year(std::string_view yearText) {
    return vb::StrictNumber(yearText).has_value();
}

std::optional<std::string> estimate_traffic_text(const std::vector<DesignYearRow>& rows, double year) {
    std::optional<std::string> estimate;
    for (std::size_t i = 0; i + 1 < rows.size(); ++i) {
        const double y1 = vb::Val(rows[i].Year);
        const double y2 = vb::Val(rows[i + 1].Year);
        if (!(y1 < year && year < y2)) {
            continue;
        }
        const double p1 = vb::Val(rows[i].Pcu);
        const double p2 = vb::Val(rows[i + 1].Pcu);
        double traffic = 0.0;
        if (p1 != 0.0) {
            const double growth = std::pow(p2 / p1, 1.0 / (y2 - y1));
            traffic = p1 * std::pow(growth, year - y1);
        }
        // A falling-to-negative traffic or an overflow has no growth rate: the pair leaves the box as the
        // earlier pairs left it.
        const std::string text = vb::Format(traffic, "0");
        if (!std::isfinite(traffic) || text.empty()) {
            continue;
        }
        estimate = text;
    }
    return estimate;
}

int row_after_delete(int k, int rowCountBefore) {
    const int rowsLeft = rowCountBefore - 1;
    if (rowsLeft <= 0 || k < 1) {
        return 0;
    }
    return k <= rowsLeft ? k : rowsLeft;
}

std::vector<VehicleMixRecord> remove_year_mix(const std::vector<VehicleMixRecord>& store,
                                              std::string_view deletedRowYear, int rowsLeft) {
    if (rowsLeft <= 0) {
        return {};
    }
    std::vector<VehicleMixRecord> result;
    result.reserve(store.size());
    bool removed = false;
    for (const VehicleMixRecord& record : store) {
        if (!removed && record.Year == deletedRowYear) {
            removed = true;
            continue;
        }
        result.push_back(record);
    }
    return result;
}

void rename_year_mix(std::vector<VehicleMixRecord>& store, std::string_view oldYear,
                     std::string_view newYear) {
    for (VehicleMixRecord& record : store) {
        if (record.Year == oldYear) {
            record.Year = std::string(newYear);
            return;
        }
    }
}

namespace {

VehicleMixRecord first_or_new(const std::vector<VehicleMixRecord>& store) {
    return store.empty() ? new_year_mix("") : store.front();
}

} // namespace

std::vector<VehicleMixRecord> split_mix_per_year(const std::vector<VehicleMixRecord>& store,
                                                 const std::vector<std::string>& years) {
    const VehicleMixRecord first = first_or_new(store);
    std::vector<VehicleMixRecord> result;
    result.reserve(years.size());
    for (const std::string& year : years) {
        VehicleMixRecord record = first;
        record.Year = year;
        result.push_back(std::move(record));
    }
    return result;
}

std::vector<VehicleMixRecord> merge_mix_for_all_years(const std::vector<VehicleMixRecord>& store) {
    VehicleMixRecord record = first_or_new(store);
    record.Year = std::string(kAnyYear);
    return {record};
}

const VehicleMixRecord* mix_shown_for(const std::vector<VehicleMixRecord>& store, std::string_view year) {
    const VehicleMixRecord* shown = nullptr;
    for (const VehicleMixRecord& record : store) {
        if (record.Year == year) {
            shown = &record;
        }
    }
    return shown;
}

int store_class_values(std::vector<VehicleMixRecord>& store, std::string_view year, int classNumber,
                       std::string_view ratio, std::string_view convRatio, std::string_view dieselRatio) {
    if (classNumber < 1 || classNumber > kVehicleClassCount) {
        return 0;
    }
    const auto k = static_cast<std::size_t>(classNumber - 1);
    int changed = 0;
    for (VehicleMixRecord& record : store) {
        if (record.Year == year) {
            record.Ratio[k] = std::string(ratio);
            record.ConvRatio[k] = std::string(convRatio);
            record.DieselRatio[k] = std::string(dieselRatio);
            ++changed;
        }
    }
    return changed;
}

std::string bidirection_traffic_text(std::string_view nnText, std::string_view ratioText) {
    return vb::Format(vb::Val(nnText) * vb::Val(ratioText), "0.00");
}

PaletteColour class_row_colour(double rnd) {
    static constexpr std::array<PaletteColour, 11> kPalette = {{
        {0, 0, 0},
        {0, 0, 128},
        {0, 128, 0},
        {0, 128, 128},
        {128, 0, 0},
        {128, 0, 128},
        {128, 128, 0},
        {192, 192, 192},
        {128, 128, 128},
        {0, 0, 255},
        {0, 255, 0},
    }};
    double n = vb::RoundHalfEven(rnd * 10.0);
    if (!(n >= 0.0)) {
        n = 0.0;
    }
    if (n > 10.0) {
        n = 10.0;
    }
    return kPalette[static_cast<std::size_t>(n)];
}

} // namespace app
