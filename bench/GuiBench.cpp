// A race or venue button click in the Qt window, from the mouse press until the window has
// been repainted, on the offscreen platform.

#include "bench/BenchFolder.h"
#include "common/Tables.h"
#include "gui/MainWindow.h"
#include "gui/QtUiServices.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTest>
#include <benchmark/benchmark.h>

namespace mv::bench {
namespace {

// Notes every paint of a widget of one window.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(QWidget& window) : window_(window) { qApp->installEventFilter(this); }
    ~PaintWatch() override { qApp->removeEventFilter(this); }
    PaintWatch(const PaintWatch&) = delete;
    PaintWatch& operator=(const PaintWatch&) = delete;

    bool painted = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->window() == &window_) {
            painted = true;
        }
        return false;
    }

private:
    QWidget& window_;
};

// Runs the event loop until the window has painted; the pass that paints runs the whole
// repaint of the window's changed widgets.
void UntilRepainted(PaintWatch& watch) {
    watch.painted = false;
    while (!watch.painted) {
        QApplication::processEvents(QEventLoop::AllEvents);
    }
}

QAbstractButton& Button(QWidget& window, Radio radio) {
    return *window.findChild<QAbstractButton*>(QLatin1String(NameOf(radio)));
}

void Click(QAbstractButton& button) {
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(6, button.height() / 2));
}

// The viewer's window on an install, shown and painted once.
struct ShownWindow {
    explicit ShownWindow(const BenchInstall& install)
        : form(ui, install.SettingsPath(), install.CacheFolder()), window(ui, form), watch(window) {
        window.show();
        UntilRepainted(watch);
    }
    // A click on one of the window's buttons, until the window has repainted.
    void ClickUntilRepainted(Radio radio) {
        Click(Button(window, radio));
        UntilRepainted(watch);
    }

    gui::QtUiServices ui;
    TMainForm form;
    gui::MainWindow window;
    PaintWatch watch;
};

// Clicks the races of the first venue in turn, as a user going through a meeting.
void RaceClick(benchmark::State& state) {
    const BenchInstall install({.onlyFirstMeeting = false});
    ShownWindow shown(install);
    shown.ClickUntilRepainted(VenueButton(1));
    int race = shown.form.state().selection.CurRace;
    for (auto _ : state) {
        race = race % Races + 1;
        shown.ClickUntilRepainted(RaceButton(race));
    }
    if (shown.form.state().selection.CurRace != race) {
        state.SkipWithError("the click did not reach the race");
    }
}
BENCHMARK(RaceClick)->Unit(benchmark::kMillisecond);

// Clicks two venues in turn in a folder of 50,000 files of earlier meetings, each click just
// after the betting software wrote a file there. Argument: names stored in upper case (0/1).
void VenueClick(benchmark::State& state) {
    const BenchInstall install(
        {.onlyFirstMeeting = false, .unrelatedFiles = 50000, .upperCase = state.range(0) != 0});
    ShownWindow shown(install);
    int venue = 1;
    for (auto _ : state) {
        state.PauseTiming();
        install.ChangePatFolder();
        venue = 3 - venue;
        state.ResumeTiming();
        shown.ClickUntilRepainted(VenueButton(venue));
    }
    if (shown.form.state().selection.CurSlot != venue) {
        state.SkipWithError("the click did not reach the venue");
    }
}
BENCHMARK(VenueClick)->ArgName("upper")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace mv::bench

int main(int argc, char** argv) {
    // A benchmark of the widgets' own work, with no display server in between.
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
