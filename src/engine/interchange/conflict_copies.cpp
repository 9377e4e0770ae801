// SPDX-License-Identifier: MIT
#include "interchange/conflict_copies.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <algorithm>
#include <cctype>
#include <ctime>

namespace tally {
namespace {

struct NameParts {
    std::string_view stem;
    std::string_view ext;  // from the last dot on, or empty
};

// Syncthing splits as Go's filepath.Ext does, where a leading dot starts the extension
// (".tally" has no stem); Nextcloud and Dropbox keep a leading dot in the stem.
NameParts Split(std::string_view name, bool leadingDotStartsExt) {
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || (dot == 0 && !leadingDotStartsExt)) return {name, {}};
    return {name.substr(0, dot), name.substr(dot)};
}

// What the tool put between the log's stem and its extension, when the candidate has both.
bool Middle(std::string_view candidate, NameParts log, std::string_view& middle) {
    if (candidate.size() <= log.stem.size() + log.ext.size()) return false;
    if (!candidate.starts_with(log.stem) || !candidate.ends_with(log.ext)) return false;
    middle = candidate.substr(log.stem.size(), candidate.size() - log.stem.size() - log.ext.size());
    return true;
}

// The text has the layout: '9' a digit, 'X' a capital letter or digit, any other character
// itself.
bool Fits(std::string_view text, std::string_view layout) {
    if (text.size() != layout.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        const bool ok = layout[i] == '9'   ? std::isdigit(c) != 0
                        : layout[i] == 'X' ? std::isdigit(c) != 0 || (c >= 'A' && c <= 'Z')
                                           : text[i] == layout[i];
        if (!ok) return false;
    }
    return true;
}

// Cuts a tail of the given layout off the text; false when the text does not end so.
bool CutTail(std::string_view& text, std::string_view layout) {
    if (text.size() < layout.size() || !Fits(text.substr(text.size() - layout.size()), layout)) {
        return false;
    }
    text.remove_suffix(layout.size());
    return true;
}

// "conflicted copy [USER ]YYYY-MM-DD HHMMSS": the client keeps parentheses out of USER so
// that the tag's end can be found.
bool IsNextcloudTag(std::string_view tag) {
    constexpr std::string_view kLead = "conflicted copy ";
    if (!tag.starts_with(kLead)) return false;
    tag.remove_prefix(kLead.size());
    if (!CutTail(tag, "9999-99-99 999999")) return false;
    return tag.empty() || (tag.size() > 1 && tag.ends_with(' ') &&
                           tag.find_first_of("()") == std::string_view::npos);
}

// "[NAME's ]conflicted copy[ YYYY-MM-DD]": NAME is the account's display name, with any
// character a file name may hold.
bool IsDropboxTag(std::string_view tag) {
    constexpr std::string_view kCopy = "conflicted copy";
    CutTail(tag, " 9999-99-99");
    if (!tag.ends_with(kCopy)) return false;
    tag.remove_suffix(kCopy.size());
    if (tag.empty()) return true;
    for (const std::string_view possessive : {"'s ", "\u2019s "}) {
        if (tag.size() > possessive.size() && tag.ends_with(possessive)) return true;
    }
    return false;
}

std::int64_t NowNs() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

}  // namespace

bool IsConflictCopyName(std::string_view logFileName, std::string_view candidate) {
    if (logFileName.empty()) return false;
    std::string_view middle;
    if (Middle(candidate, Split(logFileName, true), middle) &&
        Fits(middle, ".sync-conflict-99999999-999999-XXXXXXX")) {
        return true;
    }
    if (!Middle(candidate, Split(logFileName, false), middle)) return false;
    if (Fits(middle, "_conflict-99999999-999999")) return true;
    if (middle.size() < 3 || !middle.starts_with(" (") || !middle.ends_with(')')) return false;
    const std::string_view tag = middle.substr(2, middle.size() - 3);
    return IsNextcloudTag(tag) || IsDropboxTag(tag);
}

std::string LogFolder(const std::string& logPath) {
    const std::size_t slash = logPath.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : logPath.substr(0, slash);
}

std::string LogFileName(const std::string& logPath) {
    const std::size_t slash = logPath.rfind('/');
    return slash == std::string::npos ? logPath : logPath.substr(slash + 1);
}

std::vector<std::string> FindConflictCopies(const std::string& logPath) {
    std::vector<std::string> copies;
    const std::string logName = LogFileName(logPath);
    DIR* folder = opendir(LogFolder(logPath).c_str());
    if (folder == nullptr) return copies;
    while (const dirent* entry = readdir(folder)) {
        if (!IsConflictCopyName(logName, entry->d_name)) continue;
        // A sync tool writes its copies as plain files; a link or folder of that name is
        // someone else's.
        struct stat st {};
        if (fstatat(dirfd(folder), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(st.st_mode)) {
            copies.emplace_back(entry->d_name);
        }
    }
    closedir(folder);
    std::sort(copies.begin(), copies.end());
    return copies;
}

ConflictCopyWatch::FolderStamp ConflictCopyWatch::StampOf(const std::string& folder) {
    struct stat st {};
    if (stat(folder.c_str(), &st) != 0) return {};
    return {true, st.st_dev, st.st_ino,
            static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec};
}

bool ConflictCopyWatch::Refresh(const std::string& logPath) {
    // Taken before the listing, so that a copy made during it shows at the next call.
    const FolderStamp stamp = StampOf(LogFolder(logPath));
    if (listed_ && !listAgain_ && logPath == logPath_ && stamp == stamp_) return false;
    // Some file systems keep times in whole seconds (FAT, two); a copy made later in the
    // same tick would leave the time as it is.
    constexpr std::int64_t kCoarsestTimeNs = 2'000'000'000;
    listAgain_ = stamp.exists && stamp.mtimeNs > NowNs() - kCoarsestTimeNs;
    logPath_ = logPath;
    stamp_ = stamp;
    listed_ = true;
    std::vector<std::string> copies = FindConflictCopies(logPath);
    if (copies == copies_) return false;
    copies_ = std::move(copies);
    return true;
}

}  // namespace tally
