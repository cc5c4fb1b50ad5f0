// SPDX-License-Identifier: GPL-3.0-or-later
#include "jetfan/scheme_output.h"

#include "app/frmReq.h"
#include "app/guarded.h"
#include "app/modPublic.h"
#include "jetfan/scheme_report.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/file_names.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "platform/vb.h"
#include "reqair/frmReportControl.h"
#include "ventparam/frmVentParam.h"

using app::guarded;
using platform::Forms;

namespace jetfan {

std::optional<std::string> ProjectOutputPath(std::string_view name, std::string_view extension) {
    if (const auto problem = platform::FileNamePartProblem(name, "报告名称")) {
        platform::MsgBox(*problem, platform::vbOKOnly, "出错");
        return std::nullopt;
    }
    const std::string path = SchemeOutputPath(modPublic::ProjectFile, name, extension);
    if (path.empty()) {
        platform::MsgBox("请先保存项目！", platform::vbOKOnly, "保存");
        return std::nullopt;
    }
    return platform::ResolvePath(path);
}

bool PublishSchemeText(const std::string& path, const std::vector<std::string>& lines, bool open,
                       const std::string& what, const std::string& title) {
    if (!textfile::WriteLines(path, lines)) {
        platform::MsgBox(what + "未能写入：" + path, platform::vbExclamation, title);
        return false;
    }
    modPublic::ShowWrittenFile(path, open);
    return true;
}

namespace {

// The four traffic cases of the options list that a control table covers, in their list order.
enum TableCase { kOneWay, kTwoWay, kFullCongestion, kKmCongestion };

void prepareDialog(frmReportControl& d) {
    frmReq& req = Forms::instance<frmReq>();
    d.lstYear.Clear();
    for (int i = 1; i <= req.lstTraffic.ListItems.Count(); ++i) {
        d.lstYear.AddItem(req.lstTraffic.ListItems(i).Text());
    }
    // A dialog left loaded would otherwise list every speed twice.
    d.lstvt.Clear();
    for (const vb::Integer speed : modPublic::WorkSpeeds) {
        d.lstvt.AddItem(vb::CStr(speed));
    }
    d.setCaption("运营控制表设置");
    d.chkOpenReport.setCaption("打开运营控制表");
    d.chkOutputSegment.setVisible(false);
}

// Step 2 takes the demand of case k (1 to 4) from the main window's result boxes.
void selectCase(frmVentParam& step2, int k) {
    step2.lstCase.setSelectedSilently(k - 1, true);
}

} // namespace

void RunControlTable(platform::Form& owner, const ControlTableScheme& scheme) {
    const std::optional<std::string> path = ProjectOutputPath(scheme.Name, ".tab");
    if (!path) {
        return;
    }
    guarded([&] { prepareDialog(Forms::instance<frmReportControl>()); });
    // The close box is a cancel: the main window and step 2 stay where the engineer left them.
    if (!frmReportControl::ShowOptions(&owner)) {
        Forms::unload<frmReportControl>();
        return;
    }
    frmReportControl::Picks choice;
    guarded([&] { choice = Forms::instance<frmReportControl>().ReadPicks(); });
    const auto chosen = [&](TableCase c) { return frmReportControl::Picks::picked(choice.Cases, c); };

    frmReq& req = Forms::instance<frmReq>();
    frmVentParam& step2 = Forms::instance<frmVentParam>();
    const auto summary = [&] {
        std::string text;
        guarded([&] { text = scheme.Summary(); });
        return text;
    };
    const auto takeCase = [&](int k) {
        guarded([&] { selectCase(step2, k); });
        guarded([&] { step2.lstCase_Click(); });
    };

    std::vector<std::string> lines;
    for (int i = 1; i <= req.lstTraffic.ListItems.Count(); ++i) {
        const auto row = static_cast<std::size_t>(i - 1);
        if (!frmReportControl::Picks::picked(choice.Years, row)) {
            continue;
        }
        guarded([&] { req.lstTraffic_ItemClick(req.lstTraffic.ListItems(i)); });
        lines.push_back(ControlYearHead(req.txtYear.Text()));

        if (chosen(kOneWay)) {
            lines.emplace_back(kControlOneWayHead);
            lines.push_back(ControlTrafficLine(req.txtNN.Text()));
            if (scheme.BeforeOneWaySpeeds) {
                guarded(scheme.BeforeOneWaySpeeds);
            }
            for (const std::string& speed : choice.Speeds) {
                guarded([&] { req.cmdCalculateQQ_CO_Click(1, vb::Val(speed)); });
                if (scheme.SelectTwoWayBeforeOneWay) {
                    guarded([&] { selectCase(step2, 2); });
                }
                takeCase(1);
                lines.push_back(ControlSpeedLine(speed, summary()));
            }
        }
        if (chosen(kTwoWay)) {
            lines.emplace_back(kControlTwoWayHead);
            guarded([&] { req.cmdCalculateQQ_bidrection_Click(1); });
            takeCase(2);
            const std::string speed = req.cmbWorkVt_Bidirection.Text();
            lines.push_back(ControlSpeedLine(speed, summary()));
        }
        if (chosen(kFullCongestion)) {
            lines.emplace_back(kControlFullCongestionHead);
            guarded([&] { req.cmdCalculateQQ_block_Click(); });
            takeCase(3);
            lines.push_back(ControlFullCongestionLine(summary()));
        }
        if (chosen(kKmCongestion)) {
            lines.emplace_back(kControlKmCongestionHead);
            guarded([&] { req.cmdCalculateQQ_block_Click(); });
            takeCase(4);
            lines.push_back(ControlKmCongestionLine(summary()));
        }
        lines.push_back(ControlSeparator());
        lines.push_back(ControlSeparator());
    }

    PublishSchemeText(*path, lines, choice.Open, "运营控制表", scheme.Name);
    Forms::unload<frmReportControl>();
}

} // namespace jetfan
