// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/TextViewer.h"

#include "platform/scripted.h"

#include <QDesktopServices>
#include <QUrl>

namespace platform {
namespace {
std::vector<std::string>& opened() {
    static std::vector<std::string> paths;
    return paths;
}
} // namespace

void OpenTextViewer(const std::string& path) {
    if (scripted::active()) {
        opened().push_back(path);
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)))) {
        qWarning("no text viewer opened %s", path.c_str());
    }
}

namespace textviewer {
const std::vector<std::string>& log() {
    return opened();
}
void reset() {
    opened().clear();
}
} // namespace textviewer

} // namespace platform
