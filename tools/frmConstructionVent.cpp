// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/frmConstructionVent.h"

#include "app/companion_file.h"
#include "app/frmReq.h"
#include "app/guarded.h"
#include "app/modPublic.h"
#include "jetfan/scheme_output.h"
#include "platform/close_box.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/paths.h"
#include "platform/scheme_file.h"
#include "platform/vb.h"
#include "tools/frmSelectP.h"

using app::guarded;
using platform::Forms;
using platform::TextBox;

namespace {

constexpr int kPitch = 360;
// The caption of the explosive's gas yield is too long to stand beside its box: it takes a line of its own
// above the box, across the frame, and the rows below move down by that line. The box's red unit note
// stands left of the box, where a caption would.
constexpr int kSecondLine = 240;
constexpr const char* kGasYield = "炸药爆炸时的有害气体产量b(L/kg)";
// Said in red beside a gas-yield box whose number is below 1: a yield typed in m³/kg gives a demand a
// thousand times too small.
constexpr const char* kGasYieldNote = "b以L/kg计,常取40";
constexpr int kGasYieldNoteWidth = 1700;
constexpr int kGasYieldLeft = 120, kGasYieldCaptionWidth = 3600, kGasYieldBoxLeft = 2720,
              kGasYieldBoxWidth = 1100;
constexpr const char* kTitle = "施工通风计算";

struct Gas {
    const char* name;
    const char* limit;
};
constexpr Gas kGases[6] = {{"二氧化碳(CO2)", "0.05"},    {"一氧化碳(CO)", "0.0024"},
                           {"二氧化氮(NO2)", "0.00025"}, {"二氧化硫(SO2)", "0.00052"},
                           {"硫化氢(H2S)", "0.00066"},   {"甲烷(CH4)", "1"}};

/// Rows of captioned boxes one pitch apart, captions from the frame's left edge.
constexpr platform::Layout::Column rowsOf(int labelWidth, int boxWidth) {
    return {.left = 120,
            .labelWidth = labelWidth,
            .boxWidth = boxWidth,
            .pitch = kPitch,
            .labelHeight = platform::kBoxHeight};
}

/// A gas-yield row from `top` (the box's top): its caption on the line above, across the frame.
void gasYieldRow(platform::Container& frame, int top, platform::Label& caption, platform::TextBox& box) {
    caption.place(frame, kGasYieldLeft, top - kSecondLine - 30, kGasYieldCaptionWidth, 255);
    box.place(frame, kGasYieldBoxLeft, top, kGasYieldBoxWidth, platform::kBoxHeight);
}

const char* const kMethods[5] = {"方法一", "方法二", "方法三", "方法四", "方法五"};

// The common place of the three ventilation-type frames inside Frame1, under Frame7.
constexpr int kTypeLeft = 120, kTypeTop = 1680, kTypeWidth = 3975, kTypeHeight = 5175;
// The middle column is as wide as the diesel-equipment list needs to show all its columns.
constexpr int kMidWidth = 7680;

constexpr const char* kExtension = ".cvt";

} // namespace

frmConstructionVent::frmConstructionVent() {
    buildControls();
    connectEvents();
}

