// SPDX-License-Identifier: GPL-3.0-or-later
#include "lighting/frmLighting.h"

#include "app/companion_file.h"
#include "app/frmReq.h"
#include "app/guarded.h"
#include "app/jet_models.h"
#include "app/modPublic.h"
#include "jetfan/scheme_output.h"
#include "lighting/frmBrightness.h"
#include "lighting/frmDefineLamp.h"
#include "lighting/lgh_file.h"
#include "lighting/lighting_report.h"
#include "lighting/modPublic_lighting.h"
#include "lighting/point_lighting.h"
#include "platform/Cad.h"
#include "platform/close_box.h"
#include "platform/Forms.h"
#include "platform/layout.h"
#include "platform/MsgBox.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "platform/vb.h"

#include <algorithm>

using app::guarded;
using platform::Forms;

namespace {

constexpr const char* kModes[] = {"白天-晴天", "白天-云天",       "白天-阴天",
                                  "白天-重阴", "夜间-交通量较大", "夜间-交通量较小"};
constexpr const char* kZones[] = {"入口段", "过渡段1", "过渡段2", "过渡段3", "中间段", "出口段"};
// Each column is wide enough for its header.
constexpr platform::Layout::Heading kLampColumns[] = {
    {"回路名称", 900}, {"纵向间距(m)", 1100}, {"功率(W)", 900}, {"与计算域起点距离(m)", 1850}};

constexpr const char* kSpacingMessage =
    "4.11.3-1-2 计算区域内纵向计算点间距不宜大于1.0m,横向计算点应不少于5点.";
constexpr const char* kEvenMessage = "横向计算点个数宜为奇数.";
constexpr const char* kErrorTitle = "错误提示";

// The drawing: everything on one layer of its own, the lamps red, the points green, the illuminance
// yellow and the luminance cyan, so that the values can be told apart at a glance.
constexpr const char* kDrawingLayer = "LIGHTING";
constexpr int kLampColor = 1;
constexpr int kPointColor = 3;
constexpr int kIlluminanceColor = 2;
constexpr int kLuminanceColor = 4;
constexpr double kDrawingScale = 100; // drawing units per metre

constexpr const char* kExtension = ".lgh";
constexpr const char* kFileName = "照明计算文件";

/// The position a list gives to its case file: a list without a chosen entry counts as its first, so that
/// saving and reading a case always name the same file.
std::int16_t CasePosition(int listIndex) {
    return static_cast<std::int16_t>(std::max(listIndex, 0));
}

std::string CasePath(int volume, int mode, int zone) {
    const std::string name = lighting::CaseFileName(modPublic::ProjectFile, volume, mode, zone);
    return name.empty() ? name : platform::ResolvePath(name);
}

/// The cells of a step-2 circuit row, column 1 first.
std::vector<std::string> CellsOf(platform::ListItem& item) {
    std::vector<std::string> cells{item.Text()};
    for (int c = 1; c < lighting::kCircuitColumns; ++c) {
        cells.push_back(item.SubItems(c));
    }
    return cells;
}

/// The last character of a circuit name (UTF-8), as the lamp's label in the drawing.
std::string LastCharacter(const std::string& text) {
    if (text.empty()) {
        return {};
    }
    std::size_t i = text.size() - 1;
    while (i > 0 && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) {
        --i;
    }
    return text.substr(i);
}

platform::cad::Point Scaled(double x, double y, double z) {
    return {kDrawingScale * x, kDrawingScale * y, kDrawingScale * z};
}

/// Lists the row texts of `rows` in `to`, the first of them chosen.
template <class Choice> void ListRowsOf(platform::ListView& rows, Choice& to) {
    to.Clear();
    for (int i = 1; i <= rows.ListItems.Count(); ++i) {
        to.AddItem(rows.ListItems(i).Text());
    }
    if (to.ListCount() > 0) {
        to.setListIndex(0);
    }
}

} // namespace

frmLighting::frmLighting() {
    buildControls();
    Image1.setInstalledPicture("lighting_area.svg");
    connectEvents();
}

