// A folder's key: its canonical path from the open folder itself, hashed with the system's
// SHA-256 (CNG).
#include "platform/win32/shell/folder_key.h"

#include <windows.h>

#include <bcrypt.h>

#include <array>

#include "platform/win32/shell/win32_shell.h"

namespace platform::win32 {
namespace {

constexpr std::size_t key_digits = 32;

std::wstring final_path(HANDLE folder) {
    const DWORD flags = FILE_NAME_NORMALIZED | VOLUME_NAME_DOS;
    const DWORD size = GetFinalPathNameByHandleW(folder, nullptr, 0, flags);
    if (size == 0) {
        return {};
    }
    std::wstring path(size, L'\0');
    const DWORD length = GetFinalPathNameByHandleW(folder, path.data(), size, flags);
    if (length == 0 || length >= size) {
        return {};
    }
    path.resize(length);
    return path;
}

std::wstring upper_cased(std::wstring path) {
    if (!path.empty()) {
        LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, path.data(),
                      static_cast<int>(path.size()), path.data(), static_cast<int>(path.size()),
                      nullptr, nullptr, 0);
    }
    return path;
}

bool sha256(const void* bytes, ULONG size, std::array<UCHAR, 32>& digest) {
    BCRYPT_ALG_HANDLE algorithm = nullptr;
    if (!BCRYPT_SUCCESS(
            BCryptOpenAlgorithmProvider(&algorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0))) {
        return false;
    }
    BCRYPT_HASH_HANDLE hash = nullptr;
    bool done = BCRYPT_SUCCESS(BCryptCreateHash(algorithm, &hash, nullptr, 0, nullptr, 0, 0));
    if (done) {
        done = BCRYPT_SUCCESS(
                   BCryptHashData(hash, static_cast<PUCHAR>(const_cast<void*>(bytes)), size, 0)) &&
               BCRYPT_SUCCESS(BCryptFinishHash(hash, digest.data(), 32, 0));
        BCryptDestroyHash(hash);
    }
    BCryptCloseAlgorithmProvider(algorithm, 0);
    return done;
}

}  // namespace

std::wstring canonical_folder(const std::wstring& path) {
    // Opening a folder as such takes the backup-semantics flag; sharing everything disturbs no one.
    const HANDLE folder =
        CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (folder == INVALID_HANDLE_VALUE) {
        return {};
    }
    BY_HANDLE_FILE_INFORMATION information{};
    const bool is_folder = GetFileInformationByHandle(folder, &information) &&
                           (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const std::wstring canonical = is_folder ? final_path(folder) : std::wstring();
    CloseHandle(folder);
    return upper_cased(canonical);
}

std::wstring folder_key(const std::string& folder) {
    const std::wstring canonical = canonical_folder(wide_from_utf8(folder.empty() ? "." : folder));
    std::array<UCHAR, 32> digest{};
    if (canonical.empty() ||
        !sha256(canonical.data(), static_cast<ULONG>(canonical.size() * sizeof(wchar_t)), digest)) {
        return {};
    }
    static constexpr wchar_t digits[] = L"0123456789abcdef";
    std::wstring key;
    for (std::size_t i = 0; key.size() < key_digits; ++i) {
        key.push_back(digits[digest[i] >> 4]);
        key.push_back(digits[digest[i] & 0xF]);
    }
    return key;
}

}  // namespace platform::win32
