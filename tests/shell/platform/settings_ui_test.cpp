// The profile functions: defaults, round trips, what counts as an integer, deleting,
// failing writes, where the store lives, and its file format against QSettings itself.

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <optional>
#include <random>
#include <string>

#include <malloc.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>

#include "platform_test_support.h"
#include "shell/platform/app.h"
#include "shell/platform/seams.h"
#include "support/store_generator.h"

namespace {

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        path = FreshProfilePath(::testing::UnitTest::GetInstance()->current_test_info()->name());
        SetProfileFileForTesting(path.c_str());
        app.SetRegistryKey("quendel");
    }
    void TearDown() override {
        SetProfileFileForTesting(nullptr);
        std::filesystem::remove_all(std::filesystem::path(path).parent_path());
    }

    void WriteFile(const std::string& text) { std::ofstream(path) << text; }
    std::string Slurp() const {
        std::ifstream file(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    }
    int ReadInt(const char* entry, int defaultValue) {
        return static_cast<int>(app.GetProfileInt("Settings", entry, defaultValue));
    }

    std::string path;
    CWinApp app;
};

}  // namespace

TEST_F(SettingsTest, AnEmptyStoreGivesTheDefaults) {
    EXPECT_EQ(ReadInt("Level", 2), 2);
    EXPECT_EQ(ReadInt("XGridSize", -7), -7);
    EXPECT_EQ(app.GetProfileString("Settings", "BallColour", "255").str(), "255");
    EXPECT_EQ(app.GetProfileString("Settings", "BallColour").str(), "");
    // Reading creates nothing.
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(SettingsTest, WrittenValuesReadBack) {
    EXPECT_TRUE(app.WriteProfileInt("Settings", "Level", 4));
    EXPECT_TRUE(app.WriteProfileInt("Settings", "BallSpeed", -3));
    EXPECT_TRUE(app.WriteProfileString("Settings", "BallColour", "16711680"));
    EXPECT_TRUE(app.WriteProfileString("Settings", "Home0", "(3,4)"));
    EXPECT_TRUE(app.WriteProfileString("Settings", "Name", "Größe, groß"));
    EXPECT_EQ(ReadInt("Level", 2), 4);
    EXPECT_EQ(ReadInt("BallSpeed", 10), -3);
    EXPECT_EQ(app.GetProfileString("Settings", "BallColour", "255").str(), "16711680");
    EXPECT_EQ(app.GetProfileString("Settings", "Home0", "").str(), "(3,4)");
    EXPECT_EQ(app.GetProfileString("Settings", "Name", "").str(), "Größe, groß");
    // An integer written as text reads as that integer.
    EXPECT_EQ(ReadInt("BallColour", 0), 16711680);
}

TEST_F(SettingsTest, AStoredValueThatIsNoThirtyTwoBitIntegerReadsAsTheDefault) {
    WriteFile(
        "[Settings]\n"
        "Garbage=abc\n"
        "Trailing=12abc\n"
        "Huge=99999999999\n"
        "List=1,2\n"
        "Empty=\n"
        "Lowest=-2147483648\n");
    EXPECT_EQ(ReadInt("Garbage", 15), 15);
    EXPECT_EQ(ReadInt("Trailing", 15), 15);
    EXPECT_EQ(ReadInt("Huge", 15), 15);
    EXPECT_EQ(ReadInt("List", 15), 15);
    EXPECT_EQ(ReadInt("Empty", 15), 15);
    EXPECT_EQ(ReadInt("Lowest", 15), -2147483647 - 1);
    // As text, a hand-written list is read back whole.
    EXPECT_EQ(app.GetProfileString("Settings", "List", "").str(), "1,2");
}

TEST_F(SettingsTest, WritingNoTextDeletesTheValueAndNoEntryTheSection) {
    ASSERT_TRUE(app.WriteProfileInt("Settings", "HomeCount", 3));
    ASSERT_TRUE(app.WriteProfileString("Settings", "Home0", "(1,1)"));
    EXPECT_TRUE(app.WriteProfileString("Settings", "HomeCount", nullptr));
    EXPECT_EQ(ReadInt("HomeCount", 0), 0);
    EXPECT_EQ(app.GetProfileString("Settings", "Home0", "").str(), "(1,1)");
    EXPECT_TRUE(app.WriteProfileString("Settings", nullptr, nullptr));
    EXPECT_EQ(app.GetProfileString("Settings", "Home0", "gone").str(), "gone");
}

TEST_F(SettingsTest, AGarbledFileReadsAsDefaultsAndIsRepairedByTheNextWrite) {
    WriteFile("[Settings\n\x01\x02 = = =\nLevel");
    EXPECT_EQ(ReadInt("Level", 2), 2);
    EXPECT_TRUE(app.WriteProfileInt("Settings", "Level", 3));
    EXPECT_EQ(ReadInt("Level", 2), 3);
}

// Guards against values that read as missing at start-up and as stored later on, which
// the store files of the monkey found: QSettings looked for them in a [Settings/...]
// section that sorts between [Settings] and the key, until a write had read the file whole.
TEST_F(SettingsTest, ASubsectionHidesNoValueOfTheSection) {
    WriteFile(
        "[Settings]\nBallColour=65280\nXGridSize=20\nYGridSize=12\n"
        "[Settings/Sub]\nA=1\n[Settings/Z]\nB=2\n");
    EXPECT_EQ(ReadInt("XGridSize", 15), 20);
    EXPECT_EQ(ReadInt("YGridSize", 10), 12);
    EXPECT_EQ(app.GetProfileString("Settings", "BallColour", "255").str(), "65280");
    EXPECT_EQ(ReadInt("Sub/A", 0), 1);
}

// Guards against a start that took minutes on a store of thousands of layout entries,
// which the store files of the monkey found: each value read the whole file again, and
// deleting each entry a huge count names rewrote it. The bytes the process reads and
// the file that a delete leaves in place show it, without timing anything.
TEST_F(SettingsTest, ReadingEveryEntryOfALongLayoutReadsTheFileOnceAndNoDeleteOfNothingWrites) {
    std::string text = "[Settings]\nHomeCount=2000\n";
    for (int i = 0; i < 2000; ++i)
        text +=
            std::string("Home") + std::to_string(i) + "=\"(" + std::to_string(i % 100) + ",7)\"\n";
    WriteFile(text);
    auto bytesRead = [] {
        std::ifstream io("/proc/self/io");
        std::string field;
        long long value = -1;
        while (io >> field >> value && field != "rchar:") {
        }
        return field == "rchar:" ? value : -1;
    };
    const long long before = bytesRead();
    if (before < 0)
        GTEST_SKIP() << "the kernel counts no bytes read";
    for (int i = 0; i < 2000; ++i) {
        const std::string name = std::string("Home") + std::to_string(i);
        ASSERT_EQ(app.GetProfileString("Settings", name.c_str(), "").str(),
                  std::string("(") + std::to_string(i % 100) + ",7)");
    }
    EXPECT_LT(bytesRead() - before, 10 * static_cast<long long>(text.size()));

    struct stat was;
    ASSERT_EQ(::stat(path.c_str(), &was), 0);
    for (int i = 2000; i < 12000; ++i) {
        const std::string name = std::string("Home") + std::to_string(i);
        EXPECT_TRUE(app.WriteProfileString("Settings", name.c_str(), nullptr));
    }
    struct stat is;
    ASSERT_EQ(::stat(path.c_str(), &is), 0);
    EXPECT_EQ(is.st_ino, was.st_ino);
    EXPECT_TRUE(app.WriteProfileString("Settings", "Home0", nullptr));
    EXPECT_EQ(app.GetProfileString("Settings", "Home0", "gone").str(), "gone");
    EXPECT_EQ(app.GetProfileString("Settings", "Home1", "").str(), "(1,7)");
}

TEST_F(SettingsTest, AWriteToAStoreThatCannotBeWrittenReportsFailure) {
    // Root ignores file permissions, so the store's folder is made a regular file.
    const std::string blocker = FreshProfilePath("blocker");
    std::ofstream(blocker) << "not a folder";
    const std::string unwritable = blocker + "/Rolvan.conf";
    SetProfileFileForTesting(unwritable.c_str());
    EXPECT_FALSE(app.WriteProfileInt("Settings", "Level", 3));
    EXPECT_FALSE(app.WriteProfileString("Settings", "BallColour", "255"));
    EXPECT_EQ(ReadInt("Level", 2), 2);
}

// Guards against values whose write failed and that read back as stored for the rest of
// the run, and were written after all once the store took writes again: Qt keeps a change
// it could not write in its copy of the file for the whole process.
TEST_F(SettingsTest, AFailedWriteLeavesNothingToReadBackOrToWriteLater) {
    const std::string kept = "[Settings]\nBallColour=65280\nHome0=\"(1,1)\"\nLevel=3\n";
    struct Blocker {
        const char* name;
        std::function<void()> block;
        std::function<void()> unblock;
        bool fileReadable;
    };
    rlimit unlimited{};
    ::getrlimit(RLIMIT_FSIZE, &unlimited);
    const Blocker blockers[] = {
        {"a folder in the file's place",
         [&] {
             std::filesystem::remove(path);
             std::filesystem::create_directory(path);
         },
         [&] {
             std::filesystem::remove(path);
             WriteFile(kept);
         },
         false},
        {"no file may grow (as a full disk)",
         [&] {
             std::signal(SIGXFSZ, SIG_IGN);
             const rlimit tiny{8, unlimited.rlim_max};
             ::setrlimit(RLIMIT_FSIZE, &tiny);
         },
         [&] { ::setrlimit(RLIMIT_FSIZE, &unlimited); }, true},
    };
    for (const Blocker& blocker : blockers) {
        SCOPED_TRACE(blocker.name);
        WriteFile(kept);
        EXPECT_EQ(ReadInt("Level", 2), 3);
        blocker.block();
        EXPECT_FALSE(app.WriteProfileInt("Settings", "Level", 4));
        EXPECT_FALSE(app.WriteProfileInt("Settings", "HomeCount", 1));
        EXPECT_FALSE(app.WriteProfileString("Settings", "BallColour", "255"));
        EXPECT_FALSE(app.WriteProfileString("Settings", "Border0", "(2,2)"));
        if (blocker.fileReadable) {
            EXPECT_FALSE(app.WriteProfileString("Settings", "Home0", nullptr));
        }
        // Read again and again, as the layout's count is read for every square.
        for (int read = 0; read < 2; ++read) {
            EXPECT_EQ(ReadInt("Level", 2), blocker.fileReadable ? 3 : 2);
            EXPECT_EQ(ReadInt("HomeCount", 0), 0);
            EXPECT_EQ(app.GetProfileString("Settings", "BallColour", "255").str(),
                      blocker.fileReadable ? "65280" : "255");
            EXPECT_EQ(app.GetProfileString("Settings", "Border0", "").str(), "");
            EXPECT_EQ(app.GetProfileString("Settings", "Home0", "").str(),
                      blocker.fileReadable ? "(1,1)" : "");
        }
        blocker.unblock();
        ASSERT_TRUE(app.WriteProfileInt("Settings", "XGridSize", 20));
        EXPECT_EQ(ReadInt("Level", 2), 3);
        EXPECT_EQ(ReadInt("HomeCount", 0), 0);
        EXPECT_EQ(app.GetProfileString("Settings", "Border0", "").str(), "");
        std::ifstream file(path);
        const std::string text((std::istreambuf_iterator<char>(file)),
                               std::istreambuf_iterator<char>());
        EXPECT_EQ(text, "[Settings]\nBallColour=65280\nHome0=\"(1,1)\"\nLevel=3\nXGridSize=20\n");
    }
}

// Guards against a store emptied by a write that reported success, as on a nearly full
// disk: each step of a write fails once, the write of one value and the one write of a
// command's values. The file stays byte for byte as it was, the values read as they were,
// nothing is left beside the file, and the next write stores its change with all the rest.
TEST_F(SettingsTest, AWriteWithAFailingStepChangesNothing) {
    std::string kept = "[Settings]\nHomeCount=60\nLevel=3\n";
    for (int i = 0; i < 60; ++i)
        kept += "Home" + std::to_string(i) + "=\"(" + std::to_string(i % 15) + "," +
                std::to_string(i / 15) + ")\"\n";
    rlimit limits{};
    ::getrlimit(RLIMIT_FSIZE, &limits);
    const std::pair<const char*, std::function<void()>> failures[] = {
        {"a byte", [] { FailStoreStepForTesting(StoreStep::Write); }},
        {"the file's flush", [] { FailStoreStepForTesting(StoreStep::SyncFile); }},
        {"the rename", [] { FailStoreStepForTesting(StoreStep::Rename); }},
        {"the folder's flush", [] { FailStoreStepForTesting(StoreStep::SyncFolder); }},
        {"a file-size limit above the lock file's",
         [&] {
             std::signal(SIGXFSZ, SIG_IGN);
             const rlimit half{kept.size() / 2, limits.rlim_max};
             ::setrlimit(RLIMIT_FSIZE, &half);
         }},
    };
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    auto beside = [&] {
        std::vector<std::string> names;
        for (const auto& file : std::filesystem::directory_iterator(folder)) {
            const std::string name = file.path().filename().string();
            if (name.starts_with(std::filesystem::path(path).filename().string() + "."))
                names.push_back(name);
        }
        return names;
    };
    for (const auto& [failure, fail] : failures) {
        for (const bool held : {false, true}) {
            SCOPED_TRACE(std::string(failure) + (held ? ", a command's writes" : ", one value"));
            WriteFile(kept);
            ASSERT_EQ(ReadInt("Level", 2), 3);
            fail();
            bool written = false;
            if (held) {
                app.BeginProfileWrites();
                EXPECT_TRUE(app.WriteProfileInt("Settings", "Level", 4));
                EXPECT_TRUE(app.WriteProfileString("Settings", "Home0", nullptr));
                EXPECT_TRUE(app.WriteProfileInt("Settings", "HomeCount", 0));
                // The reads see what the command wrote so far.
                EXPECT_EQ(ReadInt("HomeCount", -1), 0);
                written = app.EndProfileWrites();
            } else {
                written = app.WriteProfileInt("Settings", "Level", 4);
            }
            EXPECT_FALSE(written);
            ::setrlimit(RLIMIT_FSIZE, &limits);
            FailStoreStepForTesting(StoreStep::None);
            EXPECT_EQ(Slurp(), kept);
            EXPECT_EQ(ReadInt("Level", 2), 3);
            EXPECT_EQ(ReadInt("HomeCount", 0), 60);
            EXPECT_EQ(app.GetProfileString("Settings", "Home0", "").str(), "(0,0)");
            EXPECT_EQ(beside(), std::vector<std::string>{});
            ASSERT_TRUE(app.WriteProfileInt("Settings", "BallSpeed", 5));
            EXPECT_EQ(Slurp(), kept + "BallSpeed=5\n");
        }
    }
}

// Guards against a store file of many short lines taking the machine's memory: a file just
// under the largest size read takes no more than ten times its size while it is read,
// whatever its lines are like.
TEST_F(SettingsTest, AFileJustUnderTheLargestSizeTakesAtMostTenTimesItsSize) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer's own memory would count";
#endif
    auto kilobytes = [](const char* field) {
        std::ifstream status("/proc/self/status");
        std::string line;
        while (std::getline(status, line)) {
            if (line.starts_with(field))
                return std::stoll(line.substr(std::strlen(field)));
        }
        return -1LL;
    };
    const long long size = (16 << 20) - 4096;
    const struct {
        const char* name;
        std::function<std::string(long long)> line;
    } shapes[] = {
        {"short lines", [](long long i) { return "k" + std::to_string(i) + "=1\n"; }},
        {"layout entries",
         [](long long i) {
             return "Home" + std::to_string(i) + "=\"(" + std::to_string(i % 100) + "," +
                    std::to_string(i / 100 % 100) + ")\"\n";
         }},
        {"lists", [](long long i) { return "L" + std::to_string(i) + "=a,b,,c\n"; }},
        {"sections", [](long long i) { return "[S" + std::to_string(i) + "]\nk=1\n"; }},
        {"long texts",
         [](long long i) { return "T" + std::to_string(i) + "=" + std::string(1000, 'x') + "\n"; }},
        {"one line", [](long long i) { return i == 0 ? "[Settings]\nBig=" : "y"; }},
    };
    for (const auto& [name, line] : shapes) {
        SCOPED_TRACE(name);
        {
            std::ofstream file(path, std::ios::binary);
            std::string text;
            for (long long i = 0; static_cast<long long>(text.size()) < size; ++i)
                text += line(i);
            text.resize(size);
            file << text << "\n[Settings]\nLevel=3\n";
        }
        CWinApp reader;
        reader.SetRegistryKey("quendel");
        // Memory that earlier shapes used and gave back goes back to the system, so that no
        // reading takes it again unseen.
        ::malloc_trim(0);
        const long long before = kilobytes("VmRSS:");
        if (!(std::ofstream("/proc/self/clear_refs") << "5") || before < 0)
            GTEST_SKIP() << "the kernel does not reset the peak of memory in use";
        EXPECT_EQ(reader.GetProfileInt("Settings", "Level", 2), 3u);
        const long long used = (kilobytes("VmHWM:") - before) << 10;
        std::cout << name << ": " << used / (1 << 20) << " MB to read " << size / (1 << 20) << " MB"
                  << std::endl;
        EXPECT_LE(used, 10 * size);
    }
}

