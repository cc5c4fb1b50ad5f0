// SPDX-License-Identifier: GPL-3.0-or-later
// The curves of the jet-fan scheme drawn through the window on the template project: the balance, the
// groups laid out by the dialog, then "绘制曲线"; the charts in the drawing and the pressure at the exit.
#include "jetfan/frmJet.h"

#include "app/frmReq.h"
#include "app/modPublic.h"
#include "jetfan/curve_layout.h"
#include "jetfan/frmSetJetPile.h"
#include "jetfan/jet_helpers.h"
#include "jetfan/modPublic_jet.h"
#include "platform/Cad.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/vb.h"
#include "tests/support/scheme_step.h"
#include "tests/support/drawn_texts.h"
#include "tests/support/shared_module_reset.h"
#include "tests/support/shown_texts.h"
#include "tests/support/template_project.h"
#include "tests/support/test_stage.h"
#include "ventparam/frmVentParam.h"

#include <QDir>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsView>
#include <QCoreApplication>
#include <QPixmap>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

namespace cad = platform::cad;
using platform::Forms;
using test_support::drawnEntities;
using Type = cad::Entity::Type;

std::vector<std::string> textsOf(const std::vector<cad::Entity>& entities, int color) {
    std::vector<std::string> texts;
    for (const cad::Entity& e : entities) {
        if (e.type == Type::Text && e.color == color) {
            texts.push_back(e.text);
        }
    }
    return texts;
}

int countText(const std::vector<cad::Entity>& entities, const std::string& text) {
    int n = 0;
    for (const cad::Entity& e : entities) {
        n += e.type == Type::Text && e.text == text ? 1 : 0;
    }
    return n;
}

/// The number after the colon of a point label "K1+234.568:-56.79".
double labelValue(const std::string& label) {
    return vb::Val(label.substr(label.find(':') + 1));
}

class JetCurveWindow : public ::testing::Test {
protected:
    void SetUp() override { test_support::saveTemplateProjectWithDemand(req); }

    /// Step 2 from the main window, the jet-fan scheme from step 2; `script` acts on the window.
    void open(const std::function<void(frmJet&)>& script) {
        EXPECT_TRUE(test_support::openScheme<frmJet>(req, 0, [&](frmJet& w, frmVentParam&) { script(w); }));
    }

    /// The balance, then two groups from each end laid out by the dialog.
    static void balanceAndLayOut(frmJet& w) {
        w.cmdCalculateJet.userClick();
        ASSERT_TRUE(platform::msgbox::log().empty());
        w.MultiPage1.userClick(2);
        test_stage::onModal<frmSetJetPile>([](frmSetJetPile& d) {
            d.txtTeamNum1.userType("2");
            d.txtTeamNum2.userType("2");
            d.ccmdOK.userClick();
        });
        w.cmdAutoLayout.userClick();
        ASSERT_EQ(w.lstJet.ListItems.Count(), 4);
    }

    frmReq& req = Forms::instance<frmReq>();
};

