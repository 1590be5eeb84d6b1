#pragma once

// The handover from a second start to the viewer already running from the same program folder:
// the running viewer listens under the folder's instance name, and a later start tells it to
// come to the front before it ends.

#include <QObject>
#include <QSocketNotifier>
#include <QString>
#include <functional>
#include <memory>

namespace mv::gui {

// Asks the viewer listening under `name` to come to the front; true once it has the request.
// A viewer that is still starting is given a moment to listen.
bool AskRunningViewerToComeForward(const QString& name);

// Listens under `name` while it lives and runs `comeForward` for every request.
class ForwardRequests : public QObject {
public:
    ForwardRequests(const QString& name, std::function<void()> comeForward);
    ~ForwardRequests() override;
    ForwardRequests(const ForwardRequests&) = delete;
    ForwardRequests& operator=(const ForwardRequests&) = delete;

private:
    int listening_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::function<void()> comeForward_;
};

} // namespace mv::gui
