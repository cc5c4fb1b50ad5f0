// SPDX-License-Identifier: GPL-3.0-or-later
#include "fire/frmFire.h"

#include "app/companion_file.h"
#include "app/frmReq.h"
#include "app/geometry.h"
#include "app/guarded.h"
#include "app/modPublic.h"
#include "app/stored_text.h"
#include "fire/fire_file.h"
#include "fire/fire_scheme.h"
#include "jetfan/scheme_output.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "platform/vb.h"

#include <cmath>
#include <string>
#include <vector>

using app::guarded;
using platform::Forms;

namespace {

constexpr int kPitch = 390;
const char* const kTableName = "火灾设备控制表";
/// Above this natural wind [m/s] (the spinner's top) the table would run without end.
constexpr double kMaxTableWind = 10;
/// The line, and the box, of a table asked for without a fire point.
const char* const kNoFirePoint = "火灾位置列表中没有火灾点，火灾设备控制表未列出设备控制方案。";

frmReq& mainWindow() {
    return Forms::instance<frmReq>();
}

constexpr const char* kExtension = ".fir";

// A spinner set from code follows its box silently: its Change handler would rewrite the box with the
// whole number and so change the value the project holds (a fire size of 12.5 would become 12).
void followBox(platform::UpDown& spinner, double number) {
    if (const std::optional<vb::Integer> v = vb::CInt(number)) {
        spinner.setSilently(*v);
    }
}

std::vector<std::string> rowsOf(platform::ListView& list) {
    std::vector<std::string> rows;
    for (int i = 1; i <= list.ListItems.Count(); ++i) {
        rows.push_back(list.ListItems(i).Text());
    }
    return rows;
}

} // namespace

frmFire::frmFire() {
    buildControls();
    connectEvents();
}

