// bare-window [--quit-when-painted]
//
// The least a Qt Widgets program does to show a window: an empty 800 x 600 window. The
// start-up and memory benchmarks measure the viewer against it. With --quit-when-painted it
// ends once the window has painted, so that its peak memory can be read.

#include <QApplication>
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

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    BareWindow window(argc == 2 && std::strcmp(argv[1], "--quit-when-painted") == 0);
    window.resize(800, 600);
    window.show();
    return app.exec();
}