TEST_F(JetCurveWindow, TemplateProjectDrawsThreeChartsWithThePressureAtTheExit) {
    open([this](frmJet& w) {
        balanceAndLayOut(w);
        ASSERT_TRUE(req.optRightLine.Value());
        frmVentParam& step2 = Forms::instance<frmVentParam>();
        const std::string before = w.txttotaldeltap_j.Text();
        w.cmdDrawPressCurve.userClick();
        EXPECT_TRUE(platform::msgbox::log().empty());
        // The handler changes no control of the window.
        EXPECT_EQ(w.txttotaldeltap_j.Text(), before);
        EXPECT_EQ(w.lstJet.ListItems.Count(), 4);

        const std::vector<cad::Entity> entities = drawnEntities();
        ASSERT_FALSE(entities.empty());
        EXPECT_EQ(countText(entities, "桩号(m)"), 3);
        EXPECT_EQ(countText(entities, "压力(Pa)"), 1);
        EXPECT_EQ(countText(entities, "速度(m/s)"), 1);
        EXPECT_EQ(countText(entities, "浓度C(%)"), 1);

        // Point labels (colour 2), one per point but the first of each chart: 4 groups and nL local
        // losses give 2·nE + 2 pressure points; 2 concentration points.
        const int nE = 4 + step2.lstzeta.ListItems.Count();
        const int nS = req.lstSection.ListItems.Count();
        const std::vector<std::string> labels = textsOf(entities, jetfan::kCurveColor);
        ASSERT_EQ(static_cast<int>(labels.size()), (2 * nE + 1) + (2 * (nS + 1) - 3) + 1);

        // The exit pressure by the sum of the walk: p0 plus the groups' rises, minus the local losses and
        // the friction of the design flow and of the natural wind over the whole tunnel.
        const double start = modPublic::StartPile, end = modPublic::EndPile, rho = modPublic::rho;
        const double q = vb::Val(step2.txtQQ_req.Text());
        const double ve = modPublic::GetStationVelocity(start, jetfan::kDesignDemandMarker);
        double p = vb::Val(w.txtdeltap_t.Text()) -
                   (modPublic::v_n * modPublic::v_n + ve * ve) * (1 + modPublic::zeta_e) * 0.5 * rho;
        for (int i = 1; i <= 4; ++i) {
            p += vb::Val(w.lstJet.ListItems(i).SubItems(2));
        }
        for (int i = 1; i <= step2.lstzeta.ListItems.Count(); ++i) {
            const double v = modPublic::GetStationVelocity(vb::Val(step2.lstzeta.ListItems(i).Text()), -100);
            p -= 0.5 * vb::Val(step2.lstzeta.ListItems(i).SubItems(1)) * rho * v * v;
        }
        p -= req.GetYANCHENGDeltap_r_m(end, start, modPublic::lambda_r, rho, q, 4);
        p -= req.GetYANCHENGDeltap_r_m(end, start, modPublic::lambda_r, rho,
                                       req.GetAA_r(start) * modPublic::v_n, 4);
        const std::string exitLabel = labels[static_cast<std::size_t>(2 * nE)];
        EXPECT_EQ(exitLabel.substr(0, exitLabel.find(':')),
                  jetfan::PointLabel(end, 0, "0.00").substr(0, exitLabel.find(':')));
        EXPECT_NEAR(labelValue(exitLabel), p, 0.006) << exitLabel;
        // The walk lost pressure from the entrance to the exit beside what the fans gave.
        EXPECT_NE(p, vb::Val(w.txtdeltap_t.Text()));

        // The concentration reaches 1 at the exit.
        EXPECT_EQ(labels.back(), jetfan::PointLabel(end, 1, "0.000"));

        // A second click draws a second set of charts beside the first ones.
        w.cmdDrawPressCurve.userClick();
        EXPECT_EQ(countText(drawnEntities(), "压力(Pa)"), 2);

        // Set ARIDANE_GRAB_DIR to a folder to get a picture of the drawing.
        if (const char* dir = std::getenv("ARIDANE_GRAB_DIR"); dir != nullptr && *dir != '\0') {
            QWidget* window = cad::drawingWindow();
            ASSERT_NE(window, nullptr);
            window->resize(1400, 900);
            cad::zoomExtents();
            EXPECT_TRUE(window->grab().save(
                QDir(QString::fromLocal8Bit(dir)).filePath(QStringLiteral("jet_pressure_curve.png"))));
        }
    });
}

// The drawing window fitted to the template's charts, at the size the user opens it and at a larger one:
// every text shows whole and none prints over another, the point labels of the fan groups' jumps
// included, while the drawing keeps every text where the charts put it.
TEST_F(JetCurveWindow, TemplateChartsFittedShowEveryTextClearOfTheOthers) {
    open([](frmJet& w) {
        balanceAndLayOut(w);
        w.cmdDrawPressCurve.userClick();
        const std::vector<cad::Entity> before = drawnEntities();
        QWidget* window = cad::drawingWindow();
        ASSERT_NE(window, nullptr);
        auto* view = window->findChild<QGraphicsView*>();
        ASSERT_NE(view, nullptr);
        for (const QSize size : {QSize(1000, 700), QSize(1400, 900)}) {
            window->resize(size);
            // A hidden window is laid out when it is shown or its picture is taken; the test stage shows
            // none.
            window->grab();
            cad::zoomExtents();
            ASSERT_GT(view->viewport()->width(), size.width() - 10);
            const QRectF seen = view->mapToScene(view->viewport()->rect()).boundingRect();
            std::vector<QRectF> boxes;
            int labels = 0;
            for (const QGraphicsItem* item : view->scene()->items()) {
                const auto* text = dynamic_cast<const QGraphicsSimpleTextItem*>(item);
                if (text == nullptr) {
                    continue;
                }
                boxes.push_back(text->sceneBoundingRect());
                EXPECT_TRUE(seen.contains(boxes.back())) << text->text().toStdString();
                labels += text->brush().color() == QColor(Qt::yellow) ? 1 : 0;
            }
            EXPECT_EQ(labels, static_cast<int>(textsOf(before, jetfan::kCurveColor).size()));
            for (std::size_t i = 0; i < boxes.size(); ++i) {
                for (std::size_t j = i + 1; j < boxes.size(); ++j) {
                    const QRectF both = boxes[i].intersected(boxes[j]);
                    EXPECT_LT(both.width() * both.height(), 1e-6) << size.width() << ": " << i << " " << j;
                }
            }
        }
        const std::vector<cad::Entity> after = drawnEntities();
        ASSERT_EQ(after.size(), before.size());
        for (std::size_t i = 0; i < after.size(); ++i) {
            EXPECT_EQ(after[i].a.x, before[i].a.x);
            EXPECT_EQ(after[i].a.y, before[i].a.y);
        }
    });
}

