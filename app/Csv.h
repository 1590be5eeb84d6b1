#pragma once

// "CSVで保存...": the race shown, as one file for a spreadsheet. Every field is taken from a
// grid cell or a panel line as the window shows it, never from the data files, so the file
// holds what the user saw: the same rows, values as plain numbers where the window shows a
// number, and an empty field where it shows none.

#include "common/MainFormState.h"
#include "common/MainWindowModel.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mv {

struct CsvSection {
    std::vector<std::string> header;            // code page 932
    std::vector<std::vector<std::string>> rows; // code page 932, one field per header column
};

// The sections in file order: race header, race card, bracket quinella, quinella, wide,
// payouts.
std::vector<CsvSection> RaceCsvSections(const MainWindowModel& w);

// The sections as one file: UTF-8 with a byte order mark, CR LF line ends, fields quoted as
// RFC 4180 asks, one empty line between sections.
std::string RaceCsv(const MainWindowModel& w);

// The name the save dialog proposes, "YYYYMMDD_<venue>_<NN>R.csv" (code page 932), from the
// race shown; nothing while no race is shown.
std::optional<std::string> CsvFileName(const MainFormState& s);

// Whether a grid row shows a runner: a cell holds more than blanks (full-width ones too).
bool ShowsARunner(const std::array<std::string, GridColumns>& row);

// The text without the blanks and full-width spaces around it.
std::string_view Trimmed(std::string_view sjis);

} // namespace mv
