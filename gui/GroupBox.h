#pragma once

// A group box drawn as the design places it: the caption's text from the top edge, the frame
// line through the middle of the caption. Qt's own group box puts the frame below a taller
// title band, where the designed children (16 pixels down, under a 16-pixel caption) would
// cover the caption, the more so at larger scale factors.

#include <QGroupBox>

namespace mv::gui {

class GroupBox : public QGroupBox {
public:
    GroupBox(const QString& title, QWidget* parent) : QGroupBox(title, parent) {}

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace mv::gui
