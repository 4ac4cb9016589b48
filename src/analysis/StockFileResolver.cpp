#include "analysis/StockFileResolver.h"

#include "platform/Files.h"
#include "platform/Text.h"

#include <algorithm>

namespace tw {

namespace {
std::wstring folderOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}
std::wstring nameOf(const std::wstring& path) { return path.substr(path.find_last_of(L'\\') + 1); }
} // namespace

StockFileResolver::StockFileResolver(ListingCache& cache, std::wstring simulator)
    : cache_(cache), simulator_(std::move(simulator)) {}

StockFileResolver::ParsedFile StockFileResolver::parse(const std::wstring& path) {
    ParsedFile parsed;
    ++filesRead_;
    parsed.systemError = readWholeFileOrCode(path, bytes_);
    if (parsed.systemError != 0) parsed.problem = StockTextProblem::CannotOpen;
    else parsed.problem = readStockText(bytes_, text_);
    if (parsed.problem == StockTextProblem::None) parsed.references = stockReferences(text_);
    return parsed;
}

const StockFileResolver::ParsedFile& StockFileResolver::included(const std::wstring& path) {
    const std::wstring key = fileSystemUpper(path);
    auto it = includes_.find(key);
    if (it == includes_.end()) it = includes_.emplace(key, parse(path)).first;
    return it->second;
}

StockFileReading StockFileResolver::read(const std::wstring& path, const std::wstring& trainset) {
    StockFileReading out;
    const std::wstring folder = folderOf(path);
    const StockFolders folders{folder, trainset, simulator_};
    // Open Rails reads OpenRails\<own name> instead, when the stock's folder holds it.
    std::wstring file = path;
    const ListingCache::Folder& listed = cache_.folder(folder);
    if (const FolderListing::Entry* sub = listed.find(L"OpenRails"); sub && FolderListing::isFolder(*sub)) {
        const std::wstring openRails = folder + L"\\" + std::wstring(listed.listing.nameView(*sub)) + L"\\" + nameOf(path);
        if (cache_.fileState(openRails) == PathState::Present) {
            file = openRails;
            out.openRailsFile = true;
        }
    }
    const ParsedFile parsed = parse(file);
    if (parsed.problem != StockTextProblem::None) {
        out.problem = parsed.problem;
        out.unreadableFile = file;
        out.systemError = parsed.systemError;
        return out;
    }
    out.fileRead = true;
    stack_.assign(1, fileSystemUpper(file));
    expanded_.clear();
    expand(file, parsed, folders, out);
    return out;
}

void StockFileResolver::expand(const std::wstring& file, const ParsedFile& parsed, const StockFolders& folders,
                               StockFileReading& out) {
    for (const StockReference& ref : parsed.references) {
        if (stockReferenceKind(ref.keyword) != StockReferenceKind::Include) {
            out.references.push_back(resolve(ref, folders));
            continue;
        }
        const std::wstring path = includePath(file, ref.name);
        ResolvedReference include{StockReferenceKind::Include, ref.name, path, cache_.fileState(path)};
        const std::wstring key = fileSystemUpper(path);
        // A chain of includes deeper than any real stock goes is taken for a
        // loop: following it further would exhaust the stack.
        constexpr std::size_t kDeepestInclude = 100;
        include.includeLoop = include.state == PathState::Present &&
                              (stack_.size() >= kDeepestInclude || std::find(stack_.begin(), stack_.end(), key) != stack_.end());
        out.references.push_back(include);
        // A file already expanded for this stock file adds nothing new (and
        // includes that fan out would otherwise multiply the work).
        if (include.state != PathState::Present || include.includeLoop || !expanded_.insert(key).second) continue;
        const ParsedFile& inner = included(path);
        if (inner.problem != StockTextProblem::None) {
            if (out.problem == StockTextProblem::None) {
                out.problem = inner.problem;
                out.unreadableFile = path;
                out.systemError = inner.systemError;
            }
            continue;
        }
        stack_.push_back(key);
        expand(path, inner, folders, out);
        stack_.pop_back();
    }
}

ResolvedReference StockFileResolver::resolve(const StockReference& ref, const StockFolders& folders) {
    const std::vector<std::wstring> paths = stockReferencePaths(ref, folders);
    ResolvedReference found{stockReferenceKind(ref.keyword), ref.name, paths.front(), PathState::Absent};
    for (const std::wstring& path : paths) {
        const PathState state = cache_.fileState(path);
        if (state == PathState::Present) {
            found.path = path;
            found.state = state;
            break;
        }
        // Not known absent somewhere the simulator would look: absent as far as can be told.
        if (state == PathState::Unknown) found.state = state;
    }
    return found;
}

} // namespace tw
