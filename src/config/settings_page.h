#pragma once
// The pages of the settings sheet without their windows: which control
// shows which setting, how the values go into the controls and back (radio
// groups as an index, the idle minutes clamped into their range), which
// controls depend on others, and what a changed value does to the program.

#include <cstdint>
#include <string>

#include "config/config_file.h"
#include "core/client.h"

namespace vellora {

// The range of the idle minutes' up-down control.
inline constexpr std::int32_t kIdleMinutesLow = 3;
inline constexpr std::int32_t kIdleMinutesHigh = 60;

// The controls of one page as the sync reads and writes them, by control id.
class PageControls {
public:
    virtual ~PageControls() = default;
    // False for a control the page does not have; it is skipped.
    virtual bool Has(int id) const = 0;
    // Check boxes and radio buttons.
    virtual bool Checked(int id) const = 0;
    virtual void SetChecked(int id, bool checked) = 0;
    // Drop-down lists: the selected index, -1 for none.
    virtual std::int32_t Selection(int id) const = 0;
    virtual void SetSelection(int id, std::int32_t index) = 0;
    // Edit fields.
    virtual std::wstring Text(int id) const = 0;
    virtual void SetText(int id, const std::wstring& text) = 0;
    // Up-down controls: the number their buddy shows, as typed (it may lie
    // outside the range); setting one sets the range too.
    virtual std::int32_t Number(int id) const = 0;
    virtual void SetNumber(int id, std::int32_t low, std::int32_t high, std::int32_t value) = 0;
    virtual void Enable(int id, bool enabled) = 0;
};

// With Save false fills the page's controls from the settings. With Save
// true reads them back into the settings, carries out what each changed
// value asks for (the user list's gray-out, the status bar, the tooltip
// mode, the friends' join notifications, the chat pane, the layout) and
// saves the settings file.
void SyncPage(PageControls& page, bool save, Client& client, ConfigEffects& effects);

// The idle minutes can be edited only while the idle rule (3052) is chosen.
void UpdateIdleMinutesState(PageControls& page);

// The events page: the sound file and its buttons are enabled while some
// toaster source is on and the sound is; the stop button also needs a sound
// playing. The keep-alive check box stays disabled.
void UpdateEventsPageState(PageControls& page, bool soundPlaying);

}  // namespace vellora