void frmLighting::buildControls() {
    using platform::Layout;
    Layout::window(*this, "Step 3: 照明计算", 12600, 8400);

    Layout::captioned(lblNN, *this, "选择交通量", 120, 120, 1800, 255);
    lstNN.place(*this, 120, 400, 1800, 1700);
    Layout::captioned(lblAdjust, *this, "选择调光方案:", 2040, 120, 1900, 255);
    lstAdjust.place(*this, 2040, 400, 1900, 1700);
    Layout::captioned(lblSegment, *this, "选择计算区段:", 4060, 120, 1800, 255);
    lstSegment.place(*this, 4060, 400, 1800, 1700);
    Layout::inputs({&lstNN, &lstAdjust, &lstSegment});

    Layout::frame(Frame1, *this, "选择开启回路", 120, 2200, 5740, 3900);
    lstLamp.place(Frame1, 120, 300, 5500, 1700);
    lstLamp.setGridLines(true);
    const Layout::Column circuit{
        .left = 120, .labelWidth = 2480, .boxWidth = 1500, .pitch = 380, .labelDrop = 20};
    Layout::row(Frame1, circuit, 2080, lblLampName, "选择回路:", cmbLampName);
    Layout::row(Frame1, circuit, 2080 + circuit.pitch, lblLightSS1, "纵向间距(m):", txtLightSS1);
    Layout::row(Frame1, circuit, 2080 + 2 * circuit.pitch, lblPower, "功率(W):", txtPower);
    Layout::row(Frame1, circuit, 2080 + 3 * circuit.pitch, lblLightSS3, "与计算域起点距离(m):", txtLightSS3);
    Layout::inputs({&cmbLampName, &txtLightSS1, &txtPower, &txtLightSS3});
    Layout::captioned(cmdAdd, Frame1, "添加", 4300, 2080, 1200, 380);
    Layout::captioned(cmdDelete, Frame1, "删除", 4300, 2560, 1200, 380);
    Layout::captioned(cmdUpdate, Frame1, "更新", 4300, 3040, 1200, 380);

    Layout::frame(Frame2, *this, "计算区域设置", 6000, 120, 2900, 800);
    Layout::row(Frame2, {.left = 120, .labelWidth = 1440, .labelDrop = 20}, 320, lblSS, "纵向长度S(m)",
                txtSS);

    Image1.place(*this, 9000, 120, 3400, 1980);
    Image1.setStretch(true);

    Layout::frame(Frame3, *this, "计算结果", 6000, 2200, 6400, 3900);
    struct Result {
        platform::Label* label;
        platform::TextBox* box;
        const char* caption;
    };
    const Result results[] = {
        {&lblEE_min, &txtEE_min, "最小照度Emin(lx)"},
        {&lblEE_max, &txtEE_max, "最大照度Emax(lx)"},
        {&lblEE_av, &txtEE_av, "平均照度Eav(lx)"},
        {&lblLL_min, &txtLL_min, "最小亮度Lmin(cd/m^2)"},
        {&lblLL_max, &txtLL_max, "最大亮度Lmax(cd/m^2)"},
        {&lblLL_av, &txtLL_av, "平均亮度Lav(cd/m^2)"},
        {&lblUU_0, &txtUU_0, "总均匀度Uo"},
        {&lblUU_l, &txtUU_l, "纵向均匀度Ul"},
    };
    for (int i = 0; i < 8; ++i) {
        const int column = i % 2;
        const int row = i / 2;
        Layout::row(Frame3,
                    {.left = 120 + column * 3150, .labelWidth = 1950, .boxWidth = 1100, .labelDrop = 20},
                    320 + row * 420, *results[i].label, results[i].caption, *results[i].box);
    }
    txtResult.place(Frame3, 120, 2080, 6100, 1000);
    txtResult.setMultiLine(true);
    pgrBar.place(Frame3, 120, 3200, 6100, 255);
    pgrBar.setVisible(false);

    Layout::captioned(chkDraw, *this, "绘图", 120, 6300, 1200, 300);
    chkDraw.setSilently(1);
    Layout::buttons(*this, 1500, 6900, 1500, 420, 200, {{&cmdCalculate, "计算"}, {&cmdReport, "计算书"}});
    Layout::buttons(*this, 7400, 6900, 1500, 420, 200, {{&cmdPreStep, "<--上一步"}, {&cmdClose, "完成"}});
}

