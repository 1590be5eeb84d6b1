#pragma once

// What the services of both views share. The settings dialog is opened by a function the
// program sets once its main window exists. The end of the application is only recorded: the
// view carries it out once the event that asked for it is done, so that no nested loop (a
// dialog, a message box) is cut short.

#include "platform/UiServices.h"

#include <functional>
#include <utility>

namespace mv {

class ViewUiServices : public UiServices {
public:
    void setSettingsDialog(std::function<void()> open) { openSettings_ = std::move(open); }

    void OpenSettingsDialog() override {
        if (openSettings_) {
            openSettings_();
        }
    }
    void RequestEnd() override { endRequested_ = true; }
    bool endRequested() const { return endRequested_; }

private:
    std::function<void()> openSettings_;
    bool endRequested_ = false;
};

} // namespace mv
