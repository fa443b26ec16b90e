#include "text/rtf_document.h"

#include <cstring>
#include <new>
#include <string>
#include <utility>

#include "text/codepage.h"
#include "text/rtf_text.h"

namespace vellora {
namespace {

// Beyond this a document no longer fits its 32-bit length: growth fails.
constexpr std::uint64_t kMaxCapacity = 0x7FFFFFFE;

std::function<bool(std::size_t)>& AllocationGate() {
    static std::function<bool(std::size_t)> gate;
    return gate;
}

std::unique_ptr<char[]> Allocate(std::uint64_t bytes) {
    const auto& gate = AllocationGate();
    if (gate && !gate(static_cast<std::size_t>(bytes))) return nullptr;
    return std::unique_ptr<char[]>(new (std::nothrow) char[bytes]);
}

}  // namespace

void RtfBufferReset(RtfDocument& doc, std::uint32_t capacity) {
    const std::string_view header = RtfHeader();
    if (!doc.bytes) {
        if (capacity < header.size()) capacity = static_cast<std::uint32_t>(header.size());
        doc.bytes = Allocate(std::uint64_t{capacity} + 1);
        doc.capacity = doc.bytes ? capacity : 0;
        doc.length = 0;
        if (!doc.bytes) return;
    }
    std::memcpy(doc.bytes.get(), header.data(), header.size());
    doc.length = static_cast<std::uint32_t>(header.size());
}

void RtfAppendLine(RtfDocument& doc, std::int32_t timeOfDay, std::wstring_view prefix, std::wstring_view rtfText,
                   bool showTimes) {
    if (!doc.bytes) return;
    const std::string paragraph = WideToAnsi(RtfParagraph(timeOfDay, prefix, rtfText, showTimes));
    const std::uint64_t needed = std::uint64_t{doc.length} + paragraph.size();
    if (needed > doc.capacity) {
        const std::uint64_t grown = (std::uint64_t{doc.capacity} + paragraph.size()) * 2;
        std::unique_ptr<char[]> bigger = grown <= kMaxCapacity ? Allocate(grown + 1) : nullptr;
        if (!bigger) {
            doc.bytes.reset();
            doc.capacity = 0;
            doc.length = 0;
            return;
        }
        std::memcpy(bigger.get(), doc.bytes.get(), doc.length);
        doc.bytes = std::move(bigger);
        doc.capacity = static_cast<std::uint32_t>(grown);
    }
    std::memcpy(doc.bytes.get() + doc.length, paragraph.data(), paragraph.size());
    doc.length += static_cast<std::uint32_t>(paragraph.size());
}

void RtfStreamIn(RtfDocument& doc, RtfPane& pane) {
    if (!doc.bytes) return;
    doc.bytes[doc.length] = '}';
    pane.ShowRtf(std::string_view(doc.bytes.get(), doc.length + std::size_t{1}));
}

std::string_view RtfContent(const RtfDocument& doc) {
    if (!doc.bytes) return {};
    return std::string_view(doc.bytes.get(), doc.length);
}

void SetRtfAllocationGate(std::function<bool(std::size_t)> gate) { AllocationGate() = std::move(gate); }

}  // namespace vellora