void frmLighting::connectEvents() {
    platform::Layout::entries(
        {.optionalNumbers = {&txtLightSS1, &txtPower, &txtLightSS3}, .textLists = {&cmbLampName}});
    platform::Connect(lstNN.Click, this, &frmLighting::lstNN_Click);
    platform::Connect(lstAdjust.Click, this, &frmLighting::lstAdjust_Click);
    platform::Connect(lstSegment.Click, this, &frmLighting::lstSegment_Click);
    platform::Connect(cmbLampName.Change, this, &frmLighting::cmbLampName_Change);
    platform::Connect(cmbLampName.Click, this, &frmLighting::cmbLampName_Change);
    platform::Connect(lstLamp.ItemClick, this, &frmLighting::lstLamp_ItemClick);
    platform::Connect(cmdAdd.Click, this, &frmLighting::cmdAdd_Click);
    platform::Connect(cmdDelete.Click, this, &frmLighting::cmdDelete_Click);
    platform::Connect(cmdUpdate.Click, this, &frmLighting::cmdUpdate_Click);
    platform::Connect(cmdCalculate.Click, this, &frmLighting::cmdCalculate_Click);
    platform::Connect(cmdReport.Click, this, &frmLighting::cmdReport_Click);
    platform::Connect(cmdPreStep.Click, this, &frmLighting::cmdPreStep_Click);
    platform::Connect(cmdClose.Click, this, &frmLighting::cmdClose_Click);
}

std::array<platform::TextBox*, 8> frmLighting::resultBoxes() {
    return {&txtEE_min, &txtEE_max, &txtEE_av, &txtLL_min, &txtLL_max, &txtLL_av, &txtUU_0, &txtUU_l};
}

// ---- Creation and the cases ----

void frmLighting::Form_Load() {
    UserForm_Initialize();
}

void frmLighting::UserForm_Initialize() {
    bIsInitializing = true;
    guarded([this] { platform::Layout::choices(lstAdjust, kModes); });
    guarded([this] { platform::Layout::choices(lstSegment, kZones); });
    guarded([this] { platform::Layout::headings(lstLamp, kLampColumns); });
    guarded([this] { ListRowsOf(Forms::instance<frmDefineLamp>().lstLamp, cmbLampName); });
    guarded([this] { ListRowsOf(Forms::instance<frmBrightness>().lstNN, lstNN); });
    guarded([this] { LoadZoneCase(); });
    bIsInitializing = false;
}

void frmLighting::lstNN_Click() {
    guarded([this] { SaveZoneCase(); });
    LoadChosenCase();
    iCurNN = CasePosition(lstNN.ListIndex());
}

void frmLighting::lstAdjust_Click() {
    guarded([this] { SaveZoneCase(); });
    LoadChosenCase();
    iCurAdjust = CasePosition(lstAdjust.ListIndex());
}

void frmLighting::lstSegment_Click() {
    guarded([this] { SaveZoneCase(); });
    LoadChosenCase();
    iCurSegment = CasePosition(lstSegment.ListIndex());
}

void frmLighting::LoadChosenCase() {
    // The window's creation ends by opening the case its three lists settle on: opening one as each list
    // is filled would read the same case file three more times.
    if (!bIsInitializing) {
        guarded([this] { LoadZoneCase(); });
    }
}

