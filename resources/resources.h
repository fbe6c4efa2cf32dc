// The pictures carried inside the executable, found by name without regard to ASCII case.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

struct EmbeddedResource {
    std::string_view name;  // the file name without its extension, as stored ("FOND")
    std::span<const std::uint8_t> bytes;
};

// Every embedded file, in the order the build listed them. Defined by the source that
// embed_resources generates at build time.
std::span<const EmbeddedResource> embedded_resources();

// The bytes of the file named `name` ("Fond" finds FOND.png); an empty span when there is none.
std::span<const std::uint8_t> find_resource(std::string_view name);
