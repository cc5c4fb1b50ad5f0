// SPDX-License-Identifier: GPL-3.0-or-later
#include "lighting/frmBrightness.h"

#include "app/companion_file.h"
#include "app/frmReq.h"
#include "app/guarded.h"
#include "app/modPublic.h"
#include "app/stored_text.h"
#include "jetfan/scheme_output.h"
#include "lighting/bgh_file.h"
#include "lighting/frmDefineLamp.h"
#include "lighting/zone_luminance.h"
#include "lighting/zone_report.h"
#include "platform/close_box.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/vb.h"

#include <algorithm>
#include <optional>

using app::guarded;
using platform::Forms;
using platform::TextBox;

namespace {

constexpr const char* kSpeeds[] = {"100", "80", "70", "60", "50", "40", "30", "20"};

constexpr const char* kExtension = ".bgh";
constexpr const char* kFileName = "照明亮度计算文件";

/// A table of the table file, read afresh; nullopt when the file lacks it.
std::optional<CoefTable> ReadZoneTable(const char* key) {
    CoefTable t;
    modPublic::ReadTable(key, t);
    if (t.empty()) {
        return std::nullopt;
    }
    return t;
}

/// The sentences that say what a calculation lacked.
std::vector<std::string> NoteLines(const lighting::ZoneNotes& notes) {
    std::vector<std::string> lines;
    for (const std::string& key : notes.MissingTables) {
        if (key == "kdiscount") {
            lines.push_back("表文件缺少连续隧道折减率表 kdiscount: 入口段亮度按不折减计算。");
        } else {
            lines.push_back("表文件缺少表 " + key + ": 由该表查得的数值未能重新计算。");
        }
    }
    return lines;
}

std::string Join(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& l : lines) {
        text += text.empty() ? l : "\n" + l;
    }
    return text;
}

void AddUnique(std::vector<std::string>& to, const std::vector<std::string>& lines) {
    for (const std::string& l : lines) {
        if (std::find(to.begin(), to.end(), l) == to.end()) {
            to.push_back(l);
        }
    }
}

/// Puts the inputs into `to` under the names the .bgh file and the report share.
template <class Inputs> void PutInputs(frmBrightness& w, Inputs& to) {
    to.Speed = w.cmbvt.Text();
    to.Length = w.txtLL.Text();
    to.TwoWay = w.optBidirection.Value();
    to.Mixed = w.chkMix.Value() == 1;
    to.SkyRatio = w.cmbSkyRatio.Text();
    to.Slope = w.txtdTunnelSlope.Text();
    to.Height = w.txth.Text();
    to.PreLength = w.txtdPreLength.Text();
    to.Span = w.txtdSpan.Text();
    to.k = w.txtk.Text();
    to.Discount = w.txtdDiscount.Text();
    to.L20 = w.txtLL_20_S.Text();
    to.Ds = w.txtDD_s.Text();
}

/// The project's own tunnel as the main window publishes it, for a window that opens on the template of
/// another tunnel.
lighting::OwnTunnel ProjectTunnel() {
    lighting::OwnTunnel t;
    t.Speed = vb::CStr(modPublic::DesignSpeed);
    t.Length = vb::CStr(modPublic::TunnelLength);
    t.Traffic = vb::CStr(modPublic::DesignTraffic);
    // The main window holds both traffic cases; the one the project ventilates for is step 2's.
    t.TwoWay = modPublic::CaseIndex == 2;
    std::vector<double> slopes;
    guarded([&] {
        platform::ListView& rows = Forms::instance<frmReq>().lstSlope;
        for (int i = 1; i <= rows.ListItems.Count(); ++i) {
            slopes.push_back(vb::Val(rows.ListItems(i).SubItems(1)));
        }
    });
    if (const std::optional<double> grade = lighting::EntranceGrade(
            slopes, modPublic::PileDirection >= 0, t.TwoWay, ReadZoneTable("DD_s"), modPublic::DesignSpeed)) {
        t.Slope = vb::CStr(*grade);
    }
    return t;
}

} // namespace

