// bare-window [--label] [--quit-when-painted]
//
// The least a Qt Widgets program does to show a window: an empty 800 x 600 window. The
// start-up and memory benchmarks measure the viewer against it. With --label the window shows
// one label in the viewer's Japanese fixed-pitch font, so that the floor pays the font's
// loading as the viewer must. With --quit-when-painted it ends once the window has painted, so
// that its peak memory can be read.

#include "common/MainFormDesign.h"
#include "gui/DesignedWidgets.h"
#include "gui/QtText.h"
#include "platform/Codec.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <cstring>

namespace {

class BareWindow : public QWidget {
public:
    explicit BareWindow(bool quitWhenPainted) : quitWhenPainted_(quitWhenPainted) {}

protected:
    void paintEvent(QPaintEvent*) override {
        if (quitWhenPainted_) {
            QTimer::singleShot(0, qApp, &QApplication::quit);
        }
    }

private:
    bool quitWhenPainted_;
};

bool HasOption(int argc, char** argv, const char* option) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], option) == 0) {
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    BareWindow window(HasOption(argc, argv, "--quit-when-painted"));
    window.resize(800, 600);
    if (HasOption(argc, argv, "--label")) {
        const mv::WindowDesign& design = mv::MainFormDesign();
        auto* label = new QLabel(mv::gui::FromSjis(mv::Sjis(design.caption)), &window);
        label->setFont(mv::gui::ToQFont({mv::Face::Fixed, design.font.pixelHeight}));
        label->move(8, 8);
    }
    window.show();
    return app.exec();
}
