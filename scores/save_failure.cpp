// What the player is told when the score file cannot be saved.
#include "scores/save_failure.h"

#include <string_view>

namespace {

using platform::FileError;

// Windows-1252. An "e" after "\xE9" is a piece of its own, or it would be read as a hex digit.
std::string_view reason(FileError error) {
    switch (error) {
        case FileError::permission_denied:
            return "permission refus\xE9"
                   "e";
        case FileError::no_space:
            return "disque plein";
        case FileError::read_only_file_system:
            return "syst\xE8me de fichiers en lecture seule";
        case FileError::too_many_links:
            return "trop de liens symboliques";
        case FileError::not_found:
            return "dossier introuvable";
        case FileError::not_a_regular_file:
            return "ce n'est pas un fichier ordinaire";
        case FileError::not_a_folder:
            return "un fichier est \xE0 la place d'un dossier";
        case FileError::io_error:
            return "erreur d'entr\xE9"
                   "e-sortie";
        case FileError::none:
        case FileError::other:
            break;
    }
    return "erreur inattendue";
}

}  // namespace

std::string file_error_reason(FileError error) {
    return std::string(reason(error));
}

std::string save_failure_text(FileError error) {
    if (error == FileError::none) {
        return {};
    }
    return "Impossible d'enregistrer les scores : " + std::string(reason(error));
}
