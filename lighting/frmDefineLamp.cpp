// SPDX-License-Identifier: GPL-3.0-or-later
#include "lighting/frmDefineLamp.h"

#include "app/companion_file.h"
#include "app/guarded.h"
#include "app/modPublic.h"
#include "lighting/frmLighting.h"
#include "lighting/lamp_photometry.h"
#include "lighting/lmp_file.h"
#include "platform/close_box.h"
#include "platform/Forms.h"
#include "platform/paths.h"
#include "platform/scheme_file.h"
#include "platform/vb.h"

#include <optional>

using app::guarded;
using platform::Forms;

namespace {

// The grid of the circuit's boxes: four columns, a row every kGridPitch from the frame's top.
constexpr int kColumnLeft[] = {120, 3500, 6880, 10260};
constexpr int kGridBoxWidth = 1450;
constexpr int kGridPitch = 380;

constexpr platform::Layout::Column gridColumn(int col) {
    return {.left = kColumnLeft[col], .labelWidth = 1750, .boxWidth = kGridBoxWidth, .pitch = kGridPitch};
}

constexpr int rowTop(int row) {
    return 300 + row * kGridPitch;
}

// Each column is wide enough for its header, and the model column for the shipped lamp's full name, so
// that no column of the list shows a cut text; the list scrolls sideways to the last columns.
constexpr platform::Layout::Heading kColumns[lighting::kCircuitColumns] = {
    {"回路名称", 1200},
    {"灯具型号", 2550},
    {"功率(W)", 800},
    {"光通量Φ(lm)", 1200},
    {"养护系数M", 1000},
    {"光源类型", 800},
    {"安装方式", 800},
    {"纵向间距(m)", 1100},
    {"横向间距(m)", 1100},
    {"高度H(m)", 900},
    {"绕隧道轴线转角(°)", 1600},
    {"绕横断面转角(°)", 1400},
    {"纵向并排灯数", 1200},
    {"间距(m)", 800},
    {"横向并排灯数", 1200},
    {"间距(m)", 800},
};

constexpr const char* kInstallModes[] = {"两侧交错布置", "两侧对称布置", "中线布置"};
constexpr const char* kLightTypes[] = {"高压钠灯", "低压钠灯", "荧光高压汞灯", "荧光灯", "白炽灯"};
constexpr const char* kRoadTypes[] = {"水泥混凝土路面", "沥青混凝土路面"};
constexpr int kCircuitNames = 14; // 回路A to 回路N

constexpr const char* kExtension = ".lmp";
constexpr const char* kFileName = "灯具回路文件";

std::string LampFilePath() {
    return platform::ResolvePath(platform::AppPath() + "\\ConfigFiles\\Icr.txt");
}

/// A list position stored as text: a whole number, or nullopt for a text that is none.
std::optional<int> Position(const std::string& text) {
    const std::optional<double> n = vb::StrictNumber(text);
    if (!n) {
        return std::nullopt;
    }
    const std::optional<vb::Integer> i = vb::CInt(*n);
    if (!i) {
        return std::nullopt;
    }
    return *i;
}

/// Puts a spinner at a stored count without writing the count back into its box: the box keeps the
/// count as stored, and a count outside the spinner's range leaves the spinner at the nearer end.
void PlaceSpinner(platform::UpDown& spinner, const std::string& count) {
    const std::optional<int> n = Position(count);
    if (!n) {
        return;
    }
    const int v = *n < spinner.Min() ? spinner.Min() : (*n > spinner.Max() ? spinner.Max() : *n);
    spinner.setSilently(v);
}

} // namespace

frmDefineLamp::frmDefineLamp() {
    buildControls();
    connectEvents();
}

