// SPDX-License-Identifier: GPL-3.0-or-later
// The required-air report of the main window: the options asked, the window's own calculations run for
// every chosen design year, case and working speed, and the boxes they leave written as text.
#include "app/frmReq.h"

#include "app/guarded.h"
#include "app/modPublic.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "platform/vb.h"
#include "reqair/frmReportControl.h"
#include "reqair/report_text.h"

#include <QDate>
#include <QLocale>
#include <QTime>

#include <array>
#include <string>
#include <vector>

using app::guarded;
using platform::ListItem;

namespace {

const char* const kReportSuffix = "_需风量.rpt";
const std::string kStars(91, '*');

bool ticked(const platform::CheckBox& box) {
    return box.Value() == 1;
}

std::string reportPath() {
    const std::string& project = modPublic::ProjectFile;
    const std::string base = project.size() >= 4 ? project.substr(0, project.size() - 4) : std::string();
    return platform::ResolvePath(base + kReportSuffix);
}

std::string now() {
    const QLocale locale = QLocale::system();
    return (locale.toString(QDate::currentDate(), QLocale::ShortFormat) + QStringLiteral("   ") +
            QTime::currentTime().toString(QStringLiteral("HH:mm:ss")))
        .toStdString();
}

} // namespace

void frmReq::mnuToolReport_Click() {
    // Without a project file there is no name for the report; the years would be recalculated for nothing.
    if (modPublic::ProjectFile.empty()) {
        platform::MsgBox("请先保存项目！", platform::vbOKOnly, "保存");
        return;
    }

    guarded([&] {
        frmReportControl& d = platform::Forms::instance<frmReportControl>();
        d.lstYear.Clear();
        for (int i = 1; i <= lstTraffic.ListItems.Count(); ++i) {
            d.lstYear.AddItem(lstTraffic.ListItems(i).Text());
        }
        d.lstvt.Clear();
        for (const vb::Integer speed : modPublic::WorkSpeeds) {
            d.lstvt.AddItem(std::to_string(speed));
        }
    });
    // The close box is a cancel: nothing is recalculated or written, and the dialog has saved its choices.
    if (!frmReportControl::ShowOptions(this)) {
        platform::Forms::unload<frmReportControl>();
        return;
    }
    guarded([this] { UpdateTotals(); });
    // Every year recalculates the pages over the same slope, section and congestion lists.
    const HoldLists hold(*this);
    frmReportControl::Picks choice;
    guarded([&] { choice = platform::Forms::instance<frmReportControl>().ReadPicks(); });
    const auto chosen = [&](int caseIndex) {
        return frmReportControl::Picks::picked(choice.Cases, static_cast<std::size_t>(caseIndex));
    };

    reqair::ReportText r;
    r.EmptyLine().EmptyLine();
    r.Col(30).Add(txtProjectName.Text()).Add("需风量计算报告").EndLine();
    r.EmptyLine().EmptyLine();
    guarded([&] { WriteReportBasicInfo(r); });
    guarded([&] { WriteReportTrafficAnalysis(r); });

    for (int i = 0; i < static_cast<int>(choice.Years.size()); ++i) {
        if (!choice.Years[static_cast<std::size_t>(i)] || i + 1 > lstTraffic.ListItems.Count()) {
            continue;
        }
        ListItem& row = lstTraffic.ListItems(i + 1);
        const std::string year = row.Text();
        const std::string pcu = row.SubItems(1);
        guarded([&] { txtYear.set(year); });
        guarded([&] { txtPcu.set(pcu); });
        if (ticked(chkRatioNotSame)) {
            guarded([&] { LoadVehicleMix(year); });
        }
        guarded([&] { cmdCalculateTraffic_Click(); });
        guarded([&] { txtDescRatio_Change(); });
        guarded([&] { txtBiDirection_Change(); });

        r.EmptyLine().EmptyLine();
        r.Line(kStars).Line(kStars);
        r.Col(40).Add(txtYear.Text()).Add("年").EndLine();
        r.Line(kStars).Line(kStars);
        guarded([&] { WriteReportTrafficVolume(r); });

        if (chosen(0)) {
            r.EmptyLine();
            r.Line("■■单向正常交通工况的需风量计算■■");
            for (const std::string& speed : choice.Speeds) {
                guarded([&] { txtworkv_t.set(speed); });
                guarded([&] { WriteReportNormalQreq(r); });
            }
        }
        if (chosen(1)) {
            guarded([&] { WriteReportBidirectionalQreq(r); });
        }
        if (chosen(2)) {
            guarded([&] { WriteReportJamQreq(r); });
        }
        if (chosen(3)) {
            guarded([&] { WriteReport1kmJamQreq(r); });
        }
    }
    if (chosen(4)) {
        guarded([&] { WriteReportExchangeQreq(r); });
    }
    if (chosen(5)) {
        guarded([&] { WriteReportFireQreq(r); });
    }

    r.EmptyLine().EmptyLine();
    r.Line("计算:" + txtName1.Text());
    r.Line("复核:" + txtName2.Text());
    r.Line("审核:" + txtName3.Text());
    std::string when;
    guarded([&] { when = now(); });
    r.Line("计算时间:" + when);

    const std::string path = reportPath();
    if (textfile::WriteLines(path, r.Lines())) {
        modPublic::ShowWrittenFile(path, choice.Open);
    } else {
        // A report that could not be written must not look written, nor an older one be opened instead.
        platform::MsgBox("计算报告未能写入：" + path, platform::vbExclamation, "需风量计算报告");
    }
    platform::Forms::unload<frmReportControl>();
}

