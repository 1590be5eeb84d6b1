#pragma once

// A scripted stand-in for the user interface: records what the core shows and answers from
// queues the test fills.

#include "platform/UiServices.h"

#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace mv::test {

class ScriptedUi : public UiServices {
public:
    struct Shown {
        enum class Kind { Message, Error, Question, FolderChooser, SettingsDialog, End } kind;
        std::string text;
        bool operator==(const Shown&) const = default;
    };

    std::vector<Shown> shown;

    // The failures shown, in order.
    std::vector<Shown> Errors() const {
        std::vector<Shown> errors;
        for (const Shown& s : shown) {
            if (s.kind == Shown::Kind::Error) {
                errors.push_back(s);
            }
        }
        return errors;
    }
    std::optional<std::string> clipboard;                 // the last text put there
    std::deque<std::optional<std::string>> folderAnswers; // nothing = cancel
    std::deque<bool> yesNoAnswers;
    std::vector<SaveRequest> saveRequests;                        // what each save dialog showed
    std::deque<std::optional<std::filesystem::path>> saveAnswers; // nothing = cancel
    std::function<void()> settingsDialog; // what "showing" the settings dialog does
    bool endRequested = false;

    void ShowMessage(const std::string& text) override {
        shown.push_back({Shown::Kind::Message, text});
    }
    void SetClipboardText(const std::string& text) override { clipboard = text; }
    void ShowError(const std::string& text) override {
        shown.push_back({Shown::Kind::Error, text});
    }
    std::optional<std::string> SelectFolder(const std::string& initialFolder) override {
        shown.push_back({Shown::Kind::FolderChooser, initialFolder});
        if (folderAnswers.empty()) {
            return std::nullopt;
        }
        auto answer = folderAnswers.front();
        folderAnswers.pop_front();
        return answer;
    }
    std::optional<std::filesystem::path> AskSavePath(const SaveRequest& request) override {
        saveRequests.push_back(request);
        if (saveAnswers.empty()) {
            return std::nullopt;
        }
        auto answer = saveAnswers.front();
        saveAnswers.pop_front();
        return answer;
    }
    bool AskYesNo(const std::string& question) override {
        shown.push_back({Shown::Kind::Question, question});
        if (yesNoAnswers.empty()) {
            return false;
        }
        const bool answer = yesNoAnswers.front();
        yesNoAnswers.pop_front();
        return answer;
    }
    void OpenSettingsDialog() override {
        shown.push_back({Shown::Kind::SettingsDialog, {}});
        if (settingsDialog) {
            settingsDialog();
        }
    }
    void RequestEnd() override {
        shown.push_back({Shown::Kind::End, {}});
        endRequested = true;
    }
};

} // namespace mv::test
