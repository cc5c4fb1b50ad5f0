// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmReq.h"
#include "app/modPublic.h"
#include "platform/Forms.h"
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
    // A face that holds the Chinese captions and keeps Latin text narrow, so that the pages fit.
    QApplication::setFont(QFont(QStringLiteral("WenQuanYi Micro Hei"), 9));
    modPublic::AppFolder = platform::AppPath();
    // The program ends when its last window is unloaded, by the close box or by code.
    platform::Forms::setLastFormUnloaded([] { QCoreApplication::quit(); });
    platform::Forms::instance<frmReq>().Show();
    const int code = QApplication::exec();
    platform::Forms::destroyAll();
    return code;
}
