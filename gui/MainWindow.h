#pragma once

// The main window in Qt. It only shows TMainForm's model and forwards the user's events to
// the form: every event runs through the dispatcher (which shows a failure), then the whole
// model is shown again, and a requested end closes the window once the event is done. Its
// widgets are those of the core's design.

#include "app/Copy.h"
#include "app/MainForm.h"
#include "app/MainFormBindings.h"
#include "gui/QtUiServices.h"

#include <QTimer>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QLineEdit;
class QGroupBox;
class QPlainTextEdit;
class QSocketNotifier;

namespace mv::gui {

class ModelRadioButton;
class RaceCardGrid;

class MainWindow : public QWidget {
public:
    // Builds the window as designed, centred on the desktop, and runs the creation handler;
    // a failure in it is shown and the window is built all the same.
    MainWindow(QtUiServices& ui, TMainForm& form);

    ~MainWindow() override;

    // Copies the whole model to the widgets.
    void Render();

    // The context menu at a point of the screen.
    void ShowContextMenu(QPoint at);

protected:
    bool event(QEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void Bind();
    void BindKeys();
    FocusedControl Focused() const;
    void Run(const std::function<void()>& handler);
    // Follow mode's events: a notice or its timer. The user's scroll positions stay.
    void Follow(const std::function<void()>& step);
    // The notice handle in the event loop and the timer armed, as follow mode now wants them.
    void SyncFollow();

    template <typename Widget, typename Field>
    struct Bound {
        Widget* widget;
        Field field;
    };

    QtUiServices& ui_;
    TMainForm& form_;
    std::vector<QWidget*> widgets_; // in the design's order
    std::vector<Bound<QLineEdit, MainFormText>> edits_;
    std::vector<Bound<QGroupBox, MainFormText>> captions_;
    std::vector<Bound<QPlainTextEdit, MainFormLines>> memos_;
    std::vector<Bound<QWidget, MainFormVisibility>> visibilities_;
    std::array<ModelRadioButton*, RadioCount> radios_{};
    RaceCardGrid* grid_ = nullptr;
    bool activated_ = false;
    std::unique_ptr<QSocketNotifier> notices_;
    QTimer followTimer_;
};

} // namespace mv::gui