void frmFire::buildControls() {
    using platform::Layout;
    Layout::window(*this, "火灾分析模块(适用于纵向排烟和半横向集中排烟模式)", 11400, 8400);
    const Layout::Column rows{.left = 120,
                              .labelWidth = 2130,
                              .boxWidth = 1255,
                              .pitch = kPitch,
                              .labelDrop = 30,
                              .labelHeight = platform::kBoxHeight};

    // Left column: the fire and the jet fans.
    int y = layout_.column(*this, rows.at(120, 2130, 1000), 120, {{"火灾规模(MW)", &txtMW, &lblMW}});
    udMW.place(*this, 3250, 120, 255, platform::kBoxHeight);
    udMW.setMin(5);
    udMW.setMax(100);
    udMW.setIncrement(5);
    udMW.setSilently(5);
    y = layout_.column(*this, rows, y,
                       {{"火灾需风量(m^3/s):", &txtQ, &lblQ},
                        {"射流风机型号:", &cmbJetModel, &lblJetModel},
                        {"位置摩阻损失折减系数", &txteta, &lbleta},
                        {"阻塞车辆数:", &txtBlockVehNum, &lblBlockVehNum}});
    // The boxes sit as far left as the longest caption allows, so that the model box shows the longest
    // model name whole and still ends short of the frames on the right.
    cmbJetModel.setWidth(1950);
    Layout::captioned(chkAirExpand, *this, "考虑空气升温后体积膨胀", 120, y, 4000);
    y += kPitch;
    layout_.column(*this, rows.at(120, 2780, 800), y, {{"空气吸热占火灾规模比例(%):", &txtRatio, &lblRatio}});
    udRatio.place(*this, 3700, y, 255, platform::kBoxHeight);
    udRatio.setMin(0);
    udRatio.setMax(100);
    udRatio.setIncrement(1);
    udRatio.setSilently(70);
    y += kPitch;
    Layout::captioned(chkTranverse, *this, "采用独立排烟道横向排烟", 120, y, 4000);
    y += kPitch;
    Layout::captioned(chkNaturalWind, *this, "考虑洞内自然风(洞口两端气压差)", 120, y, 4000);
    y += kPitch;
    Layout::captioned(chkUseJetOnly, *this, "仅利用射流风机进行气流控制", 120, y, 4000);
    chkUseJetOnly.setSilently(1);
    chkUseJetOnly.setEnabled(false);
    y += kPitch;

    Layout::frame(frmVentMode, *this, "通风模式", 120, y, 4000, 1260);
    Layout::captioned(optVentMode1, frmVentMode, "纯射流风机纵向通风", 120, 240, 3700);
    Layout::captioned(optVentMode2, frmVentMode, "单竖井", 120, 240 + platform::kBoxHeight, 3700);
    Layout::captioned(optVentMode3, frmVentMode, "多竖井", 120, 240 + 2 * platform::kBoxHeight, 3700);
    optVentMode1.setSilently(true);
    y += 1320;

    Layout::frame(Frame1, *this, "交通模式", 120, y, 4000, 1800);
    Layout::captioned(optTrafficMode1, Frame1, "单向交通", 120, 240, 1700);
    Layout::captioned(optTrafficMode2, Frame1, "双向交通", 1900, 240, 1700);
    optTrafficMode1.setSilently(true);
    Layout::frame(frmBidirectionVent, Frame1, "双向交通正常通风方向", 120, 620, 3760, 1060);
    Layout::captioned(optBDVentDirection1, frmBidirectionVent, "从小桩号到大桩号", 120, 240, 3400);
    Layout::captioned(optBDVentDirection2, frmBidirectionVent, "从大桩号到小桩号", 120,
                      240 + platform::kBoxHeight, 3400);
    optBDVentDirection1.setSilently(true);

    // Right part: natural wind, exhaust duct, the two station lists, the result and the buttons.
    const int x = 4300;
    Layout::frame(frmNaturalWind, *this, "洞内自然风方向", x, 120, 3300, 1400);
    Layout::captioned(optNaturalWindDirection1, frmNaturalWind, "从小桩号到大桩号", 120, 240, 3000);
    Layout::captioned(optNaturalWindDirection2, frmNaturalWind, "从大桩号到小桩号", 120,
                      240 + platform::kBoxHeight, 3000);
    optNaturalWindDirection1.setSilently(true);
    layout_.column(frmNaturalWind, rows.at(120, 1180, 1000), 900, {{"风速(m/s):", &txtvn}});
    udvn.place(frmNaturalWind, 2300, 900, 255, platform::kBoxHeight);
    udvn.setMin(0);
    udvn.setMax(100);
    udvn.setIncrement(5);
    udvn.setSilently(0);

    Layout::frame(frmExsmokeRange, *this, "横向排烟区段", x + 3400, 120, 3500, 1400);
    layout_.column(frmExsmokeRange, rows.at(120, 1280, 1800), 300,
                   {{"起始桩号:", &txtExsmokePile1}, {"终止桩号:", &txtExsmokePile2}});

    // The two station lists share one shape: the list, its entry box below, its buttons beside.
    struct Stations {
        platform::Frame& frame;
        const char* title;
        int left;
        platform::ListView& list;
        platform::TextBox& edit;
        platform::CommandButton &add, &del, &update;
    };
    for (const Stations& s :
         {Stations{frmLocation, "火灾位置列表", x, lstFireLoc, txtFirePile, cmdFireLocAdd, cmdFireLocDelete,
                   cmdFireLocUpdate},
          Stations{frmExsmokePile, "可用的排烟口桩号(包括进出洞口桩号)", x + 3400, lstExsmokePile,
                   txtExsmokePile, cmdExsmokeAdd, cmdExsmokeDelete, cmdExsmokeUpdate}}) {
        Layout::frame(s.frame, *this, s.title, s.left, 1620, 3300, 3900);
        s.list.place(s.frame, 120, 300, 2300, 2700);
        layout_.column(s.frame, rows.at(120, 640, 1660), 3100, {{"桩号:", &s.edit}});
        Layout::buttonColumn(s.frame, 2520, 300, 660, platform::kBoxHeight + 60,
                             kPitch - platform::kBoxHeight,
                             {{&s.add, "添加"}, {&s.del, "删除"}, {&s.update, "更新"}});
    }

    Layout::buttons(*this, x, 6960, 1500, 420, 200,
                    {{&cmdCollect, "收集信息"}, {&cmdControlScheme, "设备控制方案"}});
    Layout::buttons(*this, x + 5200, 6960, 1500, 420, 0, {{&cmdClose, "关闭(&C)"}});
    // Above the buttons, but the last stop of Tab: it only shows the result of a click.
    txtResult.place(*this, x, 5620, 6700, 1200);
    txtResult.setMultiLine(true);

    // The initial states follow the enabling rules: no expansion, no duct, no wind, one-way traffic.
    chkAirExpand_Click();
    chkNaturalWind_Click();
    chkTranverse_Click();
    optTrafficMode1_Click();
}

