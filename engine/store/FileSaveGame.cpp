#include "engine/store/FileSaveGame.h"

#include "engine/core/AppContext.h"
#include "engine/core/Log.h"

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

// Reads the whole file. Returns false with `err` set (ENOENT for a missing
// file) when it cannot be opened or read to the end.
bool readWholeFile(const std::string& path, std::vector<unsigned char>& out, int& err)
{
    errno = 0;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        err = errno;
        return false;
    }
    unsigned char chunk[16384];
    for (;;) {
        const std::size_t got = std::fread(chunk, 1, sizeof chunk, f);
        out.insert(out.end(), chunk, chunk + got);
        if (got < sizeof chunk)
            break;
    }
    const bool ok = !std::ferror(f);
    err = ok ? 0 : (errno != 0 ? errno : EIO);
    std::fclose(f);
    return ok;
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

    std::vector<unsigned char> bytes;
    int err = 0;
    if (!readWholeFile(path, bytes, err)) {
        if (err == ENOENT)
            return false;  // no save yet: the caller uses its defaults
        const std::string kept = preserveDamaged(bytes, false);
        logError("save: cannot read " + quoted(path) + " (" + errnoText(err) + "); " + kept);
        return false;
    }

    // Every read below goes through read(), which refuses to read past the
    // end; the header length is checked against what is left before the id
    // is copied, so a huge length allocates nothing.
    // `input` must not outlive `bytes`, even when an entry throws.
    struct InputGuard {
        const std::vector<unsigned char>*& input;
        ~InputGuard() { input = nullptr; }
    } guard{input};
    input = &bytes;
    inputPos = 0;
    std::string headerFault;
    if (app) {
        int32_t n = 0;
        if (!readInt32(n)) {
            headerFault = "too short for a header";
        } else if (n < 0 || static_cast<std::size_t>(n) > bytesLeft()) {
            headerFault = "game id length " + std::to_string(n) + " does not fit the file";
        } else {
            const char* at = reinterpret_cast<const char*>(bytes.data() + inputPos);
            const std::string id(at, ::strnlen(at, static_cast<std::size_t>(n)));
            inputPos += static_cast<std::size_t>(n);
            const std::string expected = app->getGameId();
            if (id != expected)
                headerFault = "game id " + quoted(id) + " is not " + quoted(expected);
        }
    }
    if (!headerFault.empty()) {
        input = nullptr;
        const std::string kept = preserveDamaged(bytes, true);
        logError("save: " + quoted(path) + " is not this game's save or is damaged (" + headerFault +
                 "); no setting was loaded; " + kept);
        return false;
    }

    std::string failedKey;
    const bool complete = loadEntries(failedKey);
    input = nullptr;
    if (!complete) {
        const std::string kept = preserveDamaged(bytes, true);
        logError("save: " + quoted(path) + " is damaged: entry " + quoted(failedKey) +
                 " reads short or invalid; it and the entries after it keep their values; " + kept);
    }
    // The header matched: the caller must not treat the file as absent and
    // write its defaults over what was loaded.
    return true;
}

std::string FileSaveGame::preserveDamaged(const std::vector<unsigned char>& bytes, bool complete)
{
    const std::string refusal = ", so it will not be saved over";
    if (!complete) {
        keepDamagedFile = true;
        return "no copy of it could be made" + refusal;
    }
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
    const std::string tmp = bad + ".tmp";
    std::string why;
    errno = 0;
    std::FILE* f = std::fopen(tmp.c_str(), "wb");
    if (!f) {
        why = "cannot create " + quoted(tmp) + ": " + errnoText(errno);
    } else if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) {
        why = "write failed: " + errnoText(errno);
        std::fclose(f);
        std::remove(tmp.c_str());
    } else if (!closeSynced(f, why)) {
        std::remove(tmp.c_str());
    } else {
        commit(tmp, bad, why);
    }
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
    if (count > 0) {
        std::memcpy(bytes, input->data() + inputPos, count);
        inputPos += count;
    }
    return true;
}

std::size_t FileSaveGame::bytesLeft() const
{
    return input ? input->size() - inputPos : 0;
}
