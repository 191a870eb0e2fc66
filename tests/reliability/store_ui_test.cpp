// The program against its settings store: generated and mutated store files of every
// kind, two programs on one store, and stores that cannot be written. Long runs come from
// tools/reliability.sh through ROLVAN_STORE_FILES and ROLVAN_INSTANCE_STEPS.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <random>
#include <set>
#include <sstream>

#include "editor/layout_codec.h"
#include "shell/stored_values.h"
#include "support/monkey.h"
#include "support/rolvan_fixture.h"
#include "support/store_generator.h"

namespace {

long long FromEnvironment(const char* name, long long fallback) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? std::strtoll(value, nullptr, 10) : fallback;
}

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

int Stored(CWinApp& app, const char* name) {
    return static_cast<int>(app.GetProfileInt(kSettingsSection, name, -12345));
}

bool Reported(const Monkey& monkey, const std::string& text) {
    for (const MessageBoxRequest& box : monkey.messageBoxes) {
        if (box.text == text)
            return true;
    }
    return false;
}

// What lies where the store should be: a file of generated or mutated settings, or one
// that cannot be read at all.
enum class Place { File, Folder, SymlinkLoop, NoPermissions };

Place MakeStore(const std::string& path, StoreRandom& random,
                const std::vector<std::string>& corpus) {
    std::filesystem::remove_all(path);
    const int roll = static_cast<int>(random() % 100);
    if (roll == 0) {
        std::filesystem::create_directory(path);
        return Place::Folder;
    }
    if (roll == 1) {
        std::filesystem::create_symlink(path + ".other", path);
        std::filesystem::remove(path + ".other");
        std::filesystem::create_symlink(path, path + ".other");
        return Place::SymlinkLoop;
    }
    std::string file = corpus.empty() || roll % 2
                           ? GenerateStore(random)
                           : MutateStore(corpus[random() % corpus.size()], random);
    WriteFile(path, file);
    if (roll == 2) {
        ::chmod(path.c_str(), 0);
        // Root reads and writes it all the same.
        return ::geteuid() == 0 ? Place::File : Place::NoPermissions;
    }
    return Place::File;
}

TEST(StoreFiles, TheProgramStartsPlaysSavesAndStoresWhateverTheStoreHolds) {
    const long long files = FromEnvironment("ROLVAN_STORE_FILES", 150);
    const auto seed = static_cast<std::uint64_t>(
        FromEnvironment("ROLVAN_STORE_SEED", std::random_device{}() & 0x7FFFFFFF));
    std::cout << "store files: seed " << seed << " (ROLVAN_STORE_SEED replays it)" << std::endl;
    // The fuzzer's seed corpus, in the order of its names so that a seed replays anywhere.
    std::vector<std::string> corpus;
    const auto folder = std::filesystem::path(__FILE__).parent_path().parent_path() / "fuzz/corpus";
    std::error_code error;
    std::set<std::filesystem::path> names(std::filesystem::directory_iterator(folder, error), {});
    for (const auto& name : names)
        corpus.push_back(Slurp(name.string()));
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.filePath("Rolvan.conf").toStdString();
    double slowest = 0;
    long long slowestFile = 0;
    for (long long i = 0; i < files; ++i) {
        const std::uint64_t fileSeed = seed + static_cast<std::uint64_t>(i);
        StoreRandom random(fileSeed);
        const Place place = MakeStore(path, random, corpus);
        SetProfileFileForTesting(path.c_str());
        const std::string replay = "store seed " + std::to_string(fileSeed);
        {
            Monkey monkey(fileSeed, Monkey::Play::Moves);
            monkey.store = place == Place::File ? Monkey::Store::Foreign : Monkey::Store::Unchecked;
            const auto start = std::chrono::steady_clock::now();
            ASSERT_EQ(monkey.Start(), "") << replay;
            const double seconds =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            if (seconds > 1)
                std::cout << "slow start: " << seconds << " s, " << replay << std::endl;
            if (seconds > slowest) {
                slowest = seconds;
                slowestFile = i;
            }
            ASSERT_EQ(monkey.PlayGame(500), "") << replay;
            ASSERT_EQ(monkey.SaveLayout(), "") << replay;
            ASSERT_TRUE(monkey.Command(ID_LEVEL_ONE + static_cast<unsigned>(random() % 4)));
            const CRolvanView& view = *monkey.view;
            const std::string corner = FormatLayoutEntry(view.board.columns - 1, 0);
            // A loop of links is replaced by the file the program writes. A file that only
            // root may read is replaced as well, by one that only root may read.
            std::error_code error;
            if (place == Place::Folder) {
                EXPECT_TRUE(Reported(monkey, "Couldn't save the home square")) << replay;
                EXPECT_TRUE(Reported(monkey, "Couldn't save the home square count")) << replay;
            } else if (place != Place::NoPermissions &&
                       std::filesystem::is_regular_file(path, error)) {
                // Whatever the file held, what the program wrote reads back, and the file
                // is one that the store reads without complaint.
                EXPECT_FALSE(Reported(monkey, "Couldn't save the home square")) << replay;
                EXPECT_EQ(Stored(*monkey.app, "Level"), view.level) << replay;
                EXPECT_EQ(Stored(*monkey.app, "HomeCount"), 1) << replay;
                EXPECT_EQ(monkey.app->GetProfileString(kSettingsSection, "Home0", "").str(), corner)
                    << replay;
                EXPECT_EQ(Stored(*monkey.app, "BorderCount"), 0) << replay;
                EXPECT_EQ(QSettings(QString::fromStdString(path), QSettings::IniFormat).status(),
                          QSettings::NoError)
                    << replay;
            }
        }
        SetProfileFileForTesting(nullptr);
        ::chmod(path.c_str(), 0600);
    }
    std::cout << "store files: " << files << " files, slowest start " << slowest * 1000
              << " ms (store seed " << seed + slowestFile << ")" << std::endl;
}

