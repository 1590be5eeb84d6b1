#pragma once

// The folder texts that come from the user interface, typed into a field or chosen in the
// folder chooser, and what the chooser does when the user confirms its field. Both views use
// these, so that the messages and the questions are the same on every system.

#include "platform/UiServices.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace mv {

// A typed folder as a code page 932 text; fails with a clear message when code page 932
// cannot hold it.
std::string TypedFolderText(std::u16string_view typed);

// The chooser has been confirmed with folder, the full path of its field as the system gives
// it (without a final separator except for a root); fieldEmpty when the field was empty. A
// folder that exists is the answer. One that does not is offered for creation: No gives
// nothing, and the chooser stays open; Yes creates it with any missing parents (a creation
// that fails is not reported: the folder test on closing the settings tells the user) and it
// is the answer. An empty field fails with "ディレクトリを作成できません" after Yes. A folder
// whose name code page 932 cannot hold fails with a clear message instead of becoming another
// folder's name.
std::optional<std::string> ConfirmChosenFolder(UiServices& ui, const std::filesystem::path& folder,
                                               bool fieldEmpty);

} // namespace mv