TEST_F(SettingsTest, TheUsersStoreIsNamedAfterTheRegistryKeyAndTheTitle) {
    SetProfileFileForTesting(nullptr);
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    ASSERT_NE(configHome, nullptr);
    ASSERT_TRUE(app.WriteProfileInt("Settings", "XGridSize", 21));
    std::ifstream file(std::filesystem::path(configHome) / "quendel" / "Rolvan.conf");
    ASSERT_TRUE(file.good());
    const std::string text((std::istreambuf_iterator<char>(file)),
                           std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("[Settings]"), std::string::npos);
    EXPECT_NE(text.find("XGridSize=21"), std::string::npos);
    EXPECT_EQ(ReadInt("XGridSize", 15), 21);
}

namespace {

// What QSettings reads for `key` in the file at `path`, in the program's terms: a text, a
// list joined by commas, a byte array's UTF-8, or nothing for its other values. The file is
// read through a name of its own, so that no copy Qt keeps of an earlier reading is used.
std::optional<std::string> QtText(const std::string& path, const QString& key) {
    static int copies = 0;
    const QString copy = QString::fromStdString(path) + ".qt" + QString::number(++copies);
    QFile::remove(copy);
    QFile::copy(QString::fromStdString(path), copy);
    std::optional<std::string> text;
    {
        QSettings settings(copy, QSettings::IniFormat);
        // Makes Qt 6.4 read every section (see ASubsectionHidesNoValueOfTheSection).
        settings.allKeys();
        const QVariant value = settings.value(key);
        if (value.typeId() == QMetaType::QString || value.typeId() == QMetaType::QByteArray)
            text = value.toString().toStdString();
        else if (value.typeId() == QMetaType::QStringList)
            text = value.toStringList().join(',').toStdString();
    }
    QFile::remove(copy);
    return text;
}

// Every key QSettings finds in the file below a section, with its section and entry, that
// a program could ask for: QSettings itself reads no other by its name (it takes out empty
// parts of a path, and Qt 6.4 reads a name's non-ASCII bytes as Latin-1).
std::vector<std::pair<std::string, std::string>> QtKeys(const std::string& path) {
    static const QRegularExpression askable(
        QRegularExpression::anchoredPattern("[A-Za-z0-9_. -]+/[A-Za-z0-9_. /-]*[A-Za-z0-9_. -]"));
    std::vector<std::pair<std::string, std::string>> keys;
    for (const QString& key :
         QSettings(QString::fromStdString(path), QSettings::IniFormat).allKeys()) {
        const qsizetype slash = key.indexOf('/');
        if (askable.match(key).hasMatch() && !key.contains("//"))
            keys.emplace_back(key.first(slash).toStdString(), key.sliced(slash + 1).toStdString());
    }
    return keys;
}

constexpr const char* kMissing = "\x01missing";

// The program reads a value as QSettings does. A value in a serialised form that QSettings
// reads as an empty text (a "@Variant(...)" that does not hold what it claims) may read as
// missing instead.
void ExpectReadAsQt(const std::string& read, const std::optional<std::string>& qt) {
    if (read == kMissing && qt == "")
        return;
    EXPECT_EQ(read, qt.value_or(kMissing));
}

}  // namespace