void frmFire::connectEvents() {
    // The window keeps the button face, but every box of it holds a number it computes with.
    platform::Layout::entries({.numbers = {&txtMW, &txtQ, &txteta, &txtBlockVehNum, &txtRatio, &txtvn,
                                           &txtExsmokePile1, &txtExsmokePile2, &txtFirePile, &txtExsmokePile},
                               .textLists = {&cmbJetModel}});
    // A station far beyond any tunnel is a typo: marked where it is typed.
    for (platform::TextBox* box : {&txtFirePile, &txtExsmokePile}) {
        box->setRangeCheck(app::station_range_problem);
    }
    platform::Connect(chkAirExpand.Click, this, &frmFire::chkAirExpand_Click);
    platform::Connect(chkNaturalWind.Click, this, &frmFire::chkNaturalWind_Click);
    platform::Connect(chkTranverse.Click, this, &frmFire::chkTranverse_Click);
    platform::Connect(cmdClose.Click, this, &frmFire::cmdClose_Click);
    platform::Connect(cmdCollect.Click, this, &frmFire::cmdCollect_Click);
    platform::Connect(cmdControlScheme.Click, this, &frmFire::cmdControlScheme_Click);
    platform::Connect(cmdExsmokeAdd.Click, this, &frmFire::cmdExsmokeAdd_Click);
    platform::Connect(cmdExsmokeDelete.Click, this, &frmFire::cmdExsmokeDelete_Click);
    platform::Connect(cmdExsmokeUpdate.Click, this, &frmFire::cmdExsmokeUpdate_Click);
    platform::Connect(cmdFireLocAdd.Click, this, &frmFire::cmdFireLocAdd_Click);
    platform::Connect(cmdFireLocDelete.Click, this, &frmFire::cmdFireLocDelete_Click);
    platform::Connect(cmdFireLocUpdate.Click, this, &frmFire::cmdFireLocUpdate_Click);
    platform::Connect(lstExsmokePile.ItemClick, this, &frmFire::lstExsmokePile_ItemClick);
    platform::Connect(lstFireLoc.ItemClick, this, &frmFire::lstFireLoc_ItemClick);
    platform::Connect(optTrafficMode1.Click, this, &frmFire::optTrafficMode1_Click);
    platform::Connect(optTrafficMode2.Click, this, &frmFire::optTrafficMode2_Click);
    platform::Connect(txtMW.Change, this, &frmFire::txtMW_Change);
    platform::Connect(udMW.Change, this, &frmFire::udMW_Change);
    platform::Connect(udRatio.Change, this, &frmFire::udRatio_Change);
    platform::Connect(udvn.Change, this, &frmFire::udvn_Change);
}

// ---- Enabling rules ----

void frmFire::chkAirExpand_Click() {
    const bool on = chkAirExpand.Value() == 1;
    lblRatio.setEnabled(on);
    txtRatio.setEnabled(on);
}

void frmFire::chkNaturalWind_Click() {
    frmNaturalWind.setEnabled(chkNaturalWind.Value() != 0);
}

void frmFire::chkTranverse_Click() {
    frmExsmokeRange.setEnabled(chkTranverse.Value() != 0);
    chkAirExpand.setEnabled(chkTranverse.Value() == 0);
}

void frmFire::optTrafficMode1_Click() {
    frmBidirectionVent.setEnabled(optTrafficMode2.Value());
}

void frmFire::optTrafficMode2_Click() {
    optTrafficMode1_Click();
}

// ---- Spinners and the fire size exchange ----

void frmFire::udMW_Change() {
    txtMW.set(vb::CStr(udMW.Value()));
}

void frmFire::udRatio_Change() {
    txtRatio.set(vb::CStr(udRatio.Value()));
}

void frmFire::udvn_Change() {
    txtvn.set(vb::CStr(udvn.Value() * 0.1));
}

void frmFire::txtMW_Change() {
    frmReq& req = mainWindow();
    guarded([&] { req.txtHRR.set(txtMW.Text()); });
    guarded([&] {
        if (platform::ListItem* row = lstFireLoc.SelectedItem()) {
            req.CalQQ_req_exchange(vb::Val(row->Text()));
        }
    });
    guarded([&] { txtQ.set(req.txtQs.Text()); });
}

// ---- The two station lists ----

void frmFire::lstFireLoc_ItemClick(platform::ListItem& Item) {
    txtFirePile.set(Item.Text());
    txtMW_Change();
    std::string line1, line2;
    CalControlScheme(vb::Val(txtFirePile.Text()), line1, line2);
    txtResult.set(line1 + "\r\n" + line2);
}

