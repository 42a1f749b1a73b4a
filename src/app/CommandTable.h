#pragma once

#include <functional>
#include <map>

// Maps command ids to the window's handlers, so that a menu item, a toolbar
// button, a popup item and the automation interface all run the same code.
class CommandTable {
public:
    using Handler = std::function<void()>;

    void Register(int id, Handler handler);
    bool Contains(int id) const;
    // Runs the handler of id; false when no handler is registered for it.
    bool Run(int id) const;

private:
    std::map<int, Handler> handlers_;
};
