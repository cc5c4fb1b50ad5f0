// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class QWidget;

namespace platform {

class FormWindow;

/// Anything that holds controls: the client area of a form, a frame, a page of a multi-page.
class Container {
public:
    virtual ~Container() = default;
    /// The widget children are placed in (for the platform's own use; window code never touches it).
    virtual QWidget* containerWidget() const = 0;
};

/// Why a form is being unloaded, as the QueryUnload handler receives it.
enum UnloadMode {
    vbFormControlMenu = 0, ///< the user closed the window (close box)
    vbFormCode = 1,        ///< Unload in code
    vbAppWindows = 2,
    vbAppTaskManager = 3,
};

/// A window: one instance per class, reached through Forms::instance<T>(). Geometry is in twips
/// (15 twips = 1 pixel). Width and Height are the outer size of the window, as the classic runtime
/// counts them; ScaleWidth and ScaleHeight the client area where controls are placed.
class Form : public Container {
public:
    Form();
    ~Form() override;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    std::string Caption() const;
    void setCaption(const std::string& caption);

    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void setLeft(int twips);
    void setTop(int twips);
    void setWidth(int twips);
    void setHeight(int twips);
    void Move(int left, int top, int width = -1, int height = -1);
    int ScaleWidth() const;
    int ScaleHeight() const;

    bool Enabled() const;
    void setEnabled(bool enabled);
    /// True while the window is shown.
    bool Visible() const;
    /// True while the window is shown modally (ShowModal has not returned yet).
    bool IsModal() const;

    /// Shows the window without blocking.
    void Show();
    /// Shows the window modally over `owner` and returns when it is hidden or unloaded. Under the test
    /// stage the registered modal hook runs on the window instead of an event loop.
    void ShowModal(Form* owner = nullptr);
    void Hide();

    /// Hooks of the classic window events. Initialize and Load run once, in this order, when
    /// Forms::instance creates the window; QueryUnload and Unload run when it is unloaded (close box or
    /// code); setting `cancel` to a non-zero value keeps the window loaded.
    virtual void Form_Initialize() {}
    virtual void Form_Load() {}
    virtual void Form_QueryUnload(int& cancel, int unloadMode) {}
    virtual void Form_Unload(int& cancel) {}
    /// Runs after the window changed its size.
    virtual void Form_Resize() {}

    QWidget* containerWidget() const override;
    /// The top-level widget of the window (platform use only).
    QWidget* window() const;

private:
    friend class Forms;
    friend class FormWindow;
    FormWindow* host_;
    bool modal_ = false;
    bool unloading_ = false;
};

/// A window whose start-up and closing are the UserForm events of the classic runtime: Initialize runs
/// UserForm_Initialize, QueryUnload runs UserForm_QueryClose (whatever closes it, close box or code).
class UserForm : public Form {
public:
    void Form_Initialize() override { UserForm_Initialize(); }
    void Form_QueryUnload(int& /*cancel*/, int /*unloadMode*/) override { UserForm_QueryClose(); }
    virtual void UserForm_Initialize() {}
    virtual void UserForm_QueryClose() {}
};

} // namespace platform
