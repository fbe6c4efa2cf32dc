// Writes the C++ source that carries files as byte arrays, with a table of their names.
#pragma once

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

struct EmbeddedInput {
    std::string name;  // the name the program looks the bytes up by
    std::vector<std::uint8_t> bytes;
};

// The name a file is embedded under: its file name without the extension ("FOND.png" -> "FOND").
std::string resource_name_of(const std::filesystem::path& path);

// True when two names are equal without regard to ASCII case.
bool same_resource_name(std::string_view a, std::string_view b);

// Writes a source that defines embedded_resources() (declared in resources/resources.h) with the
// inputs in the given order. Every input must hold at least one byte.
void write_embedded_source(std::ostream& out, const std::vector<EmbeddedInput>& inputs);
