#include "analysis/ActivityFiles.h"

#include "platform/Files.h"
#include "platform/Text.h"

namespace tw {

namespace {
bool sameName(const std::wstring& name, const wchar_t* upper) { return asciiUpper(name) == upper; }

bool hasActivityExtension(const std::wstring& name) {
    return name.size() >= 4 && asciiUpper(std::wstring_view(name).substr(name.size() - 4)) == L".ACT";
}
} // namespace

std::vector<ActivityFile> findActivityFiles(const std::wstring& root) {
    std::vector<ActivityFile> found;
    for (const FolderEntry& routes : listFolder(root)) {
        if (!routes.directory || !sameName(routes.name, L"ROUTES")) continue;
        const std::wstring routesPath = root + L"\\" + routes.name;
        for (const FolderEntry& route : listFolder(routesPath)) {
            if (!route.directory) continue;
            const std::wstring routePath = routesPath + L"\\" + route.name;
            for (const FolderEntry& activities : listFolder(routePath)) {
                if (!activities.directory || !sameName(activities.name, L"ACTIVITIES")) continue;
                const std::wstring relativeFolder = routes.name + L"\\" + route.name + L"\\" + activities.name + L"\\";
                // Sub-folders (Open Rails keeps its extra files in one) are not read.
                for (const FolderEntry& file : listFolder(routePath + L"\\" + activities.name)) {
                    if (file.directory || !hasActivityExtension(file.name)) continue;
                    found.push_back({root + L"\\" + relativeFolder + file.name, relativeFolder + file.name});
                }
            }
        }
    }
    return found;
}

} // namespace tw
