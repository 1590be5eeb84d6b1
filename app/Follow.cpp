#include "app/Follow.h"

#include "app/MainForm.h"
#include "common/MainFormDesign.h"
#include "common/Tables.h"
#include "platform/Codec.h"
#include "settings/SettingsFile.h"

#include <algorithm>
#include <chrono>

namespace mv {
namespace {

std::int64_t SteadyMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Data file names match without regard to the case of ASCII letters.
bool SameName(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

} // namespace

Follow::Follow(const std::filesystem::path& settingsPath)
    : clock_(SteadyMs), on_(LoadAutoUpdate(settingsPath)) {}

void Follow::Toggle(TMainForm& form) {
    on_ = !on_;
    Sync(form);
    SaveAutoUpdate(form.state().settingsPath, on_);
}

std::string Follow::Caption() const {
    const std::string designed = Sjis(MainFormDesign().caption);
    return on_ ? designed + Sjis(" [自動更新]") : designed;
}

Follow::Watched Follow::Wanted(const TMainForm& form) const {
    const MainFormState& s = form.state();
    if (!on_ || s.selection.CurSlot == 0 || !IsVenueCode(s.selection.CurVenue)) {
        return {};
    }
    return {s.settings.PatDir, s.selection.CurSlot, s.selection.CurVenue};
}

void Follow::Sync(const TMainForm& form) {
    const Watched wanted = Wanted(form);
    if (wanted == watched_) {
        return;
    }
    watched_ = wanted;
    notices_.Stop();
    polling_ = false;
    due_ = Due::Nothing;
    retries_ = 0;
    if (wanted.slot == 0) {
        return;
    }
    if (!notices_.Start(wanted.folder)) {
        polling_ = true;
        stamps_ = Stamps(form);
        due_ = Due::Poll;
        dueAt_ = clock_() + PollMs;
    }
}

bool Follow::Concerns(const TMainForm& form, const std::string& name) {
    const MainFormState& s = form.state();
    for (int k = 1; k <= FileKinds; ++k) {
        for (int r = 1; r <= Races; ++r) {
            const std::string path = s.DataFilePath(k, r);
            if (SameName(std::string_view(path).substr(s.settings.PatDir.size()), name)) {
                return true;
            }
        }
    }
    return false;
}

std::vector<std::optional<FileStamp>> Follow::Stamps(const TMainForm& form) {
    const MainFormState& s = form.state();
    std::vector<std::optional<FileStamp>> stamps;
    const ListingBatch probe;
    for (int k = 1; k <= FileKinds; ++k) {
        for (int r = 1; r <= Races; ++r) {
            stamps.push_back(StampOf(s.DataFilePath(k, r)));
        }
    }
    return stamps;
}

void Follow::Noticed(const TMainForm& form) {
    const auto names = notices_.Take();
    if (watched_.slot == 0) {
        return;
    }
    // A watch that lost track may have missed anything.
    if (!names || std::ranges::any_of(*names, [&](const auto& n) { return Concerns(form, n); })) {
        due_ = Due::Reload;
        dueAt_ = clock_() + QuietMs;
        retries_ = 0;
    }
}

std::optional<int> Follow::Wake() const {
    if (due_ == Due::Nothing) {
        return std::nullopt;
    }
    return static_cast<int>(std::clamp<std::int64_t>(dueAt_ - clock_(), 0, PollMs));
}

void Follow::TimerFired(TMainForm& form) {
    const std::int64_t now = clock_();
    if (due_ == Due::Nothing || now < dueAt_) {
        return;
    }
    if (holds_ > 0) {
        dueAt_ = now + RetryMs;
        return;
    }
    if (due_ == Due::Poll) {
        if (Stamps(form) == stamps_) {
            dueAt_ = now + PollMs;
            return;
        }
    }
    Reload(form, now);
}

void Follow::Reload(TMainForm& form, std::int64_t now) {
    // Taken before the files are read, so that a write during the reload is seen next time.
    if (polling_) {
        stamps_ = Stamps(form);
    }
    const TMainForm::QuietReload result = form.ReloadQuietly();
    ++reloads_;
    if (result == TMainForm::QuietReload::Shown) {
        ++shown_;
    }
    if (result == TMainForm::QuietReload::WriterAtWork && retries_ < RetryLimit) {
        ++retries_;
        due_ = Due::Reload;
        dueAt_ = now + RetryMs;
        return;
    }
    retries_ = 0;
    due_ = polling_ ? Due::Poll : Due::Nothing;
    dueAt_ = now + PollMs;
}

} // namespace mv
