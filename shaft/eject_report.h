// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

/// The report of the shaft-exhaust scheme, printed from the texts of the window's boxes.
namespace shaft {

/// Name of the report in its file name.
inline constexpr std::string_view kEjectReportName = "竖井排出式通风";
/// Title of the report after the project name.
inline constexpr std::string_view kEjectReportTitle = "竖井排出通风方式计算报告";
/// Captions of the two pressure models.
inline constexpr std::string_view kMergeModelCaption = "双向交通隧道合流型竖井";
inline constexpr std::string_view kSplitModelCaption = "单向交通隧道分流型竖井";

/// The texts the report prints, as the window shows them.
struct EjectReportBoxes {
    std::string ProjectName;
    bool Merge = false; ///< the merge-type shaft is selected
    std::string ShaftPile;
    std::string deltap_g1, zeta_13, zeta_12, QQ_r1, v_1, deltap_t1, p_tot1;
    std::string deltap_g2, zeta_23, QQ_r2, v_2, deltap_t2, p_tot21, p_tot22;
    std::string ShaftAA_r, ShaftPP_r, ShaftDD_r, QQ_r3, v_3, deltap_d, p_tot3, p_tot3a;
    std::string p_tot, AA_tot, eta, SS_tot;
};

/// Every line of the report: each value is its label, nine blanks and the box's text; the labels of the
/// body are padded to 45 columns (a Chinese character or one of Δ, ζ, η, ①, ②, ③ counting two), so their
/// values start in column 55.
std::vector<std::string> EjectReportLines(const EjectReportBoxes& b);

} // namespace shaft