void frmReq::WriteReportBasicInfo(reqair::ReportText& r) {
    r.Line("■■    基本信息    ■■");
    r.Line("项目概况:                    " + txtProjectDiscribe.Text());
    r.Line("公路等级:                    " + cmbRoadClass.Text());
    r.Line("设计时速vt(km/h):            " + cmbvt.Text());
    r.Line("计算海拔E(m):                " + txtElevation.Text());
    r.Line("隧道起点桩号:                " + reqair::StationText(modPublic::StartPile));
    r.Line("隧道终点桩号:                " + reqair::StationText(modPublic::EndPile));
    std::string length;
    guarded([&] { length = vb::CStr(GetTunnelLength()); });
    r.Line("隧道长度L(m):                " + length);
    r.Line("空气中CO平均浓度(ppm):       " + txtCO_in_Air.Text());
    r.Line("CO基准排放量qco(m^3/辆.km):  " + txtq_co.Text());
    r.Line("烟雾基准排放量qvi(m^2/辆.km):" + txtq_VI.Text());
    r.Line("排放量折减率:                " + txtDescRatio.Text() + "%");
    r.Line("排放量折减率起算特征年:      " + txtDescYear.Text());
    r.EmptyLine();
    r.Line("坡度分段:");
    r.Add("桩号").Col(18).Add("坡度").EndLine();
    for (int i = 1; i <= lstSlope.ListItems.Count(); ++i) {
        ListItem& row = lstSlope.ListItems(i);
        r.Add(row.Text()).Col(20).Add(row.SubItems(1)).EndLine();
    }
    r.EmptyLine();
    r.Line("横断面分段:");
    r.Add("桩号").Col(16).Add("面积(m^2)").Col(26).Add("周长(m)").Col(33).Add("当量直径(m)").EndLine();
    for (int i = 1; i <= lstSection.ListItems.Count(); ++i) {
        ListItem& row = lstSection.ListItems(i);
        r.Add(row.Text()).Col(21).Add(row.SubItems(1)).Col(31).Add(row.SubItems(2)).Col(41);
        r.Add(row.SubItems(3)).EndLine();
    }
    r.EmptyLine();
}

