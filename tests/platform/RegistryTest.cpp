#include "platform/RegistryFile.h"

#include "support/FileBytes.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace orvane {
namespace {

using namespace Qt::StringLiterals;
using test::ReadFile;
using test::WriteFile;

const QString kKey = u"software\\brimtove\\orvane"_s;

TEST(MemoryRegistry, KeysAndValuesBehaveAsInTheRegistry) {
    MemoryRegistry r;
    EXPECT_FALSE(r.KeyExists(kKey));
    EXPECT_FALSE(r.WriteText(kKey, u"A"_s, u"x"_s)); // a key must be opened (created) first
    ASSERT_TRUE(r.CreateKey(kKey + u"\\posflags"_s));
    EXPECT_TRUE(r.KeyExists(u"SOFTWARE\\Brimtove"_s)); // parents made, names without case

    ASSERT_TRUE(r.WriteText(kKey, u"MP3Base"_s, u"/m"_s));
    ASSERT_TRUE(r.WriteInteger(kKey, u"Cache"_s, -1));
    ASSERT_TRUE(r.WriteText(kKey, u"mp3base"_s, u"/n"_s)); // replaced in place
    EXPECT_EQ(r.ValueNames(kKey), (QStringList{u"MP3Base"_s, u"Cache"_s}));
    EXPECT_EQ(r.ReadText(kKey, u"MP3BASE"_s), u"/n");
    EXPECT_EQ(r.ReadInteger(kKey, u"Cache"_s), -1);
    EXPECT_FALSE(r.ReadInteger(kKey, u"MP3Base"_s)); // a text is not an integer
    EXPECT_FALSE(r.ReadText(kKey, u"Cache"_s));
    EXPECT_FALSE(r.ReadText(kKey, u"Missing"_s));
    EXPECT_FALSE(r.ReadText(u"no\\such"_s, u"x"_s));

    // Names a key cannot have are refused instead of making other keys.
    EXPECT_FALSE(r.CreateKey(kKey + u"\\\\double"_s));
    EXPECT_FALSE(r.CreateKey(kKey + u"\\line\nbreak"_s));
    EXPECT_FALSE(r.WriteText(kKey, u"bad\nname"_s, u"x"_s));
    EXPECT_EQ(r.SubKeys(kKey), QStringList{u"posflags"_s});

    ASSERT_TRUE(r.CreateKey(kKey + u"\\posflags\\deeper"_s));
    EXPECT_TRUE(r.DeleteKey(u"Software\\brimtove\\orvane\\POSFLAGS"_s));
    EXPECT_FALSE(r.KeyExists(kKey + u"\\posflags\\deeper"_s));
    EXPECT_TRUE(r.DeleteKey(kKey + u"\\posflags"_s)); // already gone: fine
    EXPECT_TRUE(r.KeyExists(kKey));
}

MemoryRegistry Sample() {
    MemoryRegistry r;
    r.CreateKey(kKey);
    r.WriteText(kKey, u"MP3Base"_s, u"c:\\music \"best\""_s);
    r.WriteText(kKey, u"Unicode"_s, u"K\u00f6ln \u266b"_s);
    r.WriteText(kKey, u"Lines"_s, u"one\r\ntwo"_s);
    r.WriteText(kKey, u"Quote\"d\\name"_s, QString());
    r.WriteText(kKey, QString(), u"default"_s);
    r.WriteInteger(kKey, u"Number"_s, 10);
    r.WriteInteger(kKey, u"Negative"_s, -2);
    r.CreateKey(kKey + u"\\empty key"_s);
    r.CreateKey(kKey + u"\\orvanebar\\groups\\AC%5CDC"_s);
    return r;
}

// Every key of a tree in order, each followed by its values with kind, text, integer and raw data.
QStringList Dump(const RegistryKeyNode& node, const QString& parent = {}) {
    QStringList lines{parent + node.Name};
    for (const RegistryValue& v : node.Values)
        lines << QStringList{v.Name, QString::number(int(v.Kind)), v.Text,
                             QString::number(v.Integer), v.Raw}
                     .join(u'|');
    for (const auto& child : node.Children)
        lines << Dump(*child, lines.front() + u'\\');
    return lines;
}

TEST(RegistryExport, WritesTheEditorsFormatAndReadsItBack) {
    const MemoryRegistry sample = Sample();
    const QByteArray bytes = WriteRegistryExport(sample.Root());
    const QByteArray expectedStart =
        "Windows Registry Editor Version 5.00\r\n\r\n"
        "[HKEY_CURRENT_USER\\software]\r\n\r\n"
        "[HKEY_CURRENT_USER\\software\\brimtove]\r\n\r\n"
        "[HKEY_CURRENT_USER\\software\\brimtove\\orvane]\r\n"
        "\"MP3Base\"=\"c:\\\\music \\\"best\\\"\"\r\n"
        "\"Unicode\"=\"K\xc3\xb6ln \xe2\x99\xab\"\r\n"
        "\"Lines\"=hex(1):6f,00,6e,00,65,00,0d,00,0a,00,74,00,77,00,6f,00,00,00\r\n"
        "\"Quote\\\"d\\\\name\"=\"\"\r\n"
        "@=\"default\"\r\n"
        "\"Number\"=dword:0000000a\r\n"
        "\"Negative\"=dword:fffffffe\r\n\r\n"
        "[HKEY_CURRENT_USER\\software\\brimtove\\orvane\\empty key]\r\n\r\n";
    EXPECT_TRUE(bytes.startsWith(expectedStart)) << bytes.toStdString();

    MemoryRegistry reread;
    const RegistryParse parse = ParseRegistryExport(bytes, reread.Root());
    EXPECT_TRUE(parse.recognised);
    EXPECT_EQ(parse.badLines, 0);
    EXPECT_EQ(Dump(reread.Root()), Dump(sample.Root()));
    EXPECT_EQ(WriteRegistryExport(reread.Root()), bytes);
}

TEST(RegistryExport, ReadsWhatTheRegistryEditorWrites) {
    // UTF-16LE with a byte order mark, continued hex lines, comments, deletions, unknown kinds.
    const QString text = u"Windows Registry Editor Version 5.00\r\n\r\n"
                         "; exported\r\n"
                         "[HKEY_CURRENT_USER\\Software\\Brimtove\\Orvane]\r\n"
                         "\"MP3Base\"=\"D:\\\\Mp3\"\r\n"
                         "\"Long\"=hex(2):25,00,55,00,53,00,45,00,52,00,\\\r\n"
                         "  25,00,00,00\r\n"
                         "\"Blob\"=hex:01,02,ff\r\n"
                         "\"Gone\"=dword:00000001\r\n"
                         "\"Gone\"=-\r\n"
                         "[HKEY_CURRENT_USER\\Software\\Brimtove\\Orvane\\old]\r\n"
                         "\"x\"=dword:1\r\n"
                         "[-HKEY_CURRENT_USER\\Software\\Brimtove\\Orvane\\old]\r\n"_s;
    QByteArray bytes("\xFF\xFE", 2);
    bytes.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);

