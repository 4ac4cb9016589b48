#pragma once
// Reading a service file (.srv) for the consist it runs and the path it takes.
#include <string>

namespace tw {

struct ServiceEntries {
    std::wstring consist; // Train_Config ( NAME ): TRAINS\CONSISTS\NAME.con; empty when none
    std::wstring path;    // PathID ( NAME ): ROUTE\PATHS\NAME.pat; empty when none
};

// The first of each entry of a flattened service file.
ServiceEntries serviceEntries(const std::wstring& flattened);

} // namespace tw
