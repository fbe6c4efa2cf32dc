// What the player is told when the score file cannot be saved.
#pragma once

#include <string>

#include "platform/files.h"

// "Impossible d'enregistrer les scores : " and the reason, in Windows-1252; empty for none.
std::string save_failure_text(platform::FileError error);
