// SPDX-License-Identifier: GPL-3.0-or-later
// Captions, column headers and result boxes show their whole text in the font the program runs with: a
// cut header ("需风量Qreq(m…") hides the unit, a cut rise ("13.06373532") hides digits the count is
// worked from.
#include "app/modPublic.h"
#include "multishaft/frmMultiShaftAndJet.h"
#include "platform/Forms.h"
#include "platform/fonts.h"
#include "shaft/frmShaftAndJet.h"
#include "tests/support/program_font_stage.h"
#include "tests/support/shared_module_reset.h"
#include "tests/support/test_stage.h"
#include "tools/frmConstructionVent.h"
#include "transverse/frmLateral3.h"

#include <QApplication>
#include <QFont>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

using platform::Forms;

class CaptionsWhole : public test_support::ProgramFontStage {};

TEST_F(CaptionsWhole, EveryColumnOfTheSeveralShaftsListsShowsItsHeader) {
    frmMultiShaftAndJet& w = Forms::instance<frmMultiShaftAndJet>();
    const std::pair<const char*, platform::ListView*> lists[] = {
        {"lstShaft", &w.lstShaft}, {"lstShaftSection", &w.lstShaftSection}, {"lstJet", &w.lstJet}};
    for (const auto& [name, view] : lists) {
        auto* list = qobject_cast<QTreeWidget*>(view->widget());
        ASSERT_NE(list, nullptr) << name;
        ASSERT_EQ(list->columnCount(), view->ColumnHeaders.Count()) << name;
        for (int c = 0; c < list->columnCount(); ++c) {
            const std::string header = list->headerItem()->text(c).toStdString();
            EXPECT_GE(list->columnWidth(c), list->header()->sectionSizeHint(c)) << name << " " << header;
            // Never narrower than asked, and the asked width is what the column reports.
            EXPECT_GE(list->columnWidth(c) * 15, view->ColumnHeaders(c + 1).Width() - 7)
                << name << " " << header;
        }
    }
    EXPECT_EQ(w.lstShaftSection.ColumnHeaders(3).Text(), "需风量Qreq(m^3/s)");
    EXPECT_EQ(w.lstShaftSection.ColumnHeaders(5).Text(), "新鲜空气两Qf(m^3/s)");
}

TEST_F(CaptionsWhole, LongCaptionsAndUnroundedResultsShowWhole) {
    // A caption of a window, found by its text, or a result box holding the longest text it is given.
    struct Case {
        const char* window;
        std::function<QWidget*()> root;
        std::string caption;
        std::function<platform::TextBox*()> box;
    };
    const auto shaft = [] { return Forms::instance<frmShaftAndJet>().window(); };
    const auto vent = [] { return Forms::instance<frmConstructionVent>().window(); };
    const Case cases[] = {
        {"frmShaftAndJet", shaft, "排风口处总升压力pse(Pa)", nullptr},
        {"frmShaftAndJet", shaft, "送风口处总升压力psb(Pa)", nullptr},
        {"frmShaftAndJet", shaft, "喷流方向与隧道轴向的夹角β(度)", nullptr},
        {"frmConstructionVent", vent, "炸药爆炸时的有害气体产量b(L/kg)", nullptr},
        // Unrounded pressure rises and demands, as the calculations write them.
        {"frmShaftAndJet", shaft, "13.0637353266733",
         [] { return &Forms::instance<frmShaftAndJet>().txtdeltap_j1; }},
        {"frmShaftAndJet", shaft, "13.0637353266733",
         [] { return &Forms::instance<frmShaftAndJet>().txtdeltap_j2; }},
        {"frmMultiShaftAndJet", [] { return Forms::instance<frmMultiShaftAndJet>().window(); },
         "13.0637353266733", [] { return &Forms::instance<frmMultiShaftAndJet>().txtdeltap_j; }},
        {"frmLateral3", [] { return Forms::instance<frmLateral3>().window(); }, "181.998323693316",
         [] { return &Forms::instance<frmLateral3>().txtQQ_req; }},
    };
    for (const Case& c : cases) {
        QWidget* root = c.root();
        ASSERT_NE(root, nullptr) << c.window;
        const QString text = QString::fromStdString(c.caption);
        if (c.box) {
            auto* box = qobject_cast<QLineEdit*>(c.box()->widget());
            ASSERT_NE(box, nullptr) << c.window << " " << c.caption;
            // The style's width around a text of that advance: frame and the edit's own margins.
            QStyleOptionFrame option;
            option.initFrom(box);
            const QFontMetrics metrics(box->font());
            const int needed =
                box->style()
                    ->sizeFromContents(QStyle::CT_LineEdit, &option,
                                       QSize(metrics.horizontalAdvance(text) + 4, metrics.height()), box)
                    .width();
            EXPECT_GE(box->width(), needed) << c.window << " " << c.caption;
            continue;
        }
        int found = 0;
        for (QLabel* label : root->findChildren<QLabel*>()) {
            if (label->text() != text) {
                continue;
            }
            ++found;
            const QRect inside = label->contentsRect();
            const bool oneLine = QFontMetrics(label->font()).horizontalAdvance(text) <= inside.width();
            EXPECT_TRUE(oneLine || label->heightForWidth(inside.width()) <= inside.height())
                << c.window << " " << c.caption;
        }
        EXPECT_GE(found, 1) << c.window << " " << c.caption;
    }
}

} // namespace
