// SPDX-License-Identifier: GPL-3.0-or-later
#include "ventparam/frmZeta.h"

#include "app/guarded.h"
#include "app/modPublic.h"
#include "platform/Forms.h"
#include "ventparam/dialog_value.h"
#include "platform/vb.h"

#include <string>

using app::guarded;
using platform::TextBox;

namespace {

const char* const kTypeEntries[8] = {"圆形弯曲",
                                     "圆形折曲",
                                     "带翼型导流叶片矩形弯曲管段",
                                     "带薄圆形导流叶片矩形弯曲管段",
                                     "带翼型导流叶片圆形形弯曲管段",
                                     "入口损失",
                                     "出入口隔栅损失",
                                     "金属网筛损失"};
const char* const kFrameCaptions[8] = {"圆形弯曲",
                                       "圆形折曲",
                                       "带翼型导流叶片矩形弯曲管段",
                                       "带薄圆形导流叶片矩形弯曲管段",
                                       "带翼型导流叶片圆形形弯曲管段",
                                       "入口损失系数",
                                       "入口隔栅损失系数",
                                       "金属网筛损失系数"};
const char* const kRectVaneTypes[3] = {"正常叶片数", "减少叶片数", "最少叶片数"};

constexpr int kFrameLeft = 3360;
constexpr int kFrameTop = 360;
constexpr int kFrameWidth = 4260;
constexpr int kFrameHeight = 4500;
constexpr int kRowTop = 360;
constexpr int kRowPitch = 420;
constexpr int kLabelLeft = 150;
constexpr int kBoxLeft = 2600;
constexpr int kBoxWidth = 1500;

constexpr platform::Layout::Column kRows{.left = kLabelLeft,
                                         .labelWidth = kBoxLeft - kLabelLeft,
                                         .boxWidth = kBoxWidth,
                                         .labelHeight = platform::kBoxHeight};

int rowTop(int row) {
    return kRowTop + row * kRowPitch;
}

/// A vane type's list runs under its caption, across the frame.
void placeVaneTypes(platform::ComboBox& list, platform::Frame& frame, int top) {
    list.setStyle(platform::ComboBox::DropdownList);
    list.place(frame, kLabelLeft, top, kFrameWidth - 2 * kLabelLeft, platform::kBoxHeight);
}

} // namespace

frmZeta::frmZeta() {
    buildControls();
    connectEvents();
}

