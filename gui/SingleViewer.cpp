#include "gui/SingleViewer.h"

namespace mv::gui {

ForwardRequests::ForwardRequests(const std::string& name, std::function<void()> comeForward)
    : listener_(name), comeForward_(std::move(comeForward)) {
    if (listener_.fd() < 0) {
        return;
    }
    notifier_ = std::make_unique<QSocketNotifier>(listener_.fd(), QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this,
            [this] { listener_.TakeRequests(comeForward_); });
}

// The notifier goes before the socket it watches.
ForwardRequests::~ForwardRequests() {
    notifier_.reset();
}

} // namespace mv::gui