frmBrightness::frmBrightness() {
    buildControls();
    Image1.setInstalledPicture("brightness.svg");
    connectEvents();
}

void frmBrightness::buildControls() {
    using platform::Layout;
    Layout::window(*this, "Step 1: 照明亮度及长度计算", 13200, 7900);

    Layout::frame(Frame1, *this, "基本信息", 120, 60, 6100, 6300);
    const int lx = 120, pitch = 360;
    const Layout::Column rows{.left = lx, .labelWidth = 2180, .boxWidth = 1400, .pitch = pitch};
    int y = layout_.column(Frame1, rows, 300, {{"设计时速vt(km/h):", &cmbvt}, {"隧道长度L(m):", &txtLL}});
    Layout::captioned(optBidirection, Frame1, "双向交通", lx, y, 1200);
    Layout::captioned(OptionButton1, Frame1, "单向交通", lx + 1250, y, 1200);
    Layout::captioned(chkMix, Frame1, "人车混行", lx + 2500, y, 1200);
    y = layout_.column(Frame1, rows, y + pitch,
                       {{"天空百分比:", &cmbSkyRatio}, {"洞口朝向或洞外环境", &lstEnvironmnet}});
    // The surroundings list is two rows high.
    lstEnvironmnet.setHeight(600);
    layout_.column(Frame1, rows, y + 660 - pitch,
                   {{"纵坡坡度i(%):", &txtdTunnelSlope},
                    {"洞内净空高度h(m):", &txth},
                    {"前一隧道的长度(m):", &txtdPreLength},
                    {"两隧道的间距(m):", &txtdSpan},
                    {"洞外亮度L20(S)(cd/m^2)", &txtLL_20_S},
                    {"折减系数k", &txtk},
                    {"连续隧道折减率(%):", &txtdDiscount},
                    {"停车视距Ds(m):", &txtDD_s}});

    Layout::frame(Frame2, Frame1, "交通量分级:", 3850, 240, 2150, 3700);
    layout_.caption(Frame2, "设计交通量N(辆/h):", 100, 300, 1950);
    txtNN.place(Frame2, 100, 600, 1950, platform::kBoxHeight);
    lstNN.place(Frame2, 100, 1000, 1950, 2100);
    Layout::buttons(Frame2, 100, 3200, 620, 375, 45,
                    {{&cmdAdd, "添加"}, {&cmdUpdate, "更新"}, {&cmdDelete, "删除"}});

    // The luminance profile at the entrance; lists and buttons beside the frame.
    Image1.place(*this, 6400, 120, 432 * 15, 200 * 15);
    Image1.setStretch(true);
    layout_.caption(*this, "调光:", 6400, 3300, 1900);
    lstAdjust.place(*this, 6400, 3580, 1900, 1700);
    layout_.caption(*this, "计算结果:", 8500, 3300, 2400);
    lstResult.place(*this, 8500, 3580, 4400, 2300);

    lblTableNote.place(*this, 120, 6420, 6100, 600);
    lblTableNote.setWordWrap(true);
    lblTableNote.setForeColor(platform::vbRed);

    Layout::buttons(
        *this, 6400, 6600, 1350, 420, 150,
        {{&cmdCalculate, "计算"}, {&cmdReport, "计算书"}, {&cmdClose, "下一步-->"}, {&cmdOK, "结束"}});

    Layout::inputs({&cmbvt, &txtLL, &cmbSkyRatio, &lstEnvironmnet, &txtdTunnelSlope, &txth, &txtdPreLength,
                    &txtdSpan, &txtNN});
}