void frmFire::lstExsmokePile_ItemClick(platform::ListItem& Item) {
    txtExsmokePile.set(Item.Text());
}

void frmFire::cmdFireLocAdd_Click() {
    lstFireLoc.ListItems.Add(txtFirePile.Text());
}

void frmFire::cmdFireLocDelete_Click() {
    if (lstFireLoc.SelectedItem() != nullptr) {
        lstFireLoc.ListItems.Remove(lstFireLoc.SelectedIndex());
    }
}

void frmFire::cmdFireLocUpdate_Click() {
    if (platform::ListItem* row = lstFireLoc.SelectedItem()) {
        row->setText(txtFirePile.Text());
    }
}

int frmFire::addPort(const std::string& text) {
    platform::ListItems& rows = lstExsmokePile.ListItems;
    const std::size_t at = fire::OrderedPosition(
        static_cast<std::size_t>(rows.Count()),
        [&rows](std::size_t i) { return vb::Val(rows(static_cast<int>(i) + 1).Text()); }, vb::Val(text));
    const int position = static_cast<int>(at) + 1;
    rows.Insert(position, text);
    return position;
}

void frmFire::cmdExsmokeAdd_Click() {
    addPort(txtExsmokePile.Text());
}

void frmFire::cmdExsmokeDelete_Click() {
    if (lstExsmokePile.SelectedItem() != nullptr) {
        lstExsmokePile.ListItems.Remove(lstExsmokePile.SelectedIndex());
    }
}

void frmFire::cmdExsmokeUpdate_Click() {
    if (lstExsmokePile.SelectedItem() == nullptr) {
        return;
    }
    // The changed station takes its place in the order; the row stays the selected one.
    lstExsmokePile.ListItems.Remove(lstExsmokePile.SelectedIndex());
    lstExsmokePile.select(addPort(txtExsmokePile.Text()));
}

// ---- Opening and closing ----

void frmFire::Form_Load() {
    platform::Layout::headings(lstFireLoc, {{"火灾点桩号", 2000}});
    platform::Layout::headings(lstExsmokePile, {{"排烟口桩号", 2000}});
    guarded([] { modPublic::LoadJetModels(); });
    guarded([this] {
        for (const JetFanModel& m : modPublic::JetModels) {
            cmbJetModel.AddItem(m.JetName);
        }
    });
    OpenFile();
}

void frmFire::Form_QueryUnload(int& cancel, int /*unloadMode*/) {
    guarded([this] { SaveFile(); });
    cancel = 0;
}

void frmFire::cmdClose_Click() {
    Forms::unload(*this);
}