void frmDefineLamp::buildControls() {
    using platform::Layout;
    Layout::window(*this, "Step 2: 设置照明计算参数", 14200, 8400);

    Layout::frame(Frame1, *this, "定义灯具回路", 120, 60, 13800, 5300);
    // A grid of four columns of captioned boxes, three or four to a row. They are placed, and so met by
    // Tab, in the order of the circuit list's columns; the mounting list stands at the right of the first
    // rows.
    auto at = [this](int col, int row, const char* caption, platform::Control& box) {
        layout_.column(Frame1, gridColumn(col), rowTop(row), {{caption, &box}});
    };
    at(0, 0, "回路名称:", cmbLampName);
    at(1, 0, "灯具型号:", cmbLightModel);
    // The model box spans two columns so that a maker's full type designation shows whole: a cut name
    // reads as another lamp.
    cmbLightModel.setWidth(kColumnLeft[2] - kColumnLeft[1] + kGridBoxWidth);
    at(0, 1, "功率(W):", txtPower);
    at(1, 1, "光通量Φ(lm)", txtPHI);
    at(2, 1, "养护系数M:", txtMM);
    at(0, 2, "光源类型:", cmbLightType);
    at(3, 0, "安装方式:", lstInstallMode);
    lstInstallMode.setHeight(3 * 240 + 60);
    at(1, 2, "纵向间距(m)", txtLightSS1);
    Layout::row(Frame1, gridColumn(2), rowTop(2), lblLightSS2, "横向间距(m)", txtLightSS2);
    at(0, 3, "高度H(m)", txtHH);
    Layout::row(Frame1, gridColumn(1), rowTop(3), lblAltitudeAngle, "绕隧道轴线转角(°)", txtAltitudeAngle);
    at(2, 3, "绕横断面转角(°)", txtAngle2);
    at(0, 4, "纵向并排灯数:", txtNum1);
    at(1, 4, "间距(m):", txtSpan1);
    at(2, 4, "横向并排灯数", txtNum2);
    at(3, 4, "间距(m):", txtSpan2);
    Layout::buttons(Frame1, kColumnLeft[3], rowTop(3) - 40, 1000, 375, 100,
                    {{&cmdAddSection, "添加"}, {&cmdDeleteSection, "删除"}, {&cmdUpdateSection, "更新"}});
    lstLamp.place(Frame1, 120, rowTop(5) + 60, 13560, 2900);
    lstLamp.setGridLines(true);

    Layout::frame(Frame2, *this, "路面", 120, 5440, 4500, 1300);
    layout_.column(Frame2, {.left = 120, .labelWidth = 1330, .boxWidth = 2900}, 300,
                   {{"路面类型:", &cmbRoadType}});
    cmbRoadType.setHeight(540);
    layout_.column(Frame2, {.left = 120, .labelWidth = 1330, .boxWidth = 1400}, 880,
                   {{"路面宽度(m)", &txtWW}});

    Layout::frame(Frame3, *this, "计算区域部分设置", 4740, 5440, 5200, 1300);
    layout_.column(Frame3, {.left = 120, .labelWidth = 1830, .boxWidth = 1200}, 300,
                   {{"与观察点距离(m)", &txtDistanceToCalArea}});
    layout_.column(Frame3, {.left = 120, .labelWidth = 1830, .boxWidth = 800}, 760,
                   {{"计算点个数:纵向", &txtCalPointCount1}});
    UpDown1.place(Frame3, 2760, 760, 255, platform::kBoxHeight);
    layout_.column(Frame3, {.left = 3200, .labelWidth = 600, .boxWidth = 800}, 760,
                   {{"横向", &txtCalPointCount2}});
    UpDown2.place(Frame3, 4610, 760, 255, platform::kBoxHeight);
    UpDown1.setMin(1);
    UpDown1.setMax(20);
    UpDown1.setIncrement(1);
    UpDown1.setSilently(1);
    UpDown2.setMin(1);
    UpDown2.setMax(19);
    UpDown2.setIncrement(2);
    UpDown2.setSilently(1);

    Layout::frame(Frame4, *this, "照度计算方法", 10060, 5440, 3860, 1300);
    Layout::captioned(optCurve, Frame4, "系数曲线图法", 200, 330, 3400);
    optCurve.setEnabled(false);
    Layout::captioned(optNumeric, Frame4, "数值法(逐点法)", 200, 760, 3400);
    optNumeric.setSilently(true);

    lblLampData.place(*this, 120, 6860, 9800, 760);
    lblLampData.setWordWrap(true);
    lblLampData.setForeColor(platform::vbRed);

    Layout::buttons(*this, 10060, 6960, 1800, 420, 200,
                    {{&cmdPreStep, "<--上一步"}, {&cmdNextStep, "下一步-->"}});

    Layout::inputs({&cmbLampName,
                    &cmbLightModel,
                    &txtPower,
                    &txtPHI,
                    &txtMM,
                    &cmbLightType,
                    &txtLightSS1,
                    &txtLightSS2,
                    &txtHH,
                    &txtAltitudeAngle,
                    &txtAngle2,
                    &txtNum1,
                    &txtSpan1,
                    &txtNum2,
                    &txtSpan2,
                    &lstInstallMode,
                    &cmbRoadType,
                    &txtWW,
                    &txtDistanceToCalArea,
                    &txtCalPointCount1,
                    &txtCalPointCount2});
}

