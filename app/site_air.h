// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct CoefTable;

/// The basic-information page: coefficients of the road class and the site altitude, the site pressure,
/// the base emissions brought to the design year, and the project values the main window publishes.
namespace app {

/// fa of the road class for CO and smoke, with the texts of `txtf_a` and `txtf_a_VI`.
struct VehicleConditionCoefficients {
    double f_a = 1.0;
    double f_a_vi = 1.0;
    std::string f_a_text;    ///< "0.00"
    std::string f_a_vi_text; ///< "0.00"
};

/// Road-class positions 0 and 1 (motorway, first class) and no match (-1) give 1.00 / 1.00; positions 2 to 4
/// give 1.15 for CO and 1.35 for smoke.
VehicleConditionCoefficients road_class_coefficients(int roadClassIndex);

/// Design speed read from the text of `cmbvt` [km/h], and the plain text of the working speed box.
struct DesignSpeedValue {
    double speed = 0;
    std::string workv_t_text;
};
DesignSpeedValue design_speed(std::string_view cmbvtText);

/// fh for CO and smoke at the site elevation, with the texts of `txtf_h` and `txtf_h_VI`.
struct AltitudeCoefficients {
    double f_h = 1.0;
    double f_h_vi = 1.0;
    std::string f_h_text;    ///< "0.00"
    std::string f_h_vi_text; ///< "0.00"
};

/// Below this elevation [m] altitude does not raise the emissions.
inline constexpr double kAltitudeThreshold = 400.0;

/// fh = (E + 1400) / 1800 and fh(VI) = (E − 400) × 0.62 / 1800 + 1 at elevation E [m]; both 1 below 400 m.
AltitudeCoefficients altitude_coefficients(double elevation);

/// Site design pressure [kPa] at elevation E [m] from the table `daqiya`; 0 from an empty table.
double site_pressure(const CoefTable& daqiya, double elevation);
/// The same as the plain text of `txtP`.
std::string site_pressure_text(const CoefTable& daqiya, double elevation);

/// The texts that bring the base emissions to the design year.
struct EmissionDeclineInput {
    std::string q_co;      ///< `txtq_co`, base CO emission [m³/(veh·km)]
    std::string q_vi;      ///< `txtq_VI`, base smoke emission [m²/(veh·km)]
    std::string DescRatio; ///< `txtDescRatio`, yearly reduction [%], written without a minus sign
    std::string DescYear;  ///< `txtDescYear`, the year from which the reduction counts
    std::string Year;      ///< `txtYear`, the design year being calculated
};

/// Texts of `txtq_co_at_Year` and `txtq_VI_at_Year`, and the values later steps read back from them.
struct EmissionAtYear {
    std::string q_co_text;
    std::string q_vi_text;
    double q_co = 0; ///< leading number of q_co_text: the rounded value every calculation works with
    double q_vi = 0;
};

/// A reduction of more than this [%] would make the emissions negative.
inline constexpr double kMaxDescRatio = 100.0;

/// From the start year on, q × (1 − r / 100)^(Y − Y0) in "0.0000"; before it, the base texts as they stand.
/// A design year or start year without a leading number, a rate above 100 % or a result that cannot be
/// represented gives empty texts (and 0), so that no factor of another year or rate is shown as current.
EmissionAtYear emission_at_year(const EmissionDeclineInput& in);

/// The texts of the main window that the publication reads.
struct PublicationInput {
    std::string DesignSpeed;   ///< text of `cmbvt` [km/h]
    std::string Elevation;     ///< `txtElevation` [m]
    std::string DesignTraffic; ///< `txtNN` [veh/h]
    std::string p;             ///< `txtP` [kPa]
    std::string StartPile;     ///< `txtStartPile` [m]
    std::string rho;           ///< `txtRHO` [kg/m³]
    std::string TT;            ///< `txtTT` [K]
    bool RightLine = false;    ///< `optRightLine` selected
    /// Tunnel length from the slope list [m]; nullopt when it could not be found, in which case the
    /// previously published length stands.
    std::optional<double> TunnelLength;
    double PreviousTunnelLength = 0;
};

/// The project values that the shared module holds between publications.
struct PublishedValues {
    double DesignSpeed = 0;         ///< [km/h]
    double Elevation = 0;           ///< [m]
    double DesignTraffic = 0;       ///< [veh/h]
    double p = 0;                   ///< [kPa]
    double p0 = 101.325;            ///< [kPa]
    double T0 = 273;                ///< [K]
    double TunnelLength = 0;        ///< [m]
    double StartPile = 0;           ///< [m]
    double EndPile = 0;             ///< start + length on both lines [m]
    double rho = 0;                 ///< [kg/m³]
    std::int16_t PileDirection = 0; ///< +1 right line, -1 left line
    double TT = 0;                  ///< [K]
};

/// Every value by the leading number of its text (0 without one). The stations always rise from the start
/// to the end; the driving direction is carried by PileDirection alone.
PublishedValues publish_project_values(const PublicationInput& in);

/// The fifteen one-way results the main window keeps in members, in the order of its interface.
struct ResultMembers {
    double delta = 0;     ///< `txtDelta` [ppm]
    double KK = 0;        ///< `txtKK` [1/m]
    double QQ_CO = 0;     ///< `txtQQ_CO` [m³/s]
    double q_CO = 0;      ///< `txtq_co`
    double f_a = 0;       ///< `txtf_a`
    double f_d = 0;       ///< `txtf_d`
    double QQ_req_CO = 0; ///< `txtQQ_req_CO` [m³/s]
    double f_h = 0;       ///< `txtf_h`
    double f_iv = 0;      ///< `txtf_iv`
    double q_vi = 0;      ///< `txtq_VI`
    double f_a_vi = 0;    ///< `txtf_a_VI`
    double f_h_vi = 0;    ///< `txtf_h_VI`
    double f_iv_VI = 0;   ///< `txtf_iv_VI`
    double QQ_VI = 0;     ///< `txtQQ_VI` [m²/s]
    double QQ_req_VI = 0; ///< `txtQQ_req_VI` [m³/s]
};

/// The texts of the fifteen result boxes, one field per member of the same name.
struct ResultTexts {
    std::string delta, KK, QQ_CO, q_CO, f_a, f_d, QQ_req_CO, f_h, f_iv, q_vi, f_a_vi, f_h_vi, f_iv_VI, QQ_VI,
        QQ_req_VI;
};

/// Members from their boxes, each by its leading number.
ResultMembers read_result_members(const ResultTexts& boxes);

/// Box texts from the members in their display formats: δ "0.00", K "0.0000", Qco "0.00000000",
/// the required air "0.000", every other "0.00".
ResultTexts format_result_members(const ResultMembers& members);

} // namespace app
