// Start-up of the whole program over a collection of 100,000 songs: the CPU time and the peak
// resident memory of one run of `orvane --screenshot` (start-up, then shutdown), best of five.
// Usage: bench_startup [path of the orvane program]   (default: the one of this build)

#include "GeneratedCollection.h"
#include "store/CacheFile.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <optional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int kSongs = 100000;
constexpr int kRuns = 5;

void WriteCollection(const QString& path) {
    const std::vector<orvane::SongRecord> records = orvane::bench::GeneratedRecords(kSongs);
    if (!orvane::SaveCacheFile(path, records, [](const orvane::SongRecord&) { return true; }))
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
}

struct Usage {
    double cpuSeconds = 0;
    long maxRssKb = 0;
};

// One run of the program; nothing on failure.
std::optional<Usage> RunOnce(const char* program, const QString& shot) {
    const QByteArray shotPath = shot.toLocal8Bit();
    const pid_t child = fork();
    if (child == 0) {
        execl(program, program, "--screenshot", shotPath.constData(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (child < 0 || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        return std::nullopt;
    const auto seconds = [](const timeval& t) {
        return double(t.tv_sec) + t.tv_usec / 1e6;
    };
    return Usage{seconds(usage.ru_utime) + seconds(usage.ru_stime), usage.ru_maxrss};
}

} // namespace

int main(int argc, char* argv[]) {
    const char* program = argc > 1 ? argv[1] : ORVANE_PROGRAM;
    orvane::test::TempDir dir;
    const QString home = dir.file(QStringLiteral("home")),
                  music = dir.file(QStringLiteral("music"));
    const QString config = dir.file(QStringLiteral("config"));
    QDir().mkpath(home);
    QDir().mkpath(music);
    QDir().mkpath(config + QStringLiteral("/brimtove"));
    WriteCollection(home + QStringLiteral("/local.orv"));
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
    const auto cpu = std::min_element(runs.begin(), runs.end(),
                                      [](auto& a, auto& b) { return a.cpuSeconds < b.cpuSeconds; });
    const auto rss = std::min_element(runs.begin(), runs.end(),
                                      [](auto& a, auto& b) { return a.maxRssKb < b.maxRssKb; });
    std::printf("start-up and shutdown with %d songs: CPU %.3f s, peak resident memory %.1f MB "
                "(best of %zu runs)\n",
                kSongs, cpu->cpuSeconds, rss->maxRssKb / 1024.0, runs.size());
    return 0;
}
