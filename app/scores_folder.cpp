// The user's data folder for the score table of a game started from the menu.
#include "app/scores_folder.h"

#include "runtime/text.h"
#include "scores/save_failure.h"

namespace {

bool is_absolute(const char* path) {
    return path != nullptr && path[0] == '/';
}

std::string without_trailing_slashes(std::string path) {
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

// UTF-8 as UTF-16; a byte that starts no valid sequence becomes U+FFFD.
std::u16string utf8_to_wide(std::string_view text) {
    std::u16string wide;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        char32_t code = length == 1 ? lead : lead & (0x7F >> length);
        bool valid = lead < 0x80 || (lead >= 0xC2 && lead <= 0xF4 && i + length <= text.size());
        for (std::size_t k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            valid = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3F);
        }
        if (!valid) {
            wide.push_back(u'\uFFFD');
            ++i;
            continue;
        }
        if (code >= 0x10000) {
            code -= 0x10000;
            wide.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
            wide.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
        } else {
            wide.push_back(static_cast<char16_t>(code));
        }
        i += length;
    }
    return wide;
}

}  // namespace

std::string menu_scores_folder(const char* xdg_data_home, const char* home) {
    if (is_absolute(xdg_data_home)) {
        return without_trailing_slashes(xdg_data_home) + "/vormelin";
    }
    if (is_absolute(home)) {
        std::string base = without_trailing_slashes(home);
        return (base == "/" ? "" : base) + "/.local/share/vormelin";
    }
    return {};
}

std::string path_for_player(std::string_view path, const char* home) {
    std::string shown(path);
    if (is_absolute(home)) {
        const std::string base = without_trailing_slashes(home);
        if (base != "/" && path.starts_with(base) &&
            (path.size() == base.size() || path[base.size()] == '/')) {
            shown = "~" + std::string(path.substr(base.size()));
        }
    }
    return from_wide(utf8_to_wide(shown));
}

std::string scores_folder_failure_text(std::string_view shown_path, platform::FileError error) {
    return "Impossible de cr\xE9"
           "er le dossier des scores " +
           std::string(shown_path) + " : " + file_error_reason(error);
}

std::string enter_menu_scores_folder(const char* xdg_data_home, const char* home) {
    const std::string folder = menu_scores_folder(xdg_data_home, home);
    if (folder.empty()) {
        return "Impossible de trouver le dossier des scores : ni XDG_DATA_HOME ni HOME ne "
               "donnent un chemin absolu";
    }
    platform::FileError error = platform::make_folders(folder);
    if (error == platform::FileError::none) {
        error = platform::enter_folder(folder);
    }
    if (error == platform::FileError::none) {
        return {};
    }
    return scores_folder_failure_text(path_for_player(folder, home), error);
}
