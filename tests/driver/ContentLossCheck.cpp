#include "tests/driver/ContentLossCheck.h"

#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;

namespace {

std::string extensionOf(const std::string& file)
{
    std::string ext = fs::path(file).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return ext;
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    return bool(out);
}

// The last lines of a child's output, indented, for a failure message.
std::string tail(const std::string& output, int lines)
{
    size_t pos = output.size();
    for (int i = 0; i <= lines && pos > 0; ++i) {
        const size_t nl = output.rfind('\n', pos - 1);
        if (nl == std::string::npos) {
            pos = 0;
            break;
        }
        pos = nl;
    }
    std::string text = output.substr(pos);
    std::string out;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line))
        if (!line.empty())
            out += "\n    " + line;
    return out;
}

double secondsSince(std::chrono::steady_clock::time_point t0)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

} // namespace

ContentLossCheck::ContentLossCheck(std::string contentFolder, std::string workFolder, StartFunction s)
    : content(fs::absolute(contentFolder).lexically_normal().string()),
      work(fs::absolute(workFolder).lexically_normal().string()), start(std::move(s))
{
    while (!content.empty() && content.back() == '/')
        content.pop_back();
}

bool ContentLossCheck::isStructuredText(const std::string& file)
{
    const std::string ext = extensionOf(file);
    return ext == ".xml" || ext == ".fnt" || ext == ".cfg";
}

bool ContentLossCheck::absenceIsSilent(const std::string& file)
{
    // A JPEG's mask is optional: without it the picture is drawn opaque.
    const std::string stem = fs::path(file).stem().string();
    const std::string ext = extensionOf(file);
    return (ext == ".jpg" || ext == ".jpeg") && !stem.empty() && stem.back() == '_';
}

const char* ContentLossCheck::changeName(Change change)
{
    switch (change) {
    case Change::None:
        return "unchanged";
    case Change::Missing:
        return "missing";
    case Change::Half:
        return "cut to half";
    case Change::Garbage:
        return "random bytes";
    }
    return "?";
}

std::vector<ContentLossCheck::Case> ContentLossCheck::casesFor(const std::vector<std::string>& files)
{
    std::vector<Case> cases;
    for (const std::string& file : files) {
        cases.push_back({file, Change::Missing});
        if (isStructuredText(file)) {
            cases.push_back({file, Change::Half});
            cases.push_back({file, Change::Garbage});
        }
    }
    return cases;
}

std::string ContentLossCheck::judge(const Case& c, int status, const std::string& output)
{
    if (WIFSIGNALED(status))
        return "crashed (signal " + std::to_string(WTERMSIG(status)) + ")" + tail(output, 8);
    if (!WIFEXITED(status))
        return "ended oddly" + tail(output, 8);
    const std::string name = fs::path(c.file).filename().string();
    const bool named = output.find(name) != std::string::npos;
    switch (WEXITSTATUS(status)) {
    case Reached:
        if (c.change != Change::None && !named && !(c.change == Change::Missing && absenceIsSilent(c.file)))
            return std::string("started, but nothing on the output names the ") +
                   (c.change == Change::Missing ? "missing" : "damaged") + " file";
        return std::string();
    case Refused:
        if (c.change != Change::Missing)
            return "refused to start over a damaged file" + tail(output, 4);
        if (!named)
            return "refused to start without naming the file" + tail(output, 4);
        return std::string();
    case NoStart:
        return "did not start" + tail(output, 6);
    case NoStartScreen:
        return "never reached its start screen" + tail(output, 6);
    default:
        return "exited with status " + std::to_string(WEXITSTATUS(status)) + tail(output, 8);
    }
}

