#pragma once

// Building blocks for the files the betting software leaves in its folder: line 1 of each file
// kind, built field by field at fixed 1-based byte positions. Every field is a code page 932
// text taken byte for byte, so a test can write odd values (a trailing blank in a code, blanks
// or "ﾄﾘｹｼ" in an odds field) as easily as normal ones. A field text shorter than its width
// leaves the rest of the field blank; a longer one is a programming error (std::length_error).
// An empty text leaves the field blank.

#include "platform/Fields.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

namespace mv::sample {

// The five kinds of race data file, numbered as the viewer numbers them.
enum class Kind { De = 1, Ut = 2, Zo = 3, Uo = 4, Ks = 5 };

inline constexpr std::size_t RunnerSlots = 18;
inline constexpr std::size_t BracketCombinations = 36;
inline constexpr std::size_t HorseCombinations = 153;

// A line that starts as blanks and receives texts at 1-based byte positions. A text reaching
// past the end extends the line with it.
class Record {
public:
    explicit Record(std::size_t length) : line_(length, ' ') {}
    Record& Put(std::size_t position, std::string_view text);
    const std::string& Line() const { return line_; }
    // Cuts the line or pads it with blanks to exactly length bytes.
    void Resize(std::size_t length) { line_.resize(length, ' '); }

private:
    std::string line_;
};

namespace layout {

struct MeetingIndex {
    static constexpr ByteSpan VenueCode{59, 2};
    static constexpr ByteSpan Key1{64, 1};
    static constexpr ByteSpan Key2{65, 2};
    static constexpr ByteSpan Key3{67, 2};
    static constexpr std::size_t Length = 68;
};

// Race header of "De-", "Ut-" and "Ks-": the date line fields are shared, the rest differ.
struct HeaderA {
    static constexpr ByteSpan Year{1, 4};
    static constexpr ByteSpan Month{5, 2};
    static constexpr ByteSpan Day{7, 2};
    static constexpr ByteSpan VenueName{9, 4};
    static constexpr ByteSpan MeetingNo{17, 2};
    static constexpr ByteSpan MeetingDay{19, 2};
    static constexpr ByteSpan RaceNo{21, 2};
};

struct HeaderDe {
    static constexpr ByteSpan StartHours{23, 2};
    static constexpr ByteSpan StartMinutes{25, 2};
    static constexpr ByteSpan Course{27, 4};
    static constexpr ByteSpan Distance{31, 4};
    static constexpr ByteSpan RaceName{35, 28};
    static constexpr ByteSpan Conditions{63, 28};
};

struct HeaderUt {
    static constexpr ByteSpan Distance{27, 4};
    static constexpr ByteSpan RaceName{31, 28};
    static constexpr ByteSpan Conditions{59, 28};
    static constexpr ByteSpan Runners{87, 2};
};

struct HeaderKs {
    static constexpr ByteSpan RaceName{35, 28};
    static constexpr ByteSpan Conditions{63, 28};
};

// Race header of "Zo-" and "Uo-", with the time of the odds.
struct HeaderB {
    static constexpr ByteSpan Year{1, 4};
    static constexpr ByteSpan Month{5, 2};
    static constexpr ByteSpan Day{7, 2};
    static constexpr ByteSpan VenueName{29, 4};
    static constexpr ByteSpan MeetingNo{37, 2};
    static constexpr ByteSpan MeetingDay{39, 2};
    static constexpr ByteSpan RaceNo{41, 2};
    static constexpr ByteSpan OddsHours{45, 2};
    static constexpr ByteSpan OddsMinutes{47, 2};
    static constexpr ByteSpan RaceName{49, 28};
    static constexpr ByteSpan Conditions{77, 28};
    static constexpr ByteSpan Runners{141, 2};
};

// "De-" runner slots; positions are those of slot 1.
struct RaceCard {
    static constexpr std::size_t Stride = 48;
    static constexpr ByteSpan Bracket{94, 1};
    static constexpr ByteSpan HorseNo{95, 2};
    static constexpr ByteSpan Status{97, 1};
    static constexpr ByteSpan HorseName{99, 18};
    static constexpr ByteSpan Jockey{117, 18};
    static constexpr ByteSpan Apprentice{135, 2};
    static constexpr ByteSpan WeightCarried{137, 4};
    static constexpr std::size_t Length = 957;
};

// "Ut-" runner slots.
struct BodyWeight {
    static constexpr std::size_t Stride = 10;
    static constexpr ByteSpan HorseNo{89, 2};
    static constexpr ByteSpan Status{91, 1};
    static constexpr ByteSpan Weight{92, 3};
    static constexpr ByteSpan Change{95, 2};
    static constexpr ByteSpan Sign{97, 1};
    static constexpr std::size_t Length = 268;
};

// "Zo-": win/place slots, then the bracket quinella combinations.
struct WinPlaceBracket {
    static constexpr std::size_t RunnerStride = 18;
    static constexpr ByteSpan HorseNo{144, 2};
    static constexpr ByteSpan Win{146, 5};
    static constexpr ByteSpan PlaceLow{151, 5};
    static constexpr ByteSpan PlaceHigh{156, 5};
    static constexpr std::size_t CombinationStride = 10;
    static constexpr ByteSpan Key{468, 4};
    static constexpr ByteSpan Odds{472, 5};
    static constexpr std::size_t Length = 827;
};

// "Uo-": quinella and wide odds per horse pair.
struct QuinellaWide {
    static constexpr std::size_t Stride = 25;
    static constexpr ByteSpan Key{147, 5};
    static constexpr ByteSpan Quinella{152, 6};
    static constexpr ByteSpan WideLow{158, 6};
    static constexpr ByteSpan WideHigh{164, 6};
    static constexpr std::size_t Length = 3971;
};

// One bet of "Ks-": a horse number or combination and its payout, per slot.
struct PayoutSlots {
    ByteSpan number;
    ByteSpan amount;
    std::size_t stride;
};

// "Ks-" payouts. The payout columns move right by Offset in a file larger than SizeLimit bytes;
// the refund slots do not move.
struct Results {
    static constexpr PayoutSlots Win{{376, 2}, {378, 8}, 10};
    static constexpr PayoutSlots Place{{406, 2}, {408, 8}, 10};
    static constexpr PayoutSlots BracketQuinella{{457, 3}, {460, 8}, 12};
    static constexpr PayoutSlots Quinella{{493, 5}, {498, 8}, 14};
    static constexpr PayoutSlots Wide{{535, 5}, {540, 8}, 14};
    static constexpr std::size_t RefundStride = 2;
    static constexpr ByteSpan Refund{675, 2};
    static constexpr std::size_t SizeLimit = 800;
    static constexpr std::size_t Offset = 2;
    static constexpr std::size_t Length = 684;
};

} // namespace layout

// Meeting index file "Uy-a.jra" … "Uy-f.jra".
struct MeetingIndexFile {
    std::string venueCode; // "05"
    std::string key1;      // "2"
    std::string key2;      // "06"
    std::string key3;      // "01"
    std::size_t length = layout::MeetingIndex::Length;
};

// The race header that every data file of a race carries; each kind writes the fields its
// layout holds and ignores the others.
struct RaceHeader {
    std::string year;         // "2024"
    std::string month;        // "05"
    std::string day;          // "05"
    std::string venueName;    // two kanji, "東京"
    std::string meetingNo;    // "02"
    std::string meetingDay;   // "06"
    std::string raceNo;       // "11"
    std::string startHours;   // "De-" only
    std::string startMinutes; // "De-" only
    std::string course;       // "De-" only, 4 bytes, "芝左"
    std::string distance;     // "De-" and "Ut-", "1600"
    std::string raceName;     // 28 bytes
    std::string conditions;   // 28 bytes
    std::string runners;      // "Ut-", "Zo-", "Uo-": "16"
};

struct RaceCardRunner {
    std::string bracket;       // "3"
    std::string horseNo;       // " 5"
    std::string status;        // " ", "8" jockey/weight changed, "9" scratched
    std::string horseName;     // 18 bytes
    std::string jockey;        // 18 bytes
    std::string apprentice;    // "10", "20", "30", "00" or "  "
    std::string weightCarried; // "55.0"
};

// "De-": race card.
struct RaceCardFile {
    RaceHeader header;
    std::array<RaceCardRunner, RunnerSlots> runners;
    std::size_t length = layout::RaceCard::Length;
};

struct BodyWeightRunner {
    std::string horseNo; // " 5"
    std::string status;  // " " or "9" scratched
    std::string weight;  // "486"
    std::string change;  // " 4"
    std::string sign;    // "1" gain, "2" loss, "3" no change, "7" first start
};

// "Ut-": body weights.
struct BodyWeightFile {
    RaceHeader header;
    std::array<BodyWeightRunner, RunnerSlots> runners;
    std::size_t length = layout::BodyWeight::Length;
};

struct WinPlaceOdds {
    std::string horseNo;   // " 5"
    std::string win;       // "  3.4", " ﾄﾘｹｼ"
    std::string placeLow;  // "  1.2"
    std::string placeHigh; // "  1.8"
};

struct BracketOdds {
    std::string key;  // BracketKey: " 3-5"
    std::string odds; // " 12.5", " ﾄﾘｹｼ"
};

struct PairOdds {
    std::string key;      // HorsePair: "03-07"
    std::string quinella; // "  45.6", "  ﾄﾘｹｼ"
    std::string wideLow;
    std::string wideHigh;
};

// "Zo-": win/place odds and bracket quinella odds.
struct WinPlaceBracketFile {
    RaceHeader header;
    std::string oddsHours;   // "14"
    std::string oddsMinutes; // "35"
    std::array<WinPlaceOdds, RunnerSlots> runners;
    std::array<BracketOdds, BracketCombinations> brackets;
    std::size_t length = layout::WinPlaceBracket::Length;
};

// "Uo-": quinella and wide odds.
struct QuinellaWideFile {
    RaceHeader header;
    std::string oddsHours;
    std::string oddsMinutes;
    std::array<PairOdds, HorseCombinations> combinations;
    std::size_t length = layout::QuinellaWide::Length;
};

struct Payout {
    std::string number; // horse number " 5", bracket pair "3-5" or horse pair "03-07"
    std::string amount; // 8 bytes, "     340"
};

// "Ks-": payouts. The file is line 1 and CR LF, so its size is length + 2; the payouts move
// right by the offset when that exceeds 800 bytes. The refund slots are written only without
// the offset: the viewer reads them only then, and the moved wide payouts overlap them.
struct ResultsFile {
    RaceHeader header;
    std::array<Payout, 3> win;
    std::array<Payout, 5> place;
    std::array<Payout, 3> bracketQuinella;
    std::array<Payout, 3> quinella;
    std::array<Payout, 10> wide;
    std::array<std::string, 5> refunds; // horse numbers " 7"
    std::size_t length = layout::Results::Length;
};

// The column offset of the payouts in a results file whose line 1 has this length.
std::size_t ResultsOffset(std::size_t lineLength);

// Line 1 of each kind of file.
std::string Line1(const MeetingIndexFile& file);
std::string Line1(const RaceCardFile& file);
std::string Line1(const BodyWeightFile& file);
std::string Line1(const WinPlaceBracketFile& file);
std::string Line1(const QuinellaWideFile& file);
std::string Line1(const ResultsFile& file);

// Writes the race header fields of the kind's layout into a record.
void PutRaceHeader(Record& record, Kind kind, const RaceHeader& header);

// Values as the files hold them. Combination keys are shown by the viewer but never parsed;
// these use zero-padded horse numbers ("03-07") and bracket keys with a leading blank (" 3-5",
// whose bytes 2-4 are what a panel shows). Single horse numbers are right-aligned (" 5").
std::string Padded(std::string_view text, std::size_t width); // blanks after the text
std::string NumberText(long long value, std::size_t width);   // blanks before: " 5"
std::string TwoDigits(int value);                             // "05"
std::string OddsText(int tenths, std::size_t width);          // 34, 5 → "  3.4"
std::string CancelledOdds(std::size_t width);                 // " ﾄﾘｹｼ", "  ﾄﾘｹｼ"
std::string BracketPair(int first, int second);               // "3-5"
std::string BracketKey(int first, int second);                // " 3-5"
std::string HorsePair(int first, int second);                 // "03-07"

// The bracket pairs (1-1, 1-2 … 1-8, 2-2 … 8-8) and the horse pairs (1-2, 1-3 … 17-18) in
// the order of the combinations in the odds files.
using Pair = std::pair<int, int>;
std::array<Pair, BracketCombinations> BracketPairs();
std::array<Pair, HorseCombinations> HorsePairs();

// The venue code and the three keys of a meeting, which name its data files.
struct MeetingKeys {
    int venueCode = 0;
    int key1 = 0;
    int key2 = 0;
    int key3 = 0;
};

// "Uy-a.jra" for slot 1 … "Uy-f.jra" for slot 6.
std::string MeetingIndexName(int slot);
// "De-" + venue digit + Key3 + race digit + ".jra"; "Ks-" also carries Key1 and Key2.
std::string DataFileName(Kind kind, const MeetingKeys& keys, int race);

// Writes line 1 and CR LF as the whole file folder + name (folder ends with the separator).
void WriteDataFile(const std::string& folder, const std::string& name, const std::string& line);

} // namespace mv::sample
