// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/coef_table.h"
#include "app/jet_models.h"
#include "platform/vb.h"

#include <array>
#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// The shared module: the program's globals and the helpers every window uses. No Qt.
///
/// All globals live in one struct, `modPublic::globals`, so that a test can put them back with Reset();
/// the names below are references into it, so code reads `modPublic::rho` as the windows know it.
namespace modPublic {

/// A 1-based array as the windows index it: entry k (1 to UBound()) is items[k - 1].
template <class T> struct OneBased {
    std::vector<T> items;

    std::size_t UBound() const { return items.size(); }
    bool empty() const { return items.empty(); }
    /// Entry k, 1-based; k must lie in 1..UBound() (use Get() where it may not).
    T& operator()(std::size_t k) { return items.at(k - 1); }
    const T& operator()(std::size_t k) const { return items.at(k - 1); }
    /// Entry k, or nullptr outside 1..UBound().
    const T* Get(std::size_t k) const { return (k >= 1 && k <= items.size()) ? &items[k - 1] : nullptr; }
    auto begin() const { return items.begin(); }
    auto end() const { return items.end(); }
};

/// The keys of the seven tables that start-up loads into CoefTables, in their loading order.
inline constexpr std::array<const char*, 7> kCoefTableKeys = {"f_d",    "f_iv", "f_iv_VI", "f_m",
                                                              "f_m_VI", "K",    "daqiya"};

/// Every global of the shared module. A default-constructed State is the program before start-up.
struct State {
    /// The program's folder, the one that holds ConfigFiles; set by the window side at start-up.
    std::string AppFolder;
    /// The table file that ReadTable opened last.
    std::string TableFile;
    /// The start-up tables by key (see kCoefTableKeys); a key never loaded is absent.
    std::map<std::string, CoefTable, std::less<>> CoefTables;
    /// The nine working speeds [km/h], entries 1 to 9; fixed, so they hold their values from the start.
    OneBased<vb::Integer> WorkSpeeds{{100, 80, 70, 60, 50, 40, 30, 20, 10}};
    /// The jet-fan model table in file order, entries from 1; empty until a load succeeds.
    OneBased<JetFanModel> JetModels;
    /// The open project's `.vnt` path; "" for an unnamed project.
    std::string ProjectFile;
    /// The project's axial-fan numbers as texts, entries from 1; empty when the project has none.
    OneBased<std::string> AxialFanList;
    /// Reduced luminance coefficients of the road surface chosen in lighting step 2: column keys β [°],
    /// row keys tan γ; loaded by the step-3 calculation before it asks for luminances.
    CoefTable RoadLuminanceTable;
    /// Intensity table [cd/klm] of the lamp model the photometry asked for last.
    CoefTable LampIntensityTable;

    // Project values published by the main window.
    double DesignSpeed = 0;        ///< [km/h]
    double Elevation = 0;          ///< [m]
    double DesignTraffic = 0;      ///< [veh/h]
    double p = 0;                  ///< site atmospheric pressure [kPa]
    double p0 = 101.325;           ///< standard atmospheric pressure [kPa]
    double T0 = 273;               ///< standard temperature [K]
    double TT = 0;                 ///< design air temperature [K]
    double rho = 0;                ///< air density [kg/m³]
    double TunnelLength = 0;       ///< [m]
    double StartPile = 0;          ///< tunnel start station [m]
    double EndPile = 0;            ///< start station + tunnel length [m], the larger end on either line
    vb::Integer PileDirection = 0; ///< +1 on the right line, -1 on the left line

