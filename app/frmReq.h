// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/design_years.h"
#include "app/modPublic.h"
#include "platform/FileDialog.h"
#include "platform/Form.h"
#include "platform/controls.h"
#include "platform/layout.h"
#include "platform/vb.h"
#include "reqair/segments.h"

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace reqair {
struct DesignConcentrationInput;
struct OneWayInput;
struct OneWaySegmentTexts;
struct TwoWayInput;
class ReportText;
struct SegmentDemandMemo;
} // namespace reqair
namespace ventparam {
struct IndexedStations;
} // namespace ventparam
namespace scheme {
class SchemeWriter;
} // namespace scheme

/// The main window: the project lives in the controls of its seven pages. Other windows read its
/// controls and call its public operations directly, so controls and handlers are public. The handlers
/// of each area are defined in the source file of the folder that owns the area.
class frmReq : public platform::Form {
public:
    frmReq();
    ~frmReq() override;

    /// The project's name as the main window shows it, for the head of a report; empty when the window
    /// cannot give it.
    static std::string ReportProjectName();

    // ---- Public members, in the order of the window's public interface ----
    double delta = 0;     ///< design CO concentration, one-way case [ppm]
    double KK = 0;        ///< design smoke concentration K, one-way case [1/m]
    double QQ_CO = 0;     ///< CO emission of the whole tunnel, one-way case [m³/s]
    double q_CO = 0;      ///< base CO emission qco
    double f_a = 0;       ///< vehicle-condition coefficient fa (CO)
    double f_d = 0;       ///< vehicle-density coefficient fd
    double QQ_req_CO = 0; ///< required air for CO [m³/s]; also the demand of each segment during a run
    double f_h = 0;       ///< altitude coefficient fh (CO)
    double f_iv = 0;      ///< slope and speed coefficient fiv (CO)
    double q_vi = 0;      ///< base smoke emission qvi
    double f_a_vi = 0;    ///< fa for smoke
    double f_h_vi = 0;    ///< fh for smoke
    double f_iv_VI = 0;   ///< fiv for smoke
    double QQ_VI = 0;     ///< smoke emission of the whole tunnel [m²/s]
    double QQ_req_VI = 0; ///< required air for smoke [m³/s]; also the demand of each segment during a run
    double workv_t = 0;   ///< working speed of the one-way case [km/h]
    double nn_co = 0;     ///< CO-equivalent vehicle count of the design hour
    double nn_vi = 0;     ///< smoke-equivalent vehicle count of the design hour
    vb::Integer lightmode = 0;     ///< light source: position in lstLightModel (0 sodium, 1 fluorescent)
    bool bShowSectionQreq = false; ///< true while the stretch air-demand dialog is open

