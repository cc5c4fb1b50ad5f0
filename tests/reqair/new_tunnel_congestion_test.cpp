// SPDX-License-Identifier: GPL-3.0-or-later
// Page 6 on a tunnel typed in from 新建: the template's congestion blocks do not fit it, and the page says
// so.
#include "app/frmReq.h"

#include "app/modPublic.h"
#include "platform/Forms.h"
#include "tests/support/list_rows.h"
#include "tests/support/new_tunnel.h"
#include "tests/support/test_stage.h"
#include "tests/support/text_fit.h"

#include <QApplication>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

using test_support::Row;
using test_support::rowsOf;

const test_stage::Reset resetGlobals([] { modPublic::Reset(); });

// A 4.2 km one-way tunnel, K10+000–K14+200, +1.2 % then −0.8 %, 65 m², 900 m above sea level.
const test_support::NewTunnel kTunnel =
    test_support::OneWayBore("31.5", {{"2030", "15300"}, {"2045", "22700"}});

TEST(NewTunnelCongestion, Page6NamesTheBlocksThatLieOutsideTheTunnelAndKeepsThem) {
    // The window lays itself out for the font it is built in: build it in the program's.
    const test_support::ProgramFont font;
    frmReq& req = platform::Forms::instance<frmReq>();
    test_support::TypeNewTunnel(req, kTunnel);
    ASSERT_EQ(req.GetTunnelLength(), 4200);

    test_support::expectPage6Warning(req, test_support::kTemplateBlocksPast4200m);
    // The blocks stay as typed; the one outside gets no segment and counts 0.
    const std::vector<Row> blocks = rowsOf(req.lstBlock, 4);
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_EQ((Row{blocks[0][0], blocks[0][1]}), (Row{"4235", "40"}));
    EXPECT_EQ(blocks[1], (Row{"1000", "10", "0", "0"}));
    {
        // The whole warning shows on the page, in the program's font.
        req.Show();
        QApplication::processEvents();
        for (const std::string& cut : test_support::cutTexts(*req.window())) {
            EXPECT_EQ(cut.find("阻塞区段总长"), std::string::npos) << cut;
        }
        // Across the page, not squeezed into a column: the sentence reads in two lines.
        const auto* warning = static_cast<const QLabel*>(req.lblWarning6.widget());
        EXPECT_LT(warning->heightForWidth(warning->contentsRect().width()),
                  3 * QFontMetrics(warning->font()).height());
        if (const char* dir = std::getenv("ARIDANE_GRAB_DIR"); dir != nullptr && *dir != '\0') {
            req.window()->grab().save(QString::fromLocal8Bit(dir) + "/new_tunnel_page6.png");
        }
    }

    // Blocks that fill the tunnel exactly leave the line empty, from 更新 on.
    req.lstBlock.userItemClick(1);
    req.txtBlockLen.userType("3200");
    req.cmdUpdateBlock.userClick();
    EXPECT_FALSE(req.lblWarning6.Visible()) << "更新 left the warning: " << req.lblWarning6.Caption();
    req.pgMain.userClick(5);
    req.pgMain.userClick(6);
    EXPECT_EQ(req.lblWarning6.Caption(), "");
    EXPECT_FALSE(req.lblWarning6.Visible());
    EXPECT_GT(vb::Val(req.lstBlock.ListItems(2).SubItems(2)), 0);
    // Deleting the 3200 m block and adding it back: the warning follows the rows before the page shows again.
    req.cmdDeleteBlock.userClick();
    EXPECT_NE(req.lblWarning6.Caption().find("隧道最后3200m不在任何阻塞区段内"), std::string::npos);
    req.cmdAddBlock.userClick();
    EXPECT_FALSE(req.lblWarning6.Visible());
}

TEST(NewTunnelCongestion, TheTemplateBlocksFitTheTemplateTunnel) {
    frmReq& req = platform::Forms::instance<frmReq>();
    req.pgMain.userClick(6);
    EXPECT_EQ(req.lblWarning6.Caption(), "");
}

TEST(NewTunnelCongestion, TheBlockEditorShowsTheDemandOfTheRowItShowsOrNone) {
    frmReq& req = platform::Forms::instance<frmReq>();
    const auto shown = [&] { return req.txtQQreq_CO_block.Text() + " / " + req.txtQQreq_VI_block.Text(); };
    req.pgMain.userClick(6);
    // The 1000 m block first, the 4235 m block last: the editor shows its 60.79 / 96.83 as it goes.
    for (int row : {2, 1}) {
        req.lstBlock.userItemClick(row);
        req.cmdDeleteBlock.userClick();
    }
    EXPECT_EQ(shown(), " / ");
    for (const auto& [length, speed] : {std::pair{"1400", "30"}, std::pair{"1000", "10"}}) {
        req.txtBlockLen.userType(length);
        req.txtBlockVt.userType(speed);
        req.cmdAddBlock.userClick();
    }
    EXPECT_EQ(rowsOf(req.lstBlock, 4)[1], (Row{"1000", "10", "45.93", "58.93"}));
    EXPECT_EQ(shown(), "45.93 / 58.93");
    // Deleting a row before the one shown leaves the editor on it; deleting that one leaves it on none.
    req.lstBlock.ListItems(1).setSelected(true);
    req.cmdDeleteBlock.userClick();
    EXPECT_EQ(req.txtQQreq_CO_block.Text(), req.lstBlock.ListItems(1).SubItems(2));
    req.cmdDeleteBlock.userClick();
    EXPECT_EQ(shown(), " / ");
}

} // namespace
