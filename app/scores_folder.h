// The folder the score table lives in when the game is started from the desktop's menu: the
// user's data folder, made when missing, as the XDG base directories ask.
#pragma once

#include <string>
#include <string_view>

#include "platform/files.h"

// $XDG_DATA_HOME/vormelin; $HOME/.local/share/vormelin when XDG_DATA_HOME is unset, empty or not
// an absolute path. Empty when HOME is no absolute path either: there is no such folder.
std::string menu_scores_folder(const char* xdg_data_home, const char* home);

// The path as the player reads it: the home folder written "~", in Windows-1252 (a character the
// code page cannot hold is "?").
std::string path_for_player(std::string_view path, const char* home);

// What the player is told when the folder could not be made or entered (Windows-1252): "Impossible
// de créer le dossier des scores ~/.local/share/vormelin : permission refusée".
std::string scores_folder_failure_text(std::string_view shown_path, platform::FileError error);

// Makes the menu's score folder and makes it the working folder. Returns "" when the game works
// there, else the text to tell the player; the working folder is then left as it was.
std::string enter_menu_scores_folder(const char* xdg_data_home, const char* home);
