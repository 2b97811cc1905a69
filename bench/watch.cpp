// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Starts a program on the X display and times, from its fork and exec, the
// mapping of its first top-level window and the program's first paint of it;
// then reads its resident memory after a spell of idling and ends it. Written
// against plain xcb so that it loads nothing of what it measures.
//
// The server reports damage for the mapping itself too, so a damage event
// counts as the paint only once two corners of the window are no longer
// black: the X server must run with a black root (Xvfb -br), and the program
// must not paint those corners black.
//
//   bench_watch [--idle MS] [--timeout MS] PROGRAM [ARGUMENT...]
//
// Prints one line: "mapped_ms=M painted_ms=P rss_kib=R" (rss_kib=0 with
// --idle 0, where the program is ended right after its first paint).

#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

double nowMs()
{
    timespec ts {};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

[[noreturn]] void die(const char *what)
{
    std::fprintf(stderr, "bench_watch: %s\n", what);
    std::exit(1);
}

long residentKib(pid_t pid)
{
    const std::string path = "/proc/" + std::to_string(pid) + "/status";
    FILE *status = std::fopen(path.c_str(), "r");
    if (!status)
        return -1;
    char line[256];
    long kib = -1;
    while (std::fgets(line, sizeof line, status))
        if (std::sscanf(line, "VmRSS: %ld kB", &kib) == 1)
            break;
    std::fclose(status);
    return kib;
}

// A top-level window of the program, watched for damage from its creation
// on, so that no paint can come before the watch.
struct Watched
{
    xcb_window_t window;
    int width;
    int height;
};

bool blackAt(xcb_connection_t *connection, xcb_window_t window, int x, int y)
{
    xcb_get_image_reply_t *image = xcb_get_image_reply(connection,
        xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, window, x, y, 1, 1, ~0u), nullptr);
    if (!image)
        return true; // not viewable yet
    uint32_t pixel = 0;
    std::memcpy(&pixel, xcb_get_image_data(image),
        std::min<std::size_t>(sizeof pixel, xcb_get_image_data_length(image)));
    free(image);
    return (pixel & 0xffffff) == 0;
}

} // namespace

int main(int argc, char *argv[])
{
    int idleMs = 1000;
    int timeoutMs = 30000;
    int first = 1;
    for (; first + 1 < argc && argv[first][0] == '-'; first += 2) {
        if (!std::strcmp(argv[first], "--idle"))
            idleMs = std::atoi(argv[first + 1]);
        else if (!std::strcmp(argv[first], "--timeout"))
            timeoutMs = std::atoi(argv[first + 1]);
        else
            break;
    }
    if (first >= argc)
        die("usage: bench_watch [--idle MS] [--timeout MS] PROGRAM [ARGUMENT...]");

    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection))
        die("cannot open the display");
    fcntl(xcb_get_file_descriptor(connection), F_SETFD, FD_CLOEXEC);

    const xcb_query_extension_reply_t *damageExtension =
        xcb_get_extension_data(connection, &xcb_damage_id);
    if (!damageExtension || !damageExtension->present)
        die("the X server has no DAMAGE extension");
    // The server takes damage requests only from a client that has asked
    // for the version.
    free(xcb_damage_query_version_reply(connection,
        xcb_damage_query_version(connection, XCB_DAMAGE_MAJOR_VERSION, XCB_DAMAGE_MINOR_VERSION),
        nullptr));
    const uint8_t damageNotify = damageExtension->first_event + XCB_DAMAGE_NOTIFY;

    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
    // A round trip: the server watches the root before the program starts.
    free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));

    const double start = nowMs();
    const pid_t pid = fork();
    if (pid < 0)
        die("cannot fork");
    if (pid == 0) {
        // A group of its own, so that a wrapper (strace, valgrind) and what
        // it runs end together.
        setpgid(0, 0);
        execvp(argv[first], argv + first);
        std::fprintf(stderr, "bench_watch: cannot run %s: %s\n", argv[first], std::strerror(errno));
        _exit(127);
    }
    setpgid(pid, pid); // as the child does, whichever comes first

    std::vector<Watched> watched;
    Watched mainWindow {XCB_NONE, 0, 0};
    double mappedMs = -1;
    double paintedMs = -1;

    pollfd descriptor {xcb_get_file_descriptor(connection), POLLIN, 0};
    while (paintedMs < 0) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid)
            die("the program ended before its window was painted");
        if (nowMs() - start > timeoutMs) {
            kill(-pid, SIGKILL);
            die("timed out waiting for the window to be painted");
        }
        poll(&descriptor, 1, 50);
        while (xcb_generic_event_t *event = xcb_poll_for_event(connection)) {
            const double at = nowMs() - start;
            const uint8_t type = event->response_type & 0x7f;
            if (type == XCB_CREATE_NOTIFY) {
                const auto *created = reinterpret_cast<xcb_create_notify_event_t *>(event);
                if (created->parent == root && !created->override_redirect) {
                    xcb_damage_create(connection, xcb_generate_id(connection), created->window,
                        XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
                    xcb_flush(connection);
                    watched.push_back({created->window, created->width, created->height});
                }
            } else if (type == XCB_CONFIGURE_NOTIFY) {
                const auto *configured = reinterpret_cast<xcb_configure_notify_event_t *>(event);
                for (Watched &w : watched)
                    if (w.window == configured->window)
                        w = {w.window, configured->width, configured->height};
            } else if (type == XCB_MAP_NOTIFY) {
                const auto *mapped = reinterpret_cast<xcb_map_notify_event_t *>(event);
                for (const Watched &w : watched)
                    if (w.window == mapped->window && mainWindow.window == XCB_NONE) {
                        mainWindow = w;
                        mappedMs = at;
                    }
            } else if (type == damageNotify && paintedMs < 0) {
                const auto *damaged = reinterpret_cast<xcb_damage_notify_event_t *>(event);
                const Watched &w = mainWindow;
                if (damaged->drawable == w.window && !blackAt(connection, w.window, 2, 2) &&
                    !blackAt(connection, w.window, w.width - 3, w.height - 3))
                    paintedMs = at;
            }
            free(event);
        }
        if (xcb_connection_has_error(connection))
            die("lost the display");
    }

    long rss = 0;
    if (idleMs > 0) {
        usleep(idleMs * 1000);
        rss = residentKib(pid);
    }
    kill(-pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    xcb_disconnect(connection);
    if (rss < 0)
        die("cannot read the program's resident memory");
    std::printf("mapped_ms=%.3f painted_ms=%.3f rss_kib=%ld\n", mappedMs, paintedMs, rss);
    return 0;
}
