#pragma once

// The request of a later start to the viewer already running from the same program folder
// that it come to the front, over a local socket named after the folder. The running viewer
// answers once it has come forward, so a later start never takes a viewer that is ending, or
// one that does not answer, for one that came. Both ends trust only a process of their own
// user: the socket's name is no file and has no permissions of its own.

#include <chrono>
#include <functional>
#include <string>

namespace mv {

// How long a later start waits for the answer to one request.
inline constexpr std::chrono::milliseconds ForwardAnswerWait{1000};

// Asks the viewer listening under `name` to come to the front; true once it has answered
// that it did.
bool AskToComeForward(const std::string& name,
                      std::chrono::milliseconds answerWait = ForwardAnswerWait);

// Listens under a name while it lives.
class ForwardListener {
public:
    // A name still held by a viewer that is ending is waited for a moment; without it, a later
    // start finds no one to answer, and this viewer works on all the same.
    explicit ForwardListener(const std::string& name);
    ~ForwardListener();
    ForwardListener(const ForwardListener&) = delete;
    ForwardListener& operator=(const ForwardListener&) = delete;

    // The socket to wait on for requests; -1 when there is none.
    int fd() const { return fd_; }

    // Takes every waiting request: one from a process of this user runs comeForward, then is
    // answered; any other is closed unanswered.
    void TakeRequests(const std::function<void()>& comeForward);

private:
    int fd_ = -1;
};

} // namespace mv
