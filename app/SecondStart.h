#pragma once

// A start of the viewer that finds the program folder's lock held by another viewer. It ends
// only once that viewer has answered that it came to the front; a viewer that is ending (its
// window closed, its process not yet gone) is waited for, and this start then runs as the only
// viewer. One that neither answers nor ends is reported, never passed over in silence.

#include <chrono>
#include <functional>
#include <thread>

namespace mv {

class UiServices;

// How long a start waits for a viewer that holds the lock and does not answer (a hung one).
inline constexpr std::chrono::milliseconds NoAnswerLimit{10000};

// What the start does, given by the view.
struct SecondStartSteps {
    std::function<bool()> takeLock;         // true once this start holds the folder's lock
    std::function<bool()> askToComeForward; // true once the viewer holding it answered
    std::function<void(std::chrono::milliseconds)> pause = [](std::chrono::milliseconds d) {
        std::this_thread::sleep_for(d);
    };
    std::function<std::chrono::steady_clock::time_point()> now = std::chrono::steady_clock::now;
};

enum class SecondStart {
    Run,         // this start holds the lock: it runs as the folder's only viewer
    CameForward, // the running viewer came to the front: this start ends
    NoAnswer,    // the lock stayed held without an answer: shown, and this start ends
};

SecondStart WaitForTheRunningViewer(UiServices& ui, const SecondStartSteps& steps,
                                    std::chrono::milliseconds limit = NoAnswerLimit);

// The exit code of a start that ends.
int ExitCodeOf(SecondStart outcome);

} // namespace mv
