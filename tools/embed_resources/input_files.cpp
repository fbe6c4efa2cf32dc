// Reads the files to embed and refuses a list that could not be looked up without ambiguity.
#include "tools/embed_resources/input_files.h"

#include <fstream>
#include <iterator>

namespace {

std::optional<std::vector<std::uint8_t>> read_file(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes(std::istreambuf_iterator<char>(in), {});
    if (in.bad()) {
        return std::nullopt;
    }
    return bytes;
}

bool name_taken(const std::vector<EmbeddedInput>& inputs, const std::string& name) {
    for (const EmbeddedInput& input : inputs) {
        if (same_resource_name(input.name, name)) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::optional<std::vector<EmbeddedInput>> read_input_files(
    const std::vector<std::filesystem::path>& paths, std::string& problem) {
    std::vector<EmbeddedInput> inputs;
    for (const std::filesystem::path& path : paths) {
        auto bytes = read_file(path);
        if (!bytes) {
            problem = "cannot read " + path.string();
            return std::nullopt;
        }
        if (bytes->empty()) {
            problem = path.string() + " is empty";
            return std::nullopt;
        }
        std::string name = resource_name_of(path);
        if (name_taken(inputs, name)) {
            problem = "two files are named " + name + " (names ignore case)";
            return std::nullopt;
        }
        inputs.push_back({std::move(name), std::move(*bytes)});
    }
    return inputs;
}