void frmBrightness::connectEvents() {
    platform::Layout::entries(
        {.optionalNumbers = {&txtNN}, .numbers = {&txtdDiscount, &txtLL_20_S}, .numberLists = {&cmbvt}});
    // The speed may be picked or typed; either way it is a change of the speed.
    platform::Connect(cmbvt.Click, this, &frmBrightness::cmbvt_Change);
    platform::Connect(cmbvt.Change, this, &frmBrightness::cmbvt_Change);
    platform::Connect(cmbSkyRatio.Click, this, &frmBrightness::cmbSkyRatio_Change);
    platform::Connect(cmbSkyRatio.Change, this, &frmBrightness::cmbSkyRatio_Change);
    platform::Connect(lstEnvironmnet.Click, this, &frmBrightness::lstEnvironmnet_Click);
    platform::Connect(lstAdjust.Click, this, &frmBrightness::lstAdjust_Click);
    platform::Connect(lstNN.ItemClick, this, &frmBrightness::lstNN_ItemClick);
    platform::Connect(cmdAdd.Click, this, &frmBrightness::cmdAdd_Click);
    platform::Connect(cmdUpdate.Click, this, &frmBrightness::cmdUpdate_Click);
    platform::Connect(cmdDelete.Click, this, &frmBrightness::cmdDelete_Click);
    platform::Connect(cmdCalculate.Click, this, &frmBrightness::cmdCalculate_Click);
    platform::Connect(cmdReport.Click, this, &frmBrightness::cmdReport_Click);
    platform::Connect(cmdClose.Click, this, &frmBrightness::cmdClose_Click);
    platform::Connect(cmdOK.Click, this, &frmBrightness::cmdOK_Click);
}

void frmBrightness::UserForm_Initialize() {
    guarded([this] { platform::Layout::choices(cmbvt, kSpeeds); });
    guarded([this] { platform::Layout::choices(cmbSkyRatio, lighting::kSkyRatios); });
    guarded([this] {
        // The one column fills the list so its heading reads in full.
        platform::Layout::headings(lstNN, {{"分级交通量(辆/h)", 1850}});
    });
    guarded([this] {
        // Wide enough for a zone name ("4 过渡段3"), a luminance in the thousands
        // and the heading "亮度(cd/m^2)"; together they fill the list.
        platform::Layout::headings(lstResult, {{"区段", 1400}, {"亮度(cd/m^2)", 1500}, {"长度(m)", 1300}});
        lstResult.ListItems.Clear();
        for (const char* zone : lighting::kZoneNames) {
            lstResult.ListItems.Add(zone);
        }
    });
    guarded([this] { platform::AddItems(lstAdjust, lighting::kModeNames); });
    guarded([this] { OpenFile(); });
}

void frmBrightness::Form_QueryUnload(int& cancel, int unloadMode) {
    // The close box drops the window's changes only when the engineer says so; an unload by code (step 3's
    // Finish) writes nothing, the file having been written when the engineer moved on.
    if (unloadMode == platform::vbFormControlMenu) {
        guarded([&] {
            if (!platform::CloseBoxMayClose(app::ProjectCompanionPath(kExtension), FileContents().Bytes(),
                                            [this] { return SaveFile(); })) {
                cancel = 1;
            }
        });
    }
}

// ---- Fields and controls ----

void frmBrightness::UpdateData(bool toFields) {
    if (toFields) {
        guarded([this] { modPublic::TunnelLength = vb::Val(txtLL.Text()); });
        guarded([this] { modPublic::DesignTraffic = vb::Val(txtNN.Text()); });
        guarded([this] { modPublic::DesignSpeed = vb::Val(cmbvt.Text()); });
        guarded([this] { H = vb::Val(txth.Text()); });
        guarded([this] { dTunnelSlope = vb::Val(txtdTunnelSlope.Text()); });
        guarded([this] { dDiscount = vb::Val(txtdDiscount.Text()); });
        guarded([this] { dSpan = vb::Val(txtdSpan.Text()); });
        guarded([this] { dPreLength = vb::Val(txtdPreLength.Text()); });
        return;
    }
    guarded([this] { txtLL_20_S.set(vb::Format(LL_20_S, "0.00")); });
    guarded([this] { txtDD_s.set(vb::Format(DD_s, "0.00")); });
    guarded([this] { txtk.set(vb::Format(k, "0.000")); });
    guarded([this] { txtdDiscount.set(vb::Format(dDiscount, "0.00")); });
}