void frmConstructionVent::buildControls() {
    using platform::Layout;
    const int mid = 4440;
    const int right = mid + kMidWidth + 100;
    Layout::window(*this, kTitle, right + 4360, 9900);

    // Left column: tunnel and duct, blasting.
    Layout::frame(Frame9, *this, "隧道及风管基本参数", 120, 60, 4215, 1440);
    layout_.column(
        Frame9, rowsOf(2400, 1500), 300,
        {{"隧道开挖面积A(m^2):", &txtA}, {"通风区段长度(m):", &txtTunnelL}, {"空气密度(kg/m^3)", &txtRHO}});

    Layout::frame(Frame1, *this, "按同一时间内爆破的最大炸药量计算", 120, 1560, 4215, 7800);
    Layout::frame(Frame7, Frame1, "选择通风方式", 120, 240, 3975, 600);
    const char* const typeCaptions[3] = {"压入式", "排出式", "混合式"};
    for (int i = 0; i < 3; ++i) {
        platform::OptionButton& o = optType.add(i);
        o.place(Frame7, 120 + i * 1300, 240, 1200, platform::kBoxHeight);
        o.setCaption(typeCaptions[i]);
    }
    layout_.column(Frame1, rowsOf(2700, 1200), 900, {{"一次爆炸的最大炸药量G(kg):", &txtG}});
    Layout::row(Frame1, rowsOf(2700, 1200), 900 + kPitch, lblt, "通风时间t(min):", txtt);

    const char* const frameCaptions[3] = {"压入式通风", "排出式通风", "混合式通风"};
    for (int i = 0; i < 3; ++i) {
        platform::Frame& f = frmtype.add(i);
        Layout::frame(f, Frame1, frameCaptions[i], kTypeLeft, kTypeTop + i * 60, kTypeWidth, kTypeHeight);
        f.setVisible(i == 0);
    }
    for (int i = 0; i < 6; ++i) {
        txtQ.add(i);
    }
    layout_.column(Frame1, rowsOf(2700, 1200), kTypeTop + kTypeHeight + 240,
                   {{"需风量Q1(m^3/min):", &txtQ(0)}});

    // Forced ventilation.
    platform::Frame& forced = frmtype(0);
    Layout::frame(Frame10, forced, "选择计算方法", 120, 240, 3735, 1500);
    lstMethod1.place(Frame10, 120, 240, 1000, 1140);
    picMethod1.place(Frame10, 1200, 240, 2415, 1140);
    picMethod1.setStretch(true);
    txtPHI.add(0);
    txtPHI.add(1);
    txtb.add(0);
    txtb.add(1);
    txtb.add(2);
    txtL.add(0);
    txtL.add(1);
    layout_.column(forced, rowsOf(2600, 1100), 1860, {{"淋湿系数Φ", &txtPHI(0)}});
    gasYieldRow(forced, 1860 + kPitch + kSecondLine, layout_.caption(forced, kGasYield, 0, 0, 0), txtb(0));
    const int forcedBelow = 1860 + kSecondLine;
    layout_.column(forced, rowsOf(2600, 1100), forcedBelow + 2 * kPitch, {{"紊流扩散系数k:", &txtk}});
    layout_.column(forced, rowsOf(2100, 1100), forcedBelow + 3 * kPitch, {{"百米漏风率P100", &txtLF}});
    Layout::buttons(forced, 3360, forcedBelow + 3 * kPitch, 480, platform::kBoxHeight, 0, {{&cmdP100, ">>"}});
    layout_.column(forced, rowsOf(2600, 1100), forcedBelow + 4 * kPitch, {{"漏风系数p:", &txtP}});
    Layout::row(forced, rowsOf(2600, 1100), forcedBelow + 5 * kPitch, lblL.add(0), "临界长度L(m):", txtL(0));

    // Exhaust ventilation.
    platform::Frame& exhaust = frmtype(1);
    Layout::frame(Frame6, exhaust, "选择计算方法", 120, 240, 3735, 1500);
    lstMethod2.place(Frame6, 120, 240, 1000, 1140);
    picMethod2.place(Frame6, 1200, 240, 2415, 1140);
    picMethod2.setStretch(true);
    Layout::frame(Frame8, exhaust, "选择雷管类型", 120, 1860, 3735, 660);
    Layout::captioned(optLeiGuan1, Frame8, "火雷管起爆", 120, 270, 1700);
    Layout::captioned(optLeiGuan2, Frame8, "电雷管起爆", 1900, 270, 1700);
    lblB.setCaption(kGasYield);
    gasYieldRow(exhaust, 2640 + kSecondLine, lblB, txtb(1));

    // Mixed ventilation.
    platform::Frame& mixed = frmtype(2);
    Layout::frame(Frame11, mixed, "压入式通风风量", 120, 240, 3735, 1320);
    lstMethod3.place(Frame11, 120, 240, 1000, 960);
    picMethod3.place(Frame11, 1200, 240, 2415, 960);
    picMethod3.setStretch(true);
    layout_.column(mixed, rowsOf(2600, 1100), 1620, {{"淋湿系数Φ", &txtPHI(1)}});
    gasYieldRow(mixed, 1620 + kPitch + kSecondLine, layout_.caption(mixed, kGasYield, 0, 0, 0), txtb(2));
    const int mixedBelow = 1620 + kSecondLine;
    Layout::row(mixed, rowsOf(2600, 1100), mixedBelow + 2 * kPitch, lblL.add(1),
                "压风口到工作面距离L(m):", txtL(1));
    Layout::frame(Frame12, mixed, "排出式通风风量", 120, 2760 + kSecondLine, 3735, 1320);
    lstMethod4.place(Frame12, 120, 240, 1000, 960);
    picMethod4.place(Frame12, 1200, 240, 2415, 960);
    picMethod4.setStretch(true);
    Layout::row(mixed, rowsOf(2600, 1100), 4140 + kSecondLine, lblHP, "系数:", txtHP);
    Layout::captioned(optHY, mixed, "计算混压风量", 120, 4560 + kSecondLine, 1800);
    Layout::captioned(optHP, mixed, "计算混排风量", 1980, 4560 + kSecondLine, 1800);

    // Middle column, as wide as the equipment list needs for its columns' headers.
    Layout::frame(Frame2, *this, "按最小风速计算", mid, 60, kMidWidth, 1020);
    layout_.column(Frame2, rowsOf(2700, 1300), 260,
                   {{"最小风速v(m/s):", &txtv}, {"需风量Q2(m^3/min):", &txtQ(1)}});

    Layout::frame(Frame3, *this, "按洞内最多人数计算", mid, 1140, kMidWidth, 1380);
    layout_.column(Frame3, rowsOf(2700, 1300), 260,
                   {{"洞内最多工人数(人):", &txtN},
                    {"人均需新鲜空气量(m^3/min/人)", &txtqperperson},
                    {"需风量Q3(m^3/min):", &txtQ(2)}});

    Layout::frame(Frame4, *this, "按稀释和排除内燃机废气计算", mid, 2580, kMidWidth, 4500);
    lstNR.place(Frame4, 120, 260, kMidWidth - 240, 1400);
    lstNR.setGridLines(true);
    layout_.column(Frame4, rowsOf(2760, 1300), 1740,
                   {{"功率通风计算系数k(m^3/min/kW)", &txtqperkW},
                    {"额定功率Ni(kW)", &txtNi},
                    {"设备数量:", &txtNum},
                    {"时间利用率Ti:", &txtTi},
                    {"平均负荷率wi", &txtwi}});
    Layout::buttons(Frame4, 120, 3600, 1200, 360, 180,
                    {{&cmdAdd, "添加"}, {&cmdUpdate, "更新"}, {&cmdDelete, "删除"}});
    layout_.column(Frame4, rowsOf(2700, 1300), 4050, {{"需风量Q4(m^3/min):", &txtQ(3)}});

    Layout::frame(Frame5, *this, "按有害气体浓度控制要求计算", mid, 7140, kMidWidth, 1740);
    layout_.column(Frame5, rowsOf(1500, 2560), 260, {{"有害气体名称：", &cmbgasname}});
    layout_.column(Frame5, rowsOf(2700, 1300), 260 + kPitch,
                   {{"有害气体浓度限值(%):", &txtC},
                    {"有害气体涌出量g(m^3/min):", &txtgas},
                    {"需风量Q5(m^3/min):", &txtQ(4)}});

    // Right column.
    Layout::frame(Frame15, *this, "最终计算需风量", right, 60, 4200, 1380);
    layout_.column(Frame15, rowsOf(2300, 1100), 260, {{"全长漏风系数Ptot", &txtptot}});
    Layout::buttons(Frame15, 3540, 260, 480, platform::kBoxHeight, 0, {{&cmdPtot, ">>"}});
    layout_.column(Frame15, rowsOf(2300, 1100), 260 + kPitch,
                   {{"修正系数(<1):", &txtXZ}, {"修正后需风量Q(m^3/s)", &txtQ(5)}});

    Layout::frame(Frame14, *this, "风管参数", right, 1500, 4200, 1380);
    layout_.column(
        Frame14, rowsOf(2300, 1100), 260,
        {{"风管长度L(m):", &txtTubeL}, {"风管当量直径D(m):", &txtD}, {"风管摩擦阻力系数a", &txtlambdra}});
    Layout::buttons(Frame14, 3540, 260 + 2 * kPitch, 480, platform::kBoxHeight, 0, {{&cmdLambda, ">>"}});

    Layout::frame(Frame13, *this, "风压计算", right, 2940, 4200, 1740);
    layout_.column(Frame13, rowsOf(2300, 1100), 260,
                   {{"摩擦阻力H1(Pa):", &txtH1},
                    {"局部阻力系数ξ之和:", &txtzeta},
                    {"局部阻力H2(Pa):", &txtH2},
                    {"总阻力H(Pa):", &txth}});

    Layout::frame(Frame16, *this, "风机选型参数", right, 4740, 4200, 2460);
    layout_.column(Frame16, rowsOf(2300, 900), 260, {{"风机台数: ", &txtFanNum}});
    udFanNum.place(Frame16, 3320, 260, 300, platform::kBoxHeight);
    udFanNum.setMin(1);
    udFanNum.setMax(10);
    udFanNum.setSilently(1);
    layout_.caption(Frame16, "布置方式:", 120, 260 + kPitch + 30, 1000, platform::kBoxHeight);
    Layout::captioned(optLayoutType1, Frame16, "并联布置", 1140, 260 + kPitch, 1400);
    Layout::captioned(optLayoutType2, Frame16, "串连布置", 2600, 260 + kPitch, 1400);
    layout_.column(Frame16, rowsOf(2300, 900), 260 + 2 * kPitch, {{"多台布置效率损失系数(<1):", &txtRatio}});
    udRatio.place(Frame16, 3320, 260 + 2 * kPitch, 300, platform::kBoxHeight);
    layout_.column(Frame16, rowsOf(2300, 900), 260 + 3 * kPitch,
                   {{"单台风机风量Qf(m^3/s):", &txtQf}, {"单台风机升压力Pf(Pa):", &txtPf}});
    udRatio.setMin(0);
    udRatio.setMax(10);
    udRatio.setSilently(0);

    Layout::buttons(*this, right, 7320, 1300, 420, 140,
                    {{&cmdCal, "计算"}, {&cmdReport, "计算书(&R)"}, {&cmdClose, "结束(&C)"}});

    // The friction panel, hidden until its ">>" is pressed.
    frma.place(*this, right + 1000, 3000, 2655, 2535);
    frma.setBorderStyle(1);
    layout_.caption(frma, "风管类型:", 120, 150, 2400, platform::kBoxHeight);
    lstTubeType.place(frma, 120, 420, 2415, 780);
    platform::AddItems(lstTubeType, tools::kFrictionDuctNames);
    lblTube.place(frma, 120, 1260, 2415, platform::kBoxHeight);
    lstRe.place(frma, 120, 1560, 2415, 860);
    frma.setVisible(false);

    // Each gas-yield box has its unit note beside it, left of the box.
    for (int i = 0; i < 3; ++i) {
        TextBox& box = txtb(i);
        platform::Label& note = lblBUnit.add(i);
        note.place(frmtype(i), box.Left() - kGasYieldNoteWidth - 60, box.Top() + 30, kGasYieldNoteWidth,
                   platform::kBoxHeight - 30);
        note.setCaption(kGasYieldNote);
        note.setAlignment(1);
        note.setForeColor(platform::vbRed);
        note.setVisible(false);
    }

    for (int i = 0; i < 5; ++i) {
        lstMethod1.AddItem(kMethods[i]);
    }
    for (int i = 0; i < 2; ++i) {
        lstMethod2.AddItem(kMethods[i]);
        lstMethod4.AddItem(kMethods[i]);
    }
    for (int i = 0; i < 3; ++i) {
        lstMethod3.AddItem(kMethods[i]);
    }
    Layout::inputs({&txtA,       &txtTunnelL, &txtRHO,      &txtG,          &txtt,       &lstMethod1,
                    &lstMethod2, &lstMethod3, &lstMethod4,  &txtPHI(0),     &txtb(0),    &txtk,
                    &txtLF,      &txtL(0),    &txtb(1),     &txtPHI(1),     &txtb(2),    &txtL(1),
                    &txtHP,      &txtv,       &txtN,        &txtqperperson, &txtqperkW,  &txtNi,
                    &txtNum,     &txtTi,      &txtwi,       &cmbgasname,    &txtC,       &txtgas,
                    &txtptot,    &txtXZ,      &txtTubeL,    &txtD,          &txtlambdra, &txtzeta,
                    &txtFanNum,  &txtRatio,   &lstTubeType, &lstRe});

    optType(0).setSilently(true);
    optLeiGuan2.setSilently(true);
    optHY.setSilently(true);
    optLayoutType1.setSilently(true);
}