void frmFire::OpenFile() {
    fire::FirSettings fir;
    std::string path;
    guarded([&] {
        path = app::ProjectCompanionPath(kExtension);
        std::optional<std::string> bytes;
        if (!path.empty()) {
            bytes = textfile::ReadBytes(path);
        }
        bool fromTemplate = false;
        if (!bytes) {
            path = modPublic::InstallPath("configfiles\\normal.fir");
            bytes = textfile::ReadBytes(path);
            fromTemplate = true;
        }
        if (bytes) {
            fir = fire::ReadFirBytes(*bytes);
        }
        // The template's fire points, ports and exhaust stretch lie in the template's tunnel: another
        // tunnel takes its settings and none of its stations.
        if (fromTemplate && !app::ProjectIsOnTheTemplatesTunnel()) {
            fir.FireLocs.clear();
            fir.ExsmokePiles.clear();
            fir.Range = {std::string(), std::string()};
        }
    });
    if (fir.Refused) {
        // The window shows what was read before the count; closing it leaves the file as it is.
        keepFile_ = true;
        platform::CountWithinLimit(fir.Refused->count, fire::kMaxFirRows,
                                   fir.Refused->ports ? "排烟口" : "火灾点");
    } else if (!fir.Whole) {
        platform::MsgBox("火灾工况设置文件不完整或已损坏:\r\n" + path +
                             "\r\n文件中未能读入的数据为窗口的初始值.",
                         platform::vbOKOnly, "出错");
    }

    guarded([&] {
        lstFireLoc.ListItems.Clear();
        for (const std::string& row : fir.FireLocs) {
            lstFireLoc.ListItems.Add(row);
        }
    });
    guarded([&] {
        lstExsmokePile.ListItems.Clear();
        for (const std::string& row : fir.ExsmokePiles) {
            addPort(row);
        }
    });

    const auto check = [](platform::CheckBox& box, const std::optional<int>& v) {
        if (v) {
            box.set(*v);
        }
    };
    check(chkTranverse, fir.Checks[0]);
    check(chkAirExpand, fir.Checks[1]);
    chkAirExpand_Click();
    check(chkUseJetOnly, fir.Checks[2]);
    chkTranverse_Click();
    check(chkNaturalWind, fir.Checks[3]);
    chkNaturalWind_Click();

    const auto option = [](platform::OptionButton& o, const std::optional<bool>& v) {
        if (v) {
            o.set(*v);
        }
    };
    option(optVentMode1, fir.VentModes[0]);
    option(optVentMode2, fir.VentModes[1]);
    option(optVentMode3, fir.VentModes[2]);
    option(optTrafficMode1, fir.TrafficModes[0]);
    option(optTrafficMode2, fir.TrafficModes[1]);
    optTrafficMode1_Click();
    option(optBDVentDirection1, fir.TwoWayDirections[0]);
    option(optBDVentDirection2, fir.TwoWayDirections[1]);
    option(optNaturalWindDirection1, fir.WindDirections[0]);
    option(optNaturalWindDirection2, fir.WindDirections[1]);

    app::SetStoredText(txtMW, fir.Texts[0]);
    followBox(udMW, vb::Val(txtMW.Text()));
    app::SetStoredText(txtQ, fir.Texts[1]);
    if (fir.Texts[2]) {
        cmbJetModel.setText(*fir.Texts[2]);
    }
    app::SetStoredText(txtBlockVehNum, fir.Texts[3]);
    app::SetStoredText(txteta, fir.Texts[4]);
    app::SetStoredText(txtExsmokePile1, fir.Range[0]);
    app::SetStoredText(txtExsmokePile2, fir.Range[1]);
    app::SetStoredText(txtvn, fir.WindRatio[0]);
    followBox(udvn, 10 * vb::Val(txtvn.Text()));
    app::SetStoredText(txtRatio, fir.WindRatio[1]);
    followBox(udRatio, vb::Val(txtRatio.Text()));
}

bool frmFire::SaveFile() {
    const std::string path = app::ProjectCompanionPath(kExtension);
    if (path.empty() || keepFile_) {
        return true;
    }
    fire::FirSettings fir;
    fir.FireLocs = rowsOf(lstFireLoc);
    fir.ExsmokePiles = rowsOf(lstExsmokePile);
    fir.Checks = {chkTranverse.Value(), chkAirExpand.Value(), chkUseJetOnly.Value(), chkNaturalWind.Value()};
    fir.VentModes = {optVentMode1.Value(), optVentMode2.Value(), optVentMode3.Value()};
    fir.TrafficModes = {optTrafficMode1.Value(), optTrafficMode2.Value()};
    fir.WindDirections = {optNaturalWindDirection1.Value(), optNaturalWindDirection2.Value()};
    fir.Texts = {txtMW.Text(), txtQ.Text(), cmbJetModel.Text(), txtBlockVehNum.Text(), txteta.Text()};
    fir.Range = {txtExsmokePile1.Text(), txtExsmokePile2.Text()};
    fir.WindRatio = {txtvn.Text(), txtRatio.Text()};
    fir.TwoWayDirections = {optBDVentDirection1.Value(), optBDVentDirection2.Value()};
    const scheme::SchemeWriter file = fire::WriteFirFile(fir);
    if (!platform::ConfirmUnstorableTexts(file.UnstorableTexts())) {
        return false;
    }
    if (!file.Save(path)) {
        platform::MsgBox("火灾工况设置文件未能保存：" + path, platform::vbExclamation, "出错");
        return false;
    }
    return true;
}

// ---- Collecting the inputs ----

