#include "common/MainFormState.h"

#include "common/Tables.h"
#include "platform/Fields.h"

namespace mv {

std::string MainFormState::MeetingIndexPath(int slot) const {
    return settings.PatDir + "Uy-" + CodeDigit(9 + slot) + ".jra";
}

std::string MainFormState::DataFilePath(int kind, int race) const {
    const MeetingEntry& m = meetings[static_cast<std::size_t>(selection.CurSlot)];
    const std::string head = settings.PatDir + KindPrefix(kind) + VenueDigit(selection.CurVenue);
    if (kind == KindKs) {
        return head + DecimalText(m.Key1) + DecimalText(m.Key2) + DecimalText(m.Key3) +
               CodeDigit(race) + ".jra";
    }
    return head + DecimalText(m.Key3) + CodeDigit(race) + ".jra";
}

} // namespace mv
