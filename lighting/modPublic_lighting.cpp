// SPDX-License-Identifier: GPL-3.0-or-later
#include "lighting/modPublic_lighting.h"

#include "app/modPublic.h"
#include "lighting/frmDefineLamp.h"
#include "platform/Forms.h"
#include "platform/paths.h"

#include <algorithm>
#include <optional>

namespace modPublic {

namespace {

std::vector<std::string> missingModels;

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
        CoefTable table;
        const bool whole = ReadTable(circuit.Model, table,
                                     platform::ResolvePath(platform::AppPath() + "\\ConfigFiles\\Icr.txt"));
        double I = 0;
        if (whole && !table.empty()) {
            LampIntensityTable = std::move(table);
            I = lighting::IntensityOf(LampIntensityTable, dir);
        } else {
            LampIntensityTable = CoefTable{};
            if (std::find(missingModels.begin(), missingModels.end(), circuit.Model) == missingModels.end()) {
                missingModels.push_back(circuit.Model);
            }
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

const std::vector<std::string>& MissingLampModels() {
    return missingModels;
}

void ClearMissingLampModels() {
    missingModels.clear();
}

} // namespace modPublic