lighting::ZoneValues frmBrightness::values() const {
    lighting::ZoneValues v;
    v.LL_in = LL_in, v.DD_in = DD_in, v.k = k, v.LL_20_S = LL_20_S, v.LL_th = LL_th, v.DD_s = DD_s;
    v.DD_th = DD_th, v.dDiscount = dDiscount;
    v.LL_tr1 = LL_tr1, v.LL_tr2 = LL_tr2, v.LL_tr3 = LL_tr3;
    v.DD_tr1 = DD_tr1, v.DD_tr2 = DD_tr2, v.DD_tr3 = DD_tr3, v.DD_exit = DD_exit, v.LL_exit = LL_exit;
    return v;
}

void frmBrightness::setValues(const lighting::ZoneValues& v) {
    LL_in = v.LL_in, DD_in = v.DD_in, k = v.k, LL_20_S = v.LL_20_S, LL_th = v.LL_th, DD_s = v.DD_s;
    DD_th = v.DD_th, dDiscount = v.dDiscount;
    LL_tr1 = v.LL_tr1, LL_tr2 = v.LL_tr2, LL_tr3 = v.LL_tr3;
    DD_tr1 = v.DD_tr1, DD_tr2 = v.DD_tr2, DD_tr3 = v.DD_tr3, DD_exit = v.DD_exit, LL_exit = v.LL_exit;
}

void frmBrightness::showNotes(const lighting::ZoneNotes& notes) {
    notes_ = NoteLines(notes);
    guarded([this] { lblTableNote.setCaption(Join(notes_)); });
}

// ---- Access-zone luminance and the zone calculation ----

void frmBrightness::cmbvt_Change() {
    const std::optional<CoefTable> table = ReadZoneTable("LL_20_S");
    if (!table) {
        lighting::ZoneNotes notes;
        notes.MissingTables.emplace_back("LL_20_S");
        showNotes(notes);
        return;
    }
    guarded([&] {
        const int row = lighting::AccessLuminanceRow(cmbSkyRatio.ListIndex(), lstEnvironmnet.ListIndex());
        LL_20_S = modPublic::Interpolate2D(*table, vb::Val(cmbvt.Text()), row);
        lookedUpRow_ = row;
    });
    guarded([this] { txtLL_20_S.set(vb::Format(LL_20_S, "0.00")); });
}

void frmBrightness::cmdCalculate_Click() {
    UpdateData(true);

    lighting::ZoneTables tables;
    guarded([&] {
        tables.LL_in1 = ReadZoneTable("LL_in1");
        tables.LL_in2 = ReadZoneTable("LL_in2");
        tables.k1 = ReadZoneTable("k1");
        tables.k2 = ReadZoneTable("k2");
        tables.kdiscount = ReadZoneTable("kdiscount");
        tables.DD_s = ReadZoneTable("DD_s");
        tables.DD_tr = ReadZoneTable("DD_tr");
    });

    lighting::ZoneInputs in;
    in.N = modPublic::DesignTraffic;
    in.vt = modPublic::DesignSpeed;
    in.L = modPublic::TunnelLength;
    in.twoWay = optBidirection.Value();
    in.mode = lstAdjust.ListIndex();
    in.h = H;
    in.slope = dTunnelSlope;
    in.span = dSpan;
    in.preLength = dPreLength;
    in.L20 = vb::Val(txtLL_20_S.Text());

    lighting::ZoneValues v = values();
    const lighting::ZoneNotes notes = lighting::CalculateZones(in, tables, v);
    setValues(v);

    guarded([&] {
        for (int z = 0; z < lighting::kZoneCount && z < lstResult.ListItems.Count(); ++z) {
            platform::ListItem& item = lstResult.ListItems(z + 1);
            item.setSubItems(1, vb::Format(v.Luminance(z), "0.00"));
            item.setSubItems(2, vb::Format(v.Length(z), "0.00"));
        }
    });
    UpdateData(false);
    showNotes(notes);
}