// One of the two programs of the next test, started by it with the shared store's path.
TEST(TwoInstances, DISABLED_OneOfThem) {
    const char* store = std::getenv("ROLVAN_SHARED_STORE");
    const char* log = std::getenv("ROLVAN_INSTANCE_LOG");
    ASSERT_TRUE(store != nullptr && log != nullptr);
    const int half = static_cast<int>(FromEnvironment("ROLVAN_INSTANCE", 0));
    SetProfileFileForTesting(store);
    std::ofstream written(log);
    Monkey monkey(static_cast<std::uint64_t>(FromEnvironment("ROLVAN_MONKEY_SEED", 1)),
                  Monkey::Play::Settings);
    monkey.store = Monkey::Store::Unchecked;
    monkey.colourHalf = half;
    monkey.wrote = [&](const std::string& name, const std::string& text) {
        written << name << '\t' << text << std::endl;
    };
    ASSERT_EQ(monkey.Start(), "");
    for (long long i = FromEnvironment("ROLVAN_INSTANCE_STEPS", 150); i > 0; --i)
        ASSERT_EQ(monkey.Step(), "") << monkey.lastAction;
    SetProfileFileForTesting(nullptr);
}

// Each program changes level and speed, the layout, and colours that only it changes.
// Afterwards the file reads without complaint, each colour holds the last value its own
// program gave it, and each shared value one of the values written.
TEST(TwoInstances, TwoProgramsOnOneStoreKeepEveryValueOfEither) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString store = dir.filePath("Rolvan.conf");
    const auto seed = std::random_device{}() & 0x7FFFFFFF;
    std::cout << "two instances: seeds " << seed << " and " << seed + 1 << std::endl;
    QProcess programs[2];
    for (int half = 0; half < 2; ++half) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("ROLVAN_SHARED_STORE", store);
        environment.insert("ROLVAN_INSTANCE", QString::number(half));
        environment.insert("ROLVAN_INSTANCE_LOG", dir.filePath(QString("log%1").arg(half)));
        environment.insert("ROLVAN_MONKEY_SEED", QString::number(seed + half));
        programs[half].setProcessEnvironment(environment);
        programs[half].setProcessChannelMode(QProcess::ForwardedChannels);
        programs[half].start(
            QCoreApplication::applicationFilePath(),
            {"--gtest_filter=TwoInstances.DISABLED_OneOfThem", "--gtest_also_run_disabled_tests"});
    }
    for (QProcess& program : programs) {
        ASSERT_TRUE(program.waitForFinished(600000));
        ASSERT_EQ(program.exitCode(), 0);
    }

    std::map<std::string, std::string> last[2];
    std::map<std::string, std::set<std::string>> written;
    long writes = 0;
    for (int half = 0; half < 2; ++half) {
        std::istringstream lines(Slurp(dir.filePath(QString("log%1").arg(half)).toStdString()));
        for (std::string line; std::getline(lines, line); ++writes) {
            const std::string name = line.substr(0, line.find('\t'));
            const std::string text = line.substr(line.find('\t') + 1);
            last[half][name] = text;
            written[name].insert(text);
        }
    }
    QSettings settings(store, QSettings::IniFormat);
    ASSERT_EQ(settings.status(), QSettings::NoError);
    auto value = [&](const std::string& name) {
        return settings.value(QString::fromStdString("Settings/" + name)).toString().toStdString();
    };
    int colours = 0;
    for (int half = 0; half < 2; ++half) {
        for (int i = 4 * half; i < 4 * half + 4; ++i) {
            const std::string name = kColourSettings[i].name;
            if (last[half].count(name)) {
                EXPECT_EQ(value(name), last[half][name]) << name;
                ++colours;
            }
        }
    }
    for (const char* name : {"Level", "BallSpeed"}) {
        EXPECT_TRUE(!written.count(name) || written[name].count(value(name)))
            << name << " holds " << value(name);
    }
    for (const char* word : {"Home", "Border"}) {
        const int count = value(std::string(word) + "Count").empty()
                              ? 0
                              : std::stoi(value(std::string(word) + "Count"));
        for (int i = 0; i < count; ++i) {
            const std::string entry = value(LayoutValueName(word, i));
            EXPECT_TRUE(entry.empty() || written[word].count(entry)) << word << i << " " << entry;
        }
    }
    std::cout << "two instances: " << writes << " changes, " << colours
              << " colours of one program each, all as that program left them" << std::endl;
}