    MemoryRegistry r;
    const RegistryParse parse = ParseRegistryExport(bytes, r.Root());
    EXPECT_TRUE(parse.recognised);
    EXPECT_EQ(parse.badLines, 0);
    EXPECT_EQ(r.ReadText(kKey, u"mp3base"_s), u"D:\\Mp3");
    EXPECT_EQ(r.ReadText(kKey, u"Long"_s), u"%USER%"); // an expandable text reads as text
    EXPECT_EQ(r.ValueNames(kKey), (QStringList{u"MP3Base"_s, u"Long"_s, u"Blob"_s}));
    EXPECT_FALSE(r.KeyExists(kKey + u"\\old"_s));
    EXPECT_TRUE(WriteRegistryExport(r.Root()).contains("\"Blob\"=hex:01,02,ff\r\n"));

    // A removed hive whose sections come back stays in its place, so that what is written
    // reads back the same.
    MemoryRegistry reordered;
    ParseRegistryExport("REGEDIT4\r\n[HKEY_CURRENT_USER\\a]\r\n\"x\"=dword:1\r\n"
                        "[HKEY_LOCAL_MACHINE\\b]\r\n\"y\"=dword:2\r\n[-HKEY_CURRENT_USER]\r\n"
                        "[HKEY_CURRENT_USER\\c]\r\n\"z\"=dword:3\r\n",
                        reordered.Root());
    EXPECT_FALSE(reordered.KeyExists(u"a"_s));
    const QByteArray written = WriteRegistryExport(reordered.Root());
    MemoryRegistry reread;
    ParseRegistryExport(written, reread.Root());
    EXPECT_EQ(WriteRegistryExport(reread.Root()), written);

