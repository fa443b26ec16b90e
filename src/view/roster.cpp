#include "view/roster.h"

namespace vellora {

int FindRosterEntry(const Roster& roster, std::wstring_view name) {
    for (std::size_t i = 0; i < roster.size(); ++i) {
        if (roster[i].Name == name) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace vellora
