// Reads the files to embed and refuses a list that could not be looked up without ambiguity.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "tools/embed_resources/embedded_source.h"

// The files in the given order, each named by resource_name_of. Gives nothing, and the reason in
// `problem`, when a file cannot be read or is empty, or when two names differ only by ASCII case
// (the lookup ignores case, so one of them could never be found).
std::optional<std::vector<EmbeddedInput>> read_input_files(
    const std::vector<std::filesystem::path>& paths, std::string& problem);
