#include "display/command_dispatcher.hpp"

namespace kro {

void CommandDispatcher::register_handler(Receiver window, int id, Handler handler) {
    handlers_[{window, id}] = std::move(handler);
}

void CommandDispatcher::unregister_window(Receiver window) {
    std::erase_if(handlers_, [window](const auto& entry) { return entry.first.first == window; });
}

bool CommandDispatcher::handles(Receiver window, int id) const { return handlers_.contains({window, id}); }

Receiver CommandDispatcher::route(Receiver window, int id) const {
    if (window != Receiver::None && handles(window, id)) return window;
    if (handles(Receiver::Frame, id)) return Receiver::Frame;
    return Receiver::None;
}

bool CommandDispatcher::dispatch(Receiver window, int id) {
    const Receiver target = route(window, id);
    if (target == Receiver::None) return false;
    // Copied: a handler may replace its own registration while it runs.
    const Handler handler = handlers_.at({target, id});
    handler();
    return true;
}

bool CommandDispatcher::dispatch(int id) {
    const CommandInfo* info = find_command(id);
    return dispatch(info ? info->receiver : Receiver::Frame, id);
}

void CommandDispatcher::set_checked(int id, bool checked) {
    checks_[id] = checked;
    if (check_listener_) check_listener_(id, checked);
}

bool CommandDispatcher::checked(int id) const {
    const auto it = checks_.find(id);
    return it != checks_.end() && it->second;
}

}  // namespace kro
