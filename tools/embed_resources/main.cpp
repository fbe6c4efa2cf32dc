// embed_resources OUTPUT FILE...: writes OUTPUT, a C++ source carrying the files' bytes by name.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <vector>

#include "tools/embed_resources/embedded_source.h"

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

// Reads every file; reports the first unreadable, empty or doubly named one and gives nothing.
std::optional<std::vector<EmbeddedInput>> read_inputs(int count, char** paths) {
    std::vector<EmbeddedInput> inputs;
    for (int i = 0; i < count; ++i) {
        const std::filesystem::path path = paths[i];
        auto bytes = read_file(path);
        if (!bytes) {
            std::fprintf(stderr, "embed_resources: cannot read %s\n", paths[i]);
            return std::nullopt;
        }
        if (bytes->empty()) {
            std::fprintf(stderr, "embed_resources: %s is empty\n", paths[i]);
            return std::nullopt;
        }
        EmbeddedInput input{resource_name_of(path), std::move(*bytes)};
        for (const auto& earlier : inputs) {
            if (same_resource_name(earlier.name, input.name)) {
                std::fprintf(stderr, "embed_resources: two files are named %s\n",
                             input.name.c_str());
                return std::nullopt;
            }
        }
        inputs.push_back(std::move(input));
    }
    return inputs;
}

// Writes beside the output first, so that a failed run never leaves a half-written source.
bool write_output(const std::filesystem::path& output, const std::vector<EmbeddedInput>& inputs) {
    std::filesystem::path partial = output;
    partial += ".partial";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        write_embedded_source(out, inputs);
        out.flush();
        if (!out) {
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(partial, output, error);
    return !error;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: embed_resources OUTPUT.cpp FILE...\n");
        return 2;
    }
    const auto inputs = read_inputs(argc - 2, argv + 2);
    if (!inputs) {
        return 1;
    }
    if (!write_output(argv[1], *inputs)) {
        std::fprintf(stderr, "embed_resources: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
