#include "platform/Collation.h"
#include "platform/FullWidth.h"

// Without the Windows locale functions the portable emulations are the system's.

namespace mv {

bool RowSortIsPortable() {
    return true;
}

int CompareRowText(const std::string& a, const std::string& b) {
    return PortableCompareRowText(a, b);
}

std::string RowSortKey(const std::string& text) {
    return PortableRowSortKey(text);
}

void AppendRowSortKey(const std::string& text, std::string& out) {
    AppendPortableRowSortKey(text, out);
}

std::string ToFullWidth(const std::string& text) {
    return PortableToFullWidth(text);
}

} // namespace mv