// One table of texts and names, both ways: what the program writes reads the same in
// QSettings, and what QSettings writes reads the same in the program.
TEST_F(SettingsTest, TextsRoundTripWithQSettingsBothWays) {
    const std::pair<const char*, const char*> values[] = {
        {"Plain", "16711680"},
        {"Comma", "(3,4)"},
        {"Commas", "a,b,,c,"},
        {"Quotes", "say \"hi\" \""},
        {"Percent", "100% %41 %U0041"},
        {"Equals", "a=b=="},
        {"Semicolons", ";a;b ;c"},
        {"Backslashes", "C:\\dir\\x41\\"},
        {"Spaces", "  both ends  "},
        {"Tabs", "\tx\t"},
        {"NonAscii", "Größe, groß: 日本 😀"},
        {"Empty", ""},
        {"Blank", " "},
        {"At", "@Variant(\\0)"},
        {"AtByteArray", "@ByteArray(ä)"},
        {"AtAt", "@@x"},
        {"Newlines", "one\ntwo\r\nthree\r"},
        {"Controls",
         "\x01\x1f\x7f\x01"
         "abc\x7f"
         "F"},
        {"Hash", "#no comment"},
        {"Section", "[Settings]"},
        {"Sub/Key", "in a subsection"},
        {"Key With Spaces", "v"},
        {"Ключ", "a key of Cyrillic letters"},
        {"percent%20key", "x"},
        {"General", "a section's name as a key"},
    };
    for (const auto& [entry, text] : values) {
        SCOPED_TRACE(entry);
        ASSERT_TRUE(app.WriteProfileString("Settings", entry, text));
    }
    for (const auto& [entry, text] : values) {
        SCOPED_TRACE(entry);
        EXPECT_EQ(app.GetProfileString("Settings", entry, kMissing).str(), text);
        EXPECT_EQ(QtText(path, QString("Settings/") + QString::fromUtf8(entry)), text);
    }

    std::filesystem::remove(path);
    {
        QSettings settings(QString::fromStdString(path), QSettings::IniFormat);
        for (const auto& [entry, text] : values)
            settings.setValue(QString("Settings/") + QString::fromUtf8(entry),
                              QString::fromUtf8(text));
    }
    for (const auto& [entry, text] : values) {
        SCOPED_TRACE(entry);
        EXPECT_EQ(app.GetProfileString("Settings", entry, kMissing).str(), text);
    }
}

