#include "TDamageWatch.h"

#include "ProcessStart.h"

#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <map>
#include <poll.h>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

bool HasEnded(pid_t Process)
{
    siginfo_t Info {};
    return ::waitid(P_PID, static_cast<id_t>(Process), &Info, WEXITED | WNOHANG | WNOWAIT) == 0
        && Info.si_pid == Process;
}

}

struct TDamageWatch::TState {
    xcb_connection_t* Connection = nullptr;
    xcb_window_t Root = 0;
    std::uint8_t DamageNotify = 0;
    // Top-level windows created since Arm, with their sizes.
    std::map<xcb_window_t, std::pair<int, int>> Windows;
    // Those of them mapped, in the order of their first mapping.
    std::vector<std::pair<xcb_window_t, TFirstPaint>> Mapped;

    TFirstPaint* MappedWindow(xcb_window_t Window)
    {
        for (auto& [Id, Paint] : Mapped)
            if (Id == Window)
                return &Paint;
        return nullptr;
    }
};

TDamageWatch::TDamageWatch()
    : F(std::make_unique<TState>())
{
    F->Connection = ::xcb_connect(nullptr, nullptr);
    if (::xcb_connection_has_error(F->Connection)) {
        ::xcb_disconnect(F->Connection);
        throw std::runtime_error("no X display (run under xvfb-run -a)");
    }
    const xcb_query_extension_reply_t* Damage = ::xcb_get_extension_data(F->Connection, &xcb_damage_id);
    if (!Damage || !Damage->present) {
        ::xcb_disconnect(F->Connection);
        throw std::runtime_error("the X server has no DAMAGE extension");
    }
    F->DamageNotify = static_cast<std::uint8_t>(Damage->first_event + XCB_DAMAGE_NOTIFY);
    // The extension answers only a client that has told it its version.
    std::free(::xcb_damage_query_version_reply(F->Connection,
        ::xcb_damage_query_version(F->Connection, XCB_DAMAGE_MAJOR_VERSION, XCB_DAMAGE_MINOR_VERSION),
        nullptr));
    F->Root = ::xcb_setup_roots_iterator(::xcb_get_setup(F->Connection)).data->root;
    const std::uint32_t Mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    ::xcb_change_window_attributes(F->Connection, F->Root, XCB_CW_EVENT_MASK, &Mask);
    Arm();
}

TDamageWatch::~TDamageWatch()
{
    ::xcb_disconnect(F->Connection);
}

void TDamageWatch::Arm()
{
    // A round trip first, so that every event already on its way is read and dropped.
    std::free(::xcb_get_input_focus_reply(F->Connection, ::xcb_get_input_focus(F->Connection), nullptr));
    while (xcb_generic_event_t* Event = ::xcb_poll_for_event(F->Connection))
        std::free(Event);
    F->Windows.clear();
    F->Mapped.clear();
}

TDamageWatch::TFirstPaint TDamageWatch::WaitForFirstPaint(pid_t Process, int TimeoutMs, std::size_t Window)
{
    const std::int64_t Deadline = MonotonicNs() + static_cast<std::int64_t>(TimeoutMs) * 1000000;
    pollfd Watch { ::xcb_get_file_descriptor(F->Connection), POLLIN, 0 };
    for (;;) {
        while (xcb_generic_event_t* Event = ::xcb_poll_for_event(F->Connection)) {
            const std::int64_t Now = MonotonicNs();
            const std::uint8_t Kind = Event->response_type & 0x7F;
            if (Kind == XCB_CREATE_NOTIFY) {
                const auto* Created = reinterpret_cast<xcb_create_notify_event_t*>(Event);
                if (Created->parent == F->Root) {
                    F->Windows[Created->window] = { Created->width, Created->height };
                    // Watched from its creation, so no drawing after the map is missed; the
                    // damage object goes with the window.
                    ::xcb_damage_create(F->Connection, ::xcb_generate_id(F->Connection), Created->window,
                        XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
                    ::xcb_flush(F->Connection);
                }
            } else if (Kind == XCB_CONFIGURE_NOTIFY) {
                const auto* Configured = reinterpret_cast<xcb_configure_notify_event_t*>(Event);
                if (auto Known = F->Windows.find(Configured->window); Known != F->Windows.end())
                    Known->second = { Configured->width, Configured->height };
            } else if (Kind == XCB_MAP_NOTIFY) {
                const auto* Mapped = reinterpret_cast<xcb_map_notify_event_t*>(Event);
                const auto Known = F->Windows.find(Mapped->window);
                if (!Mapped->override_redirect && Known != F->Windows.end()
                    && !F->MappedWindow(Mapped->window))
                    F->Mapped.push_back(
                        { Mapped->window, { Now, 0, Known->second.first, Known->second.second } });
            } else if (Kind == F->DamageNotify) {
                const auto* Damaged = reinterpret_cast<xcb_damage_notify_event_t*>(Event);
                if (TFirstPaint* Paint = F->MappedWindow(Damaged->drawable); Paint && !Paint->PaintedNs)
                    Paint->PaintedNs = Now;
            }
            std::free(Event);
        }
        if (Window < F->Mapped.size() && F->Mapped[Window].second.PaintedNs)
            return F->Mapped[Window].second;
        if (::xcb_connection_has_error(F->Connection))
            throw std::runtime_error("the connection to the X server broke");
        if (HasEnded(Process))
            throw std::runtime_error("the program ended before it painted");
        const std::int64_t Left = Deadline - MonotonicNs();
        if (Left <= 0)
            throw std::runtime_error("no paint within " + std::to_string(TimeoutMs) + " ms");
        // Short slices, so that an ended program is noticed soon.
        if (::poll(&Watch, 1, static_cast<int>(std::min<std::int64_t>(Left / 1000000 + 1, 20))) < 0
            && errno != EINTR)
            throw std::runtime_error("poll on the X connection failed");
    }
}