void frmConstructionVent::connectEvents() {
    platform::Layout::entries({.optionalNumbers = {&txtL(0), &txtqperkW, &txtNi, &txtNum, &txtTi, &txtwi},
                               .refusedNumbers = {&txtPHI(1), &txtb(2)},
                               .numbers = {&txtP, &txtQ(0), &txtQ(1), &txtQ(2), &txtQ(3), &txtQ(4), &txtQ(5),
                                           &txtH1, &txtH2, &txth, &txtQf, &txtPf},
                               .textLists = {&cmbgasname}});
    optType.on(&platform::OptionButton::Click, [this](int i) { optType_Click(i); });
    txtb.on(&TextBox::Change, [this](int i) { txtb_Change(i); });
    platform::Connect(lstMethod1.Click, this, &frmConstructionVent::lstMethod1_Click);
    platform::Connect(lstMethod2.Click, this, &frmConstructionVent::lstMethod2_Click);
    platform::Connect(lstMethod3.Click, this, &frmConstructionVent::lstMethod3_Click);
    platform::Connect(lstMethod4.Click, this, &frmConstructionVent::lstMethod4_Click);
    platform::Connect(cmbgasname.Click, this, &frmConstructionVent::cmbgasname_Click);
    platform::Connect(cmdAdd.Click, this, &frmConstructionVent::cmdAdd_Click);
    platform::Connect(cmdUpdate.Click, this, &frmConstructionVent::cmdUpdate_Click);
    platform::Connect(cmdDelete.Click, this, &frmConstructionVent::cmdDelete_Click);
    platform::Connect(lstNR.ItemClick, this, &frmConstructionVent::lstNR_ItemClick);
    platform::Connect(cmdLambda.Click, this, &frmConstructionVent::cmdLambda_Click);
    platform::Connect(lstTubeType.Click, this, &frmConstructionVent::lstTubeType_Click);
    platform::Connect(lstRe.Click, this, &frmConstructionVent::lstRe_Click);
    platform::Connect(cmdPtot.Click, this, &frmConstructionVent::cmdPtot_Click);
    platform::Connect(udFanNum.Change, this, &frmConstructionVent::udFanNum_Change);
    platform::Connect(udRatio.Change, this, &frmConstructionVent::udRatio_Change);
    platform::Connect(cmdCal.Click, this, &frmConstructionVent::cmdCal_Click);
    platform::Connect(cmdReport.Click, this, &frmConstructionVent::cmdReport_Click);
    platform::Connect(cmdClose.Click, this, &frmConstructionVent::cmdClose_Click);
}

