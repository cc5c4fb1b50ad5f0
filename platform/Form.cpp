// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Form.h"

#include "platform/FormWindow.h"
#include "platform/Forms.h"
#include "platform/scripted.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QMenuBar>
#include <QPointer>
#include <QVBoxLayout>
#include <QWindow>

#include <cmath>

namespace platform {
namespace {
constexpr int kTwipsPerPixel = 15;
// The classic outer size counts the caption and the borders; the host window is the client area
// (with the menu bar) only, so these are taken off.
constexpr int kFrameWidthPx = 8;
constexpr int kFrameHeightPx = 31;

int px(int twips) {
    return static_cast<int>(std::lround(twips / double(kTwipsPerPixel)));
}
} // namespace

FormWindow::FormWindow(Form* form) : form_(form), client_(new QWidget(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(client_, 1);
    client_->setAutoFillBackground(true);
    resize(px(4800) - kFrameWidthPx, px(3600) - kFrameHeightPx);
}

QMenuBar* FormWindow::menuBar() {
    if (menuBar_ == nullptr) {
        menuBar_ = new QMenuBar(this);
        static_cast<QVBoxLayout*>(layout())->setMenuBar(menuBar_);
    }
    return menuBar_;
}

void FormWindow::dockChildren(QWidget* client) {
    const auto children = client->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* w : children) {
        const QString dock = w->property("platformDock").toString();
        if (dock.isEmpty()) {
            continue;
        }
        const int h = w->sizeHint().height();
        if (dock == QLatin1String("top")) {
            w->setGeometry(0, 0, client->width(), h);
        } else {
            w->setGeometry(0, client->height() - h, client->width(), h);
        }
        w->raise();
    }
}

void FormWindow::closeEvent(QCloseEvent* event) {
    if (form_->unloading_) {
        event->accept();
        return;
    }
    if (Forms::unload(*form_, vbFormControlMenu)) {
        event->accept();
    } else {
        event->ignore();
    }
}

void FormWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (onHidden) {
        onHidden();
    }
}

void FormWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    dockChildren(client_);
    if (!form_->unloading_) {
        try {
            form_->Form_Resize();
        } catch (const std::exception& e) {
            scripted::fault(std::string("Form_Resize: ") + e.what());
        }
    }
}

Form::Form() : host_(new FormWindow(this)) {}

Form::~Form() {
    delete host_;
}

std::string Form::Caption() const {
    return host_->windowTitle().toStdString();
}
void Form::setCaption(const std::string& caption) {
    host_->setWindowTitle(QString::fromStdString(caption));
}

int Form::Left() const {
    return host_->x() * kTwipsPerPixel;
}
int Form::Top() const {
    return host_->y() * kTwipsPerPixel;
}
int Form::Width() const {
    return (host_->width() + kFrameWidthPx) * kTwipsPerPixel;
}
int Form::Height() const {
    return (host_->height() + kFrameHeightPx) * kTwipsPerPixel;
}
void Form::setLeft(int twips) {
    host_->move(px(twips), host_->y());
}
void Form::setTop(int twips) {
    host_->move(host_->x(), px(twips));
}
void Form::setWidth(int twips) {
    host_->resize(std::max(1, px(twips) - kFrameWidthPx), host_->height());
}
void Form::setHeight(int twips) {
    host_->resize(host_->width(), std::max(1, px(twips) - kFrameHeightPx));
}

void Form::Move(int left, int top, int width, int height) {
    host_->move(px(left), px(top));
    if (width >= 0) {
        setWidth(width);
    }
    if (height >= 0) {
        setHeight(height);
    }
}

int Form::ScaleWidth() const {
    return host_->client()->width() * kTwipsPerPixel;
}
int Form::ScaleHeight() const {
    return host_->client()->height() * kTwipsPerPixel;
}

bool Form::Enabled() const {
    return host_->isEnabled();
}
void Form::setEnabled(bool enabled) {
    host_->setEnabled(enabled);
}
bool Form::Visible() const {
    return host_->isVisible();
}
bool Form::IsModal() const {
    return modal_;
}

void Form::Show() {
    host_->show();
    host_->raise();
    host_->activateWindow();
}

void Form::Hide() {
    host_->hide();
}

void Form::ShowModal(Form* owner) {
    if (modal_) {
        return;
    }
    modal_ = true;
    if (scripted::active()) {
        host_->show();
        if (const auto& hook = Forms::modalHook()) {
            try {
                hook(*this);
            } catch (const std::exception& e) {
                scripted::fault(std::string("modal script of \"") + Caption() + "\": " + e.what());
            }
        } else {
            scripted::fault("a modal window was shown with no script: \"" + Caption() + "\"");
        }
        if (Forms::isLoaded(*this)) {
            host_->hide();
        }
        modal_ = false;
        return;
    }

    if (host_->isVisible()) {
        host_->hide();
    }
    // A window shown over an owner blocks only its owners, so that the drawing window of the curves
    // stays usable beside a scheme window, as a separate CAD program was.
    const bool owned = owner != nullptr && owner != this;
    host_->setWindowModality(owned ? Qt::WindowModal : Qt::ApplicationModal);
    if (owned) {
        host_->winId();
        owner->host_->winId();
        host_->windowHandle()->setTransientParent(owner->host_->windowHandle());
    }
    QEventLoop loop;
    host_->onHidden = [&loop] { loop.quit(); };
    Show();
    if (host_->isVisible()) {
        loop.exec(QEventLoop::DialogExec);
    }
    host_->onHidden = nullptr;
    host_->setWindowModality(Qt::NonModal);
    modal_ = false;
    Forms::collectGarbage();
}

QWidget* Form::containerWidget() const {
    return host_->client();
}
QWidget* Form::window() const {
    return host_;
}

} // namespace platform