void frmReq::WriteReportTrafficAnalysis(reqair::ReportText& r) {
    r.EmptyLine();
    r.Line("■■交通量分析■■");
    r.Add("特征年").Col(16).Add("标准车辆(PCU/d) ").EndLine();
    for (int i = 1; i <= lstTraffic.ListItems.Count(); ++i) {
        ListItem& row = lstTraffic.ListItems(i);
        r.Add(row.Text()).Col(21).Add(row.SubItems(1)).EndLine();
    }
    r.Line(ticked(chkTrafficTotal) ? "注:特征年预测交通量为上行和下行总和"
                                   : "注:特征年预测交通量为单向交通量");
    r.Line("预测交通量缩放系数:                  " + txtTrafficRatio.Text());
    r.Line("双向行车计算交通量系数:              " + txtBiDirection.Text());
    r.Line("方向不均匀系数:                      " + txtMainDirectionRatio.Text());
    r.Line("当量标准车/辆(PCU/Veh):              " + txtPCUVeh.Text());
    r.Line("设计小时交通量系数:                  " + txtTraffic2.Text());
    r.Line(ticked(chkPetrol) ? "考虑汽油车烟雾排放,雾排放系数为: " + txtPetrol.Text()
                             : std::string("不考虑汽油车烟雾排放"));
}

void frmReq::WriteReportTrafficVolume(reqair::ReportText& r) {
    r.EmptyLine();
    r.Line("■■交通量■■");
    r.Add("交通量(混合车)").Add(":").Col(21).Add(txtTraffic1.Text()).EndLine();
    r.Add("设计交通量N(辆/h)").Add(":").Col(21).Add(txtNN.Text()).EndLine();
    r.Line("交通组成分析");
    std::array<std::string, 9> captions;
    for (int c = 1; c <= 9 && c <= lstTrafficAnalysis.ColumnHeaders.Count(); ++c) {
        captions[static_cast<std::size_t>(c - 1)] = lstTrafficAnalysis.ColumnHeaders(c).Text();
    }
    r.Line(reqair::VehicleCompositionHeader(captions));
    // The seven classes and the total row.
    for (int i = 1; i <= 8 && i <= lstTrafficAnalysis.ListItems.Count(); ++i) {
        ListItem& row = lstTrafficAnalysis.ListItems(i);
        std::array<std::string, 8> cells;
        for (int s = 1; s <= 8; ++s) {
            cells[static_cast<std::size_t>(s - 1)] = row.SubItems(s);
        }
        r.Line(reqair::VehicleCompositionRow(row.Text(), cells));
    }
}

void frmReq::WriteReportNormalQreq(reqair::ReportText& r) {
    // The factor lines belong to one segment: the one picked on the one-way page (the first without a
    // pick), computed at this block's speed, so that none of them is left over from another speed.
    guarded([&] {
        const int picked = lstCalSegment.SelectedIndex();
        const vb::Integer segment = picked >= 1 && picked <= lstSegment.ListItems.Count()
                                        ? static_cast<vb::Integer>(picked)
                                        : vb::Integer{1};
        cmdCalculateQQ_CO_Click(segment, vb::Val(txtworkv_t.Text()));
    });
    r.EmptyLine();
    r.Line(">>  工况车速:" + txtworkv_t.Text() + "km/h  <<");
    r.EmptyLine();
    r.Line(">>  稀释CO需风量计算结果  <<");
    r.Line("CO基准排放量qco(m^3/辆.km):  " + txtq_co.Text());
    r.Line("                 车况系数fa: " + txtf_a.Text());
    r.Line("             海拔高度系数fh: " + txtf_h.Text());
    r.Line("         隧址设计气压p(kPa): " + txtP.Text());
    r.Line("            夏季设计气温T(K):" + txtTT.Text());
    r.Line("                车密度系数fd:" + txtf_d.Text());
    r.Line("         纵坡-车速系数fiv:   " + txtf_iv.Text());
    r.Line("         CO排放量Qco(m^3/s): " + txtQQ_CO.Text());
    r.Line("             设计浓度δ(ppm):" + txtDelta.Text());
    r.Line("       需风量Qreq(co)(m^3/s):" + txtQQ_req_CO.Text());
    r.EmptyLine();
    r.Line(">>  稀释烟雾需风量计算结果  <<");
    r.Line("烟雾基准排放量qvi(m^2/辆.km): " + txtq_VI.Text());
    r.Line("                 车况系数fa:" + txtf_a_VI.Text());
    r.Line("             海拔高度系数fh:" + txtf_h_VI.Text());
    r.Line("                  光源类型: " + lstLightModel.Text());
    r.Line("     纵坡-车速系数fiv(vi):   " + txtf_iv_VI.Text());
    r.Line("     烟雾排放量Qvi(m^2/s):   " + txtQQ_VI.Text());
    r.Line("             设计浓度K(1/m): " + txtKK.Text());
    r.Line("     需风量Qreq(VI)(m^3/s):  " + txtQQ_req_VI.Text());
}

