// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

#include <optional>
#include <string>

/// An independent DXF reader for the tests: Debian's python3-ezdxf, run as a separate process.
namespace ezdxf_reader {

/// The Python interpreter that has ezdxf, or nullopt (the test is skipped then). A Python of the user's
/// own (pyenv) may come first on the PATH without the Debian module, so the system one is tried too.
inline std::optional<QString> python() {
    for (const QString& candidate : {QStringLiteral("python3"), QStringLiteral("/usr/bin/python3")}) {
        QProcess p;
        p.start(candidate, {QStringLiteral("-c"), QStringLiteral("import ezdxf")});
        if (p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0) {
            return candidate;
        }
    }
    return std::nullopt;
}

/// Runs `script` with the DXF file as sys.argv[1] and returns what it prints (UTF-8); nullopt when the
/// script fails, with its error output in `error`.
inline std::optional<std::string> run(const QString& interpreter, const std::string& script,
                                      const std::string& dxf, std::string* error = nullptr) {
    QProcess p;
    p.start(interpreter, {QStringLiteral("-X"), QStringLiteral("utf8"), QStringLiteral("-c"),
                          QString::fromStdString(script), QString::fromStdString(dxf)});
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        if (error != nullptr) {
            *error = p.readAllStandardError().toStdString();
        }
        return std::nullopt;
    }
    return p.readAllStandardOutput().toStdString();
}

} // namespace ezdxf_reader
