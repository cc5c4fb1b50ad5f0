// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/frmReq.h"
#include "app/modPublic.h"
#include "jetfan/frmSetJetPile.h"
#include "platform/Forms.h"
#include "test_stage.h"
#include "ventparam/frmVentParam.h"

#include <functional>
#include <string>

namespace test_support {

/// The path of the project's file with extension `ext` (".jet", ".sj", ...) in the program folder.
inline std::string projectFile(const std::string& ext) {
    return test_stage::appFolder() + "/proj" + ext;
}

/// The template project the main window opens with, saved under a name (proj.vnt in the program folder)
/// so that the scheme windows can name and save their own files after it.
inline void saveTemplateProject(frmReq& req) {
    modPublic::ProjectFile = projectFile(".vnt");
    req.SaveFile();
}

/// The saved template project with a one-way demand of 300 m³/s (smoke 250) on the main window.
inline void saveTemplateProjectWithDemand(frmReq& req) {
    saveTemplateProject(req);
    req.txtQQ_req_CO.setSilently("300");
    req.txtQQ_req_VI.setSilently("250");
}

/// Opens step 2 from the main window and the scheme window W from step 2 with Next and the scheme at
/// `scheme` of its list. `before` acts on step 2 first (a case, a check box), `script` on the scheme
/// window, which is then left by its back button unless the script closed it; step 2 is left by Return.
/// True when the scheme window opened.
template <class W>
bool openScheme(frmReq& req, int scheme, const std::function<void(W&, frmVentParam&)>& script,
                const std::function<void(frmVentParam&)>& before = {}) {
    bool opened = false;
    test_stage::onModal<frmVentParam>([&](frmVentParam& step2) {
        if (before) {
            before(step2);
        }
        step2.cmbNextStep.setListIndex(scheme);
        test_stage::onModal<W>([&](W& w) {
            opened = true;
            script(w, step2);
            if (platform::Forms::isLoaded(w)) {
                if constexpr (requires { w.cmdBack; }) {
                    w.cmdBack.userClick();
                } else {
                    w.cmdClose.userClick();
                }
            }
        });
        step2.cmdNextStep.userClick();
        step2.cmdReturn.userClick();
    });
    req.cmdNextStep.userClick();
    return opened;
}

/// Queues the jet-fan layout dialog as the engineer fills it: `perPortal` groups in the inlet and in the
/// outlet section, the other boxes as they come, then "布置".
inline void layJetGroups(const std::string& perPortal) {
    test_stage::onModal<frmSetJetPile>([perPortal](frmSetJetPile& d) {
        d.txtTeamNum1.userType(perPortal);
        d.txtTeamNum2.userType(perPortal);
        d.ccmdOK.userClick();
    });
}

/// The boxes of the jet-fan layout dialog; an empty text leaves the box as the dialog opens it.
struct JetGroupLayout {
    std::string perGroup, inlet, outlet, spanInlet, spanOutlet, distInlet, distOutlet;
};

/// Queues the jet-fan layout dialog filled with `layout`, then "布置".
inline void layJetGroups(const JetGroupLayout& layout) {
    test_stage::onModal<frmSetJetPile>([layout](frmSetJetPile& d) {
        for (const auto& [box, text] : {std::pair{&d.txtJetNumPerTeam, layout.perGroup},
                                        {&d.txtTeamNum1, layout.inlet},
                                        {&d.txtTeamNum2, layout.outlet},
                                        {&d.txtSpan1, layout.spanInlet},
                                        {&d.txtSpan2, layout.spanOutlet},
                                        {&d.txtDist1, layout.distInlet},
                                        {&d.txtDist2, layout.distOutlet}}) {
            if (!text.empty()) {
                box->userType(text);
            }
        }
        d.ccmdOK.userClick();
    });
}

} // namespace test_support
