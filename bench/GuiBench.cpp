// A race or venue button click in the Qt window, from the mouse press until the window has
// been repainted, on the offscreen platform.

#include "bench/BenchFolder.h"
#include "common/Tables.h"
#include "gui/MainWindow.h"
#include "gui/QtUiServices.h"
#include "settings/SettingsFile.h"
#include "tools/SampleFetch.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEventLoop>
#include <QTest>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <chrono>
#include <sys/resource.h>

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

// Follow mode: from the writer's close of the last file of a fetch (the odds files of the race
// on display, rewritten in place) until the window has repainted the new race. The quiet wait
// that tells the end of a burst is part of it.
void FollowLatency(benchmark::State& state) {
    const BenchInstall install({.onlyFirstMeeting = true});
    SaveAutoUpdate(install.SettingsPath(), true);
    ShownWindow shown(install);
    shown.ClickUntilRepainted(VenueButton(1));
    const sample::SampleMeeting meeting = sample::SampleMeetings().front();
    const int race = shown.form.state().selection.CurRace;
    int step = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const int before = shown.form.follow().shown();
        sample::WriteFetch(install.PatFolder(), meeting, race, ++step % 50,
                           sample::WriteWay::InPlace, std::chrono::milliseconds(0));
        state.ResumeTiming();
        while (shown.form.follow().shown() == before) {
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        UntilRepainted(shown.watch);
    }
    if (shown.form.follow().shown() != static_cast<int>(state.iterations())) {
        state.SkipWithError("a fetch was not shown once");
    }
}
BENCHMARK(FollowLatency)->Unit(benchmark::kMillisecond);

// The process's CPU time over a minute of its event loop with nothing written, follow mode
// off (0) or on (1): a watch that waits for notices costs nothing while none comes.
void FollowIdle(benchmark::State& state) {
    const BenchInstall install({.onlyFirstMeeting = true});
    SaveAutoUpdate(install.SettingsPath(), state.range(0) != 0);
    ShownWindow shown(install);
    shown.ClickUntilRepainted(VenueButton(1));
    double cpuMs = 0;
    for (auto _ : state) {
        rusage before{}, after{};
        ::getrusage(RUSAGE_SELF, &before);
        QEventLoop idle;
        QTimer::singleShot(60000, &idle, &QEventLoop::quit);
        idle.exec();
        ::getrusage(RUSAGE_SELF, &after);
        const auto ms = [](const timeval& t) {
            return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3;
        };
        cpuMs +=
            ms(after.ru_utime) - ms(before.ru_utime) + ms(after.ru_stime) - ms(before.ru_stime);
    }
    state.counters["cpu_ms"] = cpuMs / static_cast<double>(state.iterations());
}
BENCHMARK(FollowIdle)
    ->ArgName("follow")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(1)
    ->Repetitions(1)
    ->Unit(benchmark::kMillisecond);

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
