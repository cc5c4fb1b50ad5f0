// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

/// The report of the several-shafts scheme: what the window's boxes show for every shaft and every
/// section row, the total power and the jet-fan groups.
namespace multishaft {

/// Name of the report in its file name.
inline constexpr std::string_view kMsReportName = "多竖井送排式结合射流风机通风";
/// Title of the report after the project name.
inline constexpr std::string_view kMsReportTitle = "多竖井送排式结合射流风机通风方式计算报告";

/// The shaft boxes of page 1 with one shaft's row loaded, as they show it.
struct MsShaftTexts {
    std::string ShaftPile;
    std::string Qe, Counte, QQ_e, AA_e, KK_e, v_e, deltap_e, Zeta_fencha, p_de, p_se, p_tote, t1_e, p1_e,
        eta_e, SSkw_e, etam_e, k_e, MM1_e;
    std::string Qb, Countb, QQ_b, AA_b, KK_b, v_b, beta, deltap_b, Zeta_heliu, p_db, p_sb, p_totb, t1_b, p1_b,
        eta_b, SSkw_b, etam_b, k_b, MM1_b;
};

/// The section and jet-fan boxes of page 2 with one section row loaded.
struct MsSectionTexts {
    std::string QQ_req, QQ_r, v_r, CC_1, CC_2, deltap_r, deltap_m, deltap_t;
    std::string JetModel, Flow, DD_j, AA_j, vj, ZZ_j, eta, deltap_j, Power, jetcount;
};

/// One row of the group list: station, fans in the group, rise of the group, as listed.
struct MsGroupTexts {
    std::string Station, Count, Rise;
};

/// A row of the group list as the report prints it: station "000000.000", fans "00", rise "00.000", one
/// directly after the other; a text that is not a number is printed as it stands.
std::string MsGroupLine(const MsGroupTexts& group);

/// Every line of the report. A result that a box shows empty (no calculation of the current lists gave
/// it: the rises, pressures, powers and areas of a shaft, the flows, concentrations, pressures and jet
/// fans of a section, the total power) is printed "未计算".
std::vector<std::string> MsReportLines(std::string_view projectName, const std::vector<MsShaftTexts>& shafts,
                                       const std::vector<MsSectionTexts>& sections,
                                       std::string_view totalPower, const std::vector<MsGroupTexts>& groups);

} // namespace multishaft
