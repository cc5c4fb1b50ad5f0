// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/TextViewer.h"

#include "platform/MsgBox.h"
#include "platform/fonts.h"
#include "platform/scripted.h"
#include "platform/text_file.h"
#include "platform/textcodec.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace platform {
namespace {

std::vector<std::string>& opened() {
    static std::vector<std::string> paths;
    return paths;
}

std::vector<std::string>& folders() {
    static std::vector<std::string> paths;
    return paths;
}

std::vector<QPointer<TextViewerWindow>>& windows() {
    static std::vector<QPointer<TextViewerWindow>> open;
    return open;
}

bool g_launcherHidden = false;

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

// The first line of what a short desktop query prints, or empty when it cannot run or says nothing.
QString ask(const QString& program, const QStringList& arguments) {
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(3000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        p.kill();
        return {};
    }
    return QString::fromLocal8Bit(p.readAllStandardOutput()).section(QLatin1Char('\n'), 0, 0).trimmed();
}

// xdg-open hands a file to whatever the desktop registered for its type, and when nothing is registered
// it fails after it has started, unseen: ask the registry first.
bool desktopOpens(const std::string& path) {
    const QString mime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (!mime.isEmpty()) {
        const QString type = ask(mime, {QStringLiteral("query"), QStringLiteral("filetype"), qs(path)});
        if (type.isEmpty() ||
            ask(mime, {QStringLiteral("query"), QStringLiteral("default"), type}).isEmpty()) {
            return false;
        }
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(qs(path)));
}

// The scripted desktop opens everything, unless a test hid it.
bool launch(const std::string& path, std::vector<std::string>& log) {
    if (scripted::active()) {
        log.push_back(path);
        return !g_launcherHidden;
    }
    return !g_launcherHidden && desktopOpens(path);
}

TextViewerWindow* windowOf(const std::string& path) {
    auto& all = windows();
    all.erase(std::remove(all.begin(), all.end(), nullptr), all.end());
    for (const auto& w : all) {
        if (w->path() == path) {
            return w;
        }
    }
    return nullptr;
}

// Reports pad their columns by GBK width: a letter takes one cell, every other character two. No font on
// the machine draws a Chinese character exactly twice as wide as a letter, so each wide character gets the
// spacing that makes it two cells.
class TwoCellHighlighter : public QSyntaxHighlighter {
public:
    TwoCellHighlighter(QTextDocument* document, const QFont& font)
        : QSyntaxHighlighter(document), metrics_(font), cell_(metrics_.horizontalAdvance(QLatin1Char('W'))) {}

protected:
    void highlightBlock(const QString& text) override {
        int start = 0;
        double spacing = 0;
        for (int i = 0; i <= text.size(); ++i) {
            const double s = i < text.size() ? spacingOf(text[i]) : -1;
            if (i == text.size() || s != spacing) {
                if (spacing != 0 && i > start) {
                    QTextCharFormat f;
                    f.setFontLetterSpacingType(QFont::AbsoluteSpacing);
                    f.setFontLetterSpacing(spacing);
                    setFormat(start, i - start, f);
                }
                start = i;
                spacing = s;
            }
        }
    }

private:
    double spacingOf(QChar c) const {
        if (c.unicode() < 0x80) {
            return cell_ - metrics_.horizontalAdvance(c);
        }
        return 2 * cell_ - metrics_.horizontalAdvance(c);
    }
    QFontMetricsF metrics_;
    double cell_;
};

} // namespace

void OpenTextViewer(const std::string& path) {
    if (launch(path, opened())) {
        return;
    }
    TextViewerWindow* w = windowOf(path);
    if (w == nullptr) {
        w = new TextViewerWindow(path);
        windows().emplace_back(w);
    } else {
        w->reload();
    }
    w->showMaximized();
    w->raise();
    w->activateWindow();
}

TextViewerWindow::TextViewerWindow(const std::string& path) : path_(path) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QFileInfo(qs(path)).fileName() + QStringLiteral(" - 查看"));
    resize(900, 640);

    where_ = new QLabel(QStringLiteral("文件：") + qs(path), this);
    where_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    where_->setWordWrap(true);

    text_ = new QPlainTextEdit(this);
    text_->setReadOnly(true);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    // Every character of a report takes one or two columns of this font, so that its tables line up.
    QFont mono(QString::fromUtf8(kMonoFontFamily));
    mono.setStyleHint(QFont::TypeWriter);
    mono.setFixedPitch(true);
    mono.setPointSize(10);
    text_->setFont(mono);
    new TwoCellHighlighter(text_->document(), mono);

    openFolder_ = new QPushButton(QStringLiteral("打开所在文件夹"), this);
    auto* close = new QPushButton(QStringLiteral("关闭"), this);
    connect(openFolder_, &QPushButton::clicked, this, [this] { openFolder(); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(openFolder_);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* column = new QVBoxLayout(this);
    column->addWidget(where_);
    column->addWidget(text_, 1);
    column->addLayout(buttons);

    reload();
}

void TextViewerWindow::reload() {
    const std::optional<std::string> bytes = textfile::ReadBytes(path_);
    if (!bytes) {
        text_->setPlainText(QStringLiteral("无法读取文件：") + qs(path_));
        return;
    }
    QString text = qs(textcodec::FromGbk(*bytes));
    text.remove(QLatin1Char('\r'));
    text_->setPlainText(text);
}

void TextViewerWindow::openFolder() {
    const std::string folder = QFileInfo(qs(path_)).absolutePath().toStdString();
    if (!launch(folder, folders())) {
        // Without a desktop to open it, the engineer at least learns where to look.
        MsgBox("文件所在文件夹：" + folder, vbInformation, "打开所在文件夹");
    }
}

namespace textviewer {
const std::vector<std::string>& log() {
    return opened();
}
const std::vector<std::string>& foldersLog() {
    return folders();
}
void hideDesktopLauncher(bool hidden) {
    g_launcherHidden = hidden;
}
std::vector<TextViewerWindow*> openWindows() {
    std::vector<TextViewerWindow*> out;
    for (const auto& w : windows()) {
        if (w != nullptr) {
            out.push_back(w);
        }
    }
    return out;
}
void reset() {
    opened().clear();
    folders().clear();
    g_launcherHidden = false;
    for (const auto& w : windows()) {
        delete w.data();
    }
    windows().clear();
}
} // namespace textviewer

} // namespace platform
