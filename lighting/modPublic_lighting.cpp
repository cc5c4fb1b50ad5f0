// SPDX-License-Identifier: GPL-3.0-or-later
#include "lighting/modPublic_lighting.h"

#include "app/modPublic.h"
#include "lighting/frmDefineLamp.h"
#include "platform/Forms.h"
#include "platform/paths.h"

#include <algorithm>
#include <map>
#include <optional>

namespace modPublic {

namespace {

std::vector<std::string> missingModels;

void NoteMissing(const std::string& model) {
    if (std::find(missingModels.begin(), missingModels.end(), model) == missingModels.end()) {
        missingModels.push_back(model);
    }
}

/// The table of a model from the intensity file; nullopt unless the file holds the whole of it.
std::optional<CoefTable> ModelTable(const std::string& model) {
    CoefTable table;
    const bool whole =
        ReadTable(model, table, platform::ResolvePath(platform::AppPath() + "\\ConfigFiles\\Icr.txt"));
    if (whole && !table.empty()) {
        return table;
    }
    return std::nullopt;
}

/// The cells of the first circuit row named `name`, nullopt when there is none.
std::optional<std::vector<std::string>> CircuitRow(const std::string& name) {
    platform::ListView& list = platform::Forms::instance<frmDefineLamp>().lstLamp;
    for (int i = 1; i <= list.ListItems.Count(); ++i) {
        platform::ListItem& item = list.ListItems(i);
        if (item.Text() == name) {
            std::vector<std::string> cells{item.Text()};
            for (int c = 1; c < lighting::kCircuitColumns; ++c) {
                cells.push_back(item.SubItems(c));
            }
            return cells;
        }
    }
    return std::nullopt;
}

} // namespace

double GetLampIntensity(const LampPoint& lamp, const std::array<double, 3>& P, double& Phi, double& M,
                        double& gamma) {
    try {
        const std::optional<std::vector<std::string>> row = CircuitRow(lamp.Name);
        if (!row) {
            return 0;
        }
        const lighting::LampCircuit circuit = lighting::CircuitFromRow(*row);
        const lighting::LampDirection dir =
            lighting::DirectionToPoint(circuit, lamp.Pos[0], lamp.Pos[1], P[0], P[1]);
        gamma = dir.Gamma;

        // A model without its table must not borrow the table of the lamp asked for before it.
        std::optional<CoefTable> table = ModelTable(circuit.Model);
        double I = 0;
        if (table) {
            LampIntensityTable = std::move(*table);
            I = lighting::IntensityOf(LampIntensityTable, dir);
        } else {
            LampIntensityTable = CoefTable{};
            NoteMissing(circuit.Model);
        }
        Phi = circuit.Flux;
        M = circuit.Maintenance;
        return I;
    } catch (...) {
        return 0;
    }
}

double GetPointIlluminance(const LampPoint& lamp, const std::array<double, 3>& P) {
    double Phi = 0, M = 0, gamma = 0;
    const double I = GetLampIntensity(lamp, P, Phi, M, gamma);
    return lighting::PointIlluminance(I, gamma, Phi, M, lamp.Pos[2]);
}

double GetPointLuminance(const LampPoint& lamp, const std::array<double, 3>& P,
                         const std::array<double, 3>& O) {
    double Phi = 0, M = 0, gamma = 0;
    const double I = GetLampIntensity(lamp, P, Phi, M, gamma);
    const double beta = lighting::ObservationAngle(lamp.Pos[0], lamp.Pos[1], P[0], P[1], O[0], O[1]);
    return lighting::PointLuminance(I, gamma, beta, Phi, M, RoadLuminanceTable, lamp.Pos[2]);
}

PreparedLamps PrepareLamps(const std::vector<LampPoint>& lamps) {
    PreparedLamps out;
    std::map<std::string, const lighting::LampSource*> byName;
    std::map<std::string, std::optional<CoefTable>> byModel;
    out.Lamps.reserve(lamps.size());
    for (const LampPoint& lamp : lamps) {
        auto known = byName.find(lamp.Name);
        if (known == byName.end()) {
            const lighting::LampSource* source = nullptr;
            if (const std::optional<std::vector<std::string>> row = CircuitRow(lamp.Name)) {
                auto s = std::make_unique<lighting::LampSource>();
                s->Circuit = lighting::CircuitFromRow(*row);
                auto model = byModel.find(s->Circuit.Model);
                if (model == byModel.end()) {
                    model = byModel.emplace(s->Circuit.Model, ModelTable(s->Circuit.Model)).first;
                }
                if (model->second) {
                    s->Table = *model->second;
                    s->HasTable = true;
                } else {
                    NoteMissing(s->Circuit.Model);
                }
                source = s.get();
                out.Sources.push_back(std::move(s));
            }
            known = byName.emplace(lamp.Name, source).first;
        }
        out.Lamps.push_back({lamp.Pos, known->second});
    }
    return out;
}

const std::vector<std::string>& MissingLampModels() {
    return missingModels;
}

void ClearMissingLampModels() {
    missingModels.clear();
}

} // namespace modPublic
