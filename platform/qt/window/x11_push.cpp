// The picture of a layered window sent to the X server through shared memory, past Qt's backing
// store. Qt's own way clears its backing store, paints the picture into it and sends that: three
// passes over 1.5 MB for every push. Here the picture is copied once into a shared segment (the
// opaque mask made in the same pass) and the server reads it from there.
//
// The pushes go through a connection of their own: the server tells on it when it has read the
// segment (ShmCompletion), and the segment is written again only after that. One segment is
// enough: a cascade pushes every 100 ms, long after the server has read the last picture, and
// pushes in a row wait only for the server's copy.
#include "platform/qt/window/x11_push.h"

#include <sys/ipc.h>
#include <sys/shm.h>
#include <xcb/shm.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <future>
#include <map>
#include <memory>

#include "platform/qt/window/shape.h"

namespace platform::qt {
namespace {

struct Segment {
    xcb_shm_seg_t id = 0;
    uchar* pixels = nullptr;
    std::size_t size = 0;
    bool read_pending = false;  // the server has not said yet that it has read it
};

struct SharedMemoryPushes {
    bool tried = false;
    std::future<xcb_connection_t*> connecting;
    xcb_connection_t* connection = nullptr;
    std::uint8_t completion_event = 0;
    std::uint8_t shm_opcode = 0;  // the extension's major opcode, which its errors carry
    Segment segment;
    std::map<unsigned long, xcb_gcontext_t> contexts;  // a graphics context per 32-bit window
};

SharedMemoryPushes& pushes() {
    static SharedMemoryPushes state;
    return state;
}

template <typename Reply>
using ReplyPointer = std::unique_ptr<Reply, decltype(&std::free)>;

// A connection to the display Qt shows on, if it has the shared-memory extension; else null.
xcb_connection_t* connect_with_shared_memory() {
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const xcb_query_extension_reply_t* shm = xcb_connection_has_error(connection) == 0
                                                 ? xcb_get_extension_data(connection, &xcb_shm_id)
                                                 : nullptr;
    if (shm == nullptr || shm->present == 0) {
        xcb_disconnect(connection);
        return nullptr;
    }
    return connection;
}

void open_connection(SharedMemoryPushes& state) {
    state.tried = true;
    state.connection =
        state.connecting.valid() ? state.connecting.get() : connect_with_shared_memory();
    if (state.connection != nullptr) {
        const xcb_query_extension_reply_t* shm =
            xcb_get_extension_data(state.connection, &xcb_shm_id);
        state.completion_event = static_cast<std::uint8_t>(shm->first_event + XCB_SHM_COMPLETION);
        state.shm_opcode = shm->major_opcode;
    }
}

// A push that failed (its window went meanwhile, say) brings an error instead of the notice that
// the segment was read: either way the server is done with the segment.
bool push_failed(const SharedMemoryPushes& state, const xcb_generic_event_t& event) {
    if (event.response_type != 0) {
        return false;
    }
    const auto& error = reinterpret_cast<const xcb_generic_error_t&>(event);
    return error.major_code == state.shm_opcode && error.minor_code == XCB_SHM_PUT_IMAGE;
}

void mark_read(SharedMemoryPushes& state, const xcb_generic_event_t& event) {
    if (push_failed(state, event)) {
        state.segment.read_pending = false;
        return;
    }
    if ((event.response_type & 0x7F) != state.completion_event) {
        return;
    }
    const auto& completion = reinterpret_cast<const xcb_shm_completion_event_t&>(event);
    if (state.segment.id == completion.shmseg) {
        state.segment.read_pending = false;
    }
}

// The segment once the server is done with it.
Segment* free_segment(SharedMemoryPushes& state) {
    for (;;) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(state.connection)) {
            mark_read(state, *event);
            std::free(event);
        }
        if (!state.segment.read_pending) {
            return &state.segment;
        }
        xcb_generic_event_t* event = xcb_wait_for_event(state.connection);
        if (event == nullptr) {
            return nullptr;  // the connection broke
        }
        mark_read(state, *event);
        std::free(event);
    }
}

void release_segment(SharedMemoryPushes& state, Segment& segment) {
    if (segment.pixels != nullptr) {
        xcb_shm_detach(state.connection, segment.id);
        shmdt(segment.pixels);
    }
    segment = Segment{};
}