void frmConstructionVent::Form_Load() {
    guarded([&] {
        for (const Gas& gas : kGases) {
            cmbgasname.AddItem(gas.name);
        }
    });
    guarded([&] {
        platform::Layout::headings(lstNR, {{"功率通风计算系数k(m^3/min/kW)", 1200},
                                           {"额定功率Ni(kW)", 800},
                                           {"设备数量", 800},
                                           {"时间利用率Ti", 800},
                                           {"平均负荷率wi", 800}});
    });
    for (int i = 0; i < 3; ++i) {
        guarded([&] { modPublic::ReadTable(tools::kFrictionTableKeys[i], FrictionTables[i]); });
    }
    guarded([&] { OpenFile(); });
}

void frmConstructionVent::Form_QueryUnload(int& cancel, int unloadMode) {
    // The close box neither drops changed inputs nor overwrites the saved design unasked.
    if (unloadMode != platform::vbFormControlMenu) {
        return;
    }
    guarded([&] {
        const std::string path = app::ProjectCompanionPath(kExtension);
        if (!platform::CloseBoxMayClose(path, path.empty() ? std::string() : fileContent().Bytes(),
                                        [this] { return SaveFile(); })) {
            cancel = 1;
        }
    });
}

void frmConstructionVent::optType_Click(int /*index*/) {
    for (int i = 0; i < 3; ++i) {
        frmtype(i).setVisible(optType(i).Value());
        frmtype(i).Move(kTypeLeft, kTypeTop, kTypeWidth, kTypeHeight);
    }
}

