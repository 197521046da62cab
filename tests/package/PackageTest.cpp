// The program as installed by `cmake --install` and packed by `cpack -G DEB`: every file in its
// place, the shipped data found from the installed executable, and the package's dependencies
// taken from the libraries the program links.

#include "platform/Paths.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

namespace orvane {
namespace {

using namespace Qt::StringLiterals;

// Runs a program to its end; its output, or an empty text with a failure when it fails.
QString RunTool(const QString& program, const QStringList& arguments,
                const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    const bool finished = process.waitForFinished(120000);
    const QString output = QString::fromLocal8Bit(process.readAllStandardOutput());
    const QString errors = QString::fromLocal8Bit(process.readAllStandardError());
    EXPECT_TRUE(finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
        << qPrintable(program) << ' ' << qPrintable(arguments.join(u' ')) << '\n'
        << qPrintable(output) << qPrintable(errors);
    return output;
}

// The files of the desktop's menu, icons, metainfo and manual, the shipped data and the web
// view's module, below a prefix.
const QStringList kDesktopFiles = {
    u"lib/orvane/orvane_webview.so"_s,
    u"share/applications/orvane.desktop"_s,
    u"share/metainfo/org.brimtove.orvane.metainfo.xml"_s,
    u"share/icons/hicolor/scalable/apps/orvane.svg"_s,
    u"share/icons/hicolor/16x16/apps/orvane.png"_s,
    u"share/icons/hicolor/48x48/apps/orvane.png"_s,
    u"share/icons/hicolor/256x256/apps/orvane.png"_s,
    u"share/man/man1/orvane.1.gz"_s,
    u"share/orvane/html/orvane_startpage.htm"_s,
    u"share/orvane/help/index.htm"_s,
};

TEST(Installed, TreeRunsAndFindsItsData) {
    test::TempDir prefix;
    RunTool(QStringLiteral(ORVANE_CMAKE),
            {u"--install"_s, QStringLiteral(ORVANE_BUILD_DIR), u"--prefix"_s, prefix.path()});
    const QString bin = prefix.file(u"bin"_s);
    ASSERT_TRUE(QFileInfo(bin + u"/orvane"_s).isExecutable());
    for (const QString& file : kDesktopFiles)
        EXPECT_TRUE(QFileInfo::exists(prefix.file(file))) << qPrintable(file);
    // Nothing to write lands in the installed tree, and no marker makes it a portable copy.
    EXPECT_FALSE(QFileInfo::exists(prefix.file(u"bin/portable"_s)));
    EXPECT_EQ(ProgramFolderFor({}, bin, prefix.file(u"data"_s)),
              prefix.file(u"data/brimtove/orvane/"_s));

    // The program's lookup from the installed executable.
    EXPECT_EQ(ShippedDataIn(bin, u"html/orvane_startpage.htm"_s),
              prefix.file(u"share/orvane/html/orvane_startpage.htm"_s));
    EXPECT_EQ(ShippedDataIn(bin, u"help"_s), prefix.file(u"share/orvane/help"_s));

    // The version answers without a display.
    QProcessEnvironment bare = QProcessEnvironment::systemEnvironment();
    for (const QString& name : {u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s, u"QT_QPA_PLATFORM"_s})
        bare.remove(name);
    EXPECT_EQ(RunTool(bin + u"/orvane"_s, {u"--version"_s}, bare),
              u"orvane " ORVANE_VERSION u"\n"_s);
}

TEST(Installed, DebianPackageHoldsTheTreeAndItsLibraries) {
    test::TempDir out;
    RunTool(QStringLiteral(ORVANE_CPACK), {u"-G"_s, u"DEB"_s, u"-B"_s, out.path(), u"--config"_s,
                                           QStringLiteral(ORVANE_BUILD_DIR "/CPackConfig.cmake")});
    const QStringList debs = QDir(out.path()).entryList({u"orvane_" ORVANE_VERSION u"_*.deb"_s});
    ASSERT_EQ(debs.size(), 1);
    const QString deb = out.file(debs[0]);

    const QString listing = RunTool(u"dpkg-deb"_s, {u"-c"_s, deb});
    EXPECT_TRUE(listing.contains(u"./usr/bin/orvane\n"_s)) << qPrintable(listing);
    for (const QString& file : kDesktopFiles)
        EXPECT_TRUE(listing.contains(u"./usr/"_s + file + u'\n')) << qPrintable(file);
    EXPECT_FALSE(listing.contains(u"portable"_s));

    const QString depends = RunTool(u"dpkg-deb"_s, {u"-f"_s, deb, u"Depends"_s});
    for (const QString& library : {u"libqt6widgets6"_s, u"libqt6webenginewidgets6"_s,
                                   u"libmpg123-0"_s, u"libsdl2-2.0-0"_s, u"libsndfile1"_s})
        EXPECT_TRUE(depends.contains(library)) << qPrintable(depends);
}

} // namespace
} // namespace orvane