// The template as shipped holds its design: "绘制曲线" right after opening draws its seven groups of
// three, each a step up of 40.85 Pa, and a curve that ends above the open air at the exit portal.
TEST(JetCurveTemplate, TheShippedDesignDrawsItsFansUpToTheExitPressure) {
    frmReq& req = test_support::savedTemplate();
    EXPECT_TRUE(test_support::openScheme<frmJet>(req, 0, [](frmJet& w, frmVentParam&) {
        w.cmdDrawPressCurve.userClick();
        EXPECT_TRUE(platform::msgbox::log().empty());
        const std::vector<std::string> labels = textsOf(drawnEntities(), jetfan::kCurveColor);
        for (const char* group : {"K10+200.000", "K10+350.000", "K10+500.000", "K10+650.000", "K14+735.000",
                                  "K14+885.000", "K15+35.000"}) {
            std::vector<double> step;
            for (const std::string& label : labels) {
                if (label.rfind(std::string(group) + ":", 0) == 0) {
                    step.push_back(labelValue(label));
                }
            }
            ASSERT_EQ(step.size(), 2u) << group;
            EXPECT_NEAR(step[1] - step[0], 40.85, 0.011) << group;
        }
        const auto exit = std::find_if(labels.begin(), labels.end(),
                                       [](const std::string& l) { return l.rfind("K15+235.000:", 0) == 0; });
        ASSERT_NE(exit, labels.end());
        // The walk loses what the balance counts: 7 × 40.85 − 275.10 = 10.85 Pa above the open air.
        EXPECT_NEAR(labelValue(*exit), 10.85, 0.006) << *exit;
    }));
}

TEST_F(JetCurveWindow, NoGroupsIsSaidAndNothingIsDrawn) {
    open([](frmJet& w) {
        w.lstJet.ListItems.Clear();
        platform::msgbox::script(platform::vbOK);
        w.cmdDrawPressCurve.userClick();
        ASSERT_EQ(platform::msgbox::log().size(), 1u);
        EXPECT_EQ(platform::msgbox::log()[0].prompt, "绘制曲线或提取压力值前，请设置风机信息！");
        EXPECT_EQ(platform::msgbox::log()[0].title, "出错！");
        EXPECT_EQ(platform::msgbox::log()[0].buttons, platform::vbOKOnly);
        EXPECT_TRUE(drawnEntities().empty());
    });
}

TEST_F(JetCurveWindow, GroupsOnThePortalsPassAndOneOutsideIsSaid) {
    open([](frmJet& w) {
        w.cmdCalculateJet.userClick();
        const std::string start = vb::CStr(modPublic::StartPile), end = vb::CStr(modPublic::EndPile);
        w.lstJet.ListItems.Clear();
        w.lstJet.ListItems.Add(start).setSubItems(2, "30");
        w.lstJet.ListItems.Add(end).setSubItems(2, "30");
        w.cmdDrawPressCurve.userClick();
        EXPECT_TRUE(platform::msgbox::log().empty());
        EXPECT_EQ(countText(drawnEntities(), "压力(Pa)"), 1);

        for (const std::string& outside :
             {vb::CStr(modPublic::StartPile - 0.01), vb::CStr(modPublic::EndPile + 0.01)}) {
            const std::size_t shown = platform::msgbox::log().size();
            w.lstJet.ListItems.Add(outside).setSubItems(2, "30");
            platform::msgbox::script(platform::vbOK);
            w.cmdDrawPressCurve.userClick();
            ASSERT_EQ(platform::msgbox::log().size(), shown + 1) << outside;
            EXPECT_EQ(platform::msgbox::log().back().prompt, "射流风机桩号超出隧道桩号范围，请检查！");
            EXPECT_EQ(platform::msgbox::log().back().title, "出错！");
            EXPECT_EQ(countText(drawnEntities(), "压力(Pa)"), 1);
            w.lstJet.ListItems.Remove(3);
        }
    });
}

TEST_F(JetCurveWindow, NoSectionIsSaidInsteadOfAChartWithGaps) {
    open([this](frmJet& w) {
        balanceAndLayOut(w);
        req.lstSection.ListItems.Clear();
        platform::msgbox::script(platform::vbOK);
        w.cmdDrawPressCurve.userClick();
        test_support::expectOneMessage(
            {.prompt = "桩号" + vb::CStr(modPublic::StartPile) + "处没有断面，无法绘制曲线，请检查断面数据！",
             .title = "出错！"});
        EXPECT_TRUE(drawnEntities().empty());
    });
}

TEST_F(JetCurveWindow, ALocalLossWithoutASectionIsNamed) {
    open([this](frmJet& w) {
        balanceAndLayOut(w);
        // The last section ends short of the tunnel's end: a loss placed beyond it has no area.
        const int nS = req.lstSection.ListItems.Count();
        const double lastEnd = modPublic::EndPile - 100;
        req.lstSection.ListItems(nS).setText(vb::CStr(lastEnd));
        frmVentParam& step2 = Forms::instance<frmVentParam>();
        step2.lstzeta.ListItems.Clear();
        step2.lstzeta.ListItems.Add(vb::CStr(lastEnd + 50)).setSubItems(1, "0.5");
        platform::msgbox::script(platform::vbOK);
        w.cmdDrawPressCurve.userClick();
        test_support::expectOneMessage(
            {.prompt = "桩号" + vb::CStr(lastEnd + 50) + "处没有断面，无法绘制曲线，请检查断面数据！"});
        EXPECT_TRUE(drawnEntities().empty());
    });
}

} // namespace
