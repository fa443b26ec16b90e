#pragma once
// A pane's rich-text document: RtfHeader and the appended paragraphs as code
// page bytes in a growable buffer. The closing "}" is written behind the
// content only when the document is streamed, so the next append overwrites
// it. Without a buffer (none allocated yet, or dropped after a failed growth)
// appending and streaming do nothing.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

namespace vellora {

// Start capacities of the panes' buffers, in bytes.
inline constexpr std::uint32_t kMainRtfCapacity = 130816;
inline constexpr std::uint32_t kDialogRtfCapacity = 65280;
inline constexpr std::uint32_t kToasterRtfCapacity = 3840;

struct RtfDocument {
    std::unique_ptr<char[]> bytes;  // capacity + 1 bytes (room for the closing brace), or none
    std::uint32_t capacity = 0;
    std::uint32_t length = 0;
};

// What changed in a pane since it was last shown: its oldest paragraphs
// dropped off the top, and new ones came at the end.
struct RtfChange {
    std::size_t held = 0;       // paragraphs the pane shows before the change
    std::size_t dropped = 0;    // of those, how many leave from the top
    std::size_t added = 0;      // paragraphs in Document
    std::string_view document;  // RtfHeader, the added paragraphs, "}"
};

// Where a document is shown. The window layer implements it with a RichEdit
// control (scrolling as the pane's state asks); tests record.
class RtfPane {
public:
    virtual ~RtfPane() = default;
    // The complete document, closing brace included: it replaces everything.
    virtual void ShowRtf(std::string_view document) = 0;
    // Applies a change to what the pane shows, so that it looks exactly as
    // if the whole new document had been shown. A pane that cannot change
    // piecemeal returns false and is given the whole document instead.
    virtual bool ChangeRtf(const RtfChange& /*change*/) { return false; }
};

// Allocates a buffer of Capacity + 1 bytes if the document has none; then the
// content is exactly RtfHeader.
void RtfBufferReset(RtfDocument& doc, std::uint32_t capacity);

// Appends one line's paragraph (rtf_text.h, RtfParagraph) as code page bytes.
// A full buffer grows to twice (capacity + paragraph length); if that fails
// the document is left without a buffer.
void RtfAppendLine(RtfDocument& doc, std::int32_t timeOfDay, std::wstring_view prefix, std::wstring_view rtfText,
                   bool showTimes);

// Writes the closing "}" behind the content and shows the whole document.
void RtfStreamIn(RtfDocument& doc, RtfPane& pane);

// The content without the closing brace; empty without a buffer.
std::string_view RtfContent(const RtfDocument& doc);

// Buffer allocation asks this gate first (an empty function allows all), so
// tests can make an allocation fail.
void SetRtfAllocationGate(std::function<bool(std::size_t bytes)> gate);

}  // namespace vellora