    // ---- Public operations, in the order of the window's public interface ----
    void RefreshQQ();
    /// Brings the totals of pages 4 to 7 to those of the inputs as they stand, computed with the pickers as
    /// the pages show them (or would, shown now); what every reader of the totals runs first. Nothing is
    /// computed when no input changed since the totals were last brought up to date or read with a project.
    void UpdateTotals();
    void lstCalSegment_ItemClick(platform::ListItem& Item);
    void cmdCalculateQQ_CO_Click(vb::Integer iSegmentIndex = -1, double dvt = -1);
    /// One-way demand of the tunnel at a working speed [km/h], the larger of CO and smoke as the page's
    /// boxes would show them [m³/s]; computed from the pages without changing any of them.
    double OneWayDemandAt(double dvt);
    void cmdCalculateQQ_bidrection_Click(vb::Integer iSegmentIndex = -1);
    /// Two-way demand of the tunnel at a working speed [km/h], the larger of CO and smoke as page 5's
    /// boxes would show them [m³/s]; computed from the pages without changing any of them.
    double TwoWayDemandAt(double speed);
    void cmdCalculateQQ_block_Click();
    void lstSlope_ItemClick(platform::ListItem& Item);
    void lstSection_ItemClick(platform::ListItem& Item);
    void lstTraffic_ItemClick(platform::ListItem& Item);
    void lstblock_ItemClick(platform::ListItem& Item);
    void cmdCalculateTraffic_Click();
    /// −1 stands for the tunnel start station.
    void CalQQ_req_exchange(double dFirePile = -1);
    void txtBiDirection_Change();
    void txtDescRatio_Change();
    void txtElevation_Change();
    void RefreshData(bool bIsSave);
    void OpenFile();
    void ReadParameter();
    void SaveFile();
    double GetTunnelLength();
    double GetDelta(vb::Integer iCaseID = 1);
    double GetKK(double dv, vb::Integer iCaseID = 1);
    double GetUpRatio();
    /// The stretch's demand by CO and by smoke is added to *dSectionQco and *dSectionQvi when given. In
    /// case 4 the caller's dsp and dep are put in order and cut to the 1 km window.
    double GetSectionQreq(double& dsp, double& dep, vb::Integer iCaseID = 1, double* dSectionQco = nullptr,
                          double* dSectionQvi = nullptr);
    /// The same for stations that are values (a box's number, a constant): nothing is written back.
    double GetSectionQreq(const double& dsp, const double& dep, vb::Integer iCaseID = 1,
                          double* dSectionQco = nullptr, double* dSectionQvi = nullptr);
    double GetExchangeSectionQreq(double dsp, double dep);
    double GetTotalDeltap_m(double dzeta_e, double dlambda_r, double dro, double dv_n);
    double GetRUKOUDeltap_m(double dzeta_e, double dro, double dv_n);
    double GetTotalDeltap_r(double dzeta_e, double dlambda_r, double dro, double dv_r);
    double GetYANCHENGDeltap_r_m(double dsp, double dep, double dlambda_r, double dro, double dQQ_r,
                                 vb::Integer iSectionType = 1, double dzeta_rukou = 0.6,
                                 double dzeta_fencha = 0.28, double dzeta_heliu = 0.7);
    double GetRUKOUDeltap_r(double dzeta_e, double dro, double dv_r);
    double Getr_1(vb::Integer iCaseID);
    double GetYANCHENGDeltap_t1(double dsp, double dep, double dQQ_r, double dAA_m, double drho = 1.2,
                                vb::Integer iCaseID = 1, bool bIsReverse = false);
    double GetYANCHENGDeltap_t2(double dsp, double dep, double dQQ_r, double dAA_m, double drho = 1.2,
                                bool bIsVrUpDirection = true);
    /// *dDr receives the equivalent diameter of the row found.
    double GetAA_r(double dPile, double* dDr = nullptr);
    double GetUU_r(double dPile);
    double GetSlope_i(double dPile);
    /// The stations strictly between the two where the slope list's rows begin or end, ascending.
    std::vector<double> GetSlopeChanges(double dsp, double dep);
    double GetWorkv_t(double dPile, vb::Integer iCaseID);

    /// While one lives, the slope, cross-section and congestion lists are read once, at their first use, and
    /// every segment cut works from that reading (and segment demands equal to the last bit are reused);
    /// when the last one goes the reading is dropped. For a calculation that cuts segments many times over:
    /// the lists cannot change under it, and an edit of a list in between is read again all the same. The
    /// station lookups need no hold: they keep their reading until a row of the lists changes.
    class HoldLists {
    public:
        // The outermost hold starts from a fresh reading: a reading kept from a lookup outside any hold may
        // be older than the lists, which code can fill without an edit handler.
        explicit HoldLists(frmReq& w) : w_(w) {
            if (w_.listHolds_++ == 0) {
                w_.dropLists();
            }
        }
        ~HoldLists() {
            if (--w_.listHolds_ == 0) {
                w_.dropLists();
            }
        }
        HoldLists(const HoldLists&) = delete;
        HoldLists& operator=(const HoldLists&) = delete;

    private:
        frmReq& w_;
    };
    /// Forgets the lists read for the segment cuts and station lookups; the next one reads them anew.
    void dropLists();

    // ---- Window events ----
    void Form_Load() override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;
    void pgMain_Click();

