#include "engine/store/FileSaveGame.h"

#include "engine/core/AppContext.h"
#include "engine/core/Log.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

std::string quoted(const std::string& s)
{
    return "\"" + s + "\"";
}

std::string errnoText(int err)
{
    return err != 0 ? std::strerror(err) : "unknown error";
}

// Flushes the C buffer, asks the system to put the data on the disk and
// closes the file; `file` is null afterwards whatever happens. Without the
// fsync a crash of the machine (not just of the game) soon after the rename
// could leave a renamed but empty file.
bool closeSynced(std::FILE*& file, std::string& why)
{
    bool ok = true;
    if (std::fflush(file) != 0) {
        why = "flush failed: " + errnoText(errno);
        ok = false;
    } else if (::fsync(::fileno(file)) != 0) {
        why = "sync failed: " + errnoText(errno);
        ok = false;
    }
    if (std::fclose(file) != 0 && ok) {
        why = "close failed: " + errnoText(errno);
        ok = false;
    }
    file = nullptr;
    return ok;
}

// Removes a temporary file that is not wanted any more; says so in `why`
// when it stays behind.
void discard(const std::string& tmp, std::string& why)
{
    if (std::remove(tmp.c_str()) != 0 && errno != ENOENT)
        why += "; " + quoted(tmp) + " could not be removed: " + errnoText(errno);
}

// Renames `from` over `to`; on failure removes `from`.
bool commit(const std::string& from, const std::string& to, std::string& why)
{
    if (std::rename(from.c_str(), to.c_str()) != 0) {
        why = "rename to " + quoted(to) + " failed: " + errnoText(errno);
        discard(from, why);
        return false;
    }
    return true;
}

// The part of a temporary file's name after the file it stands in for.
const char* const TemporaryMark = ".tmp.";

// Creates a new, empty file of this process's own beside `target`, named
// "<target>.tmp.<process id>.<n>" with the first n whose name is free, and
// opens it for writing. Created exclusively (O_EXCL), it is written by no
// one else: neither by another copy of the program saving the same file at
// the same moment, nor by an earlier save of this one. Null with errno set
// when it cannot be made.
std::FILE* createTemporary(const std::string& target, std::string& name)
{
    static unsigned long counter = 0;  // names already tried by this process
    for (int tries = 0; tries < 1000; ++tries) {
        name = target + TemporaryMark + std::to_string(::getpid()) + "." + std::to_string(counter++);
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;  // a leftover of a process that had this id before
            return nullptr;
        }
        std::FILE* file = ::fdopen(fd, "wb");
        if (!file) {
            const int err = errno;
            ::close(fd);
            std::remove(name.c_str());
            errno = err;
        }
        return file;
    }
    errno = EEXIST;
    return nullptr;
}

// Whether `name` (a name in the save file's folder) is a temporary file of
// the save file `base` or of one of its ".bad" copies: "<base>.tmp",
// "<base>.tmp.<...>", "<base>.bad<digits>.tmp" or "<base>.bad<digits>.tmp.<...>".
bool isTemporaryOf(const std::string& name, const std::string& base)
{
    if (name.compare(0, base.size(), base) != 0)
        return false;
    std::string rest = name.substr(base.size());
    if (rest.compare(0, 4, ".bad") == 0) {
        std::size_t i = 4;
        while (i < rest.size() && std::isdigit(static_cast<unsigned char>(rest[i])))
            ++i;
        rest = rest.substr(i);
    }
    return rest == ".tmp" || rest.compare(0, 5, TemporaryMark) == 0;
}

// What a failed save leaves on the disk. The file is not touched before the
// rename, so whatever was there is still there.
std::string whatIsKept(const std::string& path)
{
    struct stat info;
    if (::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode))
        return "the previous save is kept";
    return "nothing was saved";
}

// Whether anything exists under the name (a dangling link counts).
bool nameTaken(const std::string& path)
{
    struct stat info;
    return ::lstat(path.c_str(), &info) == 0 || errno != ENOENT;
}

// Copies the file at `from` in chunks into `out`, the new file `to` opened
// for writing, flushed to disk and closed; false with the reason in `why`,
// and no `to` left behind. `out` is closed either way.
bool copyFile(const std::string& from, std::FILE* out, const std::string& to, std::string& why)
{
    errno = 0;
    std::FILE* in = std::fopen(from.c_str(), "rb");
    if (!in) {
        why = "cannot read " + quoted(from) + ": " + errnoText(errno);
        std::fclose(out);
        std::remove(to.c_str());
        return false;
    }
    unsigned char chunk[16384];
    for (;;) {
        errno = 0;
        const std::size_t got = std::fread(chunk, 1, sizeof chunk, in);
        if (got < sizeof chunk && std::ferror(in)) {
            why = "reading " + quoted(from) + " failed: " + errnoText(errno != 0 ? errno : EIO);
            break;
        }
        errno = 0;
        if (got > 0 && std::fwrite(chunk, 1, got, out) != got) {
            why = "write failed: " + errnoText(errno);
            break;
        }
        if (got < sizeof chunk)
            break;
    }
    std::fclose(in);
    if (!why.empty()) {
        std::fclose(out);
    } else if (closeSynced(out, why)) {
        return true;
    }
    discard(to, why);
    return false;
}

} // namespace

