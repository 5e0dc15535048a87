#include "player/SceneWatcher.h"

#include <sys/stat.h>

#include <algorithm>

bool SceneWatcher::Stamp::operator==(const Stamp& other) const {
    return exists == other.exists && device == other.device && inode == other.inode && size == other.size &&
           modifiedSeconds == other.modifiedSeconds && modifiedNanoseconds == other.modifiedNanoseconds &&
           changedSeconds == other.changedSeconds && changedNanoseconds == other.changedNanoseconds;
}

SceneWatcher::Stamp SceneWatcher::stampOf(const std::filesystem::path& path) {
    struct stat status {};
    Stamp stamp;
    if (::stat(path.c_str(), &status) != 0) return stamp;  // missing or unreadable: "not there"
    stamp.exists = true;
    stamp.device = static_cast<std::uint64_t>(status.st_dev);
    stamp.inode = static_cast<std::uint64_t>(status.st_ino);
    stamp.size = static_cast<std::uint64_t>(status.st_size);
    stamp.modifiedSeconds = static_cast<std::int64_t>(status.st_mtim.tv_sec);
    stamp.modifiedNanoseconds = static_cast<std::int64_t>(status.st_mtim.tv_nsec);
    stamp.changedSeconds = static_cast<std::int64_t>(status.st_ctim.tv_sec);
    stamp.changedNanoseconds = static_cast<std::int64_t>(status.st_ctim.tv_nsec);
    return stamp;
}

void SceneWatcher::watch(const std::vector<std::filesystem::path>& paths) {
    std::vector<Watched> next;
    next.reserve(paths.size());
    for (const std::filesystem::path& path : paths) {
        const auto known = std::find_if(files.begin(), files.end(), [&](const Watched& w) { return w.path == path; });
        const bool twice = std::any_of(next.begin(), next.end(), [&](const Watched& w) { return w.path == path; });
        if (!twice) next.push_back({path, known != files.end() ? known->stamp : stampOf(path)});
    }
    files = std::move(next);
}

bool SceneWatcher::changed(Clock::time_point now) {
    if (now - lastLook < period) return false;
    lastLook = now;
    bool any = false;
    for (Watched& file : files) {
        const Stamp stamp = stampOf(file.path);
        if (stamp == file.stamp) continue;
        file.stamp = stamp;
        any = true;
    }
    return any;
}
