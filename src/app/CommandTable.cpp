#include "app/CommandTable.h"

void CommandTable::Register(int id, Handler handler) { handlers_[id] = std::move(handler); }

bool CommandTable::Contains(int id) const { return handlers_.contains(id); }

bool CommandTable::Run(int id) const {
    const auto found = handlers_.find(id);
    if (found == handlers_.end()) return false;
    // A copy: the handler may run a modal loop during which the table changes.
    const Handler handler = found->second;
    if (handler) handler();
    return true;
}
