// The key a folder is claimed under: a hash of its canonical path, the same for every path that
// leads to it.
#pragma once

#include <string>

namespace platform::win32 {

// The folder's path as the file system stores it (links, short names and "..", resolved),
// upper-cased as NTFS compares names; empty when the folder cannot be opened.
std::wstring canonical_folder(const std::wstring& path);

// The first 32 hexadecimal digits of the SHA-256 of the canonical path's UTF-16 units; empty when
// the folder cannot be opened or the hash cannot be made.
std::wstring folder_key(const std::string& folder);

}  // namespace platform::win32
