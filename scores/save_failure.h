// What the player is told when the score file or its folder cannot be written.
#pragma once

#include <string>

#include "platform/files.h"

// Why a file or folder could not be written, in French and Windows-1252 ("permission refusée").
std::string file_error_reason(platform::FileError error);
// "Impossible d'enregistrer les scores : " and the reason, in Windows-1252; empty for none.
std::string save_failure_text(platform::FileError error);