void frmBrightness::lstAdjust_Click() {
    cmdCalculate_Click();
}

void frmBrightness::lstNN_ItemClick(platform::ListItem& /*Item*/) {
    guarded([this] {
        if (platform::ListItem* selected = lstNN.SelectedItem()) {
            txtNN.set(selected->Text());
        }
    });
    cmdCalculate_Click();
}

void frmBrightness::cmbSkyRatio_Change() {
    guarded([this] {
        lstEnvironmnet.Clear();
        const int sky = cmbSkyRatio.ListIndex();
        if (sky == 0 || sky == 1) {
            platform::AddItems(lstEnvironmnet, lighting::kOrientations);
        } else if (sky == 2 || sky == 3) {
            platform::AddItems(lstEnvironmnet, lighting::kSurroundings);
        }
        // The surroundings the engineer chose stay chosen while the sky share offers them, also through
        // the texts typed on the way to it; L20 follows only when its row has changed, so that a sky share
        // typed back keeps an L20 the engineer typed.
        for (int i = 0; i < lstEnvironmnet.ListCount(); ++i) {
            if (lstEnvironmnet.List(i) == chosenSurroundings_) {
                lstEnvironmnet.setListIndexSilently(i);
            }
        }
        if (lstEnvironmnet.ListIndex() >= 0 &&
            lighting::AccessLuminanceRow(sky, lstEnvironmnet.ListIndex()) != lookedUpRow_) {
            cmbvt_Change();
        }
    });
}

void frmBrightness::lstEnvironmnet_Click() {
    guarded([this] { chosenSurroundings_ = lstEnvironmnet.Text(); });
    cmbvt_Change();
}

// ---- Traffic volumes ----

void frmBrightness::cmdAdd_Click() {
    guarded([this] { lstNN.ListItems.Add(txtNN.Text()); });
    SortTrafficLevels();
}

void frmBrightness::cmdUpdate_Click() {
    if (lstNN.ListItems.Count() < 1) {
        return;
    }
    guarded([this] {
        if (platform::ListItem* selected = lstNN.SelectedItem()) {
            selected->setText(txtNN.Text());
        }
    });
    SortTrafficLevels();
}

void frmBrightness::cmdDelete_Click() {
    guarded([this] {
        if (const int i = lstNN.SelectedIndex(); i > 0) {
            lstNN.ListItems.Remove(i);
        }
    });
}

void frmBrightness::SortTrafficLevels() {
    // Sorted once on the texts and written back, only the items whose text moved.
    guarded([this] {
        std::vector<std::string> volumes;
        for (int i = 1; i <= lstNN.ListItems.Count(); ++i) {
            volumes.push_back(lstNN.ListItems(i).Text());
        }
        const std::vector<std::string> sorted = lighting::SortVolumes(volumes);
        for (std::size_t i = 0; i < sorted.size(); ++i) {
            if (sorted[i] != volumes[i]) {
                lstNN.ListItems(static_cast<int>(i) + 1).setText(sorted[i]);
            }
        }
    });
    int match = 0;
    guarded([&] {
        const std::string wanted = txtNN.Text();
        for (int i = 1; i <= lstNN.ListItems.Count(); ++i) {
            if (lstNN.ListItems(i).Text() == wanted) {
                match = i;
                break;
            }
        }
    });
    if (match > 0) {
        guarded([&] { lstNN.select(match); });
        cmdCalculate_Click();
    }
}

// ---- The .bgh file ----