void frmFire::cmdCollect_Click() {
    if (modPublic::ProjectFile.empty()) {
        return;
    }
    frmReq& req = mainWindow();
    guarded([&] { req.RefreshData(true); });
    guarded([&] { txtMW.set(req.txtHRR.Text()); });
    guarded([&] { followBox(udMW, vb::Val(txtMW.Text())); });
    guarded([&] { txtQ.set(req.txtQs.Text()); });
    guarded([&] {
        if (req.lstSection.ListItems.Count() >= 2) {
            chkTranverse.set(1);
            txtExsmokePile1.set(req.lstSection.ListItems(1).Text());
            txtExsmokePile2.set(req.lstSection.ListItems(2).Text());
        } else {
            chkTranverse.set(0);
        }
    });
    chkTranverse_Click();
    guarded([&] {
        addPort(vb::CStr(modPublic::StartPile));
        addPort(vb::CStr(modPublic::EndPile));
    });
    guarded([&] {
        optBDVentDirection1.set(req.optRightLine.Value());
        optBDVentDirection2.set(req.optLeftLine.Value());
        optNaturalWindDirection1.set(req.optLeftLine.Value());
        optNaturalWindDirection2.set(req.optRightLine.Value());
    });
    guarded([&] {
        txtvn.set(vb::CStr(modPublic::v_n));
        followBox(udvn, 10 * vb::Val(txtvn.Text()));
    });

    // A scheme file that is missing or ends early changes nothing: the model, η and ports stay as they are.
    guarded([&] {
        const std::string base = modPublic::ProjectFile.size() > 4
                                     ? modPublic::ProjectFile.substr(0, modPublic::ProjectFile.size() - 4)
                                     : std::string();
        const bool right = req.optRightLine.Value();
        scheme::SchemeReader in;
        std::optional<fire::CollectedScheme> got;
        if (optVentMode1.Value()) {
            if (in.Open(platform::ResolvePath(base + ".jet"))) {
                got = fire::CollectJetScheme(in);
            }
        } else if (optVentMode2.Value()) {
            if (in.Open(platform::ResolvePath(base + ".sj"))) {
                got = fire::CollectSjScheme(in, right);
            }
        } else if (optVentMode3.Value()) {
            if (in.Open(platform::ResolvePath(base + ".msj"))) {
                got = fire::CollectMsjScheme(in, right);
            }
        }
        if (!got) {
            return;
        }
        for (double port : got->Ports) {
            addPort(vb::CStr(port));
        }
        if (got->JetModel) {
            cmbJetModel.setText(*got->JetModel);
        }
        if (got->Eta) {
            txteta.set(*got->Eta);
        }
    });
}

// ---- The scheme of one fire location ----

std::optional<double> frmFire::GetJetDeltap(double q, bool reversed) {
    try {
        fire::JetRiseInput in;
        in.q = q;
        in.reversed = reversed;
        in.area = mainWindow().GetAA_r(modPublic::StartPile + 0.0001);
        in.rho = modPublic::rho;
        in.eta = vb::Val(txteta.Text());
        in.model = fire::FindJetModel(modPublic::JetModels.items, cmbJetModel.Text());
        return fire::JetFanRise(in);
    } catch (...) {
        return std::nullopt;
    }
}

std::optional<double> frmFire::GetFireDeltap(double s, bool toLarger, double e) {
    try {
        frmReq& req = mainWindow();
        fire::FirePressureInput in;
        in.rightLine = req.optRightLine.Value();
        in.T = modPublic::TT;
        in.rho = modPublic::rho;
        in.Q = vb::Val(txtQ.Text());
        in.W = vb::Val(txtMW.Text());
        in.ratio = vb::Val(txtRatio.Text());
        in.perimeter = req.GetUU_r(s);
        in.s = s;
        in.e = e;
        in.toLarger = toLarger;
        fire::SetStretchGrades(
            in, [&req](double p) { return req.GetSlope_i(p); }, req.GetSlopeChanges(s, e));
        return fire::FirePressure(in);
    } catch (...) {
        return std::nullopt;
    }
}

