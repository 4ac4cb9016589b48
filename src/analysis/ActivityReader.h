#pragma once
// Reading an activity file for what it needs: the player's service, the
// traffic file, each traffic service, and the stock and end-of-train devices
// of its loose consists. Bytes in, entries out: no file system here.
#include <string>
#include <vector>

namespace tw {

struct ActivityEntries {
    std::wstring playerService;          // ROUTE\SERVICES\NAME.srv; empty when the file names none
    std::wstring traffic;                // ROUTE\TRAFFIC\NAME.trf; empty when none
    std::vector<std::wstring> services;  // each Service_Definition, in file order (the traffic's services)
    std::vector<std::wstring> looseStock;   // FOLDER\FILE.ENG as the consist reader writes references
    std::vector<std::wstring> looseDevices; // FOLDER\NAME.eot
};

// The entries of a flattened activity (see flattenSimulatorText). Only the first
// player service and traffic entry count; a name is the entry's first token.
ActivityEntries activityEntries(const std::wstring& flattened);

} // namespace tw
