// SPDX-License-Identifier: GPL-3.0-or-later
// The faces the program names are installed and draw "℃": a face the machine lacks is replaced by
// another without a word, and a face may list the sign in its map and still draw it empty.
#include "platform/fonts.h"
#include "tests/support/text_fit.h"

#include <QFont>
#include <QFontInfo>
#include <QRawFont>

#include <gtest/gtest.h>

namespace {

TEST(Fonts, TheWindowsAndTheReportViewerFacesAreInstalledAndDrawTheCelsiusSign) {
    for (const char* family : {platform::kProgramFontFamily, platform::kMonoFontFamily}) {
        const QFont font(QString::fromUtf8(family), static_cast<int>(platform::kProgramFontPoints));
        EXPECT_EQ(QFontInfo(font).family().toStdString(), family) << "not installed: " << family;
        EXPECT_TRUE(QRawFont::fromFont(font).supportsCharacter(QChar(0x2103))) << family;
        EXPECT_TRUE(test_support::drawsInk(font, QString(QChar(0x2103)))) << family;
        EXPECT_TRUE(test_support::drawsInk(font, QStringLiteral("环"))) << family;
    }
}

} // namespace
