#pragma once

// The handover from a second start to the viewer already running from the same program folder:
// the running viewer listens under the folder's instance name, and a later start tells it to
// come to the front before it ends.

#include <QLocalServer>
#include <QString>
#include <functional>

namespace mv::gui {

// Asks the viewer listening under `name` to come to the front; true once it has the request.
// A viewer that is still starting is given a moment to listen.
bool AskRunningViewerToComeForward(const QString& name);

// Listens under `name` while it lives and runs `comeForward` for every request.
class ForwardRequests : public QObject {
public:
    ForwardRequests(const QString& name, std::function<void()> comeForward);

private:
    QLocalServer server_;
    std::function<void()> comeForward_;
};

} // namespace mv::gui
