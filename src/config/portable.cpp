#include "config/portable.h"

#include <utility>

#include "core/files.h"

namespace vellora {
namespace {

struct NoticeState {
    SettingsNotSavedNotice notice;
    bool given = false;
};

NoticeState& State() {
    static NoticeState state;
    return state;
}

}  // namespace

bool PortableMode() { return !ListFiles(ProgramFolder(), std::wstring(kPortableMarker)).empty(); }

void SetSettingsNotSavedNotice(SettingsNotSavedNotice notice) {
    State().notice = std::move(notice);
    State().given = false;
}

void NoteSettingsWrite(bool written) {
    NoticeState& state = State();
    if (written || state.given || !PortableMode()) return;
    state.given = true;
    if (state.notice) state.notice(ProgramFolder());
}

}  // namespace vellora