void frmConstructionVent::txtb_Change(int index) {
    lblBUnit(index).setVisible(tools::GasYieldBelowLitreScale(vb::Val(txtb(index).Text())));
}

void frmConstructionVent::showPicture(platform::Image& picture, const char* name) {
    picture.setInstalledPicture(name);
}

void frmConstructionVent::lstMethod1_Click() {
    for (TextBox* box : {&txtPHI(0), &txtb(0), &txtk, &txtP, &txtL(0)}) {
        box->setEnabled(true);
    }
    lblL(0).setCaption("临界长度L(m):");
    txtLF.setEnabled(false);
    cmdP100.setEnabled(false);
    const auto disable = [](std::initializer_list<TextBox*> boxes) {
        for (TextBox* box : boxes) {
            box->setEnabled(false);
        }
    };
    switch (lstMethod1.ListIndex()) {
    case 0:
        showPicture(picMethod1, "yaru1.bmp");
        txtLF.setEnabled(true);
        cmdP100.setEnabled(true);
        break;
    case 1:
        showPicture(picMethod1, "yaru2.bmp");
        disable({&txtPHI(0), &txtb(0), &txtk, &txtP, &txtL(0)});
        break;
    case 2:
        showPicture(picMethod1, "yaru3.bmp");
        disable({&txtPHI(0), &txtb(0), &txtk, &txtP});
        break;
    case 3:
        showPicture(picMethod1, "yaru4.bmp");
        disable({&txtPHI(0), &txtk, &txtP, &txtL(0)});
        break;
    case 4:
        showPicture(picMethod1, "yaru5.bmp");
        disable({&txtPHI(0), &txtk, &txtP});
        lblL(0).setCaption("炮烟抛掷长度lo(m):");
        txtL(0).set("20");
        break;
    default:
        break;
    }
}

void frmConstructionVent::lstMethod2_Click() {
    switch (lstMethod2.ListIndex()) {
    case 0:
        showPicture(picMethod2, "paichu1.bmp");
        txtb(1).setEnabled(true);
        lblB.setEnabled(true);
        break;
    case 1:
        showPicture(picMethod2, "paichu2.bmp");
        txtb(1).setEnabled(false);
        lblB.setEnabled(false);
        break;
    default:
        break;
    }
}

void frmConstructionVent::lstMethod3_Click() {
    txtPHI(1).setEnabled(false);
    txtb(2).setEnabled(false);
    switch (lstMethod3.ListIndex()) {
    case 0:
        showPicture(picMethod3, "hy1.bmp");
        txtPHI(1).setEnabled(true);
        txtb(2).setEnabled(true);
        break;
    case 1:
        showPicture(picMethod3, "hy2.bmp");
        break;
    case 2:
        showPicture(picMethod3, "hy3.bmp");
        break;
    default:
        break;
    }
    txtL(1).setEnabled(true);
}

void frmConstructionVent::lstMethod4_Click() {
    switch (lstMethod4.ListIndex()) {
    case 0:
        showPicture(picMethod4, "hp1.bmp");
        break;
    case 1:
        showPicture(picMethod4, "hp2.bmp");
        break;
    default:
        break;
    }
}

void frmConstructionVent::cmbgasname_Click() {
    const int i = cmbgasname.ListIndex();
    if (i >= 0 && i < 6) {
        txtC.set(kGases[i].limit);
    }
}