    // Menus and toolbar.
    void mnuFileNew_Click();
    void mnuFileOpen_Click();
    void mnuFileSave_Click();
    void mnuFileSaveAs_Click();
    void mnuFileExit_Click();
    /// Whether a save would write other bytes than the project's files hold (for an unnamed project:
    /// the template's files, which it was read from): what New, Open, Exit and the close box ask about.
    bool projectDiffersFromDisk();
    void mnuToolsmnuFire_Click();
    void mnuToolsmnuConstructionVent_Click();
    void mnuLighting_Click();
    void mnuToolsmnuFanPowerAnalysis_Click();
    void mnuToolsmnuJetDB_Click();
    void mnuToolSectionQreq_Click();
    void mnuSectionPressure_Click();
    void mnuJetPressure_Click();
    void mnuToolReport_Click();
    void mnuHelpContents_Click();
    void mnuHelpAbout_Click();
    void tbToolBar_ButtonClick(platform::ToolbarButton& Button);
    /// The toolbar's dispatch on a button key: "新建", "打开", "保存"; any other key does nothing.
    void tbToolBar_Dispatch(const std::string& key);

    // Slopes, cross-sections and the segment table (page 2).
    void cmdAddSlope_Click();
    void cmdDeleteSlope_Click();
    void cmdUpdateSlope_Click();
    void cmdAddSection_Click();
    void cmdDeleteSection_Click();
    void cmdUpdateSection_Click();
    void txtSectionArea_Change();
    void txtSectionPerimeter_Change();
    void cmdRefreshSegment_Click();

    // Design years and vehicle mix (pages 3 and 5).
    void cmdAdd_Click();
    void cmdDelete_Click();
    void cmdUpdate_Click();
    void chkRatioNotSame_Click();
    void lstTrafficAnalysis_ItemClick(platform::ListItem& Item);
    void cmdRefreshTraffic_Click();
    void optBiDirectionMethod1_Click();
    void optBiDirectionMethod2_Click();
    void txtYear_Change();
    /// Shows the mix of sYear in the class table and runs the traffic analysis.
    void LoadVehicleMix(const std::string& sYear);

    // Congestion blocks (page 6).
    void cmdAddBlock_Click();
    void cmdDeleteBlock_Click();
    void cmdUpdateBlock_Click();
    /// The row the block editor shows (from 1), 0 when it shows none; its demand boxes show that row's.
    int blockEditorRow_ = 0;
    void showBlockEditorDemand();
    void blockEditorRowRemoved(int removed);

    // Basic information page and input switches.
    void chkBlock_Click();
    void chkDelta_Click();
    void chkDeltaBi_Click();
    void chkDeltaBlock_Click();
    void chkKK_Click();
    void chkKKBi_Click();
    void chkKKBlock_Click();
    void chkPetrol_Click();
    void chkTrafficTotal_Click();
    void cmbRoadClass_Change();
    void cmbvt_Change();
    void txtDescYear_Change();
    void lstCOModel_Click();
    void lstLightModel_Click();
    /// Brings the base emissions to the design year in `txtYear` (what `txtDescRatio_Change` runs); for
    /// every handler that changes the rate, the start year or the design year.
    void RefreshEmissionAtYear();

    // Required air of pages 4 to 7.
    void lstYear_ItemClick(platform::ListItem& Item);
    void sclVt_Change();
    void cmdCalQQ_req_exchange_Click();
    void optCrMehthod_Click(int Index);
    void optQsMethod1_Click(int Index);

    // Hand-off to step 2.
    void cmdNextStep_Click();

    // Status-bar help on mouse moves.
    void txtStartPile_MouseMove();
    void Frame10_MouseMove();
    void Frame11_MouseMove();
    void Frame12_MouseMove();
    void Frame13_MouseMove();
    void cmdAdd_MouseMove();
    void txtMainDirectionRatio_MouseMove();
    void chkPetrol_MouseMove();
    void txtq_co_at_Year_MouseMove();
    void txtq_VI_at_Year_MouseMove();
    void chkDelta_MouseMove();
    void chkKK_MouseMove();
    void chkDeltaBi_MouseMove();
    void chkKKBi_MouseMove();

    // ---- Calculation segments (private to the window's own calculations) ----
    /// Cuts the tunnel between dsp and dep (−1: tunnel start and end, written back) at every change of
    /// slope, section or speed and at extraPiles, into CalSegments.
    void BuildSegments(const std::vector<double>& extraPiles, vb::Integer iCaseID, double& dsp, double& dep,
                       double dQ, bool bIgnored);
    /// Smoke flow Qs by the critical velocity of formula `method` at the fire station [m³/s].
    double GetCriticalVelocity(int method, double& dFirePile);

