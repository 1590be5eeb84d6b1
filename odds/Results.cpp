#include "odds/Results.h"

#include "common/Tables.h"
#include "platform/Codec.h"
#include "platform/Fields.h"
#include "platform/FileQuery.h"
#include "platform/TextFile.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace mv {
namespace {

// One bet of the results record: slots of a number (horse or combination) and its payout,
// repeated every stride bytes, and how the memo shows a filled slot. The labels are sized so
// that every payout stands at bytes 15-22 of its memo line.
struct PayoutBet {
    std::size_t slots;
    ByteSpan number;
    ByteSpan payout;
    std::size_t stride;
    const char* label;       // UTF-8, before the number
    const char* afterNumber; // UTF-8, between the number and the payout
    bool blankLineAfter;
};

constexpr PayoutBet PayoutBets[] = {
    {3, {376, 2}, {378, 8}, 10, "単勝　　 ", "番 ", false},
    {5, {406, 2}, {408, 8}, 10, " 複勝　　", "番 ", true},
    {3, {457, 3}, {460, 8}, 12, "枠番連勝  ", " ", true},
    {3, {493, 5}, {498, 8}, 14, "馬番連勝 ", "", true},
    {10, {535, 5}, {540, 8}, 14, "ワイド　 ", "", true},
};

// The refunded horses. These columns never move; in a moved record the wide payouts cover
// them, so they are read only from a record that is not moved.
constexpr std::size_t RefundSlots = 5;
constexpr ByteSpan Refund{675, 2};
constexpr std::size_t RefundStride = 2;

// A results file larger than SizeLimit bytes has its payouts MovedBy columns further right.
constexpr std::uint64_t SizeLimit = 800;
constexpr std::size_t MovedBy = 2;

std::size_t ColumnOffset(const std::string& path) {
    const auto size = FileSizeByName(path);
    return size && *size > SizeLimit ? MovedBy : 0;
}

// A slot is empty only when its number is all blanks; a field cut short by the end of the line
// counts as filled and is shown as read.
bool IsEmptySlot(const std::string& number, ByteSpan span) {
    return number == std::string(span.length, ' ');
}

std::string RefundLine(const std::string& line) {
    std::string refunds;
    for (std::size_t j = 0; j < RefundSlots; ++j) {
        const std::string horse = Take(line, Refund, RefundStride * j);
        if (!IsEmptySlot(horse, Refund)) {
            refunds += horse + Sjis("番 ");
        }
    }
    return Sjis("返還に関わる馬番 ") + (refunds.empty() ? Sjis("なし") : refunds);
}

} // namespace

void ShowResults(MainFormState& state) {
    const Selection& s = state.selection;
    if (!s.HasFile(s.CurRace, KindKs)) {
        state.window.MemoSeiseki = {Sjis("備考：")};
        return;
    }
    const std::string path = state.DataFilePath(KindKs, s.CurRace);
    const std::size_t offset = ColumnOffset(path);
    const Lines file = ReadFirstLine(path);
    const std::string& line = LineAt(file, 0);

    TextLines memo{Sjis("【備考】※競走成績は必ず主催者発行のものと照合し確認してください。")};
    for (const PayoutBet& bet : PayoutBets) {
        for (std::size_t j = 0; j < bet.slots; ++j) {
            const std::size_t at = offset + bet.stride * j;
            const std::string number = Take(line, bet.number, at);
            if (!IsEmptySlot(number, bet.number)) {
                memo.push_back(Sjis(bet.label) + number + Sjis(bet.afterNumber) +
                               Take(line, bet.payout, at) + Sjis("円"));
            }
        }
        if (bet.blankLineAfter) {
            memo.push_back(" ");
        }
    }
    if (offset == 0) {
        memo.push_back(RefundLine(line));
    }
    state.window.MemoSeiseki = std::move(memo);
}

} // namespace mv
