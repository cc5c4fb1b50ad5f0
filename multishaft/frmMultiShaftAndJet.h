// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jetfan/curve_layout.h"
#include "jetfan/jet_group_list.h"
#include "multishaft/multishaft.h"
#include "multishaft/multishaft_flows.h"
#include "platform/Form.h"
#include "platform/controls.h"
#include "platform/layout.h"
#include "ventparam/step2_inputs.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CPressionCurve;

/// Step 3 of the scheme of several shafts, each with an exhaust and a supply opening joined by a short
/// passage, combined with jet fans in the ventilation sections between them. Step 2 shows it modally and
/// unloads it when the modal call returns. All working data lives in the three lists and the boxes, as text;
/// the window keeps them in the project's `.msj` file. Controls and operations are public: the group dialog,
/// the curve and the report read and drive what the window holds.
class frmMultiShaftAndJet : public platform::UserForm {
public:
    frmMultiShaftAndJet();
    ~frmMultiShaftAndJet() override;

    // ---- Public operations ----
    /// Appends the group in the entry boxes of page 3 and orders the list.
    void cmdAdd_Click();
    /// Appends the groups (station, fans, rise) one after another, the list ordered after each as "添加"
    /// orders it; the group dialog lays out a section through it.
    void AddGroups(const std::vector<std::array<std::string, 3>>& groups);
    /// Shows a section row in the section boxes and sizes its jet fans (Item is to be the selected row).
    void lstShaftSection_ItemClick(platform::ListItem& Item);
    /// Writes the lists and boxes into the project's `.msj` file; false when it could not be written (an
    /// unnamed project writes nothing).
    bool SaveFile();

    // ---- Window events ----
    void UserForm_Initialize() override;
    void UserForm_QueryClose() override;
    void cmdBack_Click();

    // Shaft list editing (page 1).
    void txtQe_Change();
    void txtQb_Change();
    void cmbCounte_Change();
    void cmbCountb_Change();
    void cmdAddShaft_Click();
    void cmdUpdateShaft_Click();
    void cmdDeleteShaft_Click();
    /// Copies a shaft row into the boxes of page 1 and shows the short-passage ratios (also called by the
    /// shaft fan design and the report, row by row).
    void lstShaft_ItemClick(platform::ListItem& Item);

    // Sections, design flow and section pressures.
    void cmdShaftSection_Click();

    // Shaft fan design.
    void cmdAxialFanDesign_Click();
    void cmdCalpde_Click();
    void cmdCalpdb_Click();

    // Jet fans of a section and their groups.
    void cmbJetModel_Change();
    void txtZZ_j_Change();
    void cmdUpdate_Click();
    void cmdDelete_Click();
    void cmdClearAll_Click();
    void lstJet_ItemClick(platform::ListItem& Item);
    void cmdAutoLayout_Click();

    // Curve and report.
    void cmdDrawPressCurve_Click();
    void cmdReport_Click();

    // ---- Steps of the section calculation (cmdShaftSection_Click runs them in this order) ----
    /// Step 1: the jet-fan model of every current section row, as its cell names it ("" for none).
    std::vector<std::string> RememberSectionModels();
    /// Step 2: rebuilds the section rows from the shaft list. False (after saying why) when the shafts do not
    /// form sections: stations not ascending, a negative ds, a passage outside the tunnel or overlapping.
    bool FormSections();
    /// Step 3 and 4: required air of every row ("0.00") for the case of step 2, then the override by the
    /// air-change demand. Returns the total required air, unrounded.
    double SectionDemands();
    /// Step 5: the design flow of the first section, given or searched from the total required air. False
    /// when the search failed (said); the handler then ends.
    bool FindDesignFlow(double totalQreq);
    /// Step 6: resistance, natural-wind and traffic pressures of every row.
    void SectionPressures();
    /// Step 7: the pressure rises at every shaft's openings.
    void OpeningRises();
    /// Step 8: the jet fans of every row from the models remembered in step 1.
    void SectionJetFans(const std::vector<std::string>& models);