void frmZeta::buildControls() {
    platform::Layout::window(*this, "局部损失系数计算", 7860, 6800);
    layout_.caption(*this, "管件类型:", 120, 90, 3000, platform::kBoxHeight);
    lstZetaType.place(*this, 120, kFrameTop, 3120, kFrameHeight);

    for (int i = 0; i < 8; ++i) {
        platform::Layout::frame(frmZetaType.add(i), *this, kFrameCaptions[i], kFrameLeft, kFrameTop,
                                kFrameWidth, kFrameHeight);
    }
    layout_.column(frmZetaType(0), kRows, rowTop(0),
                   {{"管道当量直径D(m):", &txtD.add(0)},
                    {"内壁半径r(m):", &txtr.add(0)},
                    {"转角θ(°):", &txttheta.add(0)}});

    layout_.column(frmZetaType(1), kRows, rowTop(0), {{"转角θ(°):", &txttheta.add(1)}});

    for (int i : {2, 3}) {
        platform::Frame& rectangular = frmZetaType(i);
        layout_.column(rectangular, kRows, rowTop(0),
                       {{"管道当量直径D(m):", &txtD.add(i)},
                        {"内壁半径r(m):", &txtr.add(i)},
                        {"转角θ(°):", &txttheta.add(i)},
                        {"叶片数目:", &txtVaneNum.add(i)},
                        {"叶片数类型:"}});
        placeVaneTypes(lstVaneType.add(i), rectangular, rowTop(5));
        layout_.column(rectangular, kRows, rowTop(6), {{"雷诺数Re(10^-5):", &txtRe.add(i)}});
    }

    platform::Frame& round = frmZetaType(4);
    layout_.column(round, kRows, rowTop(0),
                   {{"管道当量直径D(m):", &txtD.add(4)},
                    {"t1(m):", &txtt1},
                    {"叶片数目:", &txtVaneNum.add(4)},
                    {"叶片数类型:"}});
    placeVaneTypes(lstVaneType.add(4), round, rowTop(4));
    layout_.column(round, kRows, rowTop(5),
                   {{"雷诺数Re(10^-5):", &txtRe.add(4)}, {"平均壁面粗糙度(mm):", &txtDelta}});
    platform::Layout::captioned(optZhuanwan1, round, "平滑转弯", kLabelLeft, rowTop(7), 1800);
    platform::Layout::captioned(optZhuanwan2, round, "转弯边缘削边", kLabelLeft + 1900, rowTop(7), 2000);

    platform::Layout::captioned(optRK1, frmZetaType(5), "直角锐缘", kLabelLeft, rowTop(0), 2400);
    platform::Layout::captioned(optRK2, frmZetaType(5), "圆缘,倒角", kLabelLeft, rowTop(1), 2400);

    platform::Layout::captioned(optGS1, frmZetaType(6), "入口", kLabelLeft, rowTop(0), 1800);
    platform::Layout::captioned(optGS2, frmZetaType(6), "出口", kLabelLeft + 1900, rowTop(0), 1800);
    layout_.column(frmZetaType(6), kRows, rowTop(1), {{"有效面积比(%):", &txtAreaRatio.add(6)}});

    layout_.column(frmZetaType(7), kRows, rowTop(0), {{"有效面积比(%):", &txtAreaRatio.add(7)}});
    for (platform::ControlArray<TextBox>* boxes :
         {&txtD, &txtr, &txttheta, &txtVaneNum, &txtRe, &txtAreaRatio}) {
        for (auto& [i, box] : *boxes) {
            box->setBackColor(platform::kInputColor);
        }
    }
    platform::Layout::inputs({&txtt1, &txtDelta});

    const int bottom = kFrameTop + kFrameHeight + 240;
    layout_.column(
        *this, {.left = 120, .labelWidth = 1800, .boxWidth = kBoxWidth, .labelHeight = platform::kBoxHeight},
        bottom, {{"局部损失系数ζ:", &txtzeta}});
    platform::Layout::buttons(*this, 4200, bottom - 30, 1500, 360, 240,
                              {{&cmdCalculate, "计算"}, {&cmdOK, "OK"}});
    lblTableNote.place(*this, 120, bottom + 480, 7440, 600);
    lblTableNote.setWordWrap(true);
    lblTableNote.setForeColor(platform::vbRed);

    optZhuanwan1.setSilently(true);
    optRK1.setSilently(true);
    optGS1.setSilently(true);
}

void frmZeta::connectEvents() {
    platform::Connect(lstZetaType.Click, this, &frmZeta::lstZetaType_Click);
    platform::Connect(optZhuanwan1.Click, this, &frmZeta::optZhuanwan1_Click);
    platform::Connect(optZhuanwan2.Click, this, &frmZeta::optZhuanwan2_Click);
    platform::Connect(txtt1.Change, this, &frmZeta::txtt1_Change);
    txtD.on(&TextBox::Change, [this](int i) { txtD_Change(i); });
    txtVaneNum.on(&TextBox::Change, [this](int i) { txtVaneNum_Change(i); });
    platform::Connect(cmdCalculate.Click, this, &frmZeta::cmdCalculate_Click);
    platform::Connect(cmdOK.Click, this, &frmZeta::cmdOK_Click);
}

