// Finds an embedded file by name without regard to ASCII case.
#include "resources/resources.h"

namespace {

char ascii_lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool same_name(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (ascii_lower(a[i]) != ascii_lower(b[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::span<const std::uint8_t> find_resource(std::string_view name) {
    for (const EmbeddedResource& resource : embedded_resources()) {
        if (same_name(resource.name, name)) {
            return resource.bytes;
        }
    }
    return {};
}