void frmFire::CalControlScheme(double s, std::string& line1, std::string& line2) {
    guarded([&] {
        frmReq& req = mainWindow();
        fire::SchemeInput in;
        in.s = s;
        in.naturalWind = chkNaturalWind.Value() == 1;
        in.vn = vb::Val(txtvn.Text());
        in.windDirection1 = optNaturalWindDirection1.Value();
        in.windDirection2 = optNaturalWindDirection2.Value();
        in.airExpand = chkAirExpand.Value() == 1;
        in.ratio = vb::Val(txtRatio.Text());
        in.W = vb::Val(txtMW.Text());
        in.Q = vb::Val(txtQ.Text());
        in.nb = vb::Val(txtBlockVehNum.Text());
        in.oneWay = optTrafficMode1.Value();
        in.twoWayToLarger = optBDVentDirection1.Value();
        in.transverse = chkTranverse.Value() == 1;
        in.X1 = vb::Val(txtExsmokePile1.Text());
        in.X2 = vb::Val(txtExsmokePile2.Text());
        for (int i = 1; i <= lstExsmokePile.ListItems.Count(); ++i) {
            in.ports.push_back(vb::Val(lstExsmokePile.ListItems(i).Text()));
        }
        in.rightLine = req.optRightLine.Value();
        // The hot smoke is worked out with the density and temperature as they stood before the project
        // values are published again.
        in.rhoBefore = modPublic::rho;
        in.TBefore = modPublic::TT;
        guarded([&] { req.RefreshData(true); });
        in.rho = modPublic::rho;
        in.T = modPublic::TT;
        in.S = modPublic::StartPile;
        in.E = modPublic::EndPile;
        in.lambda_r = modPublic::lambda_r;
        in.AA_m = modPublic::AA_m;
        in.AA_m_Bidirection = modPublic::AA_m_Bidirection;
        in.model = fire::FindJetModel(modPublic::JetModels.items, cmbJetModel.Text());
        in.eta = vb::Val(txteta.Text());

        fire::SchemeTunnel tunnel;
        tunnel.Resistance = [&req](double a, double b, double lambda, double rho, double q, int type,
                                   double zr, double zf, double zh) {
            return req.GetYANCHENGDeltap_r_m(a, b, lambda, rho, q, static_cast<vb::Integer>(type), zr, zf,
                                             zh);
        };
        tunnel.Area = [&req](double p) { return req.GetAA_r(p); };
        tunnel.Perimeter = [&req](double p) { return req.GetUU_r(p); };
        tunnel.Slope = [&req](double p) { return req.GetSlope_i(p); };
        tunnel.SlopeChanges = [&req](double a, double b) { return req.GetSlopeChanges(a, b); };
        const fire::SchemeResult r = fire::ControlScheme(in, tunnel);
        line1 = r.Line1;
        line2 = r.Line2;
    });
}

// ---- The fire equipment control table ----