void frmBrightness::OpenFile() {
    scheme::SchemeReader in;
    const app::CompanionSource source = app::OpenCompanionOrTemplateFrom(
        in, app::ProjectCompanionPath(kExtension), app::TemplateCompanionPath(kExtension));
    guarded([this] { lstNN.ListItems.Clear(); });
    if (source == app::CompanionSource::None) {
        return;
    }
    lighting::BghContents c;
    guarded([&] { c = lighting::ReadBgh(in); });
    if (c.RefusedVolumeCount) {
        platform::CountWithinLimit(*c.RefusedVolumeCount, lighting::kMaxTrafficVolumes, "分级交通量");
    }
    // The template's zones, k and Ds belong to the template's tunnel: another tunnel opens on its own
    // facts and computes nothing until the engineer asks, so that no figure stands beside inputs it was
    // not computed from.
    const bool otherTunnel = app::TemplateIsForAnotherPublishedTunnel(source);
    std::string ownTraffic;
    if (otherTunnel) {
        guarded([&] {
            const lighting::OwnTunnel own = ProjectTunnel();
            ownTraffic = own.Traffic;
            c = lighting::KeepOfficeDefaults(c, own);
        });
    }
    // The traffic the stored zone table was calculated for comes back first, so that the sort selects its
    // volume and every calculation of the reading runs on it, as before the save.
    app::SetStoredText(txtNN, c.Traffic);

    if (c.Volumes) {
        guarded([&] {
            for (const std::string& v : *c.Volumes) {
                lstNN.ListItems.Add(v);
            }
        });
    }
    SortTrafficLevels();

    if (c.Speed) {
        guarded([&] { cmbvt.setText(*c.Speed); });
    }
    app::SetStoredText(txtLL, c.Length);
    if (c.TwoWay) {
        guarded([&] { optBidirection.set(*c.TwoWay); });
    }
    if (c.OneWay) {
        guarded([&] { OptionButton1.set(*c.OneWay); });
    }
    if (c.Mixed) {
        guarded([&] { chkMix.set(*c.Mixed ? 1 : 0); });
    }
    if (c.SkyRatio) {
        guarded([&] { cmbSkyRatio.setText(*c.SkyRatio); });
    }
    if (c.Surroundings && *c.Surroundings >= -1 && *c.Surroundings < lstEnvironmnet.ListCount()) {
        guarded([&] { lstEnvironmnet.setListIndex(static_cast<int>(*c.Surroundings)); });
    }
    app::SetStoredText(txtdTunnelSlope, c.Slope);
    app::SetStoredText(txth, c.Height);
    app::SetStoredText(txtdPreLength, c.PreLength);
    app::SetStoredText(txtdSpan, c.Span);
    app::SetStoredText(txtk, c.k);
    app::SetStoredText(txtdDiscount, c.Discount);
    app::SetStoredText(txtLL_20_S, c.L20);
    app::SetStoredText(txtDD_s, c.Ds);
    if (c.Mode && *c.Mode >= -1 && *c.Mode < lstAdjust.ListCount()) {
        guarded([&] {
            if (otherTunnel) {
                lstAdjust.setListIndexSilently(static_cast<int>(*c.Mode));
            } else {
                lstAdjust.setListIndex(static_cast<int>(*c.Mode));
            }
        });
    }
    if (otherTunnel) {
        // The volume to calculate comes last, so that the sort above calculated nothing.
        guarded([&] {
            txtNN.set(ownTraffic);
            lstNN.select(1);
        });
    }
    if (c.Zones) {
        guarded([&] {
            const int rows = std::min<int>(static_cast<int>(c.Zones->size()), lstResult.ListItems.Count());
            for (int i = 1; i <= rows; ++i) {
                const lighting::BghZoneRow& r = (*c.Zones)[static_cast<std::size_t>(i - 1)];
                platform::ListItem& item = lstResult.ListItems(i);
                if (r.Luminance) {
                    item.setSubItems(1, *r.Luminance);
                }
                if (r.Length) {
                    item.setSubItems(2, *r.Length);
                }
            }
        });
    }
}