void frmLighting::LoadZoneCase() {
    const int volume = lstNN.ListIndex();
    const int mode = lstAdjust.ListIndex();
    const int zone = lstSegment.ListIndex();

    // Step 1 computes the zones of the chosen volume and mode.
    guarded([&] {
        frmBrightness& step1 = Forms::instance<frmBrightness>();
        if (volume >= 0 && volume < lstNN.ListCount()) {
            guarded([&] { step1.txtNN.set(lstNN.List(volume)); });
        }
        if (mode >= 0) {
            guarded([&] { step1.lstAdjust.setListIndex(mode); });
        }
        step1.cmdCalculate_Click();
    });
    guarded([&] {
        platform::ListView& rows = Forms::instance<frmBrightness>().lstResult;
        if (zone >= 0 && zone + 1 <= rows.ListItems.Count()) {
            platform::ListItem& row = rows.ListItems(zone + 1);
            LL_zone = vb::Val(row.SubItems(1));
            DD_zone = vb::Val(row.SubItems(2));
        }
    });
    guarded([&] {
        const std::string zoneText = zone >= 0 && zone < lstSegment.ListCount() ? lstSegment.List(zone) : "";
        setCaption(" Step 3: " + zoneText + "照明计算    亮度(cd/m^2):" + vb::Format(LL_zone, "0.00") +
                   "  长度(m):" + vb::Format(DD_zone, "0.00"));
    });

    const std::string casePath = CasePath(CasePosition(volume), CasePosition(mode), CasePosition(zone));
    std::optional<std::string> bytes;
    if (!casePath.empty()) {
        bytes = textfile::ReadBytes(casePath);
    }
    const bool own = bytes.has_value();
    if (!own) {
        bytes = textfile::ReadBytes(app::TemplateCompanionPath(kExtension));
    }
    std::optional<lighting::LghContents> c;
    if (bytes) {
        c = lighting::ReadLghBytes(*bytes);
        // The template's circuits are laid out for the template's tunnel: on another tunnel a zone the
        // engineer has not laid out has none of them, nor the area and results they gave.
        if (app::TemplateIsForAnotherPublishedTunnel(own ? app::CompanionSource::Project
                                                         : app::CompanionSource::Template)) {
            c->Rows.emplace();
            c->AreaLength.emplace();
            c->Results.fill(std::string());
        }
    }
    const bool damaged = own && (!c->Whole || c->RefusedRowCount);
    if (!c || damaged) {
        // Neither the case nor the template, or a damaged case: what is not read shows empty, not as the
        // case shown before; the drawing switch stays as it was.
        lstLamp.ListItems.Clear();
        txtSS.set("");
        ClearResults();
    }
    const bool setUp = c && ReadCase(*c) && own;
    noteChangedCircuits();
    damagedCase_.reset();
    if (damaged) {
        // The window reads its case again as its lists are filled: a file is named once, not each time.
        if (!namedDamage_ || namedDamage_->first != casePath || namedDamage_->second != *bytes) {
            if (c->RefusedRowCount) {
                platform::CountWithinLimit(*c->RefusedRowCount, lighting::kMaxCaseRows, "开启回路");
            } else {
                platform::MsgBox(std::string(kFileName) + "不完整或已损坏:\r\n" + casePath +
                                     "\r\n文件中未能读入的数据为空.",
                                 platform::vbOKOnly, "出错");
            }
        }
        namedDamage_.emplace(casePath, *bytes);
    }
    // A case read from the template is set up once the engineer changes or calculates it; until then it
    // is written as not set up, so that no report takes the template's circuits for the zone's design.
    notSetUp_.reset();
    if (!setUp) {
        guarded([this] { notSetUp_ = CaseRecords(true).Bytes(); });
    }
    if (damaged) {
        guarded([&] { damagedCase_.emplace(casePath, CaseContents().Bytes()); });
    }
}

bool frmLighting::ReadCase(const lighting::LghContents& c) {
    if (c.Rows) {
        lstLamp.ListItems.Clear();
        for (const lighting::CaseRow& row : *c.Rows) {
            platform::ListItem& item = lstLamp.ListItems.Add(row[0]);
            for (int col = 1; col < 4; ++col) {
                item.setSubItems(col, row[static_cast<std::size_t>(col)]);
            }
        }
    }
    if (c.AreaLength) {
        txtSS.set(*c.AreaLength);
    }
    const std::array<platform::TextBox*, 8> boxes = resultBoxes();
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        if (c.Results[i]) {
            boxes[i]->set(*c.Results[i]);
        }
    }
    // The comparison lines belong to the calculation they came from, which the case file does not keep.
    txtResult.set("");
    if (c.Draw) {
        chkDraw.set(*c.Draw ? 1 : 0);
    }
    return c.SetUp;
}

bool frmLighting::CaseNotSetUp() {
    return notSetUp_ && *notSetUp_ == CaseRecords(true).Bytes();
}

std::string frmLighting::OpenCasePath() const {
    if (modPublic::ProjectFile.empty() || bIsInitializing) {
        return {};
    }
    return CasePath(iCurNN, iCurAdjust, iCurSegment);
}

scheme::SchemeWriter frmLighting::CaseContents() {
    return CaseRecords(!CaseNotSetUp());
}

scheme::SchemeWriter frmLighting::CaseRecords(bool setUp) {
    std::vector<lighting::CaseRow> rows;
    for (int i = 1; i <= lstLamp.ListItems.Count(); ++i) {
        platform::ListItem& item = lstLamp.ListItems(i);
        rows.push_back({item.Text(), item.SubItems(1), item.SubItems(2), item.SubItems(3)});
    }
    std::array<std::string, lighting::kCaseResults> results;
    const std::array<platform::TextBox*, 8> boxes = resultBoxes();
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        results[i] = boxes[i]->Text();
    }
    return lighting::WriteLgh(rows, txtSS.Text(), results, chkDraw.Value() == 1, setUp);
}

bool frmLighting::DamagedCaseUnchanged(const std::string& path, const std::string& bytes) const {
    return damagedCase_ && damagedCase_->first == path && damagedCase_->second == bytes;
}

bool frmLighting::SaveZoneCase() {
    const std::string path = OpenCasePath();
    if (path.empty()) {
        return true;
    }
    const scheme::SchemeWriter contents = CaseContents();
    // A damaged file stays as it is until the engineer changes the case: what was read of it is no edit.
    if (DamagedCaseUnchanged(path, contents.Bytes())) {
        return true;
    }
    return app::SaveCompanionFile(contents, path, kFileName);
}

