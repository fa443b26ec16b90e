#pragma once
// The named character references that the chat server and the club pages use.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace vellora {

struct NamedEntity {
    std::wstring_view name;
    std::uint16_t value;
};

// Every name of the table, in no particular order.
std::span<const NamedEntity> EntityTable();

// The value of a name, compared exactly (letter case included).
std::optional<std::uint16_t> LookupEntity(std::wstring_view name);

}  // namespace vellora
