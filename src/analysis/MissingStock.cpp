#include "analysis/MissingStock.h"

#include "platform/Text.h"

namespace tw {

void MissingStock::add(MissingKind kind, const std::wstring& reference) {
    if (references_.add(reference) && kind == MissingKind::Folder) folders_.insert(fileSystemUpper(reference));
}

void MissingStock::clear(int languageId) {
    languageId_ = languageId;
    references_.clear();
    folders_.clear();
}

MissingKind MissingStock::kind(const std::wstring& reference) const {
    return folders_.count(fileSystemUpper(reference)) ? MissingKind::Folder : MissingKind::File;
}

} // namespace tw
