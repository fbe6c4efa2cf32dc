// Writing, syncing and closing open files, with every failure checked.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix/posix_files.h"

namespace platform::posix {

FileError write_all(int descriptor, std::string_view bytes, off_t offset) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = pwrite(descriptor, bytes.data() + done, bytes.size() - done,
                                       offset + static_cast<off_t>(done));
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written < 0) {
            return error_from_errno(errno);
        }
        if (written == 0) {
            return FileError::io_error;  // no progress: it would loop for ever
        }
        done += static_cast<std::size_t>(written);
    }
    return FileError::none;
}

FileError sync_and_close(int descriptor, FileError error) {
    if (error == FileError::none && fsync(descriptor) != 0) {
        error = error_from_errno(errno);
    }
    // After an interrupted close the descriptor is gone all the same, and the data was synced.
    if (close(descriptor) != 0 && error == FileError::none && errno != EINTR) {
        error = error_from_errno(errno);
    }
    return error;
}

// Not reported: the new file is in its place by then, and some file systems cannot sync a
// folder at all. Telling the player that the save failed would be wrong.
void sync_folder(const std::string& folder) {
    const int descriptor = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) {
        return;
    }
    fsync(descriptor);
    close(descriptor);
}

}  // namespace platform::posix
