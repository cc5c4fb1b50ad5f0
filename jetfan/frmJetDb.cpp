// SPDX-License-Identifier: GPL-3.0-or-later
#include "jetfan/frmJetDb.h"

#include "app/frmReq.h"
#include "app/guarded.h"
#include "app/jet_models.h"
#include "app/modPublic.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/file_names.h"
#include "platform/scheme_file.h"
#include "platform/vb.h"

#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

namespace {

constexpr const char* kErrorTitle = "出错！";

std::string jetDbPath() {
    return modPublic::InstallPath("ConfigFiles\\Jet.db");
}

bool fileExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

} // namespace

frmJetDb::frmJetDb() {
    platform::Layout::window(*this, "射流风机数据库维护", 8100, 6600);
    buildControls();
    connectEvents();
}

void frmJetDb::buildControls() {
    using platform::Layout;
    lstJet.place(*this, 120, 120, 7740, 2700);
    lstJet.setGridLines(true);
    layout_.column(*this,
                   {.left = 240,
                    .labelWidth = 2520,
                    .boxWidth = 2400,
                    .pitch = 360,
                    .labelDrop = 30,
                    .labelHeight = platform::kBoxHeight},
                   3000,
                   {{"型号", &txtJetName},
                    {"风机流量(m^3/s)", &txtFlow},
                    {"出口直径Dj(m)", &txtDD},
                    {"风机功率(kW)", &txtPower},
                    {"逆转效率折减系数", &txtDiscount}});
    Layout::inputs({&txtJetName, &txtFlow, &txtDD, &txtPower, &txtDiscount});
    Layout::buttons(*this, 1200, 4980, 1300, 375, 500,
                    {{&cmdAdd, "添加"}, {&cmdDelete, "删除"}, {&cmdUpdate, "更新"}});
    Layout::buttons(*this, 3000, 5520, 1300, 375, 0, {{&cmdOK, "确定"}});
}

void frmJetDb::connectEvents() {
    platform::Layout::entries(
        {.texts = {&txtJetName}, .refusedNumbers = {&txtFlow, &txtDD, &txtPower, &txtDiscount}});
    platform::Connect(lstJet.ItemClick, this, &frmJetDb::lstJet_ItemClick);
    platform::Connect(cmdAdd.Click, this, &frmJetDb::cmdAdd_Click);
    platform::Connect(cmdDelete.Click, this, &frmJetDb::cmdDelete_Click);
    platform::Connect(cmdUpdate.Click, this, &frmJetDb::cmdUpdate_Click);
    platform::Connect(cmdOK.Click, this, &frmJetDb::cmdOK_Click);
}

void frmJetDb::Form_Load() {
    app::guarded([this] {
        // Each column shows its header and the longest shipped model name whole, and all of them fit
        // beside the scroll bar that a longer list brings.
        lstJet.ColumnHeaders.Add("型号", 1650);
        lstJet.ColumnHeaders.Add("风机流量(m^3/s)", 1470);
        lstJet.ColumnHeaders.Add("出口直径Dj(m)", 1470);
        lstJet.ColumnHeaders.Add("风机功率(kW)", 1230);
        lstJet.ColumnHeaders.Add("逆转效率折减系数", 1530);
    });
    app::guarded([this] {
        if (!ReadJetDb()) {
            unreadableFile_ = true;
            platform::MsgBox("射流风机数据库无法读取：" + jetDbPath() +
                                 "\n不作修改而关闭时，该文件保持原样。",
                             platform::vbOKOnly + platform::vbExclamation, kErrorTitle);
        }
    });
}

bool frmJetDb::ReadJetDb() {
    const std::string path = jetDbPath();
    scheme::SchemeReader reader;
    if (!reader.Open(path)) {
        // A missing file starts an empty list; saving creates it.
        return !fileExists(path);
    }
    std::optional<std::vector<modPublic::JetDbRow>> rows = modPublic::ParseJetDbRows(reader);
    if (!rows) {
        return false;
    }
    for (const modPublic::JetDbRow& cells : *rows) {
        platform::ListItem& row = lstJet.ListItems.Add(cells[0]);
        for (int i = 1; i < 5; ++i) {
            row.setSubItems(i, cells[static_cast<std::size_t>(i)]);
        }
    }
    return true;
}

