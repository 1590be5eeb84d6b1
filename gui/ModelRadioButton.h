#pragma once

// A radio button whose checked state only the window's model sets. A click neither toggles it
// nor unchecks its siblings: the view forwards the click to the core, which applies the radio
// rule (running the button's handler only when it becomes checked), and then shows the model.

#include <QRadioButton>

namespace mv::gui {

class ModelRadioButton : public QRadioButton {
public:
    explicit ModelRadioButton(QWidget* parent) : QRadioButton(parent) { setAutoExclusive(false); }

protected:
    void nextCheckState() override {}
};

} // namespace mv::gui