// Gives the segment room for `size` bytes; false when the system or the server refuses.
bool make_room(SharedMemoryPushes& state, Segment& segment, std::size_t size) {
    if (segment.size >= size) {
        return true;
    }
    release_segment(state, segment);
    const int shm_id = shmget(IPC_PRIVATE, size, IPC_CREAT | 0600);
    if (shm_id < 0) {
        return false;
    }
    void* pixels = shmat(shm_id, nullptr, 0);
    segment.id = xcb_generate_id(state.connection);
    ReplyPointer<xcb_generic_error_t> error(
        pixels == reinterpret_cast<void*>(-1)
            ? nullptr
            : xcb_request_check(state.connection,
                                xcb_shm_attach_checked(state.connection, segment.id,
                                                       static_cast<std::uint32_t>(shm_id), 0)),
        &std::free);
    // Removed now, it goes once both sides have let go of it, whatever happens to the program.
    shmctl(shm_id, IPC_RMID, nullptr);
    if (pixels == reinterpret_cast<void*>(-1) || error != nullptr) {
        if (pixels != reinterpret_cast<void*>(-1)) {
            shmdt(pixels);
        }
        segment = Segment{};
        return false;
    }
    segment.pixels = static_cast<uchar*>(pixels);
    segment.size = size;
    return true;
}

// The graphics context of a window of 32-bit depth, made at its first push; 0 for another depth.
xcb_gcontext_t context_of(SharedMemoryPushes& state, unsigned long window) {
    const auto found = state.contexts.find(window);
    if (found != state.contexts.end()) {
        return found->second;
    }
    const auto drawable = static_cast<xcb_drawable_t>(window);
    ReplyPointer<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(state.connection, xcb_get_geometry(state.connection, drawable),
                               nullptr),
        &std::free);
    xcb_gcontext_t context = 0;
    if (geometry != nullptr && geometry->depth == 32) {
        context = xcb_generate_id(state.connection);
        xcb_create_gc(state.connection, context, drawable, 0, nullptr);
    }
    state.contexts[window] = context;
    return context;
}

// The part's rows one after the other, and their mask bits on the way.
void copy_part(const QImage& picture, const QRect& part, uchar* pixels, QImage* opaque_bits) {
    const auto row_bytes = static_cast<std::size_t>(part.width()) * 4;
    for (int y = 0; y < part.height(); ++y) {
        const auto* row =
            reinterpret_cast<const QRgb*>(picture.constScanLine(part.y() + y)) + part.x();
        std::memcpy(pixels + row_bytes * static_cast<std::size_t>(y), row, row_bytes);
        if (opaque_bits != nullptr) {
            mark_opaque_pixels(row, part.width(), opaque_bits->scanLine(y));
        }
    }
}

void put_segment(SharedMemoryPushes& state, Segment& segment, unsigned long window,
                 xcb_gcontext_t context, const QSize& size) {
    const auto width = static_cast<std::uint16_t>(size.width());
    const auto height = static_cast<std::uint16_t>(size.height());
    xcb_shm_put_image(state.connection, static_cast<xcb_drawable_t>(window), context, width, height,
                      0, 0, width, height, 0, 0, 32, XCB_IMAGE_FORMAT_Z_PIXMAP, 1, segment.id, 0);
    xcb_flush(state.connection);
    segment.read_pending = true;
}

bool can_push(const QImage& picture, const QRect& part) {
    return picture.format() == QImage::Format_ARGB32_Premultiplied && !part.isEmpty() &&
           picture.rect().contains(part) && part.width() <= 0xFFFF && part.height() <= 0xFFFF;
}

}  // namespace

void prepare_shared_memory_pushes() {
    SharedMemoryPushes& state = pushes();
    if (!state.tried && !state.connecting.valid()) {
        state.connecting = std::async(std::launch::async, connect_with_shared_memory);
    }
}

bool push_through_shared_memory(unsigned long window, const QImage& picture, const QRect& part,
                                QImage* opaque_bits) {
    SharedMemoryPushes& state = pushes();
    if (!state.tried) {
        open_connection(state);
    }
    if (state.connection == nullptr || !can_push(picture, part)) {
        return false;
    }
    const xcb_gcontext_t context = context_of(state, window);
    Segment* segment = context != 0 ? free_segment(state) : nullptr;
    const auto size = static_cast<std::size_t>(part.width()) * part.height() * 4;
    if (segment == nullptr || !make_room(state, *segment, size)) {
        return false;
    }
    if (opaque_bits != nullptr) {
        *opaque_bits = blank_mask(part.size());
    }
    copy_part(picture, part, segment->pixels, opaque_bits);
    put_segment(state, *segment, window, context, part.size());
    return true;
}

void forget_shared_memory_window(unsigned long window) {
    SharedMemoryPushes& state = pushes();
    const auto found = state.contexts.find(window);
    if (found == state.contexts.end()) {
        return;
    }
    if (found->second != 0) {
        xcb_free_gc(state.connection, found->second);
        xcb_flush(state.connection);
    }
    state.contexts.erase(found);
}

void close_shared_memory_pushes() {
    SharedMemoryPushes& state = pushes();
    if (state.connecting.valid()) {
        open_connection(state);  // joins the thread, whatever it found
    }
    if (state.connection != nullptr) {
        release_segment(state, state.segment);
        xcb_disconnect(state.connection);
    }
    state = SharedMemoryPushes{};
}

}  // namespace platform::qt