    // ---- Window state ----
    /// 0-based index of the page frame now shown.
    int iCurrentPage = 0;
    /// Calculation segments, 1-based; refilled by every BuildSegments.
    modPublic::OneBased<reqair::CalSegment> CalSegments;
    /// Distinct break stations of the last BuildSegments, sorted ascending, 1-based.
    modPublic::OneBased<double> BreakPiles;
    /// Boundary stations of the congestion blocks, 1-based; scratch of the segment building and the
    /// stretch resistance.
    modPublic::OneBased<double> BlockPiles;
    /// One vehicle mix for all years ("AnyYear"), or one per design year.
    std::vector<app::VehicleMixRecord> VehicleMixes;

    // ---- Menus and toolbar ----
    platform::Menu mnuFile, mnuFileNew, mnuFileOpen, mnuFile0, mnuFileSave, mnuFileSaveAs, mnuFile2,
        mnuFileExit;
    platform::Menu mnuModule, mnuToolsmnuFire, mnuToolsmnuConstructionVent, mnuLighting;
    platform::Menu mnuToolS, mnuToolsmnuFanPowerAnalysis, mnuToolsmnuJetDB, mnuTool2, mnuToolSectionQreq,
        mnuSectionPressure, mnuJetPressure, mnuTool3, mnuToolReport;
    platform::Menu mnuHelp, mnuHelpContents, mnuHelpAbout;
    platform::Toolbar tbToolBar;
    /// The file dialog shared by Open and Save As; it offers the file name of its last use again.
    platform::FileDialog dlgFile;

    // ---- Window frame ----
    platform::TabStrip pgMain;
    platform::ControlArray<platform::Frame> frmList;
    /// The window's one width on every page [twips]: the page area of pages 4 to 6 and the picker
    /// column beside it, which the other pages take for themselves.
    static constexpr int kWidth = 16320;
    platform::Label lblYear, lblSegment, lblvt;
    platform::ListView lstYear, lstCalSegment;
    platform::ScrollBar sclVt{platform::ScrollBar::Horizontal};
    platform::CommandButton cmdNextStep;
    platform::StatusBar sbStatusBar;

    // ---- Page 1: basic information ----
    platform::TextBox Text1, Text2, Text3, Text4, Text5, Text6;
    platform::TextBox txtProjectName, txtProjectDiscribe;
    platform::Frame Frame1; // "左线or右线"
    platform::OptionButton optLeftLine, optRightLine;
    platform::ComboBox cmbRoadClass, cmbvt;
    platform::TextBox txtElevation, txtRHO, txtTT, txtP, txtCO_in_Air;
    platform::Frame Frame2; // "基准排放量及折减"
    platform::TextBox txtq_co, txtDescRatio, txtDescYear, txtq_VI;
    platform::TextBox txtName1, txtName2, txtName3;

    // ---- Page 2: slopes, cross-sections, segments ----
    platform::TextBox txtStartPile;
    /// Names a tunnel longer than any road tunnel, in red: a station typed wrong.
    platform::Label lblTunnelLength;
    platform::Frame Frame3; // slopes
    platform::ListView lstSlope;
    platform::TextBox txtSlopePile, txtSlopeRatio;
    platform::CommandButton cmdAddSlope, cmdDeleteSlope, cmdUpdateSlope;
    platform::Frame Frame4; // cross-sections
    platform::ListView lstSection;
    platform::TextBox txtSectionPile, txtSectionArea, txtSectionPerimeter, txtSectionD;
    platform::CommandButton cmdAddSection, cmdDeleteSection, cmdUpdateSection;
    platform::Frame Frame5; // calculation segments
    platform::ListView lstSegment;
    platform::CommandButton cmdRefreshSegment;

    // ---- Page 3: traffic ----
    platform::Frame Frame6; // design years
    platform::ListView lstTraffic;
    platform::TextBox txtYear, txtPcu;
    platform::CommandButton cmdAdd, cmdDelete, cmdUpdate;
    platform::TextBox Text10;
    platform::TextBox txtTrafficRatio, txtMainDirectionRatio, txtPCUVeh, txtTraffic1, txtTraffic2, txtNN;
    platform::CheckBox chkTrafficTotal, chkPetrol, chkRatioNotSame;
    platform::TextBox txtPetrol;
    platform::ListView lstTrafficAnalysis;
    platform::Label lblTrafficType;
    platform::TextBox txtRatio1, txtRatio2, txtRatio3;
    platform::CommandButton cmdRefreshTraffic, cmdCalculateTraffic;

