// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/colour.h"
#include "ui/control.h"
#include "ui/proportional_layout.h"

#include <QIcon>
#include <QMargins>
#include <QObject>
#include <QPointer>
#include <QSizeF>
#include <memory>
#include <vector>

class QMenuBar;
class QWidget;

namespace ui {

class Button;
class FormWindow;
class MenuEntry;
class Runtime;
class Timer;

// A button a child on one switch reaches, and the word said when it is highlighted.
struct ScanItem
{
    Button* button;
    QString word;
};

// One window of the program. The object exists once and outlives its window: Load creates the
// window and its controls from the definition and runs Form_Load; Unload runs Form_Unload and
// destroys window and controls, while the object and its fields stay for the next Load.
class Form : public QObject
{
    Q_OBJECT
public:
    Form(Runtime& runtime, const QString& name, QSizeF designInnerTwips);
    ~Form() override;

    QString name() const { return objectName(); }

    void Load();   // creates the window if it is not loaded; not yet visible
    void Show();   // loads if needed, makes the window visible and active; never a second copy
    void Unload(); // nothing if not loaded or already unloading
    bool isLoaded() const;
    bool isUnloading() const { return unloading_; }

    QWidget* window() const;   // the top-level window; null while not loaded
    QWidget* client() const;   // its inner area, the container of the controls
    QMenuBar* menuBar() const; // null when the window has no menu

    // The ordered collection: every array element and every menu entry counts once.
    const std::vector<Control*>& Controls() const { return controls_; }
    Control* findControl(const QString& qualifiedName) const;

    Twips ScaleWidth() const;  // inner width; 0 while minimised
    Twips ScaleHeight() const; // inner height; 0 while minimised
    bool isMinimised() const;
    Twips Width() const; // outer width, frame included

    const Proporzioni& proportions() const { return proporzioni_; }

    Runtime& runtime() const { return runtime_; }

    // The buttons scanning goes through, in reading order, shown or not; none while not loaded.
    virtual std::vector<ScanItem> scanItems() const { return {}; }
    // Whether scanning offers, after those buttons, a way out of the window as its close gives it.
    virtual bool offersWayBack() const { return false; }

protected:
    virtual void createControls() = 0;
    virtual void Form_Load() {}
    virtual void Form_Resize() { ApplicaProporzioni(); }
    virtual void Form_Activate() {}
    virtual void Form_Unload() {}
    // The controls are gone: drop every pointer to them.
    virtual void forgetControls() {}

    void RilevaProporzioni();
    void ApplicaProporzioni();

    // Definition helpers, used from createControls in front-to-back order within each container.
    template <class T> T* add(QWidget* container, const QString& name, int index = -1)
    {
        T* control = new T(container, name, index);
        registerControl(control);
        return control;
    }
    Timer* addTimer(const QString& name, Twips left, Twips top);
    MenuEntry* addMenuEntry(const QString& name, const QString& caption, bool onMenuBar);

    void setCaption(const QString& caption);
    void setBackColor(Colour colour);
    void setIcon(const QIcon& icon);

private:
    friend class FormWindow;
    friend class ClientArea;
    friend class Runtime;

    void registerControl(Control* control);
    void finishDefinition();
    void handleResize();
    void handleActivated();
    void handleCloseRequest();
    void handleFrameChange();
    void placeOnScreen(const QMargins& frame);
    QSize designInnerPixels() const;

    Runtime& runtime_;
    QSizeF designInner_;
    QPointer<FormWindow> window_;
    std::vector<Control*> controls_;
    std::vector<std::unique_ptr<MenuEntry>> menuEntries_;
    Proporzioni proporzioni_;
    bool unloading_ = false;
    bool shownSinceLoad_ = false;
    QMargins placedWithFrame_; // the frame the window was placed with
    bool frameSeen_ = false;   // placed with the frame the window manager drew
};

} // namespace ui