void frmDefineLamp::connectEvents() {
    // The circuit editor starts empty and is filled by a click on a circuit.
    platform::Layout::entries(
        {.optionalNumbers = {&txtPower, &txtPHI, &txtMM, &txtLightSS1, &txtLightSS2, &txtHH,
                             &txtAltitudeAngle, &txtAngle2, &txtNum1, &txtSpan1, &txtNum2, &txtSpan2},
         .textLists = {&cmbLampName, &cmbLightModel}});
    platform::Connect(cmdAddSection.Click, this, &frmDefineLamp::cmdAddSection_Click);
    platform::Connect(cmdUpdateSection.Click, this, &frmDefineLamp::cmdUpdateSection_Click);
    platform::Connect(cmdDeleteSection.Click, this, &frmDefineLamp::cmdDeleteSection_Click);
    platform::Connect(lstLamp.ItemClick, this, &frmDefineLamp::lstLamp_ItemClick);
    platform::Connect(lstInstallMode.Click, this, &frmDefineLamp::lstInstallMode_Click);
    platform::Connect(UpDown1.Change, this, &frmDefineLamp::UpDown1_Change);
    platform::Connect(UpDown2.Change, this, &frmDefineLamp::UpDown2_Change);
    platform::Connect(cmdNextStep.Click, this, &frmDefineLamp::cmdNextStep_Click);
    platform::Connect(cmdPreStep.Click, this, &frmDefineLamp::cmdPreStep_Click);
}

void frmDefineLamp::Form_Load() {
    guarded([this] { platform::Layout::headings(lstLamp, kColumns); });
    guarded([this] { platform::Layout::choices(lstInstallMode, kInstallModes); });
    guarded([this] { platform::Layout::choices(cmbLightType, kLightTypes); });
    guarded([this] {
        for (int i = 0; i < kCircuitNames; ++i) {
            cmbLampName.AddItem(std::string("回路") + static_cast<char>('A' + i));
        }
        cmbLampName.setListIndex(0);
    });
    guarded([this] { platform::Layout::choices(cmbRoadType, kRoadTypes); });
    guarded([this] { LoadLampModels(); });
    guarded([this] { OpenFile(); });
}