    // ---- Page 4: one-way traffic ----
    platform::Frame Frame12; // "基本参数"
    platform::TextBox txtq_co_at_Year, txtDelta, txtworkv_t, txtq_VI_at_Year, txtKK;
    platform::ListBox lstCOModel, lstLightModel;
    platform::CheckBox chkDelta, chkKK;
    platform::Frame Frame7;  // "区段需风量计算"
    platform::Frame Frame8;  // "稀释CO新风量"
    platform::Frame Frame10; // "稀释烟尘的新风量"
    platform::TextBox Text8, Text9;
    platform::TextBox txtf_a, txtf_d, txtf_h, txtf_iv, txtQQ_CO_SEGMENT, txtQQ_req_CO_SEGMENT;
    platform::TextBox txtf_a_VI, txtf_h_VI, txtf_iv_VI, txtQQ_VI_SEGMENT, txtQQ_req_VI_SEGMENT;
    platform::Frame Frame11; // "全长需风量计算"
    platform::TextBox txtQQ_CO, txtQQ_req_CO, txtQQ_VI, txtQQ_req_VI;
    /// Names the segments whose demand could not be computed and counts 0; empty when all could.
    platform::Label lblWarning4;

    // ---- Page 5: two-way traffic ----
    platform::Frame Frame14; // "基本参数"
    platform::ComboBox cmbWorkVt_Bidirection;
    platform::Frame Frame13; // "设计浓度"
    platform::CheckBox chkDeltaBi, chkKKBi;
    platform::TextBox txtDelta_Bi, txtKK_Bi;
    platform::OptionButton optBiDirectionMethod1, optBiDirectionMethod2;
    platform::TextBox txtBiDirection;
    platform::ListBox lstAllowVechileType;
    platform::TextBox txtNN_bidirection;
    platform::Frame Frame15; // "区段需风量计算"
    platform::TextBox txtQQ_req_CO_Bidirection_SEGMENT, txtQQ_req_VI_Bidirection_SEGMENT;
    platform::Frame Frame16; // "全长需风量计算"
    platform::TextBox txtQQ_req_CO_Bidirection, txtQQ_req_VI_Bidirection;
    /// Names the segments whose demand could not be computed and counts 0; empty when all could.
    platform::Label lblWarning5;

    // ---- Page 6: congestion ----
    platform::Frame frmBlock;
    platform::ListView lstBlock;
    platform::TextBox txtBlockLen;
    platform::ComboBox txtBlockVt;
    platform::TextBox txtQQreq_CO_block, txtQQreq_VI_block;
    platform::CommandButton cmdAddBlock, cmdDeleteBlock, cmdUpdateBlock;
    platform::Frame Frame17; // "设计浓度"
    platform::CheckBox chkDeltaBlock, chkKKBlock;
    platform::TextBox txtDelta_block, txtKK_block;
    platform::Frame Frame18; // "全程阻滞需风量"
    platform::TextBox txtQQ_req_CO_block, txtQQ_req_VI_block;
    platform::Frame Frame19; // "按规范1km阻滞需风量"
    platform::CheckBox chkBlock;
    platform::TextBox txtBlockStartPile, txtBlockEndPile;
    platform::TextBox txtQQ_req_CO_1kmblock, txtQQ_req_VI_1kmblock;
    /// Names the full-length and 1 km demands that have a segment counted 0 because its demand could not
    /// be computed; empty when all could.
    platform::Label lblWarning6;
    platform::Image Picture1;