void frmConstructionVent::cmdAdd_Click() {
    platform::ListItem& row = lstNR.ListItems.Add(txtqperkW.Text());
    row.setSubItems(1, txtNi.Text());
    row.setSubItems(2, txtNum.Text());
    row.setSubItems(3, txtTi.Text());
    row.setSubItems(4, txtwi.Text());
}

void frmConstructionVent::cmdUpdate_Click() {
    if (lstNR.ListItems.Count() == 0) {
        return;
    }
    platform::ListItem* row = lstNR.SelectedItem();
    if (row == nullptr) {
        return;
    }
    row->setText(txtqperkW.Text());
    row->setSubItems(1, txtNi.Text());
    row->setSubItems(2, txtNum.Text());
    row->setSubItems(3, txtTi.Text());
    row->setSubItems(4, txtwi.Text());
}

void frmConstructionVent::cmdDelete_Click() {
    if (lstNR.SelectedIndex() > 0) {
        lstNR.ListItems.Remove(lstNR.SelectedIndex());
    }
}

void frmConstructionVent::lstNR_ItemClick(platform::ListItem& item) {
    txtqperkW.set(item.Text());
    txtNi.set(item.SubItems(1));
    txtNum.set(item.SubItems(2));
    txtTi.set(item.SubItems(3));
    txtwi.set(item.SubItems(4));
}

void frmConstructionVent::cmdLambda_Click() {
    frma.Move(9840, 3000, 2655, 2535);
    frma.setVisible(true);
}

void frmConstructionVent::lstTubeType_Click() {
    lstRe.Clear();
    const int type = lstTubeType.ListIndex();
    if (type < 0 || type > 2) {
        return;
    }
    lblTube.setCaption(type == 2 ? "风管特征Re:" : "风管直径(mm):");
    for (const std::string& item : tools::FrictionItems(type)) {
        lstRe.AddItem(item);
    }
}

void frmConstructionVent::lstRe_Click() {
    const int type = lstTubeType.ListIndex();
    const std::optional<double> key = tools::FrictionKey(type, lstRe.ListIndex());
    if (!key) {
        return;
    }
    frma.setVisible(false);
    const CoefTable& table = FrictionTables[type];
    // A missing table would give a coefficient of 0 and a duct without friction: say which table is
    // missing and keep the coefficient the engineer had.
    if (table.empty()) {
        platform::MsgBox(std::string("系数表文件中没有") + tools::kFrictionDuctNames[type] +
                             "的摩擦阻力系数表 " + tools::kFrictionTableKeys[type] +
                             "，风管摩擦阻力系数未改变，请直接输入。",
                         platform::vbExclamation, kTitle);
        return;
    }
    txtlambdra.set(vb::CStr(modPublic::Interpolate1D(table, *key)));
}

void frmConstructionVent::cmdPtot_Click() {
    Forms::instance<frmSelectP>().ShowModal(this);
    // Every showing starts from the dialog's own starting values.
    Forms::unload<frmSelectP>();
}

void frmConstructionVent::udFanNum_Change() {
    txtFanNum.set(vb::CStr(udFanNum.Value()));
}

void frmConstructionVent::udRatio_Change() {
    txtRatio.set(vb::CStr(udRatio.Value() * 0.1));
}

tools::ConstructionBoxes frmConstructionVent::Boxes() {
    tools::ConstructionBoxes b;
    b.Type = tools::VentType::None;
    for (int i = 0; i < 3; ++i) {
        if (optType(i).Value()) {
            b.Type = static_cast<tools::VentType>(i);
            break;
        }
    }
    b.Method1 = lstMethod1.ListIndex();
    b.Method2 = lstMethod2.ListIndex();
    b.Method3 = lstMethod3.ListIndex();
    b.Method4 = lstMethod4.ListIndex();
    b.FireFuse = optLeiGuan1.Value();
    b.MixedForced = optHY.Value();
    b.Parallel = optLayoutType1.Value();
    b.A = txtA.Text();
    b.TunnelL = txtTunnelL.Text();
    b.TubeL = txtTubeL.Text();
    b.D = txtD.Text();
    b.RHO = txtRHO.Text();
    b.lambda = txtlambdra.Text();
    b.G = txtG.Text();
    b.t = txtt.Text();
    b.PHI0 = txtPHI(0).Text();
    b.b0 = txtb(0).Text();
    b.k = txtk.Text();
    b.LF = txtLF.Text();
    b.P = txtP.Text();
    b.L0 = txtL(0).Text();
    b.b1 = txtb(1).Text();
    b.PHI1 = txtPHI(1).Text();
    b.b2 = txtb(2).Text();
    b.L1 = txtL(1).Text();
    b.HP = txtHP.Text();
    b.v = txtv.Text();
    b.N = txtN.Text();
    b.qPerPerson = txtqperperson.Text();
    for (int i = 1; i <= lstNR.ListItems.Count(); ++i) {
        platform::ListItem& row = lstNR.ListItems(i);
        b.Diesel.push_back({row.Text(), row.SubItems(1), row.SubItems(2), row.SubItems(3), row.SubItems(4)});
    }
    b.GasName = cmbgasname.Text();
    b.C = txtC.Text();
    b.gas = txtgas.Text();
    b.ptot = txtptot.Text();
    b.XZ = txtXZ.Text();
    b.zeta = txtzeta.Text();
    b.FanNum = txtFanNum.Text();
    b.Ratio = txtRatio.Text();
    for (int i = 0; i < 6; ++i) {
        b.Q[i] = txtQ(i).Text();
    }
    b.H1 = txtH1.Text();
    b.H2 = txtH2.Text();
    b.H = txth.Text();
    b.Qf = txtQf.Text();
    b.Pf = txtPf.Text();
    return b;
}