void frmLighting::noteChangedCircuits() {
    // The case keeps the power of each circuit it switches on as it was picked; step 2 holds the circuit by
    // name and may have been changed since.
    guarded([this] {
        platform::ListView& circuits = Forms::instance<frmDefineLamp>().lstLamp;
        std::vector<modPublic::KeptCatalogueEntry> entries;
        for (int i = 1; i <= lstLamp.ListItems.Count(); ++i) {
            platform::ListItem& on = lstLamp.ListItems(i);
            for (int d = 1; d <= circuits.ListItems.Count(); ++d) {
                platform::ListItem& circuit = circuits.ListItems(d);
                if (circuit.Text() == on.Text()) {
                    entries.push_back(
                        {on.Text(), std::vector<modPublic::KeptCatalogueValue>{
                                        {"功率", on.SubItems(2), vb::Val(circuit.SubItems(2)), "W"}}});
                    break;
                }
            }
        }
        const std::string note = modPublic::CatalogueChangeHint(
            "第2步灯具回路", entries, "本工况仍为原功率，采用新数据须重新选择回路并更新。");
        if (!note.empty()) {
            txtResult.set(note);
        }
    });
}

// ---- The circuit editor ----

void frmLighting::cmbLampName_Change() {
    guarded([this] {
        platform::ListView& circuits = Forms::instance<frmDefineLamp>().lstLamp;
        const std::string name = cmbLampName.Text();
        for (int i = 1; i <= circuits.ListItems.Count(); ++i) {
            platform::ListItem& row = circuits.ListItems(i);
            if (row.Text() == name) {
                txtLightSS1.set(row.SubItems(7));
                txtPower.set(row.SubItems(2));
                return;
            }
        }
    });
}

void frmLighting::lstLamp_ItemClick(platform::ListItem& item) {
    guarded([&] {
        cmbLampName.setText(item.Text());
        txtLightSS1.set(item.SubItems(1));
        txtPower.set(item.SubItems(2));
        txtLightSS3.set(item.SubItems(3));
    });
}

void frmLighting::cmdAdd_Click() {
    guarded([this] {
        if (!platform::RoomForAnotherRow(lstLamp.ListItems.Count(), lighting::kMaxCaseRows, "开启回路")) {
            return;
        }
        platform::ListItem& item = lstLamp.ListItems.Add(cmbLampName.Text());
        item.setSubItems(1, txtLightSS1.Text());
        item.setSubItems(2, txtPower.Text());
        item.setSubItems(3, txtLightSS3.Text());
    });
}

void frmLighting::cmdUpdate_Click() {
    guarded([this] {
        platform::ListItem* item = lstLamp.ListItems.Count() > 0 ? lstLamp.SelectedItem() : nullptr;
        if (item == nullptr) {
            return;
        }
        item->setText(cmbLampName.Text());
        item->setSubItems(1, txtLightSS1.Text());
        item->setSubItems(2, txtPower.Text());
        item->setSubItems(3, txtLightSS3.Text());
    });
}

void frmLighting::cmdDelete_Click() {
    guarded([this] {
        if (platform::ListItem* item = lstLamp.SelectedItem()) {
            lstLamp.ListItems.Remove(item->Index());
        }
    });
}

// ---- Data exchange ----

void frmLighting::UpdateData(bool flag) {
    if (flag) {
        frmDefineLamp& step2 = Forms::instance<frmDefineLamp>();
        auto count = [](const std::string& text, std::int16_t& target) {
            const std::optional<double> n = vb::StrictNumber(text);
            if (!n) {
                return;
            }
            if (const auto whole = vb::CInt(*n)) {
                target = *whole;
            }
        };
        guarded([&] { count(step2.txtCalPointCount2.Text(), CalPointCount2); });
        guarded([&] { count(step2.txtCalPointCount1.Text(), CalPointCount1); });
        guarded([&] { WW = vb::Val(step2.txtWW.Text()); });
        guarded([&] { dDistanceToCalArea = vb::Val(step2.txtDistanceToCalArea.Text()); });
        return;
    }
    auto f = [](double v) { return vb::Format(v, "0.00"); };
    txtEE_min.set(f(EE_min));
    txtEE_max.set(f(EE_max));
    txtEE_av.set(f(EE_av));
    txtLL_min.set(f(LL_min));
    txtLL_max.set(f(LL_max));
    txtLL_av.set(f(LL_av));
    txtUU_0.set(f(UU_0));
    txtUU_l.set(f(UU_l));
    txtSS.set(f(SS));
}

