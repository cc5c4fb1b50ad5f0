// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own text viewer shows every character of a report, its columns where the file puts them.
#include "platform/TextViewer.h"
#include "platform/text_file.h"
#include "tests/support/temp_folder.h"
#include "tests/support/text_fit.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextLayout>

#include <gtest/gtest.h>

namespace {

using ReportViewer = test_support::TempFolderTest;

TEST_F(ReportViewer, DrawsTheDegreeSignTwoCellsWide) {
    // "℃" is one of the report's wide characters, drawn two cells wide in the report font.
    const std::string file = path("report.txt");
    ASSERT_TRUE(textfile::WriteLines(file, {"环境温度t1(℃)   20.00", "t1(℃)℃ab  12"}));
    platform::textviewer::hideDesktopLauncher(true);
    platform::OpenTextViewer(file);
    ASSERT_EQ(platform::textviewer::openWindows().size(), 1u);
    QPlainTextEdit& text = *platform::textviewer::openWindows()[0]->text();
    const double cell = QFontMetricsF(text.font()).horizontalAdvance(QLatin1Char('W'));
    int signs = 0;
    for (QTextBlock b = text.document()->begin(); b.isValid(); b = b.next()) {
        const QTextLine line = b.layout()->lineAt(0);
        int columns = 0;
        for (int i = 0; i <= b.text().size(); ++i) {
            EXPECT_NEAR(line.cursorToX(i), line.cursorToX(0) + columns * cell, 0.5)
                << b.text().toStdString() << i;
            columns += i < b.text().size() && b.text()[i].unicode() < 0x80 ? 1 : 2;
        }
        for (int i = b.text().indexOf(QChar(0x2103)); i >= 0; i = b.text().indexOf(QChar(0x2103), i + 1)) {
            QFont font = text.font();
            for (const QTextLayout::FormatRange& r : b.layout()->formats()) {
                if (r.start <= i && i < r.start + r.length &&
                    r.format.hasProperty(QTextFormat::FontFamilies)) {
                    font.setFamilies(r.format.fontFamilies().toStringList());
                }
            }
            EXPECT_TRUE(test_support::drawsInk(font, QString(QChar(0x2103)))) << b.text().toStdString() << i;
            ++signs;
        }
    }
    EXPECT_EQ(signs, 3);
    platform::textviewer::reset();
}

} // namespace