void frmConstructionVent::cmdCal_Click() {
    const tools::ConstructionResults r = tools::CalculateConstructionVent(Boxes());
    const auto put = [](TextBox& box, const std::optional<std::string>& text) {
        if (text) {
            box.set(*text);
        }
    };
    put(txtP, r.P);
    put(txtL(0), r.L0);
    for (int i = 0; i < 6; ++i) {
        put(txtQ(i), r.Q[i]);
    }
    put(txtH1, r.H1);
    put(txtH2, r.H2);
    put(txth, r.H);
    put(txtQf, r.Qf);
    put(txtPf, r.Pf);
    if (!r.Problems.empty()) {
        std::string prompt = "以下输入使计算无法完成，相应结果已清空：";
        for (const std::string& problem : r.Problems) {
            prompt += "\n" + problem;
        }
        platform::MsgBox(prompt, platform::vbExclamation, kTitle);
    }
}

void frmConstructionVent::cmdReport_Click() {
    const std::optional<std::string> path = jetfan::ProjectOutputPath(tools::kConstructionReportName, ".rpt");
    if (!path) {
        return;
    }
    tools::ConstructionBoxes boxes = Boxes();
    boxes.ProjectName = frmReq::ReportProjectName();
    jetfan::PublishSchemeText(*path, tools::ConstructionReportLines(boxes), true, "施工通风计算书", kTitle);
}

void frmConstructionVent::cmdClose_Click() {
    guarded([&] { SaveFile(); });
    Forms::unload(*this);
}

void frmConstructionVent::OpenFile() {
    scheme::SchemeReader rd;
    const std::string own = app::ProjectCompanionPath(kExtension);
    if (own.empty() || !rd.Open(own)) {
        rd.Open(app::TemplateCompanionPath(kExtension));
    }
    const auto text = [&rd](TextBox& box) {
        if (const std::optional<std::string> v = rd.NextText()) {
            box.set(*v);
        }
    };
    const auto option = [&rd](platform::OptionButton& o) {
        if (const std::optional<bool> v = rd.NextBoolean()) {
            o.set(*v);
        }
    };
    // The stored position is selected and the method's handler run before the boxes beside the list are
    // filled, so the stored texts replace what the handler presets.
    const auto position = [&rd](platform::ListBox& list, void (frmConstructionVent::*handler)(),
                                frmConstructionVent* self) {
        if (const std::optional<long long> v = rd.NextWhole()) {
            if (*v >= -1 && *v < list.ListCount()) {
                list.setListIndexSilently(static_cast<int>(*v));
            }
        }
        (self->*handler)();
    };

    text(txtA);
    text(txtTunnelL);
    text(txtTubeL);
    text(txtD);
    text(txtRHO);
    for (int i = 0; i < 3; ++i) {
        option(optType(i));
    }
    for (int i = 0; i < 3; ++i) {
        if (optType(i).Value()) {
            optType_Click(i);
        }
    }
    text(txtG);
    text(txtt);
    text(txtQ(0));
    position(lstMethod1, &frmConstructionVent::lstMethod1_Click, this);
    for (TextBox* box : {&txtPHI(0), &txtb(0), &txtk, &txtP, &txtL(0), &txtLF}) {
        text(*box);
    }
    position(lstMethod2, &frmConstructionVent::lstMethod2_Click, this);
    option(optLeiGuan1);
    option(optLeiGuan2);
    text(txtb(1));
    position(lstMethod3, &frmConstructionVent::lstMethod3_Click, this);
    text(txtPHI(1));
    text(txtb(2));
    text(txtL(1));
    position(lstMethod4, &frmConstructionVent::lstMethod4_Click, this);
    text(txtHP);
    option(optHY);
    option(optHP);
    text(txtv);
    text(txtQ(1));
    text(txtN);
    text(txtqperperson);
    text(txtQ(2));
    if (const std::optional<long long> n = rd.NextWhole()) {
        lstNR.ListItems.Clear();
        for (long long row = 0; row < *n && !rd.AtEnd(); ++row) {
            platform::ListItem& item = lstNR.ListItems.Add(rd.NextText().value_or(""));
            for (int c = 1; c <= 4; ++c) {
                item.setSubItems(c, rd.NextText().value_or(""));
            }
        }
    }
    text(txtQ(3));
    if (const std::optional<std::string> gas = rd.NextText()) {
        cmbgasname.setText(*gas);
    }
    text(txtC);
    text(txtgas);
    text(txtQ(4));
    text(txtptot);
    text(txtXZ);
    text(txtQ(4));
    text(txtlambdra);
    text(txtTunnelL);
    text(txtH1);
    text(txtH2);
    text(txth);
    text(txtFanNum);
    if (const std::optional<vb::Integer> count = vb::CInt(vb::Val(txtFanNum.Text()))) {
        if (*count >= udFanNum.Min() && *count <= udFanNum.Max()) {
            udFanNum.set(*count);
        }
    }
    option(optLayoutType1);
    option(optLayoutType2);
    text(txtRatio);
    // The ratio spinner moves in tenths; it follows the stored ratio without rewriting its text.
    if (const std::optional<vb::Integer> tenths = vb::CInt(vb::Val(txtRatio.Text()) * 10)) {
        if (*tenths >= udRatio.Min() && *tenths <= udRatio.Max()) {
            udRatio.setSilently(*tenths);
        }
    }
    text(txtQf);
    text(txtPf);
    // The first reserve record keeps the local loss sum and the corrected demand, which the records
    // above have no place for; older files hold empty texts there.
    text(txtzeta);
    text(txtQ(5));
}