    // Ventilation parameters published by step 2; scheme windows overwrite some with working values.
    double zeta_e = 0;           ///< entrance loss coefficient [-]
    double lambda_r = 0;         ///< wall friction coefficient [-]
    double v_n = 0;              ///< natural wind [m/s]
    double v_r = 0;              ///< design air speed [m/s]
    double AA_m = 0;             ///< vehicle resistance area, one-way traffic [m²]
    double AA_m_Bidirection = 0; ///< vehicle resistance area, two-way traffic [m²]
    double QQ_req = 0;           ///< design air demand [m³/s]
    vb::Integer CaseIndex = 0;   ///< traffic case 1 to 4 chosen in step 2; 0 when none
    double DD_r = 0;             ///< working equivalent diameter [m]
    double AA_r = 0;             ///< working cross-section area [m²]
    double Lambda_b = 0;         ///< friction coefficient of the supply duct [-]
    double Lambda_e = 0;         ///< friction coefficient of the exhaust duct [-]
};

extern State globals;

/// Puts every global back to its state before start-up.
void Reset();

inline std::string& AppFolder = globals.AppFolder;
inline std::string& TableFile = globals.TableFile;
inline auto& CoefTables = globals.CoefTables;
inline OneBased<vb::Integer>& WorkSpeeds = globals.WorkSpeeds;
inline OneBased<JetFanModel>& JetModels = globals.JetModels;
inline std::string& ProjectFile = globals.ProjectFile;
inline OneBased<std::string>& AxialFanList = globals.AxialFanList;
inline CoefTable& RoadLuminanceTable = globals.RoadLuminanceTable;
inline CoefTable& LampIntensityTable = globals.LampIntensityTable;
inline double& DesignSpeed = globals.DesignSpeed;
inline double& Elevation = globals.Elevation;
inline double& DesignTraffic = globals.DesignTraffic;
inline double& p = globals.p;
inline double& p0 = globals.p0;
inline double& T0 = globals.T0;
inline double& TT = globals.TT;
inline double& rho = globals.rho;
inline double& TunnelLength = globals.TunnelLength;
inline double& StartPile = globals.StartPile;
inline double& EndPile = globals.EndPile;
inline vb::Integer& PileDirection = globals.PileDirection;
inline double& zeta_e = globals.zeta_e;
inline double& lambda_r = globals.lambda_r;
inline double& v_n = globals.v_n;
inline double& v_r = globals.v_r;
inline double& AA_m = globals.AA_m;
inline double& AA_m_Bidirection = globals.AA_m_Bidirection;
inline double& QQ_req = globals.QQ_req;
inline vb::Integer& CaseIndex = globals.CaseIndex;
inline double& DD_r = globals.DD_r;
inline double& AA_r = globals.AA_r;
inline double& Lambda_b = globals.Lambda_b;
inline double& Lambda_e = globals.Lambda_e;

/// A path below the program's folder (AppFolder), resolved case-insensitively:
/// InstallPath("ConfigFiles\\Jet.db").
std::string InstallPath(std::string_view relative);

/// The default table file: the program's folder + "\configfiles\autocadconfig.txt".
std::string DefaultTableFile();

/// Loads the table `key` from `file` (the default table file when empty) into x, y and v, replacing them
/// whole; sets TableFile to the file it opens. A missing file, a missing key or a bad count line leaves the
/// arrays as they were; a table cut short by the end of the file keeps its shape with what was read and
/// 0 for the rest. True only when the whole table was read.
bool ReadTable(const std::string& key, std::vector<double>& x, std::vector<double>& y,
               std::vector<std::vector<double>>& v, const std::string& file = "");
bool ReadTable(const std::string& key, CoefTable& table, const std::string& file = "");

/// Start-up's reading of the seven tables of kCoefTableKeys from the default table file into CoefTables,
/// in that order. Returns the keys that were not read whole, so that start-up can say which are missing.
std::vector<std::string> LoadCoefTables();

/// The start-up table `key`, or an empty table (every lookup 0) when it was never loaded.
const CoefTable& CoefTableOf(std::string_view key);

/// Replaces JetModels by the models of AppFolder\ConfigFiles\Jet.db. A missing or unreadable file, or a
/// count that is missing, not a number or negative, leaves the table as it was. True when it was replaced.
bool LoadJetModels();

/// The status-bar help file: the program's folder + "\configfiles\help.txt".
std::string HelpFile();

/// The hint of `key` in a help file: the line after the first line that equals `key` exactly. nullopt
/// when the file cannot be read, lacks the key, or holds it on its last line (the status bar then keeps
/// its text); an empty hint line gives "".
std::optional<std::string> HelpText(std::string_view key, const std::string& helpFilePath);

} // namespace modPublic
