// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileDialog.h"

#include "platform/scripted.h"

#include <QApplication>
#include <QFileDialog>
#include <QStringList>

#include <deque>

namespace platform {
namespace {

std::deque<std::optional<std::string>>& queue() {
    static std::deque<std::optional<std::string>> answers;
    return answers;
}

std::vector<filedialog::Shown>& shown() {
    static std::vector<filedialog::Shown> dialogs;
    return dialogs;
}

// The extension of the first pattern ("*.vnt" gives "vnt"), given to a name typed without one.
QString defaultSuffix(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
    if (parts.size() < 2) {
        return {};
    }
    const QString pattern = parts[1].split(QLatin1Char(';')).first().trimmed();
    const int dot = pattern.lastIndexOf(QLatin1Char('.'));
    const QString ext = dot >= 0 ? pattern.mid(dot + 1) : QString();
    return ext.contains(QLatin1Char('*')) || ext.contains(QLatin1Char('?')) ? QString() : ext;
}

std::optional<std::string> run(FileDialog& d, bool save) {
    if (scripted::active()) {
        shown().push_back({save, d.DialogTitle, d.Filter, d.InitDir});
        if (queue().empty()) {
            scripted::fault("a file dialog nobody scripted: \"" + d.DialogTitle + "\"");
            return std::nullopt;
        }
        std::optional<std::string> answer = queue().front();
        queue().pop_front();
        if (answer) {
            d.FileName = *answer;
        }
        return answer;
    }
    QFileDialog dialog(QApplication::activeWindow(), QString::fromStdString(d.DialogTitle),
                       QString::fromStdString(d.InitDir));
    dialog.setNameFilter(QString::fromStdString(QtFilter(d.Filter)));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(defaultSuffix(d.Filter));
    if (!d.FileName.empty()) {
        dialog.selectFile(QString::fromStdString(d.FileName));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    d.FileName = dialog.selectedFiles().first().toStdString();
    return d.FileName;
}

} // namespace

std::string QtFilter(const std::string& windowsFilter) {
    const QStringList parts = QString::fromStdString(windowsFilter).split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << parts[i] + QStringLiteral(" (") + patterns.trimmed() + QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;")).toStdString();
}

std::optional<std::string> FileDialog::ShowOpen() {
    return run(*this, false);
}
std::optional<std::string> FileDialog::ShowSave() {
    return run(*this, true);
}

namespace filedialog {
void script(const std::string& path) {
    queue().emplace_back(path);
}
void scriptCancel() {
    queue().emplace_back(std::nullopt);
}
const std::vector<Shown>& log() {
    return shown();
}
int pending() {
    return static_cast<int>(queue().size());
}
void reset() {
    queue().clear();
    shown().clear();
}
} // namespace filedialog

} // namespace platform
