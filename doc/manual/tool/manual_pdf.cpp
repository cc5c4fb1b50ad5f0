// SPDX-License-Identifier: GPL-3.0-or-later
// Turns the user's manual (Markdown, UTF-8) and the pictures of the windows into the PDF that the Help
// menu points to:   manual_pdf <manual.md> <picture folder> <output.pdf>
// It fails, and writes no PDF, when a picture the manual shows is missing or when the font has no
// outline for a character of the text: a manual with holes in it is worse than none.
#include "platform/fonts.h"

#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QRawFont>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>

#include <algorithm>
#include <cstdio>
#include <set>

namespace {

// The windows' face, so that the manual reads as the program does.
const QString fontFamily = QString::fromUtf8(platform::kProgramFontFamily);

/// Widest a picture may be drawn, in the document's units (pixels at 96 dpi): the text width of an A4
/// page with the 2 cm margins the printout uses.
constexpr double widestPicture = 640.0;

/// Pictures of the windows are drawn at three quarters of their screen size: two fit on a page and the
/// captions stay readable, the PDF keeping every pixel.
constexpr double pictureScale = 0.75;

int fail(const QString& text) {
    std::fprintf(stderr, "manual_pdf: %s\n", text.toLocal8Bit().constData());
    return 1;
}

/// Loads every picture the text shows into the document and scales the wide ones to the page; returns
/// the names of the pictures that are missing.
QStringList loadPictures(QTextDocument& doc, const QString& folder) {
    QStringList missing;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isImageFormat()) {
                continue;
            }
            QTextImageFormat format = fragment.charFormat().toImageFormat();
            const QImage image(folder + QLatin1Char('/') + format.name());
            if (image.isNull()) {
                missing << format.name();
                continue;
            }
            doc.addResource(QTextDocument::ImageResource, QUrl(format.name()), image);
            const double scale = std::min(pictureScale, widestPicture / image.width());
            format.setWidth(image.width() * scale);
            format.setHeight(image.height() * scale);
            QTextCursor cursor(&doc);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(format);
        }
    }
    return missing;
}

/// Window names are marked as links in the source (so that a test can check them against the
/// program's windows); on paper they are bold text, not links.
void windowNamesToBold(QTextDocument& doc) {
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextCharFormat format = fragment.charFormat();
            if (!format.isAnchor() || !format.anchorHref().startsWith(QStringLiteral("window:"))) {
                continue;
            }
            format.setAnchor(false);
            format.setAnchorHref(QString());
            format.setFontUnderline(false);
            format.setForeground(QColor(Qt::black));
            format.setFontWeight(QFont::Bold);
            QTextCursor cursor(&doc);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(format);
        }
    }
}

/// Each chapter starts on a new page; the title and the list of chapters share the first.
void chaptersOnNewPages(QTextDocument& doc) {
    for (QTextBlock block = doc.begin().next(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() != 1) {
            continue;
        }
        QTextBlockFormat format = block.blockFormat();
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        QTextCursor(block).setBlockFormat(format);
    }
}

/// The characters of the text that the font draws blank.
QString charactersWithoutOutline(const QString& text) {
    const QRawFont raw = QRawFont::fromFont(QFont(fontFamily));
    std::set<uint> seen;
    QString lacking;
    for (const uint c : text.toUcs4()) {
        if (c < 0x20 || c == 0x2029 || c == 0x2028 || c == 0xfffc || !seen.insert(c).second) {
            continue;
        }
        if (!raw.supportsCharacter(c)) {
            lacking += QString::fromUcs4(reinterpret_cast<const char32_t*>(&c), 1);
        }
    }
    return lacking;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    if (argc != 4) {
        return fail(QStringLiteral("usage: manual_pdf <manual.md> <picture folder> <output.pdf>"));
    }
    const QString source = QString::fromLocal8Bit(argv[1]);
    const QString pictures = QString::fromLocal8Bit(argv[2]);
    const QString output = QString::fromLocal8Bit(argv[3]);

    QFile file(source);
    if (!file.open(QIODevice::ReadOnly)) {
        return fail(QStringLiteral("cannot read ") + source);
    }
    const QString markdown = QString::fromUtf8(file.readAll());
    if (!QFontDatabase::families().contains(fontFamily)) {
        return fail(QStringLiteral("the font ") + fontFamily + QStringLiteral(" is not installed"));
    }

    QTextDocument doc;
    doc.setDefaultFont(QFont(fontFamily, 10));
    doc.setMarkdown(markdown);
    const QStringList missing = loadPictures(doc, pictures);
    if (!missing.isEmpty()) {
        return fail(QStringLiteral("pictures missing in ") + pictures + QStringLiteral(": ") +
                    missing.join(QStringLiteral(", ")));
    }
    windowNamesToBold(doc);
    chaptersOnNewPages(doc);
    const QString lacking = charactersWithoutOutline(doc.toPlainText());
    if (!lacking.isEmpty()) {
        return fail(QStringLiteral("the font draws these characters blank: ") + lacking);
    }

    const QString partial = output + QStringLiteral(".part");
    {
        QPdfWriter writer(partial);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setResolution(300);
        writer.setTitle(QFileInfo(output).completeBaseName());
        writer.setCreator(QStringLiteral("Aridane"));
        doc.print(&writer);
    }
    QFile::remove(output);
    if (!QFile::rename(partial, output)) {
        return fail(QStringLiteral("cannot write ") + output);
    }
    return 0;
}