    MemoryRegistry old;
    EXPECT_TRUE(ParseRegistryExport("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\brimtove\\orvane]\r\n"
                                    "\"Cache\"=dword:00000000\r\n",
                                    old.Root())
                    .recognised);
    EXPECT_EQ(old.ReadInteger(u"brimtove\\orvane"_s, u"Cache"_s), 0);
}

TEST(RegistryExport, DamagedLinesAreSkippedAndCounted) {
    MemoryRegistry r;
    const RegistryParse parse = ParseRegistryExport("Windows Registry Editor Version 5.00\n"
                                                    "\"orphan\"=\"before any key\"\n"
                                                    "[HKEY_CURRENT_USER\\a]\n"
                                                    "\"ok\"=\"yes\"\n"
                                                    "\"open=\"no end\n"
                                                    "\"num\"=dword:123456789\n"
                                                    "\"kind\"=qword:1\n"
                                                    "\"hex\"=hex:zz\n"
                                                    "[HKEY_CURRENT_USER\\a\\\\b]\n"
                                                    "\"lost\"=\"with its key\"\n"
                                                    "[HKEY_CURRENT_USER\\c\n",
                                                    r.Root());
    EXPECT_TRUE(parse.recognised);
    EXPECT_EQ(parse.badLines, 7);
    EXPECT_EQ(r.ValueNames(u"a"_s), QStringList{u"ok"_s});
    EXPECT_EQ(r.SubKeys(u"a"_s), QStringList());

    MemoryRegistry other;
    EXPECT_FALSE(
        ParseRegistryExport("[HKEY_CURRENT_USER\\a]\n\"x\"=\"y\"\n", other.Root()).recognised);
    EXPECT_FALSE(other.KeyExists(u"a"_s));
}

TEST(RegistryFile, LivesInOneFileWrittenWhole) {
    test::TempDir dir;
    const QString path = dir.file(u"brimtove/registry.reg"_s);
    {
        RegistryFile file(path);
        EXPECT_FALSE(file.HadProblems());
        EXPECT_FALSE(file.KeyExists(kKey));
        ASSERT_TRUE(file.CreateKey(kKey));
        ASSERT_TRUE(file.WriteText(kKey, u"MP3Base"_s, u"/music"_s));
        EXPECT_FALSE(QFile::exists(path)); // nothing on disk before Flush
        ASSERT_TRUE(file.Flush());         // the folder is made too
    }
    const QByteArray written = ReadFile(path);
    EXPECT_TRUE(written.startsWith("Windows Registry Editor Version 5.00\r\n"));
    EXPECT_TRUE(written.contains("\"MP3Base\"=\"/music\"\r\n"));

    RegistryFile again(path);
    EXPECT_EQ(again.ReadText(kKey, u"MP3Base"_s), u"/music");
    ASSERT_TRUE(again.Flush());
    EXPECT_EQ(ReadFile(path), written);
    EXPECT_FALSE(QFile::exists(path + u".bak"_s));
}

TEST(RegistryFile, ADamagedFileIsKeptAsBackupBeforeItIsReplaced) {
    test::TempDir dir;
    const QString path = dir.file(u"registry.reg"_s);
    const QByteArray damaged = "Windows Registry Editor Version 5.00\r\n"
                               "[HKEY_CURRENT_USER\\software\\brimtove\\orvane]\r\n"
                               "\"MP3Base\"=\"/kept\"\r\n"
                               "\"broken\"=\r\n";
    ASSERT_TRUE(WriteFile(path, damaged));
    RegistryFile file(path);
    EXPECT_TRUE(file.HadProblems());
    EXPECT_EQ(file.ReadText(kKey, u"MP3Base"_s), u"/kept");
    ASSERT_TRUE(file.WriteInteger(kKey, u"Cache"_s, 1));
    ASSERT_TRUE(file.Flush());
    EXPECT_EQ(ReadFile(path + u".bak"_s), damaged);
    EXPECT_TRUE(ReadFile(path).contains("\"Cache\"=dword:00000001"));
}

TEST(RegistryFile, AFileThatCannotBeReadIsNeverReplaced) {
    test::TempDir dir;
    // A folder where the file should be: there, but not readable as a file.
    const QString path = dir.file(u"registry.reg"_s);
    ASSERT_TRUE(QDir().mkpath(path));
    RegistryFile file(path);
    EXPECT_TRUE(file.HadProblems());
    ASSERT_TRUE(file.CreateKey(kKey));
    EXPECT_FALSE(file.Flush());
    EXPECT_TRUE(QFileInfo(path).isDir());
}

} // namespace
} // namespace orvane