    /// What the section flow trial reads of the lists: each row's demand and middle area, each shaft's
    /// flows, and the line.
    struct TrialInputs {
        std::vector<multishaft::TrialRow> Rows;
        std::vector<multishaft::TrialShaft> Shafts;
        bool LeftLine = false;
    };
    TrialInputs ReadTrialInputs();
    /// The section flow trial: writes columns 3 to 7 of every row from the first section's flow; true when
    /// no concentration exceeds its admissible value.
    bool TrySectionFlows(double flow);
    /// The same on inputs read before, as the search reads them once for all its trials.
    bool TrySectionFlows(const TrialInputs& in, double flow);
    /// Builds the pressure, speed and concentration curves into a new PressionCurve and draws those whose
    /// flag is set.
    void BuildPressureCurve(bool bDrawPressCurve, bool bDrawVCurve, bool bDrawCCurve);
    double GetFlowAtPile(double dPile);
    double GetVelocityAtPile(double dPile);

    // ---- Controls ----
    platform::MultiPage pgMain;

    // Outside the pages.
    platform::CommandButton cmdBack, cmdDrawPressCurve, cmdReport;

    // Page 1 "竖井及风机信息".
    platform::ListView lstShaft;
    platform::TextBox txtShaftPile, txtds;
    platform::CommandButton cmdAddShaft, cmdDeleteShaft, cmdUpdateShaft, cmdShaftSection;
    platform::Frame fraExhaust; // 排风
    platform::TextBox txtQe;
    platform::ComboBox cmbCounte;
    platform::TextBox txtQQ_e, txtAA_e, txtv_e, txtKK_e, txtdeltap_e, txtZeta_fencha;
    platform::TextBox txtp_de;
    platform::CommandButton cmdCalpde;
    platform::TextBox txtp_se, txtp_tote, txtt1_e, txtp1_e, txteta_e, txtSSkw_e, txtetam_e, txtk_e, txtMM1_e;
    platform::CommandButton cmdAxialFanDesign;
    platform::Frame fraSupply; // 送风
    platform::TextBox txtQb;
    platform::ComboBox cmbCountb;
    platform::TextBox txtQQ_b, txtAA_b, txtv_b, txtKK_b, txtbeta, txtdeltap_b, txtZeta_heliu;
    platform::TextBox txtp_db;
    platform::CommandButton cmdCalpdb;
    platform::TextBox txtp_sb, txtp_totb, txtt1_b, txtp1_b, txteta_b, txtSSkw_b, txtetam_b, txtk_b, txtMM1_b;
    platform::Frame fraPassage; // 短道回流
    platform::TextBox txtratio_Qe_Qr1, txtratio_Qb_Qr2;

    // Page 2 "通风区段".
    platform::ListView lstShaftSection;
    platform::TextBox txtPile1, txtPile2, txtQQ_req, txtQQ_r, txtQQ_f, txtv_r, txtCC_1, txtCC_2, txtPP_1,
        txtPP_2, txtdeltap_r, txtdeltap_m, txtdeltap_t;
    platform::CheckBox chkKnowQr1;
    platform::TextBox txtCertanQr1, txtTotalPower;
    platform::Frame fraJet; // 射流风机配置
    platform::ComboBox cmbJetModel;
    platform::TextBox txtFlow, txtDD_j, txtAA_j, txtvj, txtPower, txtdeltap_j, txtjetcount;
    platform::Label lblJetNote; ///< why the section needs no jet fan, or why no count can be given
    platform::Frame fraJetPosition;
    platform::TextBox txtZZ_j, txteta;
    platform::Image imgJet;

    // Page 3 "射流风机布置".
    platform::ListView lstJet;
    platform::TextBox txtPile, txtJetNumPerTeam, txtPress;
    platform::CommandButton cmdAdd, cmdDelete, cmdUpdate, cmdAutoLayout, cmdClearAll;
    platform::Image imgScheme;