// Stores that take no write: the folder is a file, a read-only home, a full disk. The
// program keeps playing, reports the layout that it could not save, and the values the
// store held before are still there.
class UnwritableStore : public RolvanTest {
protected:
    void TearDown() override {
        SetProfileFileForTesting(nullptr);
        Unmount();
        RolvanTest::TearDown();
    }
    static bool Shell(const std::string& command) { return std::system(command.c_str()) == 0; }
    // A small file system of the test's own at `folder`; false where the machine allows
    // none (not root, or no right to mount in a container).
    bool Mount(const std::string& folder, const char* size) {
        if (::geteuid() != 0 || !Shell("mount -t tmpfs -o size=" + std::string(size) + " tmpfs " +
                                       folder + " 2>/dev/null"))
            return false;
        mounted = folder;
        return true;
    }
    void Unmount() {
        if (!mounted.empty() && Shell("umount -l " + mounted))
            mounted.clear();
    }
    std::string mounted;
};

TEST_F(UnwritableStore, TheProgramKeepsPlayingAndReportsTheLayoutItCouldNotSave) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string home = dir.filePath("home").toStdString();
    std::filesystem::create_directory(home);
    const std::string kept = "[Settings]\nLevel=3\nBallColour=65280\n";
    for (const char* place : {"parent is a file", "read-only home", "full disk"}) {
        SCOPED_TRACE(place);
        std::string path = home + "/Rolvan.conf";
        if (place[0] == 'p') {
            WriteFile(home + "/file", "");
            path = home + "/file/Rolvan.conf";
        } else if (place[0] == 'r') {
            if (Mount(home, "1m")) {
                WriteFile(path, kept);
                ASSERT_TRUE(Shell("mount -o remount,ro " + home));
            } else if (::geteuid() != 0) {
                WriteFile(path, kept);
                ::chmod(home.c_str(), 0555);
            } else {
                std::cout << "read-only home skipped: root may not mount here" << std::endl;
                continue;
            }
        } else {
            if (!Mount(home, "64k")) {
                std::cout << "full disk skipped: no tmpfs may be mounted here" << std::endl;
                continue;
            }
            WriteFile(path, kept);
            WriteFile(home + "/filler", std::string(1 << 20, 'x'));
        }
        SetProfileFileForTesting(path.c_str());
        messageBoxes.clear();
        StartGame();
        Command(ID_LEVEL_ONE);
        EXPECT_EQ(view->level, 1);
        Command(ID_EDIT_EDITGRID);
        Command(ID_EDIT_RESETGRID);
        Command(ID_EDIT_SAVEGRID);
        ASSERT_GE(messageBoxes.size(), 2u);
        EXPECT_EQ(messageBoxes[0].text + " " + messageBoxes[0].caption,
                  "Couldn't save the home square (14,0)");
        EXPECT_EQ(messageBoxes[1].text + " " + messageBoxes[1].caption,
                  "Couldn't save the home square count 1");
        const int before = view->humanScore + view->computerScore;
        for (int move = 0; move < 200 && view->humanScore + view->computerScore == before; ++move)
            view->LayTile(CentreTile);
        EXPECT_EQ(view->humanScore + view->computerScore, before + 1);
        // What the store held is still there.
        EXPECT_TRUE(place[0] == 'p' || Slurp(path) == kept);
        view = nullptr;
        frame = nullptr;
        app = std::make_unique<CRolvanApp>();
        ::chmod(home.c_str(), 0755);
        Unmount();
        std::filesystem::remove_all(home);
        std::filesystem::create_directory(home);
    }
}

}  // namespace
