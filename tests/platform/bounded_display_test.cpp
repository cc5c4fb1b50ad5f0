// SPDX-License-Identifier: GPL-3.0-or-later
// A line of a million characters in a file shows only its start on screen, and every control still hands
// back the whole text it was given.
#include "platform/controls.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using namespace platform;

namespace {

struct Host : Form {};

const std::string kLong = "关于" + std::string(1'000'000, 'x');
const std::string kLongLines = "第一行\r\n" + kLong + "\r\n末行";
constexpr int kBound = kShownLineLength + 1; // the kept characters and the "…"

int longestShownLine(const QString& shown) {
    int longest = 0;
    for (const QString& line : shown.split(QRegularExpression(QStringLiteral("[\r\n]")))) {
        longest = std::max(longest, static_cast<int>(line.size()));
    }
    return longest;
}

TEST(BoundedDisplay, ALongLineShowsItsStartAndTheControlKeepsTheWholeText) {
    Host host;
    Label label;
    label.place(host, 0, 0, 3000, 300);
    label.setCaption(kLongLines);
    EXPECT_EQ(label.Caption(), kLongLines);
    const QString shownCaption = static_cast<QLabel*>(label.widget())->text();
    EXPECT_EQ(longestShownLine(shownCaption), kBound);
    EXPECT_TRUE(shownCaption.startsWith(QStringLiteral("第一行\r\n关于xx")));
    EXPECT_TRUE(shownCaption.endsWith(QStringLiteral("x…\r\n末行")));

    TextBox about;
    about.setMultiLine(true);
    about.setLocked(true);
    about.place(host, 0, 400, 3000, 2000);
    about.setSilently(kLongLines);
    EXPECT_EQ(about.Text(), kLongLines);
    EXPECT_EQ(longestShownLine(static_cast<QPlainTextEdit*>(about.widget())->toPlainText()), kBound);
    // A box the engineer types into shows all it holds: what is typed replaces what is shown.
    about.setLocked(false);
    EXPECT_EQ(about.Text(), kLongLines);
    EXPECT_EQ(longestShownLine(static_cast<QPlainTextEdit*>(about.widget())->toPlainText()),
              static_cast<int>(QString::fromStdString(kLong).size()));
    TextBox typed;
    typed.place(host, 0, 2500, 3000, 300);
    typed.set(kLong);
    EXPECT_EQ(typed.Text(), kLong);
    EXPECT_EQ(static_cast<QLineEdit*>(typed.widget())->text().size(), QString::fromStdString(kLong).size());

    ListView list;
    list.place(host, 0, 2900, 3000, 2000);
    list.ColumnHeaders.Add("名称", 1500);
    list.ColumnHeaders.Add("说明", 1500);
    ListItem& row = list.ListItems.Add(kLong);
    row.setSubItems(1, kLong);
    EXPECT_EQ(row.Text(), kLong);
    EXPECT_EQ(row.SubItems(1), kLong);
    auto* tree = static_cast<QTreeWidget*>(list.widget());
    EXPECT_EQ(tree->topLevelItem(0)->text(0).size(), kBound);
    EXPECT_EQ(tree->topLevelItem(0)->text(1).size(), kBound);
    // A short text in its place shows, and is read back, as it is.
    row.setSubItems(1, "短");
    EXPECT_EQ(row.SubItems(1), "短");
    EXPECT_EQ(tree->topLevelItem(0)->text(1), QStringLiteral("短"));
}

TEST(BoundedDisplay, ATextAtTheBoundShowsWholeAndNoCharacterIsCutInHalf) {
    Host host;
    Label label;
    label.place(host, 0, 0, 3000, 300);
    const std::string atBound(kShownLineLength, 'a');
    label.setCaption(atBound);
    EXPECT_EQ(static_cast<QLabel*>(label.widget())->text().size(), kShownLineLength);
    // U+1D11E takes two UTF-16 units: a cut between them would draw a broken character.
    const std::string clefs = std::string(kShownLineLength - 1, 'a') + "\U0001D11E\U0001D11E";
    label.setCaption(clefs);
    const QString shown = static_cast<QLabel*>(label.widget())->text();
    EXPECT_EQ(shown, QString::fromStdString(std::string(kShownLineLength - 1, 'a')) + QChar(0x2026));
    EXPECT_EQ(label.Caption(), clefs);
}

} // namespace
