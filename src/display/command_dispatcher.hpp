#pragma once
// Routes command numbers to handlers. Each window registers the commands it
// handles; a command asked of a window goes to that window's handler, else
// to the frame's, else nowhere (and the item shows disabled). Menus, tool
// bars, context menus and scripted sessions all go through here.

#include <functional>
#include <map>
#include <utility>

#include "display/command_map.hpp"

namespace kro {

class CommandDispatcher {
public:
    using Handler = std::function<void()>;
    // Told when a command's check mark changes (id, checked).
    using CheckListener = std::function<void(int, bool)>;

    // Registers (or replaces) `window`'s handler of `id`.
    void register_handler(Receiver window, int id, Handler handler);
    void unregister_window(Receiver window);

    bool handles(Receiver window, int id) const;
    // The window whose handler runs when `window` is asked for `id`: the
    // window itself, else the frame, else Receiver::None.
    Receiver route(Receiver window, int id) const;
    bool enabled(Receiver window, int id) const { return route(window, id) != Receiver::None; }

    // Runs the handler chosen by route(); false when nobody handles the command.
    bool dispatch(Receiver window, int id);
    // A command given by number alone (command line, tests): asked of the
    // window that the command table names as its receiver.
    bool dispatch(int id);

    // Check marks and pressed tool buttons of commands that toggle a state.
    void set_checked(int id, bool checked);
    bool checked(int id) const;
    void set_check_listener(CheckListener listener) { check_listener_ = std::move(listener); }

private:
    std::map<std::pair<Receiver, int>, Handler> handlers_;
    std::map<int, bool> checks_;
    CheckListener check_listener_;
};

}  // namespace kro