void frmZeta::Form_Load() {
    platform::AddItems(lstZetaType, kTypeEntries);
    for (int i : {2, 3}) {
        platform::AddItems(lstVaneType(i), kRectVaneTypes);
        lstVaneType(i).setListIndexSilently(0);
    }
    optZhuanwan1_Click();
    for (auto& [i, frame] : frmZetaType) {
        frame->setVisible(false);
    }
    guarded([this] { modPublic::ReadTable("TabA02_3", ZetaTables.TabA02_3); });
    guarded([this] { modPublic::ReadTable("TabA02_4", ZetaTables.TabA02_4); });
    guarded([this] { modPublic::ReadTable("TabA02_6", ZetaTables.TabA02_6); });
    guarded([this] { modPublic::ReadTable("TabA05_2", ZetaTables.TabA05_2); });
    guarded([this] { modPublic::ReadTable("TabA05_3", ZetaTables.TabA05_3); });
    setWidth(7860);
    setHeight(6800);
    lstZetaType.setListIndexSilently(0);
    lstZetaType_Click();
}

void frmZeta::lstZetaType_Click() {
    for (auto& [i, frame] : frmZetaType) {
        frame->setVisible(false);
    }
    lblTableNote.setCaption("");
    const int type = lstZetaType.ListIndex();
    if (frmZetaType.exists(type)) {
        frmZetaType(type).Move(kFrameLeft, kFrameTop);
        frmZetaType(type).setVisible(true);
    }
}

void frmZeta::optZhuanwan1_Click() {
    guarded([this] {
        const int position = ventparam::PreselectRoundBendVanes(
            vb::Val(txtVaneNum(4).Text()), vb::Val(txtD(4).Text()), vb::Val(txtt1.Text()));
        platform::ComboBox& list = lstVaneType(4);
        list.Clear();
        list.AddItem("正常叶片数");
        list.AddItem("减少叶片数");
        if (optZhuanwan2.Value()) {
            list.AddItem("减少叶片数(从外壁拿掉第1,2个叶片)");
        }
        list.setListIndexSilently(position);
    });
}

void frmZeta::optZhuanwan2_Click() {
    optZhuanwan1_Click();
}

void frmZeta::txtt1_Change() {
    optZhuanwan1_Click();
}

void frmZeta::txtD_Change(int index) {
    if (index == ventparam::kRoundBendAirfoilVanes) {
        optZhuanwan1_Click();
    }
}

void frmZeta::txtVaneNum_Change(int index) {
    if (index == ventparam::kRoundBendAirfoilVanes) {
        optZhuanwan1_Click();
    }
}

void frmZeta::cmdCalculate_Click() {
    guarded([this] {
        ventparam::ZetaInput in;
        const int type = lstZetaType.ListIndex();
        in.Type = type;
        auto read = [type](platform::ControlArray<TextBox>& boxes) {
            return boxes.exists(type) ? vb::Val(boxes(type).Text()) : 0.0;
        };
        in.D = read(txtD);
        in.r = read(txtr);
        in.theta = read(txttheta);
        in.VaneNum = read(txtVaneNum);
        in.Re = read(txtRe);
        in.AreaRatio = read(txtAreaRatio);
        in.Delta = vb::Val(txtDelta.Text());
        in.VanePosition = lstVaneType(ventparam::kRoundBendAirfoilVanes).ListIndex();
        in.EdgeChamfered = optZhuanwan2.Value();
        in.SharpEntrance = optRK1.Value();
        in.GrilleInlet = optGS1.Value();

        const ventparam::ZetaResult result = ventparam::LocalLossCoefficient(in, ZetaTables);
        if (type == ventparam::kRectBendAirfoilVanes || type == ventparam::kRectBendThinVanes) {
            // The list shows the vane-count type the coefficient was read for.
            lstVaneType(type).setListIndexSilently(result.VaneType - 1);
        }
        txtzeta.set(vb::Format(result.Zeta, "0.000"));

        std::string note;
        if (!result.MissingTables.empty()) {
            std::string keys;
            for (const std::string& key : result.MissingTables) {
                keys += (keys.empty() ? "" : "、") + key;
            }
            note = "表文件中没有系数表" + keys + ", 查表值未能计入, 此系数不可作为设计依据。";
        }
        lblTableNote.setCaption(note);
    });
}

void frmZeta::cmdOK_Click() {
    Hide();
}

bool frmZeta::ShowFor(platform::TextBox& target, platform::Form* owner) {
    return ventparam::TakeDialogValue(&frmZeta::txtzeta, target, owner);
}
