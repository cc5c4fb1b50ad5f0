// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/frmSelectP.h"

#include "app/guarded.h"
#include "app/modPublic.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/vb.h"
#include "tools/construction_vent.h"
#include "tools/frmConstructionVent.h"

using app::guarded;
using platform::Forms;

namespace {

constexpr const char* kTableKeys[6] = {"Tab12_2",   "Tab12_3_1", "Tab12_3_2",
                                       "Tab12_3_3", "Tab12_3_4", "Tab12_4"};

} // namespace

frmSelectP::frmSelectP() {
    buildControls();
    connectEvents();
}

void frmSelectP::buildControls() {
    using platform::Layout;
    Layout::window(*this, "选择管道漏风系数", 4800, 5400);
    const Layout::Column rows{
        .left = 120, .labelWidth = 2080, .boxWidth = 2300, .pitch = 360, .labelHeight = 300};
    layout_.column(*this, rows, 120,
                   {{"风管长度L(m):", &txtL}, {"风管直径D(m):", &txtD}, {"风管类型:", &lstType}});
    lstType.setHeight(760);
    for (const char* type : {"胶质管", "金属管", "聚氯乙稀塑料风管"}) {
        lstType.AddItem(type);
    }
    Layout::frame(Frame1, *this, "金属风管参数", 120, 1680, 4380, 1500);
    layout_.column(Frame1, {.left = 120, .labelWidth = 1960, .boxWidth = 2180, .labelHeight = 300}, 270,
                   {{"单个接头透风系数:", &lstK0}});
    lstK0.setHeight(520);
    lstK0.AddItem("0.001");
    lstK0.AddItem("0.003");
    Layout::captioned(opt3m, Frame1, "风管每节3m", 120, 1000, 1900, 300);
    Layout::captioned(opt4m, Frame1, "风管每节4m", 2080, 1000, 1900, 300);
    layout_.column(*this, rows, 3300, {{"管道漏风系数P:", &txtP}});
    Layout::buttons(*this, 3000, 3720, 1500, 420, 0, {{&cmdOK, "确定"}});
    lblTableNote.place(*this, 120, 4260, 4380, 600);
    lblTableNote.setWordWrap(true);
    lblTableNote.setForeColor(platform::vbRed);

    Layout::inputs({&txtL, &txtD, &lstType, &lstK0});
    txtL.setSilently("500");
    txtD.setSilently("0.6");
    opt3m.setSilently(true);
    Frame1.setEnabled(false);
}

void frmSelectP::connectEvents() {
    platform::Connect(lstType.Click, this, &frmSelectP::lstType_Click);
    platform::Connect(lstK0.Click, this, &frmSelectP::lstK0_Click);
    platform::Connect(opt3m.Click, this, &frmSelectP::opt3m_Click);
    platform::Connect(opt4m.Click, this, &frmSelectP::opt4m_Click);
    platform::Connect(txtL.Change, this, &frmSelectP::txtL_Change);
    platform::Connect(txtD.Change, this, &frmSelectP::txtD_Change);
    platform::Connect(cmdOK.Click, this, &frmSelectP::cmdOK_Click);
}

void frmSelectP::Form_Load() {
    for (const char* key : kTableKeys) {
        guarded([&] {
            CoefTable table;
            modPublic::ReadTable(key, table);
            Tables[key] = table;
        });
    }
    guarded([&] { lstType.setListIndex(0); });
    guarded([&] { lstType_Click(); });
    guarded([&] { lstK0.setListIndex(0); });
}

void frmSelectP::lstType_Click() {
    Frame1.setEnabled(lstType.ListIndex() == 1);
    UpdateP();
}

void frmSelectP::lstK0_Click() {
    UpdateP();
}

void frmSelectP::opt3m_Click() {
    UpdateP();
}

void frmSelectP::opt4m_Click() {
    UpdateP();
}

void frmSelectP::txtL_Change() {
    UpdateP();
}

void frmSelectP::txtD_Change() {
    UpdateP();
}

bool frmSelectP::UpdateP() {
    const double L = vb::Val(txtL.Text());
    const double D = vb::Val(txtD.Text());
    const auto duct = static_cast<tools::LeakageDuct>(lstType.ListIndex());
    const std::string key = tools::LeakageTableKey(duct, lstK0.ListIndex(), opt3m.Value());
    missingTable_.clear();
    double P = 0;
    if (!key.empty()) {
        const auto found = Tables.find(key);
        const std::optional<double> looked =
            found == Tables.end() ? std::nullopt : tools::LeakageCoefficient(duct, found->second, L, D);
        if (!looked) {
            // A coefficient of 0 would pass for a duct without leakage: name the missing table instead.
            missingTable_ = key;
            txtP.set("");
            lblTableNote.setCaption("系数表文件中没有管道漏风系数表 " + key +
                                    "，无法查得此类风管的漏风系数P。");
            return false;
        }
        P = *looked;
    }
    lblTableNote.setCaption("");
    txtP.set(vb::Format(P, "0.000"));
    return true;
}

void frmSelectP::cmdOK_Click() {
    if (!UpdateP()) {
        platform::MsgBox("系数表文件中没有管道漏风系数表 " + missingTable_ +
                             "，无法查得漏风系数P；全长漏风系数未改变。",
                         platform::vbExclamation, "选择管道漏风系数");
        return;
    }
    const std::string P = txtP.Text();
    Forms::instance<frmConstructionVent>().txtptot.set(P);
    Forms::unload(*this);
}
