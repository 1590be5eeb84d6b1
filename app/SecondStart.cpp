#include "app/SecondStart.h"

#include "platform/Codec.h"
#include "platform/Failure.h"
#include "platform/UiServices.h"

namespace mv {
namespace {

// Between two tries: short enough that the window comes soon after the lock is let go, long
// enough that the wait costs nothing.
constexpr std::chrono::milliseconds Retry{100};

} // namespace

SecondStart WaitForTheRunningViewer(UiServices& ui, const SecondStartSteps& steps,
                                    std::chrono::milliseconds limit) {
    const auto start = steps.now();
    for (;;) {
        if (steps.takeLock()) {
            return SecondStart::Run;
        }
        if (steps.askToComeForward()) {
            return SecondStart::CameForward;
        }
        if (steps.now() - start >= limit) {
            ui.ShowError(
                MessageBoxText(Sjis("既に起動しているビューアが応答しません。"
                                    "そのビューアを終了してから、もう一度起動してください")));
            return SecondStart::NoAnswer;
        }
        steps.pause(Retry);
    }
}

int ExitCodeOf(SecondStart outcome) {
    return outcome == SecondStart::NoAnswer ? 1 : 0;
}

} // namespace mv
