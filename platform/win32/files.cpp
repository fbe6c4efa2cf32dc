// The file service on Windows: a file's contents written whole beside it and moved over it, the
// data on the disk before the move; rewritten in place only where the folder takes no new file.
// Paths arrive in UTF-8 and cross to the system as UTF-16.
#include <windows.h>

#include <algorithm>
#include <random>
#include <string>

#include "platform/files.h"

namespace platform {
namespace {

std::wstring wide_path(const std::string& path) {
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), wide.data(), size);
    return wide;
}

FileError error_from_last_error(DWORD error) {
    switch (error) {
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return FileError::permission_denied;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
        case ERROR_FILE_TOO_LARGE:
            return FileError::no_space;
        case ERROR_WRITE_PROTECT:
            return FileError::read_only_file_system;
        case ERROR_CANT_RESOLVE_FILENAME:
            return FileError::too_many_links;
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
            return FileError::not_found;
        case ERROR_DIRECTORY:
            return FileError::not_a_folder;
        case ERROR_CRC:
        case ERROR_WRITE_FAULT:
        case ERROR_READ_FAULT:
        case ERROR_IO_DEVICE:
            return FileError::io_error;
        default:
            return FileError::other;
    }
}

FileError last_error() {
    return error_from_last_error(GetLastError());
}

// Writes every byte, forces them to the disk and closes the handle.
FileError write_flush_close(HANDLE file, std::string_view bytes) {
    FileError error = FileError::none;
    while (!bytes.empty() && error == FileError::none) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr)) {
            error = last_error();
        }
        bytes.remove_prefix(written);
    }
    if (error == FileError::none && !FlushFileBuffers(file)) {
        error = last_error();
    }
    CloseHandle(file);
    return error;
}

// A new file beside the target with a name no one can guess, created exclusively.
struct TemporaryFile {
    HANDLE handle = INVALID_HANDLE_VALUE;
    std::wstring path;
    DWORD error = ERROR_SUCCESS;
};

TemporaryFile create_temporary_beside(const std::wstring& target) {
    std::random_device random;
    TemporaryFile temporary;
    for (int tries = 0; tries < 100; ++tries) {
        temporary.path = target + L"." + std::to_wstring(random()) + L".tmp";
        temporary.handle = CreateFileW(temporary.path.c_str(), GENERIC_WRITE, 0, nullptr,
                                       CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (temporary.handle != INVALID_HANDLE_VALUE) {
            return temporary;
        }
        temporary.error = GetLastError();
        if (temporary.error != ERROR_FILE_EXISTS && temporary.error != ERROR_ALREADY_EXISTS) {
            break;
        }
    }
    return temporary;
}

FileError rewrite_in_place(const std::wstring& target, std::string_view bytes) {
    const HANDLE file = CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return last_error();
    }
    if (!SetEndOfFile(file)) {
        const FileError error = last_error();
        CloseHandle(file);
        return error;
    }
    return write_flush_close(file, bytes);
}

// An existing file is replaced keeping its attributes and access rights (as its permissions are
// kept on POSIX systems); a new one is moved into place. Either way the move reaches the disk
// before the call returns.
bool move_over(const std::wstring& temporary, const std::wstring& target, bool exists) {
    if (exists && ReplaceFileW(target.c_str(), temporary.c_str(), nullptr,
                               REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
        return true;
    }
    return MoveFileExW(temporary.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool is_folder(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool is_absolute(const std::wstring& path) {
    const bool drive = path.size() >= 3 && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/');
    const bool share = path.size() >= 2 && path[0] == L'\\' && path[1] == L'\\';
    return drive || share;
}

}  // namespace

FileError replace_file_contents(const std::string& path, std::string_view bytes) {
    const std::wstring target = wide_path(path);
    const DWORD attributes = GetFileAttributesW(target.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    // A folder or a device is never replaced by a file, nor opened.
    if (exists && (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0) {
        return FileError::not_a_regular_file;
    }
    TemporaryFile temporary = create_temporary_beside(target);
    if (temporary.handle == INVALID_HANDLE_VALUE) {
        if (exists && temporary.error == ERROR_ACCESS_DENIED) {
            return rewrite_in_place(target, bytes);
        }
        return error_from_last_error(temporary.error);
    }
    FileError error = write_flush_close(temporary.handle, bytes);
    if (error == FileError::none && !move_over(temporary.path, target, exists)) {
        error = last_error();
    }
    if (error != FileError::none) {
        DeleteFileW(temporary.path.c_str());
    }
    return error;
}

FileError make_folders(const std::string& path) {
    const std::wstring wide = wide_path(path);
    if (!is_absolute(wide)) {
        return FileError::not_found;
    }
    // Each folder on the way, from the first after the drive or share.
    for (std::size_t end = wide.find_first_of(L"\\/", 3);;
         end = wide.find_first_of(L"\\/", end + 1)) {
        const std::wstring folder = wide.substr(0, end);
        if (!folder.empty() && !CreateDirectoryW(folder.c_str(), nullptr)) {
            const DWORD error = GetLastError();
            if (error != ERROR_ALREADY_EXISTS) {
                return error_from_last_error(error);
            }
            if (!is_folder(GetFileAttributesW(folder.c_str()))) {
                return FileError::not_a_folder;
            }
        }
        if (end == std::wstring::npos) {
            return FileError::none;
        }
    }
}

FileError enter_folder(const std::string& path) {
    const std::wstring wide = wide_path(path);
    if (!SetCurrentDirectoryW(wide.c_str())) {
        const DWORD attributes = GetFileAttributesW(wide.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && !is_folder(attributes)) {
            return FileError::not_a_folder;
        }
        return last_error();
    }
    return FileError::none;
}

}  // namespace platform