void frmLighting::ClearResults() {
    for (platform::TextBox* box : resultBoxes()) {
        box->set("");
    }
    txtResult.set("");
}

// ---- The calculation ----

void frmLighting::cmdCalculate_Click() {
    guarded([this] { Calculate(); });
}

std::optional<std::string> frmLighting::Calculate() {
    // A refused calculation leaves no result of the inputs it was refused for: the boxes it would have
    // replaced are emptied, so that no earlier calculation passes for one of the grid and lamps shown.
    std::optional<std::string> refused = CalculateGrid();
    if (refused) {
        ClearResults();
    }
    return refused;
}

std::optional<std::string> frmLighting::CalculateGrid() {
    auto refuse = [](const std::string& message) -> std::optional<std::string> {
        platform::MsgBox(message, platform::vbOKOnly, kErrorTitle);
        return message;
    };

    UpdateData(true);
    // A count asked for beyond the limits is refused before anything is laid out or allocated, also one
    // too large for the 16-bit counts, which would otherwise keep their previous value.
    {
        frmDefineLamp& step2 = Forms::instance<frmDefineLamp>();
        const std::optional<long long> along = lighting::AskedCount(step2.txtCalPointCount1.Text());
        const std::optional<long long> across = lighting::AskedCount(step2.txtCalPointCount2.Text());
        if (along && across && *along > 0 && *across > 0) {
            const long long points = lighting::AskedProduct(*along, *across, lighting::kMaxGridPoints);
            if (!platform::CountWithinLimit(points, lighting::kMaxGridPoints, "计算点")) {
                return std::string("计算点过多");
            }
        }
    }
    SS = 0;
    for (int i = 1; i <= lstLamp.ListItems.Count(); ++i) {
        SS = std::max(SS, vb::Val(lstLamp.ListItems(i).SubItems(1)));
    }

    switch (lighting::CheckGrid(SS, CalPointCount1, CalPointCount2)) {
    case lighting::GridCheck::Spacing:
        return refuse(kSpacingMessage);
    case lighting::GridCheck::EvenAcross:
        return refuse(kEvenMessage);
    case lighting::GridCheck::Ok:
        break;
    }

    // The lamps: every step-2 circuit of the name counts, also a name listed twice there.
    frmDefineLamp& step2 = Forms::instance<frmDefineLamp>();
    LampPoints.clear();
    std::vector<std::string> tooDense;
    // The counts first, so that a circuit asking for a huge number of lamps allocates nothing.
    long long lampCount = 0;
    for (int r = 1; r <= lstLamp.ListItems.Count(); ++r) {
        platform::ListItem& on = lstLamp.ListItems(r);
        for (int d = 1; d <= step2.lstLamp.ListItems.Count(); ++d) {
            platform::ListItem& circuit = step2.lstLamp.ListItems(d);
            if (circuit.Text() != on.Text()) {
                continue;
            }
            const std::vector<std::string> cells = CellsOf(circuit);
            const long long along = lighting::AskedCount(cells[12]).value_or(0);
            const long long across = lighting::AskedCount(cells[14]).value_or(0);
            if (along > 0 && across > 0) {
                const long long perPosition =
                    lighting::AskedProduct(along, across, lighting::kMaxLampsPerPosition);
                if (!platform::CountWithinLimit(perPosition, lighting::kMaxLampsPerPosition,
                                                "回路 " + on.Text() + " 每个灯位的灯具")) {
                    return std::string("灯具过多");
                }
            }
            const long long count = lighting::CircuitLampCount(
                vb::Val(on.SubItems(1)), vb::Val(on.SubItems(3)), SS, lighting::LayoutFromRow(cells));
            lampCount = count > lighting::kMaxLamps ? count : lampCount + count;
            if (!platform::CountWithinLimit(lampCount, lighting::kMaxLamps, "灯具")) {
                return std::string("灯具过多");
            }
        }
    }
    for (int r = 1; r <= lstLamp.ListItems.Count(); ++r) {
        platform::ListItem& on = lstLamp.ListItems(r);
        const double spacing = vb::Val(on.SubItems(1));
        const double distance = vb::Val(on.SubItems(3));
        for (int d = 1; d <= step2.lstLamp.ListItems.Count(); ++d) {
            platform::ListItem& circuit = step2.lstLamp.ListItems(d);
            if (circuit.Text() != on.Text()) {
                continue;
            }
            lighting::CircuitLamps lamps = lighting::LayOutCircuit(on.Text(), spacing, distance, SS,
                                                                   lighting::LayoutFromRow(CellsOf(circuit)));
            if (lamps.StepTooSmall &&
                std::find(tooDense.begin(), tooDense.end(), on.Text()) == tooDense.end()) {
                tooDense.push_back(on.Text());
            }
            LampPoints.insert(LampPoints.end(), lamps.Lamps.begin(), lamps.Lamps.end());
        }
    }
    if (!tooDense.empty()) {
        std::string names;
        for (const std::string& n : tooDense) {
            names += (names.empty() ? "" : ", ") + n;
        }
        return refuse("下列回路的纵向间距过小, 灯具位置的间距取整后为0m, 无法布置灯具:\r\n" + names);
    }
    if (LampPoints.empty()) {
        ClearResults();
        return refuse("没有开启的灯具回路: 开启回路列表为空, 或其回路名称在第二步的灯具回路中没有定义, "
                      "无灯具可计算.");
    }

    const std::string roadType = step2.cmbRoadType.Text();
    if (!modPublic::ReadTable(roadType, modPublic::RoadLuminanceTable, "")) {
        ClearResults();
        return refuse("表文件中找不到路面 \"" + roadType + "\" 的简化亮度系数表, 无法计算路面亮度.");
    }

    platform::cad::ModelSpace* space = nullptr;
    if (chkDraw.Value() == 1) {
        platform::cad::Application* cad = platform::cad::Application::Attach();
        if (cad == nullptr) {
            platform::MsgBox("创建AutoCAD文档失败，请手动打开AutoCAD软件，并新建文档后，再试！",
                             platform::vbOKOnly, "创建AutoCAD文档出错");
            return std::string("创建AutoCAD文档失败");
        }
        guarded([&] { cad->setVisible(true); });
        space = &cad->activeDocument().modelSpace();
        for (const lighting::LampPoint& lamp : LampPoints) {
            const auto& p = lamp.Pos;
            space->AddCircle(Scaled(p[0], p[1], p[2]), 10).setLayer(kDrawingLayer).setColor(kLampColor);
            space
                ->AddText(LastCharacter(lamp.Name),
                          {kDrawingScale * p[0] + 20, kDrawingScale * p[1], kDrawingScale * p[2]}, 20)
                .setLayer(kDrawingLayer)
                .setColor(kLampColor);
        }
    }

    CalPoints = lighting::GridPoints(SS, WW, CalPointCount1, CalPointCount2);
    if (space != nullptr) {
        for (const auto& p : CalPoints) {
            space->AddPoint(Scaled(p[0], p[1], p[2])).setLayer(kDrawingLayer).setColor(kPointColor);
        }
    }

    const lighting::Point3 observer = lighting::Observer(dDistanceToCalArea, WW);
    modPublic::ClearMissingLampModels();
    pgrBar.setMax(static_cast<int>(CalPoints.size()));
    pgrBar.setValue(0);
    pgrBar.setVisible(true);
    // The circuits and intensity tables are read once, then the points are shared among the cores.
    const modPublic::PreparedLamps prepared = modPublic::PrepareLamps(LampPoints);
    const std::vector<lighting::PointValue> values =
        lighting::SumOverLamps(prepared.Lamps, CalPoints, observer, modPublic::RoadLuminanceTable,
                               CalculationThreads, [this](int done) { pgrBar.setValue(done); });
    pgrBar.setVisible(false);

    // Lamps without an intensity table give no light: their zeros are no result.
    const std::vector<std::string>& missing = modPublic::MissingLampModels();
    if (!missing.empty()) {
        std::string names;
        for (const std::string& m : missing) {
            names += (names.empty() ? "" : ", ") + (m.empty() ? std::string("(未填型号)") : m);
        }
        ClearResults();
        return refuse(
            "下列灯具型号在灯具光强表文件 ConfigFiles\\Icr.txt 中没有光强表, 无法计算照度和亮度:\r\n" +
            names + "\r\n请先在该文件中加入这些型号的光强表.");
    }

    const lighting::LightingSummary s = lighting::Summarise(values);
    EE_min = s.EE_min;
    EE_max = s.EE_max;
    EE_av = s.EE_av;
    LL_min = s.LL_min;
    LL_max = s.LL_max;
    LL_av = s.LL_av;
    LL_min_p = s.LL_min_p;
    LL_max_p = s.LL_max_p;
    UU_0 = s.UU_0.value_or(0);
    UU_l = s.UU_l.value_or(0);

    frmBrightness& step1 = Forms::instance<frmBrightness>();
    const lighting::RequiredUniformity required =
        lighting::RequiredUniformityFor(vb::Val(step1.txtNN.Text()), step1.optBidirection.Value());
    txtResult.set(lighting::ResultText(LL_av, LL_zone, s.UU_0, s.UU_l, required));
    UpdateData(false);
    // A uniformity that cannot be formed shows no number rather than a stale or made-up one.
    if (!s.UU_0) {
        txtUU_0.set("");
    }
    if (!s.UU_l) {
        txtUU_l.set("");
    }

    if (space != nullptr) {
        for (std::size_t k = 0; k < CalPoints.size() && k < values.size(); ++k) {
            const auto& p = CalPoints[k];
            const double x = kDrawingScale * p[0] + 20;
            const double y = kDrawingScale * p[1];
            const double z = kDrawingScale * p[2];
            space->AddText(vb::Format(values[k].E, "0.00"), {x, y + 20, z}, 20)
                .setLayer(kDrawingLayer)
                .setColor(kIlluminanceColor);
            space->AddText(vb::Format(values[k].L, "0.00"), {x, y - 20, z}, 20)
                .setLayer(kDrawingLayer)
                .setColor(kLuminanceColor);
        }
        guarded([] { platform::cad::zoomExtents(); });
    }
    return std::nullopt;
}

