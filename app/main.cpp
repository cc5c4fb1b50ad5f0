// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmReq.h"
#include "app/modPublic.h"
#include "platform/Forms.h"
#include "platform/fonts.h"
#include "platform/paths.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QTranslator>

#include <clocale>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Numbers are read and written with a decimal point whatever the desktop's language.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationDisplayName(QStringLiteral("Kelvora-Aridane"));
    // The file dialogs and the buttons of the message boxes speak Chinese like the rest of the program.
    QTranslator qtTranslator;
    if (qtTranslator.load(QStringLiteral("qtbase_zh_CN"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtTranslator);
    }
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setFont(
        QFont(QString::fromUtf8(platform::kProgramFontFamily), platform::kProgramFontPoints));
    modPublic::AppFolder = platform::AppPath();
    // The program ends when its last window is unloaded, by the close box or by code.
    platform::Forms::setLastFormUnloaded([] { QCoreApplication::quit(); });
    platform::Forms::instance<frmReq>().Show();
    const int code = QApplication::exec();
    platform::Forms::destroyAll();
    return code;
}
