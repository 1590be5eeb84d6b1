#pragma once

// Follow mode ("自動更新"): while it is on and a venue is chosen, a change of that venue's race
// data files makes the window show again what a click on the race on display would show now,
// without reading the settings again, once the writer has finished. A burst of writes is one
// reload; a reload that fails (a file still being written, gone, or not convertible) changes
// nothing and is tried again shortly after when a writer may still be at work, and otherwise
// at the next change. Notices come from the folder's watch; where the system hears nothing of
// other machines' writes, the files' stamps are compared every two seconds instead.
//
// The view binds it: it waits on Handle() in its event loop and calls Noticed(), keeps one
// timer armed as Wake() says and calls TimerFired(), and holds it while a user's event runs.

#include "platform/FileQuery.h"
#include "platform/FolderNotices.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace mv {

class TMainForm;

class Follow {
public:
    static constexpr int QuietMs = 100;   // no further notice for this long: the burst is over
    static constexpr int RetryMs = 250;   // a writer was at work: its last write may bring none
    static constexpr int RetryLimit = 40; // then the next change decides
    static constexpr int PollMs = 2000;   // a folder without notices

    using Clock = std::function<std::int64_t()>; // milliseconds, never going back

    // On as the settings file says.
    explicit Follow(const std::filesystem::path& settingsPath);
    void SetClock(Clock clock) { clock_ = std::move(clock); }

    bool On() const { return on_; }
    // The user's toggle: stores "AutoUpdate" and nothing else; fails as the settings file does,
    // the mode changed all the same.
    void Toggle(TMainForm& form);

    // The main window's caption: the designed one, with " [自動更新]" while on.
    std::string Caption() const;

    // Starts, moves or stops the watch for the venue now chosen; after every event.
    void Sync(const TMainForm& form);
    // What the event loop waits on; -1 when nothing.
    std::intptr_t Handle() const { return notices_.Handle(); }
    // The handle turned ready.
    void Noticed(const TMainForm& form);
    // When the view's one timer is to fire, in milliseconds from now; nothing: no timer.
    std::optional<int> Wake() const;
    void TimerFired(TMainForm& form);

    // While one lives (a user's event is running), reloads wait.
    class Hold {
    public:
        explicit Hold(Follow& follow) : follow_(follow) { ++follow_.holds_; }
        ~Hold() { --follow_.holds_; }
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

    private:
        Follow& follow_;
    };

    int reloads() const { return reloads_; } // automatic reloads tried so far
    int shown() const { return shown_; }     // those that changed what the window shows
    bool polling() const { return polling_; }

private:
    struct Watched {
        std::string folder;
        int slot = 0;
        int venue = 0;
        bool operator==(const Watched&) const = default;
    };
    Watched Wanted(const TMainForm& form) const;
    static bool Concerns(const TMainForm& form, const std::string& name);
    static std::vector<std::optional<FileStamp>> Stamps(const TMainForm& form);
    void Reload(TMainForm& form, std::int64_t now);

    enum class Due { Nothing, Reload, Poll };

    Clock clock_;
    bool on_ = false;
    FolderNotices notices_;
    Watched watched_;
    bool polling_ = false;
    std::vector<std::optional<FileStamp>> stamps_;
    Due due_ = Due::Nothing;
    std::int64_t dueAt_ = 0;
    int retries_ = 0;
    int holds_ = 0;
    int reloads_ = 0;
    int shown_ = 0;
};

} // namespace mv