scheme::SchemeWriter frmConstructionVent::fileContent() {
    scheme::SchemeWriter w;
    w.Text(txtA.Text()).Text(txtTunnelL.Text()).Text(txtTubeL.Text()).Text(txtD.Text()).Text(txtRHO.Text());
    w.EndRecord();
    w.Boolean(optType(0).Value()).Boolean(optType(1).Value()).Boolean(optType(2).Value()).EndRecord();
    w.Text(txtG.Text()).Text(txtt.Text()).Text(txtQ(0).Text()).EndRecord();
    w.Whole(lstMethod1.ListIndex());
    for (TextBox* box : {&txtPHI(0), &txtb(0), &txtk, &txtP, &txtL(0), &txtLF}) {
        w.Text(box->Text());
    }
    w.EndRecord();
    w.Whole(lstMethod2.ListIndex()).Boolean(optLeiGuan1.Value()).Boolean(optLeiGuan2.Value());
    w.Text(txtb(1).Text()).EndRecord();
    w.Whole(lstMethod3.ListIndex()).Text(txtPHI(1).Text()).Text(txtb(2).Text()).Text(txtL(1).Text());
    w.Whole(lstMethod4.ListIndex()).Text(txtHP.Text()).Boolean(optHY.Value()).Boolean(optHP.Value());
    w.EndRecord();
    w.Text(txtv.Text()).Text(txtQ(1).Text()).EndRecord();
    w.Text(txtN.Text()).Text(txtqperperson.Text()).Text(txtQ(2).Text()).EndRecord();
    w.Whole(lstNR.ListItems.Count()).EndRecord();
    for (int i = 1; i <= lstNR.ListItems.Count(); ++i) {
        platform::ListItem& row = lstNR.ListItems(i);
        w.Text(row.Text());
        for (int c = 1; c <= 4; ++c) {
            w.Text(row.SubItems(c));
        }
        w.EndRecord();
    }
    w.Text(txtQ(3).Text()).EndRecord();
    w.Text(cmbgasname.Text()).Text(txtC.Text()).Text(txtgas.Text()).Text(txtQ(4).Text()).EndRecord();
    w.Text(txtptot.Text()).Text(txtXZ.Text()).Text(txtQ(4).Text()).EndRecord();
    w.Text(txtlambdra.Text()).Text(txtTunnelL.Text()).Text(txtH1.Text()).Text(txtH2.Text()).Text(txth.Text());
    w.EndRecord();
    w.Text(txtFanNum.Text()).Boolean(optLayoutType1.Value()).Boolean(optLayoutType2.Value());
    w.Text(txtRatio.Text()).Text(txtQf.Text()).Text(txtPf.Text()).EndRecord();
    for (int record = 0; record < 4; ++record) {
        for (int field = 0; field < 12; ++field) {
            if (record == 0 && field == 0) {
                w.Text(txtzeta.Text());
            } else if (record == 0 && field == 1) {
                w.Text(txtQ(5).Text());
            } else {
                w.Text("");
            }
        }
        w.EndRecord();
    }
    return w;
}

bool frmConstructionVent::SaveFile() {
    const std::string path = app::ProjectCompanionPath(kExtension);
    if (path.empty()) {
        return true;
    }
    const scheme::SchemeWriter w = fileContent();
    if (!platform::ConfirmUnstorableTexts(w.UnstorableTexts())) {
        return false;
    }
    if (!w.Save(path)) {
        platform::MsgBox("施工通风数据未能写入：" + path, platform::vbExclamation, kTitle);
        return false;
    }
    return true;
}

void frmReq::mnuToolsmnuConstructionVent_Click() {
    Forms::instance<frmConstructionVent>().ShowModal(this);
}