// Files as people and other programs write them: the program reads each value as QSettings
// does, or as missing where QSettings holds a value of its own kind (never crashing or
// allocating what a serialised value claims). A write keeps what QSettings read.
TEST_F(SettingsTest, HandWrittenFilesReadAsQSettingsReadsThem) {
    const char* files[] = {
        "; comment\n\n[Settings]\n# hash line\nLevel=3\n\n  ; indented\n"
        "Name = spaced value ; trailing comment\nSemi=\"a;b\"\n",
        "[Settings]\r\nLevel=3\r\nName=\"a,b\"\r\n\r\n[Other]\r\nX=1\r\n",
        "\xEF\xBB\xBF[Settings]\nLevel=4\n",
        "[Settings]\nA=1\n[Settings/x]\nB=2\n[Settings/x/y]\nC=3\n[Settings]\nD=4\nA=5\n",
        "[General]\nTop=1\n[Settings]\nLevel=2\n[%General]\nG=1\n[general]\nH=1\n",
        "[Settings]\nList=1, 2 , \"3\" ,\nQuoted=\"  padded  \"\nHalf=\"a\" b \"c\"\n"
        "Cont=\"line\\\nnext\"\nMulti=\"a\nb\"\nCut=\"unterminated\n",
        "[Settings]\nB=@ByteArray(\\xc3\\xa4\\x62)\nI=@Invalid()\nR=@Rect(1 2 3 4)\n"
        "S=@String(x)\nAA=@@at\nCutV=@Variant(\nCutB=@ByteArray(\nOdd=@Odd(1)\n"
        "V=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x7f)\n"
        "Huge=@Variant(\\0\\0\\0\\n\\x7f\\xff\\xff\\xff)\n"
        "Mixed=@ByteArray(x), y\n",
        "[Settings]\nEsc=\\a\\b\\f\\n\\r\\t\\v\\\"\\?\\'\\\\\\q\\x41\\101\\x\n"
        "Key%20With%U00e4=1\nSlash\\Key=2\nHex=\\x4142434445464748\nOct=\\777777\nEnd=a\\",
        "[Settings\nLevel=5\n[Settings]\n=empty key\nnoequals\nLevel=6\n  [  Settings  ]  \nX=7\n",
        "[Settings]\nÄ=umlaut key\nValue=ä\xff\xfe raw bytes\n\x01\x02=\x03\n",
        // Vertical tabs and form feeds are no white space between lines.
        "[Settings]\n\vLevel=3\n\fSpeed=4\n \v\f Mixed = \v5\f \n\v\n[\fOther\v]\nX=1\n\f;c\nY=2\n"
        "\v[Other]\nZ=3\n\f[Settings]\nW=4\n",
        // A rectangle, size or point of the wrong number of arguments is a text.
        "[Settings]\nR3=@Rect(1 2 3)\nR5=@Rect(1 2 3 4 5)\nS1=@Size(1)\nS3=@Size(1 2 3)\n"
        "P=@Point(1)\nP3=@Point(1 2 3)\nRx=@Rect(a b c d)\nRp=@Rect(1 2)3)\nSe=@Size()\n"
        "Pe=@Point( )\nSs=@Size(1  2)\nSok=@Size(1 2)\nPok=@Point(-1 2)\n",
    };
    for (const char* file : files) {
        SCOPED_TRACE(file);
        WriteFile(file);
        auto keys = QtKeys(path);
        // And names the program might find where QSettings finds none.
        const std::pair<std::string, std::string> asked[] = {
            {"Settings", "Level"}, {"Settings", "Speed"}, {"Settings", "Mixed"},
            {"Other", "X"},        {"Other", "Y"},        {"Settings", "Y"},
            {"Other", "Z"},        {"Settings", "Z"},     {"Other", "W"}};
        std::vector<std::pair<std::string, std::string>> checked = keys;
        for (const auto& name : asked) {
            if (std::find(checked.begin(), checked.end(), name) == checked.end())
                checked.push_back(name);
        }
        for (bool written : {false, true}) {
            for (const auto& [section, entry] : checked) {
                SCOPED_TRACE(section + "/" + entry);
                const std::optional<std::string> qt =
                    QtText(path, QString::fromStdString(section + "/" + entry));
                ExpectReadAsQt(app.GetProfileString(section.c_str(), entry.c_str(), kMissing).str(),
                               qt);
            }
            if (!written) {
                // The file as the program writes it back holds what it held.
                ASSERT_TRUE(app.WriteProfileInt("Settings", "Written", 1));
                EXPECT_EQ(QtText(path, "Settings/Written"), "1");
                EXPECT_EQ(QtKeys(path).size(),
                          keys.size() + (std::find(keys.begin(), keys.end(),
                                                   std::pair<std::string, std::string>(
                                                       "Settings", "Written")) == keys.end()));
            }
        }
    }
}