    // ---- Page 7: air changes and fire ----
    platform::Frame Frame20; // "按换气次数要求计算"
    platform::Label Label69;
    platform::TextBox txtExchangeNum, txtQQ_req_exchange;
    platform::CommandButton cmdCalQQ_req_exchange;
    platform::Frame Frame21; // "火灾工况需风量计算"
    platform::TextBox txtFireLabel2;
    platform::TextBox txtHRR, txtAT;
    platform::Frame Frame22; // "计算方法"
    platform::ControlArray<platform::OptionButton> optQsMethod1;
    platform::ControlArray<platform::Frame> frmQsMethod;
    platform::ControlArray<platform::OptionButton> optCrMehthod;
    platform::TextBox Text11;
    platform::TextBox txtTunnelH, txtvcr;
    platform::TextBox txtFireLabel;
    platform::TextBox txtFireSize, txtPerimeter, txtCH, txtDSL, txtHOR, txtMPRS, txtPRL, txtCHO, txtTSLA,
        txtST;
    platform::Label lblAirDensity;
    platform::TextBox txtAD, txtQs;

private:
    void buildMenus();
    void buildFrame();
    void buildPage1();
    void buildPage2();
    void buildPage3();
    void buildPage4();
    void buildPage5();
    void buildPage6();
    void buildPage7();
    /// The picker column and the next-step button, placed after the pages.
    void buildPickers();
    void connectEvents();
    /// Shows page 2's line on a tunnel longer than any road tunnel, or hides it.
    void showTunnelLengthWarning();
    void writeLabelBoxTexts();
    // File commands: each says whether the project is on disk afterwards (false: cancelled or failed).
    bool writeProjectFiles();
    /// What a save would write now into the .req and the .vnt file.
    scheme::SchemeWriter requirementFileContents();
    scheme::SchemeWriter fanListFileContents();
    /// Before a save: refuses a fan number GBK cannot store and asks about other such texts; false when
    /// the save must not go on.
    bool confirmStorableTexts();
    enum class FileRead { Whole, Damaged, Missing };
    /// Reads a .req file into the window. A missing file is read as empty texts only when asked (the
    /// template at start-up), else it leaves the window as it is.
    FileRead readRequirementFile(const std::string& path, bool emptyWhenMissing);
    /// What the last OpenFile found wrong with the project's files (their paths), for Open to say.
    struct ReadFaults {
        std::vector<std::string> missing, damaged;
    } readFaults_;
    bool saveProject();
    bool saveProjectAs();
    /// Before the project is left (New, Open, Exit, the close box): when it differs from its files, asks
    /// whether to save it; false when the user cancelled or a save the user asked for did not happen.
    bool askSaveBeforeLeaving();
    /// After a project is read: the first row of the year, slope, section, segment and congestion-block
    /// lists selected with its handler run, then the traffic computed; each step guarded on its own.
    void showFirstRows();
    /// The δ/K switches and typed values of the three traffic cases, the CO and smoke models and the tunnel
    /// length, as the pages show them now: what GetDelta, GetKK and the required-air runs read.
    reqair::DesignConcentrationInput concentrationInput();
    /// The one-way page's inputs at a working speed (kOwnSpeed: each segment's own).
    reqair::OneWayInput oneWayInput(vb::Integer iSegmentIndex, double dvt);
    /// The two-way page's inputs at a working speed.
    reqair::TwoWayInput twoWayInput(vb::Integer iSegmentIndex, double speed);
    /// The CO and the smoke demand of a required-air frame on one row, each caption beside its result box.
    void demandRow(platform::Container& parent, platform::TextBox& co, platform::TextBox& vi, int top);
    /// While the stretch dialog is open: its stretch's demand in the traffic case (1 one-way, 2 two-way,
    /// 3 congestion) written into it, or its air-change demand.
    void ShowSectionQreq(vb::Integer iCaseID);
    void ShowExchangeSectionQreq();
    // Sections of the required-air report, in the order of the report; each writes the boxes as the
    // window's calculations leave them, the four that recalculate first running their page's handler.
    void WriteReportBasicInfo(reqair::ReportText& r);
    void WriteReportTrafficAnalysis(reqair::ReportText& r);
    void WriteReportTrafficVolume(reqair::ReportText& r);
    void WriteReportNormalQreq(reqair::ReportText& r);
    void WriteReportBidirectionalQreq(reqair::ReportText& r);
    void WriteReportJamQreq(reqair::ReportText& r);
    void WriteReport1kmJamQreq(reqair::ReportText& r);
    void WriteReportExchangeQreq(reqair::ReportText& r);
    void WriteReportFireQreq(reqair::ReportText& r);