void frmReq::WriteReportBidirectionalQreq(reqair::ReportText& r) {
    guarded([&] { cmdCalculateQQ_bidrection_Click(-1); });
    r.EmptyLine();
    r.Line("■■双向交通工况的需风量计算■■");
    if (optBiDirectionMethod1.Value()) {
        r.Line("按控制交通量计算双向交通需风量");
        r.Line("双向行车计算交通量系数:" + txtBiDirection.Text());
    } else {
        r.Line("按控制通行车辆类型计算双向交通需风量，允许通行的车型如下：");
        for (int i = 0; i <= 6 && i < lstAllowVechileType.ListCount(); ++i) {
            if (lstAllowVechileType.Selected(i)) {
                r.Line(lstAllowVechileType.List(i));
            }
        }
    }
    r.Line("双向行车设计交通量N(辆/h):       " + txtNN_bidirection.Text());
    r.Line("双向行车工况车速vt(km/h):        " + cmbWorkVt_Bidirection.Text());
    r.Line("按CO浓度计算的需风量Qreq(m^3/s): " + txtQQ_req_CO_Bidirection.Text());
    r.Line("按VI浓度计算的需风量Qreq(m^3/s): " + txtQQ_req_VI_Bidirection.Text());
}

void frmReq::WriteReportJamQreq(reqair::ReportText& r) {
    guarded([&] { cmdCalculateQQ_block_Click(); });
    r.EmptyLine();
    r.Line("■■阻塞交通工况需风量计算■■");
    r.Line("区段长度     车速(km/h)      需风量(CO)      需风量(VI) ");
    for (int i = 1; i <= lstBlock.ListItems.Count(); ++i) {
        ListItem& row = lstBlock.ListItems(i);
        r.Add(row.Text()).Col(11).Add(row.SubItems(1)).Col(21).Add(row.SubItems(2)).Col(31);
        r.Add(row.SubItems(3)).EndLine();
    }
    r.Line("按CO浓度计算的全阻塞需风量Qreq(m^3/s):" + txtQQ_req_CO_block.Text());
    r.Line("按VI浓度计算的全阻塞需风量Qreq(m^3/s):" + txtQQ_req_VI_block.Text());
    r.EmptyLine();
}

void frmReq::WriteReport1kmJamQreq(reqair::ReportText& r) {
    guarded([&] { cmdCalculateQQ_block_Click(); });
    r.EmptyLine();
    r.Line("■■按《规范》1km阻塞交通工况需风量计算■■");
    r.Line("                     起始桩号:   " + txtBlockStartPile.Text());
    r.Line("                     终止桩号:   " + txtBlockEndPile.Text());
    r.Line("按CO浓度计算的需风量Qreq(m^3/s): " + txtQQ_req_CO_1kmblock.Text());
    r.Line("按VI浓度计算的需风量Qreq(m^3/s): " + txtQQ_req_VI_1kmblock.Text());
}

void frmReq::WriteReportExchangeQreq(reqair::ReportText& r) {
    r.EmptyLine();
    r.Line("■■按换气次数要求的需风量计算■■");
    r.Line("                 换气频率(次/h): " + txtExchangeNum.Text());
    r.Line("按换气次数要求的需风量Qreq(m^3/s):" + txtQQ_req_exchange.Text());
}

void frmReq::WriteReportFireQreq(reqair::ReportText& r) {
    r.EmptyLine();
    r.Line("■■按火灾工况的需风量计算■■");
    r.Line("火灾规模(MW):" + txtHRR.Text());
    const bool byCriticalVelocity = optQsMethod1.exists(0) && optQsMethod1(0).Value();
    if (byCriticalVelocity) {
        r.Line("火灾需风量Qreq(m^3/s):" + txtQs.Text() +
               "注: 按临界风速Vcr计算, 临界风速Vcr(m/s): " + txtvcr.Text());
    } else {
        r.Line("火灾需风量Qreq(m^3/s):" + txtQs.Text() + "注: 按大面积火源羽流烟气生成量计算 ");
    }
}