// Generated and mutated store files of every kind, and random texts: the program reads
// what QSettings reads, and QSettings reads what the program wrote over them.
TEST_F(SettingsTest, SeededRandomFilesAndTextsReadTheSameInQSettings) {
    const auto seed = std::random_device{}() & 0x7FFFFFFF;
    SCOPED_TRACE("seed " + std::to_string(seed));
    StoreRandom random(seed);
    const std::string alphabet[] = {"a",  "Z",    "0",    "9", " ", "\t", ",", ";",  "=",
                                    "\"", "\\",   "%",    "@", "/", "[",  "]", "#",  "\n",
                                    "\r", "\x01", "\x7f", "ä", "€", "😀",  "x", "41", "f"};
    auto randomText = [&](int longest) {
        std::string text;
        for (int n = static_cast<int>(random() % (longest + 1)); n > 0; --n)
            text += alphabet[random() % std::size(alphabet)];
        return text;
    };
    for (int round = 0; round < 60; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        WriteFile(round % 2 ? GenerateStore(random) : MutateStore(GenerateStore(random), random));
        // QSettings takes out empty parts of a key's path, which the program never writes.
        std::string entry = "R" + randomText(6);
        std::replace(entry.begin(), entry.end(), '/', '_');
        const std::string text = randomText(12);
        const bool wrote = app.WriteProfileString("Settings", entry.c_str(), text.c_str()) != FALSE;
        if (wrote) {
            EXPECT_EQ(app.GetProfileString("Settings", entry.c_str(), kMissing).str(), text);
            EXPECT_EQ(QtText(path, QString::fromStdString("Settings/" + entry)), text);
        }
        for (const auto& [section, name] : QtKeys(path)) {
            SCOPED_TRACE(section + "/" + name);
            ExpectReadAsQt(app.GetProfileString(section.c_str(), name.c_str(), kMissing).str(),
                           QtText(path, QString::fromStdString(section + "/" + name)));
        }
    }
}