FileSaveGame::FileSaveGame(const std::string& path_, AppContext* app_) : path(path_), app(app_) {}

FileSaveGame::~FileSaveGame()
{
    if (output)
        std::fclose(output);
}

void FileSaveGame::setFailureReport(FailureReport report)
{
    failureReport = std::move(report);
}

bool FileSaveGame::saveFailed(const std::string& reason)
{
    logError("save: " + reason);
    if (failureReport)
        failureReport(reason);
    return false;
}

bool FileSaveGame::save()
{
    if (output || input)
        return false;  // called from inside an entry: there is one stream only
    if (keepDamagedFile)
        return saveFailed("not saving over the damaged file " + quoted(path) + ": no copy of it could be kept");

    // A file of this save's own: two copies of the program saving the same
    // file at once each write their own and each rename a complete one.
    std::string tmp;
    errno = 0;
    output = createTemporary(path, tmp);
    if (!output) {
        const std::string reason = errnoText(errno);  // before whatIsKept asks the disk
        return saveFailed("cannot create " + quoted(tmp) + ": " + reason + "; " + whatIsKept(path));
    }
    writeFailed = false;
    writeErrno = 0;

    // Writes go to the temporary file; nothing below touches `path` until
    // the rename.
    bool ok = true;
    std::string why;
    if (app) {
        const std::string id = app->getGameId();
        ok = id.size() <= static_cast<std::size_t>(std::numeric_limits<int32_t>::max()) &&
             writeInt32(static_cast<int32_t>(id.size())) && write(id.data(), id.size());
    }
    if (ok)
        ok = saveEntries();
    if (!ok || writeFailed)
        why = writeFailed ? "write failed: " + errnoText(writeErrno) : "an entry could not be written";
    if (why.empty()) {
        ok = closeSynced(output, why);
    } else {
        std::fclose(output);
        output = nullptr;
        ok = false;
    }
    if (!ok) {
        discard(tmp, why);
        return saveFailed("writing " + quoted(tmp) + " failed (" + why + "); " + whatIsKept(path));
    }
    if (!commit(tmp, path, why))
        return saveFailed(why + "; " + whatIsKept(path));
    return true;
}

int FileSaveGame::removeLeftoverTemporaries()
{
    if (output || input)
        return 0;
    const std::size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash);
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return 0;
    int removed = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (!isTemporaryOf(name, base))
            continue;
        const std::string full = folder + "/" + name;
        struct stat info;
        // Plain files only: whatever else carries such a name is not ours.
        if (::lstat(full.c_str(), &info) == 0 && S_ISREG(info.st_mode) && std::remove(full.c_str()) == 0)
            ++removed;
    }
    ::closedir(dir);
    if (removed > 0)
        logWarning("save: removed " + std::to_string(removed) + " temporary file" + (removed == 1 ? "" : "s") +
                   " left in " + quoted(folder) + " by a save that was cut off");
    return removed;
}

