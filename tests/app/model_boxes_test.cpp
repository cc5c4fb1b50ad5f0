// SPDX-License-Identifier: GPL-3.0-or-later
// Every box and column that offers a jet-fan model shows each shipped model name whole, in the font
// the program runs with: a cut name ("120型射流风机" for "1120型射流风机") reads as another fan.
#include "app/modPublic.h"
#include "fire/frmFire.h"
#include "jetfan/dlgJetPressure.h"
#include "jetfan/frmJet.h"
#include "jetfan/frmJetDb.h"
#include "multishaft/frmMultiShaftAndJet.h"
#include "platform/Forms.h"
#include "platform/fonts.h"
#include "shaft/frmShaftAndJet.h"
#include "tests/support/program_font_stage.h"
#include "tests/support/shared_module_reset.h"
#include "tests/support/test_stage.h"

#include <QApplication>
#include <QComboBox>
#include <QFont>
#include <QFontMetrics>
#include <QHeaderView>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <utility>

namespace {

using platform::Forms;

class ModelBoxes : public test_support::ProgramFontStage {
protected:
    void SetUp() override {
        ProgramFontStage::SetUp();
        ASSERT_GE(modPublic::JetModels.UBound(), 7u);
    }

    /// The advance of the widest shipped model name in the widget's font.
    static int widestName(const QWidget& widget) {
        const QFontMetrics metrics(widget.font());
        int widest = 0;
        for (const JetFanModel& model : modPublic::JetModels) {
            widest = std::max(widest, metrics.horizontalAdvance(QString::fromStdString(model.JetName)));
        }
        return widest;
    }
};

TEST_F(ModelBoxes, EveryModelBoxShowsTheWidestShippedNameWhole) {
    const std::pair<const char*, std::function<platform::ComboBox&()>> boxes[] = {
        {"dlgJetPressure",
         []() -> platform::ComboBox& { return Forms::instance<dlgJetPressure>().cmbJetModel; }},
        {"frmFire", []() -> platform::ComboBox& { return Forms::instance<frmFire>().cmbJetModel; }},
        {"frmJet", []() -> platform::ComboBox& { return Forms::instance<frmJet>().cmbJetModel; }},
        {"frmShaftAndJet 1",
         []() -> platform::ComboBox& { return Forms::instance<frmShaftAndJet>().cmbJetModel1; }},
        {"frmShaftAndJet 2",
         []() -> platform::ComboBox& { return Forms::instance<frmShaftAndJet>().cmbJetModel2; }},
        {"frmMultiShaftAndJet",
         []() -> platform::ComboBox& { return Forms::instance<frmMultiShaftAndJet>().cmbJetModel; }},
    };
    for (const auto& [window, reach] : boxes) {
        auto* box = qobject_cast<QComboBox*>(reach().widget());
        ASSERT_NE(box, nullptr) << window;
        // The width the style asks for around a text of that advance: frame, margins and arrow.
        QStyleOptionComboBox option;
        option.initFrom(box);
        option.editable = box->isEditable();
        option.frame = box->hasFrame();
        const QFontMetrics metrics(box->font());
        const int needed = box->style()
                               ->sizeFromContents(QStyle::CT_ComboBox, &option,
                                                  QSize(widestName(*box), metrics.height()), box)
                               .width();
        EXPECT_GE(box->width(), needed) << window;
    }
}

TEST_F(ModelBoxes, ModelEditorShowsEveryNameAndHeaderWhole) {
    frmJetDb& editor = Forms::instance<frmJetDb>();
    auto* list = qobject_cast<QTreeWidget*>(editor.lstJet.widget());
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->columnCount(), 5);
    // A cell's text is inset by the focus-frame margin on each side.
    const int inset = 2 * (list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1);
    EXPECT_GE(list->columnWidth(0), widestName(*list) + inset);
    for (int column = 0; column < 5; ++column) {
        EXPECT_GE(list->columnWidth(column), list->header()->sectionSizeHint(column))
            << list->headerItem()->text(column).toStdString();
    }
    // The columns fit beside the vertical scroll bar a longer list brings, so none scrolls out of sight.
    int total = 0;
    for (int column = 0; column < 5; ++column) {
        total += list->columnWidth(column);
    }
    const int scrollBar = list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list);
    EXPECT_LE(total + scrollBar, list->width() - 2 * list->frameWidth());
}

} // namespace
