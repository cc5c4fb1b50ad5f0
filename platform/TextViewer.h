// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <string>
#include <vector>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace platform {

/// Shows a written report or table: in the desktop's text viewer when the desktop has one for it, else
/// in the program's own read-only text window, so that a report always reaches the engineer. Under the
/// test stage the desktop viewer is only logged.
void OpenTextViewer(const std::string& path);

/// The program's own text viewer: the file decoded from GBK in a monospaced CJK font, so that the columns
/// of a report line up as written, with its full path and a button that opens the containing folder.
/// One window per file; opening the file again reloads it.
class TextViewerWindow : public QWidget {
public:
    explicit TextViewerWindow(const std::string& path);
    const std::string& path() const { return path_; }
    /// Reads the file again.
    void reload();
    QPlainTextEdit* text() const { return text_; }
    QPushButton* openFolderButton() const { return openFolder_; }

private:
    void openFolder();
    std::string path_;
    QLabel* where_ = nullptr;
    QPlainTextEdit* text_ = nullptr;
    QPushButton* openFolder_ = nullptr;
};

namespace textviewer {
/// Every path opened since the last reset.
const std::vector<std::string>& log();
/// Every folder the "打开所在文件夹" button asked the desktop to open since the last reset.
const std::vector<std::string>& foldersLog();
/// As if the desktop had no text viewer: the program's own window opens instead (for tests).
void hideDesktopLauncher(bool hidden);
/// The program's own viewer windows that are open, oldest first.
std::vector<TextViewerWindow*> openWindows();
/// Clears the logs, closes the program's own viewers and shows the desktop launcher again.
void reset();
} // namespace textviewer

} // namespace platform
