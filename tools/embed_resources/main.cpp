// embed_resources OUTPUT FILE...: writes OUTPUT, a C++ source carrying the files' bytes by name.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "tools/embed_resources/embedded_source.h"
#include "tools/embed_resources/input_files.h"

namespace {

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
    const std::vector<std::filesystem::path> paths(argv + 2, argv + argc);
    std::string problem;
    const auto inputs = read_input_files(paths, problem);
    if (!inputs) {
        std::fprintf(stderr, "embed_resources: %s\n", problem.c_str());
        return 1;
    }
    if (!write_output(argv[1], *inputs)) {
        std::fprintf(stderr, "embed_resources: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
