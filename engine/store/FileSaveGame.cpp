#include "engine/store/FileSaveGame.h"

#include "engine/core/AppContext.h"
#include "engine/core/Log.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

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

// Renames `from` over `to`; on failure removes `from`.
bool commit(const std::string& from, const std::string& to, std::string& why)
{
    if (std::rename(from.c_str(), to.c_str()) != 0) {
        why = "rename to " + quoted(to) + " failed: " + errnoText(errno);
        std::remove(from.c_str());
        return false;
    }
    return true;
}

// Whether anything exists under the name (a dangling link counts).
bool nameTaken(const std::string& path)
{
    struct stat info;
    return ::lstat(path.c_str(), &info) == 0 || errno != ENOENT;
}

// Copies the file at `from` to a new file `to` in chunks, flushed to disk
// and closed; false with the reason in `why`, and no `to` left behind.
bool copyFile(const std::string& from, const std::string& to, std::string& why)
{
    errno = 0;
    std::FILE* in = std::fopen(from.c_str(), "rb");
    if (!in) {
        why = "cannot read " + quoted(from) + ": " + errnoText(errno);
        return false;
    }
    errno = 0;
    std::FILE* out = std::fopen(to.c_str(), "wb");
    if (!out) {
        why = "cannot create " + quoted(to) + ": " + errnoText(errno);
        std::fclose(in);
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
    std::remove(to.c_str());
    return false;
}

} // namespace

FileSaveGame::FileSaveGame(const std::string& path_, AppContext* app_) : path(path_), app(app_) {}

FileSaveGame::~FileSaveGame()
{
    if (output)
        std::fclose(output);
}

bool FileSaveGame::save()
{
    if (output || input)
        return false;  // called from inside an entry: there is one stream only
    if (keepDamagedFile) {
        logError("save: not saving over the damaged file " + quoted(path) +
                 ": no copy of it could be kept");
        return false;
    }

    const std::string tmp = path + ".tmp";
    errno = 0;
    output = std::fopen(tmp.c_str(), "wb");
    if (!output) {
        logError("save: cannot create " + quoted(tmp) + ": " + errnoText(errno) +
                 "; the previous save is kept");
        return false;
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
        std::remove(tmp.c_str());
        logError("save: writing " + quoted(tmp) + " failed (" + why + "); the previous save is kept");
        return false;
    }
    if (!commit(tmp, path, why)) {
        logError("save: " + why + "; the previous save is kept");
        return false;
    }
    return true;
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
    const std::string tmp = bad + ".tmp";
    std::string why;
    if (copyFile(path, tmp, why))
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