void frmFire::cmdControlScheme_Click() {
    const std::optional<std::string> path = jetfan::ProjectOutputPath(kTableName, ".rpt");
    if (!path) {
        return;
    }
    const bool wind = chkNaturalWind.Value() == 1;
    const double vn = vb::Val(txtvn.Text());
    if (wind && !(vn <= kMaxTableWind)) {
        platform::MsgBox("洞内自然风速超出0～10m/s，未生成火灾设备控制表！", platform::vbExclamation,
                         kTableName);
        return;
    }

    std::vector<std::string> lines;
    lines.push_back(std::string(16, ' ') + mainWindow().txtProjectName.Text() + kTableName);
    lines.emplace_back();
    lines.emplace_back("■■基本设计参数■■");
    lines.push_back("火灾规模(MW):\t" + txtMW.Text());
    lines.push_back("火灾需风量(m^3/s):\t" + txtQ.Text());
    lines.push_back("射流风机型号:\t" + cmbJetModel.Text());
    lines.push_back("阻塞车辆数:\t" + txtBlockVehNum.Text());
    lines.emplace_back();
    if (chkTranverse.Value() == 1) {
        lines.emplace_back("排烟方式: 采用独立排烟道横向排烟");
        lines.push_back("排烟道起始桩号:\t" + txtExsmokePile1.Text() + "\t终止桩号:\t" +
                        txtExsmokePile2.Text());
    } else {
        lines.emplace_back("排烟方式: 采用纵向排烟");
    }
    lines.emplace_back();
    if (optTrafficMode1.Value()) {
        lines.emplace_back("交通模式: 单向交通");
    } else if (optBDVentDirection1.Value()) {
        lines.emplace_back("交通模式: 双向交通, 正常通风方向:从小桩号到大桩号");
    } else {
        lines.emplace_back("交通模式: 双向交通, 正常通风方向:从大桩号到小桩号");
    }
    lines.emplace_back();
    lines.emplace_back(chkAirExpand.Value() == 1 ? "考虑空气升温后体积膨胀" : "不考虑空气升温后体积膨胀");
    lines.emplace_back();
    lines.emplace_back(chkUseJetOnly.Value() == 1 ? "仅利用射流风机进行气流控制"
                                                  : "利用射流风机和竖井轴流送风机联合进行气流控制");
    lines.emplace_back("可用的排烟口桩号(包括进出洞口桩号)");
    for (int i = 1; i <= lstExsmokePile.ListItems.Count(); ++i) {
        lines.push_back(std::to_string(i) + "\t" + lstExsmokePile.ListItems(i).Text());
    }
    lines.insert(lines.end(), 3, std::string());
    lines.emplace_back("■■各火灾点的设备控制表■■");

    const int points = lstFireLoc.ListItems.Count();
    if (points == 0) {
        if (!wind) {
            lines.front() += "(不考虑洞内自然风)";
        }
        lines.emplace_back(wind ? "考虑洞内自然风(洞口两端气压差)" : "不考虑洞内自然风(洞口两端气压差)");
        lines.emplace_back(kNoFirePoint);
        if (jetfan::PublishSchemeText(*path, lines, true, kTableName, "出错")) {
            platform::MsgBox(std::string(kNoFirePoint) + "请在火灾位置列表中添加火灾点桩号后再生成。",
                             platform::vbExclamation, kTableName);
        }
        return;
    }

    // Each fire point is computed as clicking it computes it: with the smoke flow of its own station (its
    // own cross-section), which the main window works out. What this changes in both windows, and the wind
    // controls the lines step through, come back afterwards, so that the table changes nothing the
    // engineer set and closing the window stores the settings as they were.
    frmReq& req = mainWindow();
    const std::string keptFlow = txtQ.Text();
    const std::string keptSpeed = txtvn.Text();
    std::vector<std::pair<platform::TextBox*, std::string>> kept;
    for (platform::TextBox* box :
         {&req.txtHRR, &req.txtQQ_req_exchange, &req.txtQs, &req.txtvcr, &req.txtTunnelH, &req.txtHOR,
          &req.txtMPRS, &req.txtCHO, &req.txtTSLA, &req.txtST, &req.txtAD}) {
        kept.emplace_back(box, box->Text());
    }
    const std::string keptDensityCaption = req.lblAirDensity.Caption();
    const int keptRow = lstFireLoc.SelectedIndex();
    const bool keptDirection1 = optNaturalWindDirection1.Value();
    const bool keptDirection2 = optNaturalWindDirection2.Value();
    const auto takeFirePoint = [&](int i) {
        lstFireLoc.select(i);
        txtMW_Change();
        lines.emplace_back();
        // The heading gives the flow of the point shown in the window; a point of another cross-section
        // names its own.
        std::string head = "火灾点：" + std::to_string(i);
        if (txtQ.Text() != keptFlow) {
            head += "    火灾需风量(m^3/s):" + txtQ.Text();
        }
        lines.push_back(head);
        return vb::Val(lstFireLoc.ListItems(i).Text());
    };

    if (!wind) {
        // The scheme then works without natural wind; the title says so, as the lines cannot show a
        // direction.
        lines.front() += "(不考虑洞内自然风)";
        lines.emplace_back("不考虑洞内自然风(洞口两端气压差)");
        for (int i = 1; i <= points; ++i) {
            const double s = takeFirePoint(i);
            std::string line1, line2;
            CalControlScheme(s, line1, line2);
            lines.push_back("洞内自然风风速(m/s):" + vb::Format(0, "0.0") + "    " + line1);
        }
    } else {
        lines.emplace_back("考虑洞内自然风(洞口两端气压差)");
        const auto lineAt = [&](double v, const char* head, double s) {
            txtvn.set(vb::CStr(v));
            std::string line1, line2;
            CalControlScheme(s, line1, line2);
            lines.push_back(std::string(head) + vb::Format(v, "0.0") + "    " + line1);
        };
        for (int i = 1; i <= points; ++i) {
            const double s = takeFirePoint(i);
            optNaturalWindDirection1.set(true);
            for (double v = vn; v >= 0; v -= 1) {
                lineAt(v, "洞内自然风方向:从小桩号到大桩号; 风速(m/s):", s);
            }
            optNaturalWindDirection2.set(true);
            for (double v = 1; v <= vn; v += 1) {
                lineAt(v, "洞内自然风方向:从大桩号到小桩号; 风速(m/s):", s);
            }
        }
        optNaturalWindDirection1.set(keptDirection1);
        optNaturalWindDirection2.set(keptDirection2);
    }
    txtQ.set(keptFlow);
    txtvn.set(keptSpeed);
    for (auto& [box, text] : kept) {
        box->setSilently(text);
    }
    req.lblAirDensity.setCaption(keptDensityCaption);
    lstFireLoc.select(keptRow);
    jetfan::PublishSchemeText(*path, lines, true, kTableName, "出错");
}

// ---- The main window's menu entry ----

void frmReq::mnuToolsmnuFire_Click() {
    frmFire& w = Forms::instance<frmFire>();
    w.ShowModal(this);
    // The module lives only while it is shown: its content survives in the .fir file.
    if (Forms::isLoaded(w)) {
        Forms::unload(w);
    }
}