bool ContentLossCheck::makeSlots()
{
    std::error_code ec;
    fs::remove_all(work, ec);
    slotRoots.clear();
    for (int i = 0; i < std::max(1, jobs); ++i) {
        const std::string root = work + "/slot" + std::to_string(i);
        fs::create_directories(root, ec);
        fs::copy(content, root + "/content", fs::copy_options::recursive | fs::copy_options::create_hard_links, ec);
        if (ec) {
            ec.clear();
            fs::remove_all(root + "/content", ec);
            fs::copy(content, root + "/content", fs::copy_options::recursive, ec);
        }
        if (ec) {
            std::printf("content-loss: cannot copy %s to %s: %s\n", content.c_str(), root.c_str(),
                        ec.message().c_str());
            return false;
        }
        slotRoots.push_back(root);
    }
    return true;
}

int ContentLossCheck::spawn(const std::string& root, const std::string& logPath) const
{
    std::error_code ec;
    fs::remove_all(root + "/appdata", ec);
    fs::create_directories(root + "/appdata", ec);
    std::fflush(stdout);
    std::fflush(stderr);
    const pid_t pid = ::fork();
    if (pid != 0)
        return pid;
    // The child: its own folder, save folder and output file.
    if (::chdir(root.c_str()) != 0)
        std::_Exit(NoStart);
    ::setenv("APPDATA", (root + "/appdata").c_str(), 1);
    if (!std::freopen(logPath.c_str(), "w", stdout))
        std::_Exit(NoStart);
    ::dup2(STDOUT_FILENO, STDERR_FILENO);
    setvbuf(stdout, nullptr, _IOLBF, 0);
    const int outcome = start();
    std::fflush(stdout);
    std::exit(outcome);
}

bool ContentLossCheck::recordFilesRead()
{
    const int fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd < 0) {
        std::printf("content-loss: inotify: %s\n", std::strerror(errno));
        return false;
    }
    const std::string root = slotRoots.front();
    std::map<int, std::string> folders;  // watch -> "content/..."
    auto watch = [&](const fs::path& dir) {
        const int wd = ::inotify_add_watch(fd, dir.c_str(), IN_OPEN);
        if (wd >= 0)
            folders[wd] = fs::relative(dir, root).string();
    };
    watch(root + "/content");
    for (const auto& entry : fs::recursive_directory_iterator(root + "/content"))
        if (entry.is_directory())
            watch(entry.path());

    const std::string logPath = work + "/first-start.log";
    const int pid = spawn(root, logPath);
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid) {
        ::close(fd);
        std::printf("content-loss: the first start could not be run\n");
        return false;
    }
    const std::string failure = judge({"", Change::None}, status, readFile(logPath));
    if (!failure.empty()) {
        ::close(fd);
        std::printf("content-loss: FAIL the game with its whole content: %s\n", failure.c_str());
        return false;
    }

    std::set<std::string> seen;
    readFiles.clear();
    alignas(inotify_event) char buffer[64 * 1024];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0)
            break;
        for (ssize_t off = 0; off < n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + off);
            off += ssize_t(sizeof(inotify_event) + event->len);
            if ((event->mask & IN_ISDIR) || event->len == 0 || !folders.count(event->wd))
                continue;
            const std::string file = folders[event->wd] + "/" + event->name;
            if (seen.insert(file).second)
                readFiles.push_back(file);
        }
    }
    ::close(fd);
    return !readFiles.empty();
}

bool ContentLossCheck::applyChange(const std::string& slotRoot, const std::string& source, const Case& c,
                                   unsigned seed)
{
    const std::string target = slotRoot + "/" + c.file;
    std::error_code ec;
    fs::remove(target, ec);  // the link only; the real file stays
    if (c.change == Change::Missing)
        return !fs::exists(target, ec);
    std::string bytes = readFile(source);
    if (c.change == Change::Half) {
        bytes.resize(bytes.size() / 2);
    } else {
        std::mt19937 rng(seed ^ static_cast<unsigned>(std::hash<std::string>()(c.file)));
        for (char& b : bytes)
            b = static_cast<char>(rng() & 0xff);
    }
    return writeFile(target, bytes);
}

