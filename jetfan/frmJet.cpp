// SPDX-License-Identifier: GPL-3.0-or-later
#include "jetfan/frmJet.h"

#include "platform/Forms.h"

frmJet::frmJet() {
    setCaption("Step 3: 射流风机通风方式");
    setWidth(9600);
    setHeight(7200);
    buildControls();
    connectEvents();
}

frmJet::~frmJet() = default;

void frmJet::buildControls() {
    cmdBack.place(*this, 7400, 6300, 1800, 420);
    cmdBack.setCaption("<-- 上一步");
}

void frmJet::connectEvents() {
    cmdBack.Click = [this] { cmdBack_Click(); };
}

platform::Label& frmJet::caption(platform::Container& parent, const std::string& text, int left, int top,
                                 int width, int height) {
    captions_.push_back(std::make_unique<platform::Label>());
    platform::Label& label = *captions_.back();
    label.place(parent, left, top, width, height);
    label.setCaption(text);
    return label;
}

void frmJet::Form_Initialize() {
    UserForm_Initialize();
}

void frmJet::Form_QueryUnload(int& /*cancel*/, int /*unloadMode*/) {
    UserForm_QueryClose();
}

void frmJet::UserForm_Initialize() {}
void frmJet::UserForm_QueryClose() {}
void frmJet::OpenFile() {}
bool frmJet::SaveFile() {
    return false;
}
void frmJet::cmbJetModel_Change() {}
void frmJet::txtDD_j_Change() {}
void frmJet::txtZZ_j_Change() {}
void frmJet::cmdCalculateJet_Click() {}
void frmJet::lstJet_ItemClick(platform::ListItem& /*Item*/) {}
void frmJet::cmdAdd_Click() {}
void frmJet::cmdUpdate_Click() {}
void frmJet::cmdDelete_Click() {}
void frmJet::cmdAutoLayout_Click() {}

void frmJet::cmdBack_Click() {
    platform::Forms::unload(*this);
}