    // Beside the buttons under the pages.
    platform::Label lblTip; ///< what the engineer should know of the last step that changed his lists

    // ---- Working values kept between operations ----
    /// Entrance loss coefficient of the section resistances; 0 until a section calculation sets it.
    double zeta_rukou = 0;
    /// Branch and merge loss coefficients of the section being computed.
    double zeta_fencha = 0, zeta_heliu = 0;
    /// Events (station, pressure change) and the three curves of the last build.
    std::vector<std::array<double, 2>> EventPoints;
    jetfan::CurvePointArray PressPoints, VPoints, CPoints;
    /// The curve of the last completed build; none before the first.
    std::unique_ptr<CPressionCurve> PressionCurve;

private:
    /// The section boxes of page 2 from a section row, as they stand.
    void ShowSectionRow(const platform::ListItem& Item);
    /// The data of the model in cmbJetModel, its outlet area and speed and the position factor; with no
    /// model, none. `kept`: the flow, Dj and power a stored rise was computed with, shown instead of the
    /// catalogue's.
    void ShowJetModelData(const std::array<std::string, 3>* kept = nullptr);
    /// After opening: the section whose rise and count the saved jet-fan boxes hold, shown as stored.
    void ShowStoredSection();
    /// The boxes of one jet-fan group row.
    jetfan::GroupBoxes groupBoxes();
    /// Reads the project's `.msj` file, or the template `configfiles\normal.msj`, into the lists and boxes.
    void OpenFile();
    /// From a template opened for a tunnel other than its own: its inputs only. The fan data typed for its
    /// first shaft go into the shaft boxes, without station or results; its jet-fan model, shown with its
    /// data, and the hanging height into the jet-fan frame; nothing of its lists or results.
    void OpenTemplateInputs(const multishaft::MsjFile& msj);
    /// Removes the jet-fan groups that lie in no section row and names them in the hint (emptied when all
    /// lie in one).
    void DropGroupsOutsideSections();
    /// The hint line: the groups last removed, then what the groups of each section hold against the fans
    /// and the rise of one fan its row shows.
    void showGroupsTip();
    /// What the groups of each section hold against the fans and the rise of one fan its row shows; ""
    /// when they agree.
    std::string groupsJudgement();
    std::string droppedTip_;
    /// What the catalogue now holds otherwise than the jet-fan data the rows' rises were computed with; ""
    /// when nothing differs.
    std::string catalogueChangeNote();
    /// The jet-fan data (flow, Dj, power) each section row's rise was computed with, in row order; empty
    /// texts where none is known.
    std::vector<std::array<std::string, 3>> sectionModels_;
    /// What opening the file said of step 2's inputs since its results; it follows the groups' line.
    std::string openingStep2Hint_;
    /// Empties every result the shaft fan design writes, in the rows, the shaft boxes and the total.
    void ClearFanDesign();
    /// The shaft boxes the fan design writes, those of its columns of a shaft row.
    std::vector<platform::TextBox*> fanDesignBoxes();
    void buildControls();
    void connectEvents();
    /// The boxes of page 1 in the column order of lstShaft (columns 1 to 38); columns 36 and 38 are combos.
    void shaftRowFromBoxes(platform::ListItem& row);

    /// The section row the file says was shown when the window was left; 0 when it does not say.
    long long storedSection_ = 0;
    /// Step 2's inputs the results shown were computed with; nullopt for stored ones of unknown inputs.
    std::optional<ventparam::Step2Inputs> computedUnder_;
    /// Empties the results of a file computed under other inputs of step 2 than those it opens under, and
    /// gives the hint that names them ("" when they are the same or unknown).
    std::string forgetResultsOfOtherStep2(multishaft::MsjFile& msj, bool resultsShown);
    /// Set when the window holds a template's inputs without its sections: the first sections formed take
    /// the model shown in the jet-fan frame, the short passages none.
    bool modelsFromFrame_ = false;
    platform::Layout layout_;
};