// Where QSettings(organisation, application) keeps its file, the program keeps its store,
// also with Qt's test mode on (which a fresh process must switch on before either looks).
TEST(StoreFileName, DISABLED_OneProcess) {
    if (qEnvironmentVariableIsSet("ROLVAN_TEST_MODE"))
        QStandardPaths::setTestModeEnabled(true);
    CWinApp app;
    app.SetRegistryKey("quendel");
    ASSERT_TRUE(app.WriteProfileInt("Settings", "Level", 3));
    const QString name = QSettings("quendel", "Rolvan").fileName();
    std::cout << name.toStdString() << std::endl;
    EXPECT_EQ(QSettings(name, QSettings::IniFormat).value("Settings/Level").toString(), "3");
}

TEST(StoreFileName, TheStoreIsTheFileQSettingsNamesInEveryMode) {
    for (const bool testMode : {false, true}) {
        SCOPED_TRACE(testMode ? "test mode" : "normal");
        QTemporaryDir home;
        ASSERT_TRUE(home.isValid());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HOME", home.path());
        if (testMode)
            environment.insert("ROLVAN_TEST_MODE", "1");
        QProcess child;
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(),
                    {"--gtest_filter=StoreFileName.DISABLED_OneProcess",
                     "--gtest_also_run_disabled_tests"});
        ASSERT_TRUE(child.waitForFinished(60000));
        const QString output = QString::fromLocal8Bit(child.readAllStandardOutput());
        EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
        EXPECT_EQ(output.contains(home.path() + "/.qttest/config/quendel/Rolvan.conf"), testMode)
            << output.toStdString();
    }
}