void frmDefineLamp::LoadLampModels() {
    scheme::SchemeReader in;
    const bool opened = in.Open(LampFilePath());
    while (opened && !in.AtEnd()) {
        const std::string field = in.NextText().value_or("");
        if (field.size() >= 2 && field.front() == '[' && field.back() == ']') {
            cmbLightModel.AddItem(field.substr(1, field.size() - 2));
        }
    }
    if (cmbLightModel.ListCount() > 0) {
        cmbLightModel.setListIndex(0);
        lblLampData.setCaption("");
        return;
    }
    // Without a table every lamp gives 0 cd, and step 3 would show zero illuminance and luminance as if
    // they had been calculated.
    lblLampData.setCaption(std::string(opened ? "灯具光强表文件 ConfigFiles\\Icr.txt 中没有任何灯具型号"
                                              : "找不到灯具光强表文件 ConfigFiles\\Icr.txt") +
                           ": 未安装灯具光强数据, 照明计算无法求出照度和亮度。"
                           "请先将所用灯具的光强表 (cd/1000 lm, 按型号分节) 加入该文件。");
}

// ---- The circuit list ----

std::vector<std::string> frmDefineLamp::RowFromControls() const {
    return {cmbLampName.Text(),
            cmbLightModel.Text(),
            txtPower.Text(),
            txtPHI.Text(),
            txtMM.Text(),
            std::to_string(cmbLightType.ListIndex()),
            std::to_string(lstInstallMode.ListIndex()),
            txtLightSS1.Text(),
            txtLightSS2.Text(),
            txtHH.Text(),
            txtAltitudeAngle.Text(),
            txtAngle2.Text(),
            txtNum1.Text(),
            txtSpan1.Text(),
            txtNum2.Text(),
            txtSpan2.Text()};
}

void frmDefineLamp::WriteRow(platform::ListItem& item, const std::vector<std::string>& cells) {
    item.setText(cells.empty() ? "" : cells[0]);
    for (std::size_t c = 1; c < cells.size(); ++c) {
        item.setSubItems(static_cast<int>(c), cells[c]);
    }
}

void frmDefineLamp::cmdAddSection_Click() {
    guarded([this] {
        const std::vector<std::string> cells = RowFromControls();
        WriteRow(lstLamp.ListItems.Add(cells[0]), cells);
    });
}

void frmDefineLamp::cmdUpdateSection_Click() {
    guarded([this] {
        if (platform::ListItem* item = lstLamp.SelectedItem()) {
            WriteRow(*item, RowFromControls());
        }
    });
}

void frmDefineLamp::cmdDeleteSection_Click() {
    guarded([this] {
        const int i = lstLamp.SelectedIndex();
        if (i > 0) {
            lstLamp.ListItems.Remove(i);
        }
    });
}

void frmDefineLamp::lstLamp_ItemClick(platform::ListItem& Item) {
    guarded([&] { cmbLampName.setText(Item.Text()); });
    guarded([&] { cmbLightModel.setText(Item.SubItems(1)); });
    guarded([&] { txtPower.set(Item.SubItems(2)); });
    guarded([&] { txtPHI.set(Item.SubItems(3)); });
    guarded([&] { txtMM.set(Item.SubItems(4)); });
    guarded([&] {
        const std::optional<int> type = Position(Item.SubItems(5));
        if (type && *type >= -1 && *type < cmbLightType.ListCount()) {
            cmbLightType.setListIndex(*type);
        }
    });
    guarded([&] {
        const std::optional<int> mode = Position(Item.SubItems(6));
        if (mode && *mode >= 0 && *mode < lstInstallMode.ListCount()) {
            lstInstallMode.setListIndex(*mode);
        }
    });
    platform::TextBox* boxes[] = {&txtLightSS1, &txtLightSS2, &txtHH,   &txtAltitudeAngle, &txtAngle2,
                                  &txtNum1,     &txtSpan1,    &txtNum2, &txtSpan2};
    int column = 7; // SubItems(7) is column 8
    for (platform::TextBox* box : boxes) {
        guarded([&] { box->set(Item.SubItems(column)); });
        ++column;
    }
}

void frmDefineLamp::lstInstallMode_Click() {
    // A centre-line lamp has no transverse spacing and no tilt about the tunnel axis; the texts stay and
    // still go into the row.
    const bool centreLine = lstInstallMode.ListIndex() == lighting::kCentreLineMounting;
    txtLightSS2.setEnabled(!centreLine);
    lblLightSS2.setEnabled(!centreLine);
    txtAltitudeAngle.setEnabled(!centreLine);
    lblAltitudeAngle.setEnabled(!centreLine);
}