bool frmJetDb::WriteJetDb() {
    std::vector<modPublic::JetDbRow> rows;
    const int count = lstJet.ListItems.Count();
    rows.reserve(static_cast<std::size_t>(count));
    for (int k = 1; k <= count; ++k) {
        platform::ListItem& item = lstJet.ListItems(k);
        rows.push_back({item.Text(), item.SubItems(1), item.SubItems(2), item.SubItems(3), item.SubItems(4)});
    }
    return modPublic::WriteJetDbRows(jetDbPath(), rows);
}

void frmJetDb::lstJet_ItemClick(platform::ListItem& Item) {
    app::guarded([&] {
        txtJetName.set(Item.Text());
        txtFlow.set(Item.SubItems(1));
        txtDD.set(Item.SubItems(2));
        txtPower.set(Item.SubItems(3));
        txtDiscount.set(Item.SubItems(4));
    });
}

bool frmJetDb::boxesHoldModel() {
    std::string fault;
    const auto atLeast = [](const platform::TextBox& box, bool zeroAllowed) {
        const std::optional<double> v = vb::StrictNumber(box.Text());
        return v && (zeroAllowed ? *v >= 0 : *v > 0);
    };
    // A model without a flow or diameter would divide by zero in every jet-fan calculation.
    if (txtJetName.Text().find_first_not_of(" \t") == std::string::npos) {
        fault = "请输入射流风机型号";
    } else if (const auto note = platform::UnstorableTextNote("射流风机型号", txtJetName.Text())) {
        // The name is the model's key in every window and file: a "?" in its place would be another model.
        fault = "无法以GBK编码保存的字符，请改用其它字符：" + *note;
    } else if (!atLeast(txtFlow, false)) {
        fault = "风机流量(m^3/s)须为大于零的数值";
    } else if (!atLeast(txtDD, false)) {
        fault = "出口直径Dj(m)须为大于零的数值";
    } else if (!atLeast(txtPower, true)) {
        fault = "风机功率(kW)须为不小于零的数值";
    } else if (!atLeast(txtDiscount, true)) {
        fault = "逆转效率折减系数须为不小于零的数值";
    }
    if (fault.empty()) {
        return true;
    }
    platform::MsgBox(fault, platform::vbOKOnly + platform::vbExclamation, kErrorTitle);
    return false;
}

void frmJetDb::setRow(platform::ListItem& row) {
    row.setText(txtJetName.Text());
    row.setSubItems(1, txtFlow.Text());
    row.setSubItems(2, txtDD.Text());
    row.setSubItems(3, txtPower.Text());
    row.setSubItems(4, txtDiscount.Text());
    edited_ = true;
}

void frmJetDb::cmdAdd_Click() {
    app::guarded([this] {
        if (!boxesHoldModel()) {
            return;
        }
        setRow(lstJet.ListItems.Add());
    });
}

void frmJetDb::cmdUpdate_Click() {
    app::guarded([this] {
        platform::ListItem* row = lstJet.SelectedItem();
        if (lstJet.ListItems.Count() == 0 || row == nullptr) {
            return;
        }
        if (!boxesHoldModel()) {
            return;
        }
        setRow(*row);
    });
}

void frmJetDb::cmdDelete_Click() {
    app::guarded([this] {
        const int selected = lstJet.SelectedIndex();
        if (selected < 1) {
            return;
        }
        lstJet.ListItems.Remove(selected);
        edited_ = true;
    });
}

void frmJetDb::cmdOK_Click() {
    platform::Forms::unload(*this);
}

void frmJetDb::Form_QueryUnload(int& /*cancel*/, int /*unloadMode*/) {
    app::guarded([this] {
        if (unreadableFile_ && !edited_) {
            return;
        }
        // Every way of closing saves; a failed save is said, and the old file and table stay whole.
        while (!WriteJetDb()) {
            const int answer = platform::MsgBox(
                "射流风机数据库未能写入：" + jetDbPath() + "\n选择“取消”则关闭窗口，本次修改不保存。",
                platform::vbRetryCancel + platform::vbExclamation, kErrorTitle);
            if (answer != platform::vbRetry) {
                return;
            }
        }
        modPublic::LoadJetModels();
    });
}

// The Tools menu's model editor, modal over the main window.
void frmReq::mnuToolsmnuJetDB_Click() {
    platform::Forms::instance<frmJetDb>().ShowModal(this);
}
