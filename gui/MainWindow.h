#pragma once

// The main window in Qt. It only shows TMainForm's model and forwards the user's events to
// the form: every event runs through the dispatcher (which shows a failure), then the whole
// model is shown again, and a requested end closes the window once the event is done.

#include "app/MainForm.h"
#include "gui/QtUiServices.h"

#include <QWidget>
#include <array>
#include <functional>

class QGroupBox;
class QLineEdit;
class QPlainTextEdit;

namespace mv::gui {

class ModelRadioButton;
class RaceCardGrid;

class MainWindow : public QWidget {
public:
    // Builds the window as designed, centred on the desktop, and runs the creation handler;
    // a failure in it is shown and the window is built all the same.
    MainWindow(QtUiServices& ui, TMainForm& form);

    // Copies the whole model to the widgets.
    void Render();

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildPanelDE(QWidget& panel);
    void BuildPanelPAD(QWidget& panel);
    void BuildPanelODDS(QWidget& panel);
    void AddRadios(QWidget& parent, RadioParent group);
    void Run(const std::function<void()>& handler);

    QtUiServices& ui_;
    TMainForm& form_;
    std::array<QLineEdit*, 7> edits_{};
    std::array<QPlainTextEdit*, 4> memos_{};
    std::array<QGroupBox*, 3> oddsGroups_{};
    std::array<ModelRadioButton*, RadioCount> radios_{};
    QGroupBox* raceGroup_ = nullptr;
    RaceCardGrid* grid_ = nullptr;
    bool activated_ = false;
};

} // namespace mv::gui