void frmDefineLamp::UpDown1_Change() {
    guarded([this] { txtCalPointCount1.set(std::to_string(UpDown1.Value())); });
}

void frmDefineLamp::UpDown2_Change() {
    guarded([this] { txtCalPointCount2.set(std::to_string(UpDown2.Value())); });
}

// ---- The .lmp file ----

void frmDefineLamp::OpenFile() {
    scheme::SchemeReader in;
    if (!app::OpenCompanionOrTemplate(in, app::ProjectCompanionPath(kExtension),
                                      app::TemplateCompanionPath(kExtension))) {
        return;
    }
    const lighting::LmpContents c = lighting::ReadLmp(in);
    if (c.Circuits) {
        guarded([&] {
            lstLamp.ListItems.Clear();
            for (const std::vector<std::string>& row : *c.Circuits) {
                WriteRow(lstLamp.ListItems.Add(row[0]), row);
            }
        });
    }
    if (c.RoadType && *c.RoadType >= 0 && *c.RoadType < cmbRoadType.ListCount()) {
        guarded([&] { cmbRoadType.setListIndex(static_cast<int>(*c.RoadType)); });
    }
    if (c.RoadWidth) {
        guarded([&] { txtWW.set(*c.RoadWidth); });
    }
    if (c.Distance) {
        guarded([&] { txtDistanceToCalArea.set(*c.Distance); });
    }
    if (c.PointsAlong) {
        guarded([&] { txtCalPointCount1.set(*c.PointsAlong); });
        guarded([&] { PlaceSpinner(UpDown1, *c.PointsAlong); });
    }
    if (c.PointsAcross) {
        guarded([&] { txtCalPointCount2.set(*c.PointsAcross); });
        guarded([&] { PlaceSpinner(UpDown2, *c.PointsAcross); });
    }
    if (c.Numeric) {
        guarded([&] { optNumeric.set(*c.Numeric); });
    }
    if (c.Curve) {
        guarded([&] { optCurve.set(*c.Curve); });
    }
}

scheme::SchemeWriter frmDefineLamp::FileContents() {
    lighting::LmpContents c;
    std::vector<std::vector<std::string>> rows;
    for (int i = 1; i <= lstLamp.ListItems.Count(); ++i) {
        platform::ListItem& item = lstLamp.ListItems(i);
        std::vector<std::string> row{item.Text()};
        for (int col = 1; col < lighting::kCircuitColumns; ++col) {
            row.push_back(item.SubItems(col));
        }
        rows.push_back(std::move(row));
    }
    c.Circuits = std::move(rows);
    c.RoadType = cmbRoadType.ListIndex();
    c.RoadWidth = txtWW.Text();
    c.Distance = txtDistanceToCalArea.Text();
    c.PointsAlong = txtCalPointCount1.Text();
    c.PointsAcross = txtCalPointCount2.Text();
    c.Numeric = optNumeric.Value();
    c.Curve = optCurve.Value();
    return lighting::WriteLmp(c);
}

bool frmDefineLamp::SaveFile() {
    const std::string path = app::ProjectCompanionPath(kExtension);
    if (path.empty()) {
        return true;
    }
    return app::SaveCompanionFile(FileContents(), path, kFileName);
}

// ---- Navigation ----

void frmDefineLamp::cmdNextStep_Click() {
    guarded([this] { SaveFile(); });
    guarded([this] { Forms::instance<frmLighting>().ShowModal(this); });
}

void frmDefineLamp::cmdPreStep_Click() {
    guarded([this] { SaveFile(); });
    guarded([this] { Hide(); });
}

void frmDefineLamp::Form_QueryUnload(int& cancel, int unloadMode) {
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