    /// The slope, section and congestion lists by their leading numbers, and the station lists with their
    /// columns read strictly: the segment lists as held or read anew (see HoldLists), the station lists
    /// kept until a row of them changes; the boxes beside them are read on every call.
    reqair::TunnelLayout& segmentLists();
    const ventparam::IndexedStations& stationLists();
    int listHolds_ = 0;
    std::unique_ptr<reqair::TunnelLayout> heldLayout_;
    std::unique_ptr<ventparam::IndexedStations> heldStations_;
    std::array<unsigned long long, 3> heldRevisions_{};
    /// The segment demands of the last stretch, kept while the lists are held.
    std::unique_ptr<reqair::SegmentDemandMemo> heldDemands_;

    /// Whether the last GetSectionQreq run had a segment whose CO (smoke) demand could not be computed.
    bool sectionCOFailed_ = false;
    bool sectionVIFailed_ = false;
    /// What the last congestion demand counted 0; page 6's warning keeps it until the demand runs again.
    std::string congestionFailures_;
    /// Page 6's warning: how the blocks as they stand fit the tunnel, then congestionFailures_.
    void showPage6Warning();
    /// Recomputes `page` (4 to 6) as its pickers do when it is the page open; true when it ran. For an input
    /// whose change leaves the totals of the page beside it no longer theirs.
    bool recomputeOpenPage(int page);
    /// The event handler of such an input: `handler` (when given), then `page` recomputed when open.
    std::function<void()> recomputing(int page, void (frmReq::*handler)() = nullptr);
    /// After 添加, 删除 or 更新 of a congestion block: page 6 recomputed, or at least its warning renewed.
    void blockRowsChanged();
    /// While one lives no page is recomputed for a changed input: what the window's own calculations, the
    /// project reader and an input's own handler write into the pages is no change of the engineer's.
    class HoldRecompute {
    public:
        explicit HoldRecompute(frmReq& w) : w_(w) { ++w_.recomputeHolds_; }
        ~HoldRecompute() { --w_.recomputeHolds_; }
        HoldRecompute(const HoldRecompute&) = delete;
        HoldRecompute& operator=(const HoldRecompute&) = delete;

    private:
        frmReq& w_;
    };
    int recomputeHolds_ = 0;
    /// Shows the picker column (pages 4 to 6) or hides it (the other pages, which take its room).
    void showPickers(bool shown);
    /// Fills the picker column for page k (4 to 6) from the project: its years with the current one picked,
    /// its segments with page 2's picked, the working speed; `silently`: no picker's handler runs.
    void fillPickers(int k, bool silently);
    /// Every input that a total of pages 4 to 7 depends on, with the pickers, as one text.
    std::string totalsInputs();
    /// The inputs the totals were last brought up to date from, or read with; empty once a page's totals were
    /// computed from others.
    std::string totalsStamp_;
    /// The part of them that the year's traffic analysis reads, with the year picked.
    std::string trafficInputs();
    std::string trafficStamp_;
    /// The totals are taken as those of the inputs as they now stand (a project just read).
    void stampTotals();
    /// Before a page's totals are computed: they stay those of the stamp only when computed from its inputs
    /// (and page 4's at the speed its picker shows).
    void keepTotalsStamp(std::optional<double> oneWaySpeed = std::nullopt);
    /// After Open with page 4, 5 or 6 shown: the opened project's pickers and picked segment's figures,
    /// without a total recomputed.
    void showOpenedPickers();
    /// The segment the pages pick: page 4's or 5's picker while shown, else page 2's; -1 for none.
    vb::Integer pickedTotalsSegment();
    /// The picked segment's detail boxes of page 4, from the one-way calculation that picked it.
    void showOneWaySegmentDetail(const std::optional<reqair::OneWaySegmentTexts>& detail);
    /// The design year and the picked segment a project was saved with ("" : the first of each).
    std::string savedYear_, savedSegment_;
    platform::Layout layout_;
};

namespace modPublic {
/// Shows the hint of `sKey` from the help file in panel 1 of the main window's status bar; a key the file
/// lacks, or a missing file, leaves the panel as it was. The second argument is accepted and not used.
void ShowStatusHelp(const std::string& sKey, const std::string& unused = "");
/// A report or table just written: panel 1 of the main window's status bar names its file, and the file
/// opens in the text viewer when `open`, so that the engineer always learns where it went.
void ShowWrittenFile(const std::string& path, bool open);
} // namespace modPublic