scheme::SchemeWriter frmBrightness::FileContents() {
    lighting::BghContents c;
    std::vector<std::string> volumes;
    for (int i = 1; i <= lstNN.ListItems.Count(); ++i) {
        volumes.push_back(lstNN.ListItems(i).Text());
    }
    c.Volumes = volumes;
    PutInputs(*this, c);
    c.OneWay = OptionButton1.Value();
    c.Surroundings = lstEnvironmnet.ListIndex();
    c.Mode = lstAdjust.ListIndex();
    std::vector<lighting::BghZoneRow> rows;
    for (int i = 1; i <= lstResult.ListItems.Count(); ++i) {
        platform::ListItem& item = lstResult.ListItems(i);
        rows.push_back({item.SubItems(1), item.SubItems(2)});
    }
    c.Zones = rows;
    c.Traffic = txtNN.Text();
    return lighting::WriteBgh(c);
}

bool frmBrightness::SaveFile() {
    const std::string path = app::ProjectCompanionPath(kExtension);
    if (path.empty()) {
        return true;
    }
    return app::SaveCompanionFile(FileContents(), path, kFileName);
}

// ---- Report and navigation ----

void frmBrightness::cmdReport_Click() {
    // An unnamed project has no file to write to: refused before anything is calculated or opened.
    const std::optional<std::string> path = jetfan::ProjectOutputPath(lighting::kZoneReportName, ".rpt");
    if (!path) {
        return;
    }
    std::vector<std::string> notes;
    // The head prints k, the reduction rate and Ds; they come from a calculation of the inputs shown, made
    // now on the volume and mode shown, as the tables below are. The last calculation may predate an input
    // typed since (a slope), and a new tunnel opens uncalculated: either would print a head of other
    // inputs, or 未计算, above tables computed with the inputs printed.
    cmdCalculate_Click();
    AddUnique(notes, notes_);
    lighting::ZoneReportHead head;
    head.ProjectName = frmReq::ReportProjectName();
    PutInputs(*this, head);
    // The report names the surroundings; the file keeps their place in the list.
    if (lstEnvironmnet.ListIndex() >= 0) {
        head.Surroundings = lstEnvironmnet.Text();
    }

    std::vector<lighting::ZoneReportBlock> blocks;
    std::vector<std::string> volumes;
    for (int i = 1; i <= lstNN.ListItems.Count(); ++i) {
        volumes.push_back(lstNN.ListItems(i).Text());
    }
    for (const std::string& volume : volumes) {
        for (int j = 0; j < lighting::kModeCount; ++j) {
            guarded([&] { txtNN.set(volume); });
            // Every pair is calculated once, also when its mode is selected already.
            if (lstAdjust.ListIndex() == j) {
                cmdCalculate_Click();
            } else {
                guarded([&] { lstAdjust.setListIndex(j); });
            }
            AddUnique(notes, notes_);
            lighting::ZoneReportBlock b;
            b.Volume = txtNN.Text();
            b.Mode = lighting::kModeNames[static_cast<std::size_t>(j)];
            for (int z = 0; z < lighting::kZoneCount && z < lstResult.ListItems.Count(); ++z) {
                platform::ListItem& item = lstResult.ListItems(z + 1);
                b.Rows[static_cast<std::size_t>(z)] = {item.Text(), item.SubItems(1), item.SubItems(2)};
            }
            blocks.push_back(b);
        }
    }
    jetfan::PublishSchemeText(*path, lighting::ZoneReportLines(head, blocks, notes), true,
                              "照明区段亮度与长度计算书", "计算书");
}

void frmBrightness::cmdClose_Click() {
    guarded([this] { SaveFile(); });
    guarded([this] { Forms::instance<frmDefineLamp>().ShowModal(this); });
}

void frmBrightness::cmdOK_Click() {
    guarded([this] { SaveFile(); });
    guarded([this] { Forms::unload(*this); });
}

// ---- The main window's menu entry ----

void frmReq::mnuLighting_Click() {
    guarded([this] { Forms::instance<frmBrightness>().ShowModal(this); });
    // The lighting steps publish their own length, traffic and speed; the project's own come back as
    // soon as the wizard is closed, so no later calculation of the main window works with them.
    guarded([this] { RefreshData(true); });
}