bool FileSaveGame::load()
{
    if (output || input)
        return false;
    keepDamagedFile = false;

    // The file is read entry by entry, as the entries ask for their bytes:
    // every length in it is checked against the bytes the file holds after
    // it before anything is read or allocated for it, so a huge or damaged
    // file takes no more memory than the entries it holds.
    // What cannot be opened, or is no plain file (a folder, a device that
    // might never end), is neither loaded nor copied, and not saved over.
    auto unreadable = [this](int err) {
        keepDamagedFile = true;
        logError("save: cannot read " + quoted(path) + " (" + errnoText(err) +
                 "); no copy of it could be made, so it will not be saved over");
        return false;
    };
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        const int err = errno;
        if (err == ENOENT)
            return false;  // no save yet: the caller uses its defaults
        return unreadable(err);
    }
    struct stat info;
    errno = 0;
    const bool statted = ::fstat(::fileno(file), &info) == 0;
    if (!statted || !S_ISREG(info.st_mode)) {
        const int err = !statted ? (errno != 0 ? errno : EIO) : S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
        std::fclose(file);
        return unreadable(err);
    }

    // `input` is closed and cleared however the load ends, even when an
    // entry throws.
    struct InputGuard {
        std::FILE*& input;
        ~InputGuard()
        {
            if (input)
                std::fclose(input);
            input = nullptr;
        }
    } guard{input};
    input = file;
    inputSize = static_cast<std::size_t>(info.st_size);
    inputPos = 0;
    readErrno = 0;
    std::string headerFault;
    if (app) {
        int32_t n = 0;
        if (!readInt32(n)) {
            headerFault = "too short for a header";
        } else if (n < 0 || static_cast<std::size_t>(n) > bytesLeft()) {
            headerFault = "game id length " + std::to_string(n) + " does not fit the file";
        } else {
            const std::string expected = app->getGameId();
            // The id is the text up to its first zero byte. Only as much of
            // it is kept as the comparison and the error line need.
            const std::size_t keep = std::max<std::size_t>(expected.size() + 1, 64);
            std::string id;
            bool ended = false;
            char chunk[4096];
            for (std::size_t left = static_cast<std::size_t>(n); left > 0;) {
                const std::size_t part = std::min(left, sizeof chunk);
                if (!read(chunk, part)) {
                    headerFault = "the game id cannot be read";
                    break;
                }
                left -= part;
                const std::size_t text = ended ? 0 : ::strnlen(chunk, part);
                ended = ended || text < part;
                id.append(chunk, std::min(text, keep - std::min(keep, id.size())));
            }
            if (headerFault.empty() && id != expected)
                headerFault = "game id " + quoted(id.size() < keep ? id : id + "...") + " is not " + quoted(expected);
        }
    }
    if (!headerFault.empty()) {
        std::fclose(input);
        input = nullptr;
        const std::string kept = preserveDamaged();
        logError("save: " + quoted(path) + " is not this game's save or is damaged (" + headerFault +
                 (readErrno != 0 ? ", " + errnoText(readErrno) : std::string()) + "); no setting was loaded; " +
                 kept);
        return false;
    }

    std::string failedKey;
    const bool complete = loadEntries(failedKey);
    std::fclose(input);
    input = nullptr;
    if (!complete) {
        const std::string kept = preserveDamaged();
        logError("save: " + quoted(path) + " is damaged: entry " + quoted(failedKey) +
                 (readErrno != 0 ? " cannot be read (" + errnoText(readErrno) + ")"
                                 : std::string(" reads short or invalid")) +
                 "; it and the entries after it keep their values; " + kept);
    }
    // The header matched: the caller must not treat the file as absent and
    // write its defaults over what was loaded.
    return true;
}

std::string FileSaveGame::preserveDamaged()
{
    const std::string refusal = ", so it will not be saved over";
    // Every damaged file is kept: an earlier copy is never replaced.
    std::string bad = path + ".bad";
    for (int n = 1; nameTaken(bad); ++n) {
        if (n > MaxDamagedCopies) {
            keepDamagedFile = true;
            return "no copy of it could be kept (" + quoted(path + ".bad" + std::to_string(MaxDamagedCopies)) +
                   " and every name before it are taken)" + refusal;
        }
        bad = path + ".bad" + std::to_string(n);
    }
    // The copy is made from the file on disk, which is only read here: the
    // original stays as it is until a save replaces it by a rename.
    std::string tmp;
    std::string why;
    std::FILE* out = createTemporary(bad, tmp);
    if (!out)
        why = "cannot create " + quoted(tmp) + ": " + errnoText(errno);
    else if (copyFile(path, out, tmp, why))
        commit(tmp, bad, why);
    if (!why.empty()) {
        keepDamagedFile = true;
        return "no copy of it could be kept (" + why + ")" + refusal;
    }
    return "a copy is kept as " + quoted(bad);
}

bool FileSaveGame::write(const void* bytes, std::size_t count)
{
    if (!output || writeFailed)
        return false;
    if (count == 0)
        return true;
    errno = 0;
    if (std::fwrite(bytes, 1, count, output) != count) {
        writeFailed = true;
        writeErrno = errno;
        return false;
    }
    return true;
}

bool FileSaveGame::read(void* bytes, std::size_t count)
{
    if (!input || count > bytesLeft())
        return false;
    if (count == 0)
        return true;
    errno = 0;
    if (std::fread(bytes, 1, count, input) != count) {
        // An I/O error, or a file cut short while it was read: nothing more
        // of it is trusted.
        readErrno = std::ferror(input) ? (errno != 0 ? errno : EIO) : 0;
        inputPos = inputSize;
        return false;
    }
    inputPos += count;
    return true;
}

std::size_t FileSaveGame::bytesLeft() const
{
    return input ? inputSize - inputPos : 0;
}
