// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <functional>

class QMenuBar;

namespace platform {

class Form;

/// The top-level widget behind a Form: a menu bar (made on first use) over the client area.
class FormWindow : public QWidget {
public:
    explicit FormWindow(Form* form);
    QWidget* client() const { return client_; }
    QMenuBar* menuBar();
    /// Runs when the window is hidden (ends a modal loop).
    std::function<void()> onHidden;

    /// Lays the tool bars and status bars of the client area along its edges.
    static void dockChildren(QWidget* client);

protected:
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    Form* form_;
    QWidget* client_;
    QMenuBar* menuBar_ = nullptr;
};

} // namespace platform
