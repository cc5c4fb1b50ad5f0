// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmAbout.h"

#include "app/about_text.h"
#include "app/frmReq.h"
#include "app/guarded.h"
#include "platform/Forms.h"
#include "platform/paths.h"

#include <optional>
#include <string>

frmAbout::frmAbout() {
    platform::Layout::window(*this, "关于", 6900, 5400);
    Image1.place(*this, 240, 240, 720, 720);
    Image1.setStretch(true);
    platform::Layout::captioned(Label1, *this, "Aridane      v1.1", 1150, 260, 4000, 300);
    platform::Layout::captioned(Label2, *this, "Aridane", 1150, 620, 4000, 300);
    txtAbout.setMultiLine(true);
    txtAbout.setLocked(true);
    txtAbout.place(*this, 240, 1140, 6300, 3180);
    platform::Layout::captioned(cmdClose, *this, "关闭", 5340, 4440, 1200, 375);
    connectEvents();
}

void frmAbout::connectEvents() {
    platform::Connect(cmdClose.Click, this, &frmAbout::cmdClose_Click);
}

void frmAbout::UserForm_Initialize() {
    app::guarded([this] {
        const std::optional<std::string> text =
            app::AboutText(platform::ResolvePath(platform::AppPath() + "\\ConfigFiles\\About.txt"));
        if (text) {
            txtAbout.setSilently(txtAbout.Text() + *text);
        }
    });
}

void frmAbout::cmdClose_Click() {
    platform::Forms::unload(*this);
}

void frmReq::mnuHelpAbout_Click() {
    platform::Forms::instance<frmAbout>().ShowModal(this);
}
