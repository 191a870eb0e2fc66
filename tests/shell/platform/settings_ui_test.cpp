// The profile functions on QSettings: defaults, round trips, what counts as an integer,
// deleting, failing writes, and where the store lives.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>

#include "platform_test_support.h"
#include "shell/platform/app.h"
#include "shell/platform/seams.h"

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