// Files that are no settings file: each reads as defaults, quickly and without the memory a
// serialised value claims, and a write keeps whatever settings the file held. A file larger
// than any the program writes is left as it is.
TEST_F(SettingsTest, HugeBinaryAndLoopedFilesReadAsDefaults) {
    StoreRandom random(7);
    std::string junk(12 << 20, '\0');
    // Without quotes or backslashes, whose count would decide whether the file's last
    // line is a line of its own.
    for (char& c : junk) {
        c = static_cast<char>(random());
        if (c == '"' || c == '\\')
            c = 'x';
    }
    const std::string manyValues = [] {
        std::string text = "[Settings]\nLevel=3\n";
        while (text.size() < (10 << 20))
            text += "Home" + std::to_string(text.size()) +
                    "=@Variant(\\0\\0\\0\\n\\x7f\\xff\\xff\\xff)\n";
        return text;
    }();
    const struct {
        const char* name;
        std::string file;
        int level;
        bool written;
    } cases[] = {
        {"12 MB of random bytes", junk, 2, true},
        {"10 MB of values claiming 2 GB texts", manyValues, 3, true},
        {"a value after 12 MB of random bytes", junk + "\n[Settings]\nLevel=4\n", 4, true},
        {"a value after 17 MB of random bytes",
         junk + junk.substr(0, 5 << 20) + "\n[Settings]\nLevel=4\n", 2, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFile(c.file);
        EXPECT_EQ(ReadInt("Level", 2), c.level);
        EXPECT_EQ(app.GetProfileString("Settings", "Home40", "none").str(), "none");
        EXPECT_EQ(app.WriteProfileInt("Settings", "BallSpeed", 5), c.written);
        EXPECT_EQ(ReadInt("Level", 2), c.level);
        EXPECT_EQ(ReadInt("BallSpeed", 10), c.written ? 5 : 10);
        EXPECT_EQ(std::filesystem::file_size(path) == c.file.size(), !c.written);
    }

    std::filesystem::remove(path);
    std::filesystem::create_symlink(path + ".other", path);
    std::filesystem::create_symlink(path, path + ".other");
    EXPECT_EQ(ReadInt("Level", 2), 2);
    // A loop of links holds no settings to lose: the store's file takes its place.
    EXPECT_TRUE(app.WriteProfileInt("Settings", "Level", 3));
    EXPECT_EQ(ReadInt("Level", 2), 3);
    std::filesystem::remove(path + ".other");
}
