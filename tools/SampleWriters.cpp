#include "tools/SampleWriters.h"

#include "platform/Codec.h"
#include "platform/Fields.h"
#include "platform/FileQuery.h"
#include "platform/TextFile.h"

#include <stdexcept>

namespace mv::sample {
namespace {

// Field texts are exact bytes; one longer than its field would silently overwrite the next.
void PutField(Record& record, ByteSpan span, const std::string& text) {
    if (text.size() > span.length) {
        throw std::length_error("field text longer than its field: " + SjisToUtf8(text));
    }
    record.Put(span.position, text);
}

void PutDate(Record& record, const RaceHeader& h) {
    using L = layout::HeaderA;
    PutField(record, L::Year, h.year);
    PutField(record, L::Month, h.month);
    PutField(record, L::Day, h.day);
    PutField(record, L::VenueName, h.venueName);
    PutField(record, L::MeetingNo, h.meetingNo);
    PutField(record, L::MeetingDay, h.meetingDay);
    PutField(record, L::RaceNo, h.raceNo);
}

void PutHeaderB(Record& record, const RaceHeader& h) {
    using L = layout::HeaderB;
    PutField(record, L::Year, h.year);
    PutField(record, L::Month, h.month);
    PutField(record, L::Day, h.day);
    PutField(record, L::VenueName, h.venueName);
    PutField(record, L::MeetingNo, h.meetingNo);
    PutField(record, L::MeetingDay, h.meetingDay);
    PutField(record, L::RaceNo, h.raceNo);
    PutField(record, L::RaceName, h.raceName);
    PutField(record, L::Conditions, h.conditions);
    PutField(record, L::Runners, h.runners);
}

void PutOddsTime(Record& record, const std::string& hours, const std::string& minutes) {
    PutField(record, layout::HeaderB::OddsHours, hours);
    PutField(record, layout::HeaderB::OddsMinutes, minutes);
}

template <std::size_t N>
void PutPayouts(Record& record, const layout::PayoutSlots& slots, std::size_t offset,
                const std::array<Payout, N>& payouts) {
    for (std::size_t j = 0; j < N; ++j) {
        const ByteSpan number = InSlot(slots.number, slots.stride, j);
        const ByteSpan amount = InSlot(slots.amount, slots.stride, j);
        PutField(record, {number.position + offset, number.length}, payouts[j].number);
        PutField(record, {amount.position + offset, amount.length}, payouts[j].amount);
    }
}

// Every file is built at its full width and then cut or padded to the length asked for, so an
// over-short line is written the same way as a complete one.
std::string Finish(Record& record, std::size_t length) {
    record.Resize(length);
    return record.Line();
}

char HexDigit(int value) {
    return "0123456789abcdef"[value];
}

} // namespace

Record& Record::Put(std::size_t position, std::string_view text) {
    if (position == 0) {
        throw std::out_of_range("byte positions start at 1");
    }
    const std::size_t start = position - 1;
    if (start + text.size() > line_.size()) {
        line_.resize(start + text.size(), ' ');
    }
    line_.replace(start, text.size(), text);
    return *this;
}

std::size_t ResultsOffset(std::size_t lineLength) {
    constexpr std::size_t crLf = 2;
    return lineLength + crLf > layout::Results::SizeLimit ? layout::Results::Offset : 0;
}

void PutRaceHeader(Record& record, Kind kind, const RaceHeader& h) {
    switch (kind) {
    case Kind::De:
        PutDate(record, h);
        PutField(record, layout::HeaderDe::StartHours, h.startHours);
        PutField(record, layout::HeaderDe::StartMinutes, h.startMinutes);
        PutField(record, layout::HeaderDe::Course, h.course);
        PutField(record, layout::HeaderDe::Distance, h.distance);
        PutField(record, layout::HeaderDe::RaceName, h.raceName);
        PutField(record, layout::HeaderDe::Conditions, h.conditions);
        break;
    case Kind::Ut:
        PutDate(record, h);
        PutField(record, layout::HeaderUt::Distance, h.distance);
        PutField(record, layout::HeaderUt::RaceName, h.raceName);
        PutField(record, layout::HeaderUt::Conditions, h.conditions);
        PutField(record, layout::HeaderUt::Runners, h.runners);
        break;
    case Kind::Ks:
        PutDate(record, h);
        PutField(record, layout::HeaderKs::RaceName, h.raceName);
        PutField(record, layout::HeaderKs::Conditions, h.conditions);
        break;
    case Kind::Zo:
    case Kind::Uo:
        PutHeaderB(record, h);
        break;
    }
}

std::string Line1(const MeetingIndexFile& file) {
    using L = layout::MeetingIndex;
    Record record(L::Length);
    PutField(record, L::VenueCode, file.venueCode);
    PutField(record, L::Key1, file.key1);
    PutField(record, L::Key2, file.key2);
    PutField(record, L::Key3, file.key3);
    return Finish(record, file.length);
}

std::string Line1(const RaceCardFile& file) {
    using L = layout::RaceCard;
    Record record(L::Length);
    PutRaceHeader(record, Kind::De, file.header);
    for (std::size_t s = 0; s < RunnerSlots; ++s) {
        const RaceCardRunner& r = file.runners[s];
        PutField(record, InSlot(L::Bracket, L::Stride, s), r.bracket);
        PutField(record, InSlot(L::HorseNo, L::Stride, s), r.horseNo);
        PutField(record, InSlot(L::Status, L::Stride, s), r.status);
        PutField(record, InSlot(L::HorseName, L::Stride, s), r.horseName);
        PutField(record, InSlot(L::Jockey, L::Stride, s), r.jockey);
        PutField(record, InSlot(L::Apprentice, L::Stride, s), r.apprentice);
        PutField(record, InSlot(L::WeightCarried, L::Stride, s), r.weightCarried);
    }
    return Finish(record, file.length);
}

std::string Line1(const BodyWeightFile& file) {
    using L = layout::BodyWeight;
    Record record(L::Length);
    PutRaceHeader(record, Kind::Ut, file.header);
    for (std::size_t s = 0; s < RunnerSlots; ++s) {
        const BodyWeightRunner& r = file.runners[s];
        PutField(record, InSlot(L::HorseNo, L::Stride, s), r.horseNo);
        PutField(record, InSlot(L::Status, L::Stride, s), r.status);
        PutField(record, InSlot(L::Weight, L::Stride, s), r.weight);
        PutField(record, InSlot(L::Change, L::Stride, s), r.change);
        PutField(record, InSlot(L::Sign, L::Stride, s), r.sign);
    }
    return Finish(record, file.length);
}

std::string Line1(const WinPlaceBracketFile& file) {
    using L = layout::WinPlaceBracket;
    Record record(L::Length);
    PutRaceHeader(record, Kind::Zo, file.header);
    PutOddsTime(record, file.oddsHours, file.oddsMinutes);
    for (std::size_t s = 0; s < RunnerSlots; ++s) {
        const WinPlaceOdds& r = file.runners[s];
        PutField(record, InSlot(L::HorseNo, L::RunnerStride, s), r.horseNo);
        PutField(record, InSlot(L::Win, L::RunnerStride, s), r.win);
        PutField(record, InSlot(L::PlaceLow, L::RunnerStride, s), r.placeLow);
        PutField(record, InSlot(L::PlaceHigh, L::RunnerStride, s), r.placeHigh);
    }
    for (std::size_t i = 0; i < BracketCombinations; ++i) {
        PutField(record, InSlot(L::Key, L::CombinationStride, i), file.brackets[i].key);
        PutField(record, InSlot(L::Odds, L::CombinationStride, i), file.brackets[i].odds);
    }
    return Finish(record, file.length);
}

std::string Line1(const QuinellaWideFile& file) {
    using L = layout::QuinellaWide;
    Record record(L::Length);
    PutRaceHeader(record, Kind::Uo, file.header);
    PutOddsTime(record, file.oddsHours, file.oddsMinutes);
    for (std::size_t i = 0; i < HorseCombinations; ++i) {
        const PairOdds& c = file.combinations[i];
        PutField(record, InSlot(L::Key, L::Stride, i), c.key);
        PutField(record, InSlot(L::Quinella, L::Stride, i), c.quinella);
        PutField(record, InSlot(L::WideLow, L::Stride, i), c.wideLow);
        PutField(record, InSlot(L::WideHigh, L::Stride, i), c.wideHigh);
    }
    return Finish(record, file.length);
}

std::string Line1(const ResultsFile& file) {
    using L = layout::Results;
    Record record(L::Length);
    PutRaceHeader(record, Kind::Ks, file.header);
    const std::size_t offset = ResultsOffset(file.length);
    if (offset == 0) {
        for (std::size_t j = 0; j < file.refunds.size(); ++j) {
            PutField(record, InSlot(L::Refund, L::RefundStride, j), file.refunds[j]);
        }
    }
    PutPayouts(record, L::Win, offset, file.win);
    PutPayouts(record, L::Place, offset, file.place);
    PutPayouts(record, L::BracketQuinella, offset, file.bracketQuinella);
    PutPayouts(record, L::Quinella, offset, file.quinella);
    PutPayouts(record, L::Wide, offset, file.wide);
    return Finish(record, file.length);
}

std::string Padded(std::string_view text, std::size_t width) {
    if (text.size() > width) {
        throw std::length_error("text wider than " + std::to_string(width) + " bytes");
    }
    std::string padded(text);
    padded.resize(width, ' ');
    return padded;
}

std::string NumberText(long long value, std::size_t width) {
    const std::string digits = DecimalText(value);
    if (digits.size() > width) {
        throw std::length_error(digits + " wider than " + std::to_string(width) + " bytes");
    }
    return std::string(width - digits.size(), ' ') + digits;
}

std::string TwoDigits(int value) {
    if (value < 0 || value > 99) {
        throw std::out_of_range("not a two-digit value: " + std::to_string(value));
    }
    return {static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
}

std::string OddsText(int tenths, std::size_t width) {
    if (tenths < 0) {
        throw std::out_of_range("odds cannot be negative");
    }
    const std::string text = DecimalText(tenths / 10) + "." + DecimalText(tenths % 10);
    if (text.size() > width) {
        throw std::length_error(text + " wider than " + std::to_string(width) + " bytes");
    }
    return std::string(width - text.size(), ' ') + text;
}

std::string CancelledOdds(std::size_t width) {
    const std::string cancelled = Sjis("ﾄﾘｹｼ");
    if (width < cancelled.size()) {
        throw std::length_error("the cancellation mark needs four bytes");
    }
    return std::string(width - cancelled.size(), ' ') + cancelled;
}

std::string BracketPair(int first, int second) {
    if (first < 1 || first > 8 || second < 1 || second > 8) {
        throw std::out_of_range("brackets are 1 to 8");
    }
    return {static_cast<char>('0' + first), '-', static_cast<char>('0' + second)};
}

std::string BracketKey(int first, int second) {
    return " " + BracketPair(first, second);
}

std::string HorsePair(int first, int second) {
    return TwoDigits(first) + "-" + TwoDigits(second);
}

std::array<Pair, BracketCombinations> BracketPairs() {
    std::array<Pair, BracketCombinations> pairs{};
    std::size_t i = 0;
    for (int a = 1; a <= 8; ++a) {
        for (int b = a; b <= 8; ++b) {
            pairs[i++] = {a, b};
        }
    }
    return pairs;
}

std::array<Pair, HorseCombinations> HorsePairs() {
    std::array<Pair, HorseCombinations> pairs{};
    std::size_t i = 0;
    for (int a = 1; a < static_cast<int>(RunnerSlots); ++a) {
        for (int b = a + 1; b <= static_cast<int>(RunnerSlots); ++b) {
            pairs[i++] = {a, b};
        }
    }
    return pairs;
}

std::string MeetingIndexName(int slot) {
    if (slot < 1 || slot > 6) {
        throw std::out_of_range("meeting slots are 1 to 6");
    }
    // The index files take the hexadecimal digits a … f.
    return std::string("Uy-") + HexDigit(9 + slot) + ".jra";
}

std::string DataFileName(Kind kind, const MeetingKeys& keys, int race) {
    if (keys.venueCode < 1 || keys.venueCode > 10 || race < 1 || race > 12) {
        throw std::out_of_range("venue codes are 1 to 10, races 1 to 12");
    }
    static constexpr std::array<const char*, 5> prefixes{"De-", "Ut-", "Zo-", "Uo-", "Ks-"};
    std::string name = prefixes[static_cast<std::size_t>(kind) - 1];
    name += HexDigit(keys.venueCode);
    if (kind == Kind::Ks) {
        name += DecimalText(keys.key1) + DecimalText(keys.key2);
    }
    name += DecimalText(keys.key3);
    name += HexDigit(race);
    return name + ".jra";
}

void WriteDataFile(const std::string& folder, const std::string& name, const std::string& line) {
    WriteLines(ToOsPath(folder + name), {line});
}

} // namespace mv::sample
