#pragma once

// The running viewer's side of the handover from a later start: requests to come to the front
// arrive on the folder's local socket, watched in the event loop.

#include "platform/posix/ForwardChannel.h"

#include <QObject>
#include <QSocketNotifier>
#include <functional>
#include <memory>
#include <string>

namespace mv::gui {

// Listens under `name` while it lives and runs `comeForward` for every request of this user.
class ForwardRequests : public QObject {
public:
    ForwardRequests(const std::string& name, std::function<void()> comeForward);
    ~ForwardRequests() override;
    ForwardRequests(const ForwardRequests&) = delete;
    ForwardRequests& operator=(const ForwardRequests&) = delete;

private:
    ForwardListener listener_;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::function<void()> comeForward_;
};

} // namespace mv::gui