// ---- Report and navigation ----

void frmLighting::cmdReport_Click() {
    // An unnamed project has no file to write to: refused before anything is calculated or opened.
    const std::optional<std::string> path = jetfan::ProjectOutputPath(lighting::kLightingReportName, ".rpt");
    if (!path) {
        return;
    }
    const std::string projectName = frmReq::ReportProjectName();
    std::vector<std::string> lines = lighting::LightingReportHead(projectName);
    bool numeric = true;
    guarded([&] { numeric = Forms::instance<frmDefineLamp>().optNumeric.Value(); });

    for (int i = 0; i < lstSegment.ListCount(); ++i) {
        if (lstSegment.ListIndex() != i) {
            guarded([&] { lstSegment.setListIndex(i); });
        }
        lighting::LightingZoneBlock block;
        block.Zone = lstSegment.List(i);
        block.Numeric = numeric;
        // A zone the engineer never set up would print the template's circuits and results as its own.
        block.SetUp = !CaseNotSetUp();
        if (!block.SetUp) {
            const std::vector<std::string> zoneLines = lighting::LightingZoneLines(block);
            lines.insert(lines.end(), zoneLines.begin(), zoneLines.end());
            continue;
        }
        chkDraw.set(0);
        guarded([&] { block.Refused = Calculate(); });
        for (int r = 1; r <= lstLamp.ListItems.Count(); ++r) {
            platform::ListItem& item = lstLamp.ListItems(r);
            block.Rows.push_back({item.Text(), item.SubItems(1), item.SubItems(2), item.SubItems(3)});
        }
        const std::array<platform::TextBox*, 8> boxes = resultBoxes();
        for (std::size_t k = 0; k < boxes.size(); ++k) {
            block.Results[k] = boxes[k]->Text();
        }
        const std::vector<std::string> zoneLines = lighting::LightingZoneLines(block);
        lines.insert(lines.end(), zoneLines.begin(), zoneLines.end());
    }
    jetfan::PublishSchemeText(*path, lines, true, "照明计算书", "计算书");
}

void frmLighting::cmdPreStep_Click() {
    guarded([this] { SaveZoneCase(); });
    guarded([this] { Hide(); });
}

void frmLighting::cmdClose_Click() {
    guarded([this] { SaveZoneCase(); });
    // Steps 1 and 2 wrote their files when the engineer moved on from them; their unload writes nothing.
    guarded([this] { Forms::unload(*this); });
    guarded([] { Forms::unload<frmDefineLamp>(); });
    guarded([] { Forms::unload<frmBrightness>(); });
}

void frmLighting::Form_QueryUnload(int& cancel, int unloadMode) {
    // The close box returns to step 2 and drops the open case's changes only when the engineer says so;
    // Finish and Back have saved it already.
    if (unloadMode == platform::vbFormControlMenu) {
        guarded([&] {
            const std::string bytes = CaseContents().Bytes();
            const std::string path = DamagedCaseUnchanged(OpenCasePath(), bytes) ? "" : OpenCasePath();
            if (!platform::CloseBoxMayClose(path, bytes, [this] { return SaveZoneCase(); })) {
                cancel = 1;
            }
        });
    }
}
