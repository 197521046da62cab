// Start-up and shutdown of the whole program over a generated collection (100,000 songs by
// 4,000 artists on 9,000 albums unless ORVANE_BENCH_SONGS names another count; the same
// proportions of artists and albums at every size). One run of `orvane --screenshot` starts,
// saves its picture once the window is usable and then shuts down as on SIGTERM. Printed, best
// of five runs: the CPU time up to the picture (start-up), the resident memory then (idle), the
// wall time from the picture to the end of the process (shutdown) and the whole run's CPU time
// and peak resident memory. Then three runs with one song in the folder of removed songs: the
// start-up adds it, so that their shutdown writes the whole collection again.
// Usage: bench_startup [path of the orvane program]   (default: the one of this build)

#include "GeneratedCollection.h"
#include "store/CacheFile.h"
#include "support/MpegFixture.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr int kRuns = 5;

void WriteCollection(const QString& path, int songs) {
    const std::vector<orvane::SongRecord> records = orvane::bench::GeneratedRecords(
        songs, std::max(1, songs / 25), std::max(1, songs / 100 * 9));
    if (!orvane::SaveCacheFile(path, records))
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
}

struct Usage {
    double startupCpu = 0;   // s, up to the picture
    double idleRssMb = 0;    // resident memory at the picture
    double shutdownWall = 0; // s, from the picture to the end of the process
    double totalCpu = 0;
    double peakRssMb = 0;
};

// CPU seconds the process has used so far, from /proc/<pid>/stat.
double CpuSoFar(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const size_t close = text.rfind(')');
    if (close == std::string::npos)
        return 0;
    std::istringstream rest(text.substr(close + 2));
    std::string field;
    unsigned long long utime = 0, stime = 0;
    for (int i = 3; i <= 15 && rest >> field; ++i) { // fields 14 and 15: utime, stime
        if (i == 14)
            utime = std::stoull(field);
        if (i == 15)
            stime = std::stoull(field);
    }
    return double(utime + stime) / double(sysconf(_SC_CLK_TCK));
}

double ResidentMb(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    return 0;
}

// One run of the program; nothing on failure.
std::optional<Usage> RunOnce(const char* program, const QString& shot) {
    QFile::remove(shot);
    const QByteArray shotPath = shot.toLocal8Bit();
    const pid_t child = fork();
    if (child == 0) {
        execl(program, program, "--screenshot", shotPath.constData(), static_cast<char*>(nullptr));
        _exit(127);
    }
    if (child < 0)
        return std::nullopt;
    Usage result;
    int status = 0;
    struct stat info {};
    // The picture is saved once start-up has finished; the shutdown is asked for right after.
    while (stat(shotPath.constData(), &info) != 0) {
        if (waitpid(child, &status, WNOHANG) == child)
            return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    result.startupCpu = CpuSoFar(child);
    result.idleRssMb = ResidentMb(child);
    const auto pictureAt = std::chrono::steady_clock::now();
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    result.shutdownWall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - pictureAt).count();
    const auto seconds = [](const timeval& t) {
        return double(t.tv_sec) + t.tv_usec / 1e6;
    };
    result.totalCpu = seconds(usage.ru_utime) + seconds(usage.ru_stime);
    result.peakRssMb = usage.ru_maxrss / 1024.0;
    return result;
}

double Best(const std::vector<Usage>& runs, double Usage::*field) {
    double best = runs.front().*field;
    for (const Usage& u : runs)
        best = std::min(best, u.*field);
    return best;
}

} // namespace

int main(int argc, char* argv[]) {
    const char* program = argc > 1 ? argv[1] : ORVANE_PROGRAM;
    const int songs = orvane::bench::BenchSongs(100000);
    orvane::test::TempDir dir;
    const QString home = dir.file(QStringLiteral("home")),
                  music = dir.file(QStringLiteral("music"));
    const QString config = dir.file(QStringLiteral("config"));
    QDir().mkpath(home);
    QDir().mkpath(music);
    QDir().mkpath(config + QStringLiteral("/brimtove"));
    WriteCollection(home + QStringLiteral("/local.orv"), songs);
    QFile registry(config + QStringLiteral("/brimtove/registry.reg"));
    if (!registry.open(QIODevice::WriteOnly) ||
        registry.write("Windows Registry Editor Version 5.00\r\n\r\n"
                       "[HKEY_CURRENT_USER\\software\\brimtove\\orvane]\r\n\"MP3Base\"=\"" +
                       music.toUtf8() + "\"\r\n") < 0)
        return 1;
    registry.close();
    setenv("ORVANE_HOME", qPrintable(home), 1);
    setenv("XDG_CONFIG_HOME", qPrintable(config), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);

    std::vector<Usage> runs;
    for (int i = 0; i < kRuns; ++i)
        if (auto usage = RunOnce(program, dir.file(QStringLiteral("shot.png"))))
            runs.push_back(*usage);
    if (runs.empty()) {
        std::fprintf(stderr, "%s did not start and end cleanly\n", program);
        return 1;
    }
    std::printf("%d songs, best of %zu runs:\n"
                "  start-up to a usable window: CPU %.3f s\n"
                "  resident memory once started: %.1f MB\n"
                "  shutdown: %.3f s\n"
                "  whole run: CPU %.3f s, peak resident memory %.1f MB\n",
                songs, runs.size(), Best(runs, &Usage::startupCpu), Best(runs, &Usage::idleRssMb),
                Best(runs, &Usage::shutdownWall), Best(runs, &Usage::totalCpu),
                Best(runs, &Usage::peakRssMb));

    const QString collection = home + QStringLiteral("/local.orv");
    const QString unchanged = dir.file(QStringLiteral("local.orv.first"));
    QDir().mkpath(home + QStringLiteral("/recycle"));
    QFile song(home + QStringLiteral("/recycle/new song.mp3"));
    if (!QFile::copy(collection, unchanged) || !song.open(QIODevice::WriteOnly) ||
        song.write(orvane::test::MakeMpegStream({})) < 0)
        return 1;
    song.close();
    std::vector<Usage> changed;
    for (int i = 0; i < 3; ++i) {
        QFile::remove(collection);
        if (!QFile::copy(unchanged, collection))
            return 1;
        if (auto usage = RunOnce(program, dir.file(QStringLiteral("shot.png"))))
            changed.push_back(*usage);
    }
    QFile written(collection);
    if (!written.open(QIODevice::ReadOnly) || !written.readAll().contains("new song.mp3"))
        std::fprintf(stderr, "the removed song was not added\n");
    else if (!changed.empty())
        std::printf("  with a song added (its look-up indexes every song), best of %zu runs: "
                    "start-up CPU %.3f s, shutdown %.3f s\n",
                    changed.size(), Best(changed, &Usage::startupCpu),
                    Best(changed, &Usage::shutdownWall));
    return 0;
}