bool ContentLossCheck::restore(const std::string& slotRoot, const std::string& source, const std::string& file)
{
    const std::string target = slotRoot + "/" + file;
    std::error_code ec;
    fs::remove(target, ec);
    fs::create_hard_link(source, target, ec);
    if (ec) {
        ec.clear();
        fs::copy_file(source, target, ec);
    }
    return !ec;
}

std::string ContentLossCheck::runCases(const std::vector<Case>& cases, int& failures)
{
    struct Running {
        int pid;
        size_t caseIndex;
        std::chrono::steady_clock::time_point started;
    };
    std::vector<Running> running(slotRoots.size(), Running{-1, 0, {}});
    const std::string contentParent = fs::path(content).parent_path().string();
    size_t next = 0;
    size_t done = 0;
    while (done < cases.size()) {
        for (size_t slot = 0; slot < running.size() && next < cases.size(); ++slot) {
            if (running[slot].pid >= 0)
                continue;
            const Case& c = cases[next];
            if (!applyChange(slotRoots[slot], contentParent + "/" + c.file, c, seed))
                return "cannot change " + c.file + " in " + slotRoots[slot];
            const std::string logPath = slotRoots[slot] + "/case.log";
            const int pid = spawn(slotRoots[slot], logPath);
            if (pid < 0)
                return "fork failed";
            running[slot] = {pid, next, std::chrono::steady_clock::now()};
            ++next;
        }
        bool reaped = false;
        for (size_t slot = 0; slot < running.size(); ++slot) {
            Running& r = running[slot];
            if (r.pid < 0)
                continue;
            int status = 0;
            pid_t got = ::waitpid(r.pid, &status, WNOHANG);
            if (got == 0 && secondsSince(r.started) > timeoutSeconds) {
                ::kill(r.pid, SIGKILL);
                got = ::waitpid(r.pid, &status, 0);
            }
            if (got != r.pid)
                continue;
            const Case& c = cases[r.caseIndex];
            const std::string output = readFile(slotRoots[slot] + "/case.log");
            std::string failure = judge(c, status, output);
            if (WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
                failure = "still running after " + std::to_string(timeoutSeconds) + " s of real time (killed)" +
                          tail(output, 6);
            if (!failure.empty()) {
                ++failures;
                std::printf("content-loss: FAIL %s %s: %s\n", c.file.c_str(), changeName(c.change), failure.c_str());
            }
            if (!restore(slotRoots[slot], contentParent + "/" + c.file, c.file))
                return "cannot put " + c.file + " back in " + slotRoots[slot];
            r.pid = -1;
            ++done;
            reaped = true;
        }
        if (!reaped)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return std::string();
}

bool ContentLossCheck::run()
{
    const auto t0 = std::chrono::steady_clock::now();
    // The children draw into one pixel: the software GL's worker threads
    // would cost each start more than they save.
    ::setenv("LP_NUM_THREADS", "0", 0);
    if (!makeSlots() || !recordFilesRead())
        return false;
    std::vector<Case> cases = casesFor(readFiles);
    const size_t all = cases.size();
    if (sample > 0 && size_t(sample) < cases.size()) {
        std::mt19937 rng(seed);
        std::shuffle(cases.begin(), cases.end(), rng);
        cases.resize(size_t(sample));
    }
    std::printf("content-loss: %zu files read on the way to the start screen; %zu of %zu cases, %d at once\n",
                readFiles.size(), cases.size(), all, jobs);
    int failures = 0;
    const std::string problem = runCases(cases, failures);
    std::error_code ec;
    // CONTENT_LOSS_KEEP=1 keeps the slots and the first start's log to look at.
    if (!problem.empty())
        std::printf("content-loss: %s\n", problem.c_str());
    else if (!std::getenv("CONTENT_LOSS_KEEP"))
        fs::remove_all(work, ec);
    std::printf("content-loss: %zu cases, %d failed, %.1f s\n", cases.size(), failures, secondsSince(t0));
    return problem.empty() && failures == 0;
}
