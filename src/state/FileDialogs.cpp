#include "FileDialogs.h"

#include <filesystem>
#include <system_error>

#include "AppPaths.h"
#include "Text.h"

namespace ql {

namespace fs = std::filesystem;

namespace {

std::vector<std::string> split(std::string_view text, char separator)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        parts.emplace_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) return parts;
        start = end + 1;
    }
}

char lowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool isFolder(const std::string& path)
{
    std::error_code ec;
    return !path.empty() && fs::is_directory(path, ec);
}

// Whether a file name (without its folder) is one of a pattern's files: '*' stands for any
// run of characters, '?' for one; letters match in either case, as the dialogs list files.
bool matchesPattern(std::string_view name, std::string_view pattern)
{
    // Greedy wildcard match that goes back to the last '*' on a mismatch.
    std::size_t n = 0, p = 0, starAt = std::string_view::npos, resumeAt = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starAt = p++;
            resumeAt = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == '?' || lowerAscii(pattern[p]) == lowerAscii(name[n]))) {
            ++p;
            ++n;
        } else if (starAt != std::string_view::npos) {
            p = starAt + 1;
            n = ++resumeAt;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

}  // namespace

std::vector<NameFilter> nameFiltersOf(std::string_view filter)
{
    const std::vector<std::string> parts = split(filter, '|');
    std::vector<NameFilter> filters;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        NameFilter entry{trim(parts[i]), {}};
        for (const std::string& pattern : split(parts[i + 1], ';'))
            if (const std::string p = trim(pattern); !p.empty()) entry.patterns.push_back(p);
        filters.push_back(std::move(entry));
    }
    return filters;
}

FileDialogStart fileDialogStart(const FileDialogRequest& request, const std::string& lastChosen,
                                const std::string& filesFolder)
{
    const fs::path last(lastChosen);
    const std::string lastFolder = last.parent_path().string();
    if (!lastChosen.empty() && isFolder(lastFolder)) {
        const std::string name = last.filename().string();
        const std::vector<NameFilter> filters = nameFiltersOf(request.filter);
        for (std::size_t i = 0; i < filters.size(); ++i)
            for (const std::string& pattern : filters[i].patterns)
                if (matchesPattern(name, pattern)) return {lastFolder, name, i};
        return {lastFolder, {}, 0};
    }
    makeDirectories(filesFolder);
    return {filesFolder, {}, 0};
}

}  // namespace ql
