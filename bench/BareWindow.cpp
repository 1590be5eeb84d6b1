// bare-window [--labels] [--quit-when-painted]
//
// The least a Qt Widgets program does to show a window: an empty 800 x 600 window. The
// start-up and memory benchmarks measure the viewer against it. With --labels the window shows
// one label in each of the two Japanese faces the window's design names (the proportional face
// of the captions, the fixed-pitch face of the memos), so that the floor loads both fonts as the
// viewer must. With --quit-when-painted it ends once the window has painted, so
// that its peak memory can be read.

#include "gui/DesignedWidgets.h"
#include "gui/QtText.h"
#include "platform/Codec.h"
#include "platform/WindowDesign.h"

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
    if (HasOption(argc, argv, "--labels")) {
        const mv::FontSpec faces[] = {{mv::Face::Proportional, 13}, {mv::Face::Fixed, 16}};
        int top = 8;
        for (const mv::FontSpec& face : faces) {
            auto* label = new QLabel(mv::gui::FromSjis(mv::Sjis("単勝並び替え 1R")), &window);
            label->setFont(mv::gui::ToQFont(face));
            label->move(8, top);
            top += 32;
        }
    }
    window.show();
    return app.exec();
}
