// SPDX-License-Identifier: GPL-3.0-or-later
#include "lighting/frmDefineLamp.h"

#include "app/companion_file.h"
#include "app/guarded.h"
#include "app/modPublic.h"
#include "lighting/frmLighting.h"
#include "lighting/lamp_photometry.h"
#include "lighting/lmp_file.h"
#include "platform/Forms.h"
#include "platform/paths.h"
#include "platform/scheme_file.h"
#include "platform/vb.h"

#include <optional>

using app::guarded;
using platform::Forms;

namespace {

constexpr platform::Color kInputColor = platform::RGB(255, 255, 192);
constexpr int kBoxHeight = 300;

struct Column {
    const char* header;
    int width;
};
// Each column is wide enough for its header, and the model column for the shipped lamp's full name, so
// that no column of the list shows a cut text; the list scrolls sideways to the last columns.
constexpr Column kColumns[lighting::kCircuitColumns] = {
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

std::string ProjectLmpPath() {
    return app::ProjectCompanionPath(".lmp");
}

std::string TemplateLmpPath() {
    return app::TemplateCompanionPath(".lmp");
}

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

frmDefineLamp::~frmDefineLamp() = default;

platform::Label& frmDefineLamp::caption(platform::Container& parent, const std::string& text, int left,
                                        int top, int width) {
    auto label = std::make_unique<platform::Label>();
    label->place(parent, left, top, width, 255);
    label->setCaption(text);
    captions_.push_back(std::move(label));
    return *captions_.back();
}

void frmDefineLamp::buildControls() {
    setCaption("Step 2: 设置照明计算参数");
    setWidth(14200);
    setHeight(8400);

    Frame1.place(*this, 120, 60, 13800, 5300);
    Frame1.setCaption("定义灯具回路");
    const int colX[] = {120, 3500, 6880, 10260};
    const int labelW = 1700, boxX = 1750, boxW = 1450, pitch = 380;
    auto at = [&](int row, int col, const std::string& text, platform::Control& box, platform::Label* label) {
        const int y = 300 + row * pitch;
        if (label != nullptr) {
            label->place(Frame1, colX[col], y + 30, labelW, 255);
            label->setCaption(text);
        } else {
            caption(Frame1, text, colX[col], y + 30, labelW);
        }
        box.place(Frame1, colX[col] + boxX, y, boxW, kBoxHeight);
        box.setBackColor(kInputColor);
    };
    // The model box spans two columns so that a maker's full type designation shows whole: a cut name
    // reads as another lamp. The other boxes follow in the grid, lamp data first, then its placing.
    at(0, 0, "回路名称:", cmbLampName, nullptr);
    at(0, 1, "灯具型号:", cmbLightModel, nullptr);
    cmbLightModel.setWidth(colX[2] - colX[1] + boxW);
    at(1, 0, "功率(W):", txtPower, nullptr);
    at(1, 1, "光通量Φ(lm)", txtPHI, nullptr);
    at(1, 2, "养护系数M:", txtMM, nullptr);
    at(2, 0, "光源类型:", cmbLightType, nullptr);
    at(2, 1, "纵向间距(m)", txtLightSS1, nullptr);
    at(2, 2, "横向间距(m)", txtLightSS2, &lblLightSS2);
    at(3, 0, "高度H(m)", txtHH, nullptr);
    at(3, 1, "绕隧道轴线转角(°)", txtAltitudeAngle, &lblAltitudeAngle);
    at(3, 2, "绕横断面转角(°)", txtAngle2, nullptr);
    at(4, 0, "纵向并排灯数:", txtNum1, nullptr);
    at(4, 1, "间距(m):", txtSpan1, nullptr);
    at(4, 2, "横向并排灯数", txtNum2, nullptr);
    at(4, 3, "间距(m):", txtSpan2, nullptr);
    caption(Frame1, "安装方式:", colX[3], 330, labelW);
    lstInstallMode.place(Frame1, colX[3] + boxX, 300, boxW, 3 * 240 + 60);
    lstInstallMode.setBackColor(kInputColor);
    const int by = 300 + 3 * pitch - 40, bw = 1000;
    cmdAddSection.place(Frame1, colX[3], by, bw, 375);
    cmdAddSection.setCaption("添加");
    cmdDeleteSection.place(Frame1, colX[3] + bw + 100, by, bw, 375);
    cmdDeleteSection.setCaption("删除");
    cmdUpdateSection.place(Frame1, colX[3] + 2 * (bw + 100), by, bw, 375);
    cmdUpdateSection.setCaption("更新");
    lstLamp.place(Frame1, 120, 300 + 5 * pitch + 60, 13560, 2900);
    lstLamp.setGridLines(true);

    Frame2.place(*this, 120, 5440, 4500, 1300);
    Frame2.setCaption("路面");
    caption(Frame2, "路面类型:", 120, 330, 1300);
    cmbRoadType.place(Frame2, 1450, 300, 2900, 540);
    cmbRoadType.setBackColor(kInputColor);
    caption(Frame2, "路面宽度(m)", 120, 910, 1300);
    txtWW.place(Frame2, 1450, 880, 1400, kBoxHeight);
    txtWW.setBackColor(kInputColor);

    Frame3.place(*this, 4740, 5440, 5200, 1300);
    Frame3.setCaption("计算区域部分设置");
    caption(Frame3, "与观察点距离(m)", 120, 330, 1800);
    txtDistanceToCalArea.place(Frame3, 1950, 300, 1200, kBoxHeight);
    txtDistanceToCalArea.setBackColor(kInputColor);
    caption(Frame3, "计算点个数:纵向", 120, 790, 1800);
    txtCalPointCount1.place(Frame3, 1950, 760, 800, kBoxHeight);
    txtCalPointCount1.setBackColor(kInputColor);
    UpDown1.place(Frame3, 2760, 760, 255, kBoxHeight);
    caption(Frame3, "横向", 3200, 790, 600);
    txtCalPointCount2.place(Frame3, 3800, 760, 800, kBoxHeight);
    txtCalPointCount2.setBackColor(kInputColor);
    UpDown2.place(Frame3, 4610, 760, 255, kBoxHeight);
    UpDown1.setMin(1);
    UpDown1.setMax(20);
    UpDown1.setIncrement(1);
    UpDown1.setSilently(1);
    UpDown2.setMin(1);
    UpDown2.setMax(19);
    UpDown2.setIncrement(2);
    UpDown2.setSilently(1);

    Frame4.place(*this, 10060, 5440, 3860, 1300);
    Frame4.setCaption("照度计算方法");
    optCurve.place(Frame4, 200, 330, 3400, kBoxHeight);
    optCurve.setCaption("系数曲线图法");
    optCurve.setEnabled(false);
    optNumeric.place(Frame4, 200, 760, 3400, kBoxHeight);
    optNumeric.setCaption("数值法(逐点法)");
    optNumeric.setSilently(true);

    lblLampData.place(*this, 120, 6860, 9800, 760);
    lblLampData.setWordWrap(true);
    lblLampData.setForeColor(platform::vbRed);

    cmdPreStep.place(*this, 10060, 6960, 1800, 420);
    cmdPreStep.setCaption("<--上一步");
    cmdNextStep.place(*this, 12060, 6960, 1800, 420);
    cmdNextStep.setCaption("下一步-->");
}

void frmDefineLamp::connectEvents() {
    cmdAddSection.Click = [this] { cmdAddSection_Click(); };
    cmdUpdateSection.Click = [this] { cmdUpdateSection_Click(); };
    cmdDeleteSection.Click = [this] { cmdDeleteSection_Click(); };
    lstLamp.ItemClick = [this](platform::ListItem& item) { lstLamp_ItemClick(item); };
    lstInstallMode.Click = [this] { lstInstallMode_Click(); };
    UpDown1.Change = [this] { UpDown1_Change(); };
    UpDown2.Change = [this] { UpDown2_Change(); };
    cmdNextStep.Click = [this] { cmdNextStep_Click(); };
    cmdPreStep.Click = [this] { cmdPreStep_Click(); };
}

void frmDefineLamp::Form_Load() {
    guarded([this] {
        for (const Column& c : kColumns) {
            lstLamp.ColumnHeaders.Add(c.header, c.width);
        }
    });
    guarded([this] {
        platform::AddItems(lstInstallMode, kInstallModes);
        lstInstallMode.setListIndex(0);
    });
    guarded([this] {
        platform::AddItems(cmbLightType, kLightTypes);
        cmbLightType.setListIndex(0);
    });
    guarded([this] {
        for (int i = 0; i < kCircuitNames; ++i) {
            cmbLampName.AddItem(std::string("回路") + static_cast<char>('A' + i));
        }
        cmbLampName.setListIndex(0);
    });
    guarded([this] {
        platform::AddItems(cmbRoadType, kRoadTypes);
        cmbRoadType.setListIndex(0);
    });
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
    if (!app::OpenCompanionOrTemplate(in, ProjectLmpPath(), TemplateLmpPath())) {
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

void frmDefineLamp::SaveFile() {
    const std::string path = ProjectLmpPath();
    if (path.empty()) {
        return;
    }
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
    app::SaveCompanionFile(lighting::WriteLmp(c), path, "灯具回路文件");
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

void frmDefineLamp::Form_QueryUnload(int& /*cancel*/, int unloadMode) {
    // Closing the window with its close box keeps the circuits as Previous does; an unload by code
    // (step 3's Finish) writes nothing, the file having been written when the user moved on.
    if (unloadMode == platform::vbFormControlMenu) {
        guarded([this] { SaveFile(); });
    }
}
