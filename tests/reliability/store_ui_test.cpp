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
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <sstream>
#include <thread>

#include "editor/layout_codec.h"
#include "editor/layout_storage.h"
#include "editor/profile_layout_store.h"
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

class NoMessages : public LayoutMessages {
public:
    void ShowLayoutMessage(unsigned, const char*, const std::string&, bool) override {}
};

// A 100 x 100 board with 2,001 special squares: every fifth square a Border square, and
// for the second layout shifted by one, with the corner Home square.
void BigLayout(Board& board, int which) {
    board.columns = 100;
    board.rows = 100;
    board.BuildBoard();
    int index = 0;
    board.ForEachSquare(
        [&](Square& square) { square.kind = (index++ + which) % 5 == 0 ? Border : Empty; });
    board.SquareAt(99, 0)->kind = Home;
}

// The stored layout as the store holds it: the counts, then the entries.
std::vector<std::string> StoredLayout(CWinApp& app) {
    std::vector<std::string> layout;
    for (const char* word : {"Home", "Border"}) {
        const int count = Stored(app, (std::string(word) + "Count").c_str());
        layout.push_back(std::to_string(count));
        for (int i = 0; i < count; ++i)
            layout.push_back(
                app.GetProfileString(kSettingsSection, LayoutValueName(word, i).c_str(), "").str());
    }
    return layout;
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

// A store of a player's: every setting, and a layout of 60 squares.
std::string PlayersStore() {
    std::string text = "[Settings]\nBallSpeed=7\nBorderCount=59\n";
    for (int i = 0; i < 59; ++i)
        text +=
            "Border" + std::to_string(i) + "=\"" + FormatLayoutEntry(i % 15, 1 + i / 15) + "\"\n";
    for (const ColourSetting& colour : kColourSettings)
        text += std::string(colour.name) + "=" + FormatColourText(colour.defaultValue + 1) + "\n";
    text += "HomeCount=1\nHome0=\"(14,0)\"\nLevel=3\nXGridSize=15\nYGridSize=10\n";
    return text;
}

TEST_F(UnwritableStore, TheProgramKeepsPlayingAndReportsTheLayoutItCouldNotSave) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string home = dir.filePath("home").toStdString();
    std::filesystem::create_directory(home);
    const std::string kept = PlayersStore();
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
            // All but one page full: the lock file takes that one, and nothing is left for
            // the new file a write makes.
            WriteFile(home + "/filler", std::string(1 << 20, 'x'));
            const auto full = std::filesystem::file_size(home + "/filler");
            std::filesystem::resize_file(home + "/filler", full - 4096);
        }
        SetProfileFileForTesting(path.c_str());
        messageBoxes.clear();
        StartGame();
        Command(ID_LEVEL_ONE);
        EXPECT_EQ(view->level, 1);
        actOnDialog = [](CDialog& dialog) {
            DialogUser user(dialog);
            user.Type(IDC_XSIZE, "20");
            user.Type(IDC_YSIZE, "12");
            user.Click(IDOK);
        };
        Command(ID_GRID_SIZE);
        actOnDialog = nullptr;
        EXPECT_EQ(view->board.columns, 20);
        Command(ID_EDIT_EDITGRID);
        Command(ID_EDIT_RESETGRID);
        Command(ID_EDIT_SAVEGRID);
        ASSERT_GE(messageBoxes.size(), 2u);
        EXPECT_EQ(messageBoxes[0].text + " " + messageBoxes[0].caption,
                  "Couldn't save the home square (19,0)");
        EXPECT_EQ(messageBoxes[1].text + " " + messageBoxes[1].caption,
                  "Couldn't save the home square count 1");
        const int before = view->humanScore + view->computerScore;
        for (int move = 0; move < 200 && view->humanScore + view->computerScore == before; ++move)
            view->LayTile(CentreTile);
        EXPECT_EQ(view->humanScore + view->computerScore, before + 1);
        // What the store held is still there, byte for byte.
        EXPECT_TRUE(place[0] == 'p' || Slurp(path) == kept);
        if (place[0] == 'f') {
            // With room again, the next change is stored with all the rest.
            std::filesystem::remove(home + "/filler");
            Command(ID_LEVEL_FOUR);
            std::string expected = kept;
            expected.replace(expected.find("Level=3"), 7, "Level=4");
            EXPECT_EQ(Slurp(path), expected);
        }
        view = nullptr;
        frame = nullptr;
        app = std::make_unique<CRolvanApp>();
        ::chmod(home.c_str(), 0755);
        Unmount();
        std::filesystem::remove_all(home);
        std::filesystem::create_directory(home);
    }
}

// The commands that write more than one value make one write of them: when it fails, the
// store holds none of them, and the layout's save reports each of its entries and counts.
TEST_F(UnwritableStore, EachCommandWritesItsValuesAtOnce) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.filePath("Rolvan.conf").toStdString();
    const std::string kept = PlayersStore();
    WriteFile(path, kept);
    SetProfileFileForTesting(path.c_str());
    StartGame();
    for (const bool fails : {true, false}) {
        SCOPED_TRACE(fails ? "the write fails" : "the write is made");
        actOnDialog = [](CDialog& dialog) {
            DialogUser user(dialog);
            user.Type(IDC_XSIZE, "20");
            user.Type(IDC_YSIZE, "12");
            user.Click(IDOK);
        };
        if (fails)
            FailStoreStepForTesting(StoreStep::Rename);
        Command(ID_GRID_SIZE);
        actOnDialog = nullptr;
        EXPECT_EQ(Stored(*app, "XGridSize"), fails ? 15 : 20);
        EXPECT_EQ(Stored(*app, "YGridSize"), fails ? 10 : 12);

        Command(ID_EDIT_EDITGRID);
        Command(ID_EDIT_RESETGRID);
        view->board.SquareAt(4, 4)->kind = Home;
        view->board.SquareAt(0, 11)->kind = Border;
        messageBoxes.clear();
        if (fails)
            FailStoreStepForTesting(StoreStep::Rename);
        Command(ID_EDIT_SAVEGRID);
        std::vector<std::string> shown;
        for (const MessageBoxRequest& box : messageBoxes)
            shown.push_back(box.text + " " + box.caption);
        const std::vector<std::string> allFailed = {
            "Couldn't save the home square (19,0)",   "Couldn't save the home square count 1",
            "Couldn't save the home square (4,4)",    "Couldn't save the home square count 2",
            "Couldn't save the border square (0,11)", "Couldn't save the border square count 1"};
        EXPECT_EQ(shown, fails ? allFailed : std::vector<std::string>{});
        if (fails) {
            EXPECT_EQ(Slurp(path), kept);
        } else {
            EXPECT_EQ(Stored(*app, "HomeCount"), 2);
            EXPECT_EQ(Stored(*app, "BorderCount"), 1);
            EXPECT_EQ(app->GetProfileString(kSettingsSection, "Border0", "").str(), "(0,11)");
            EXPECT_EQ(app->GetProfileString(kSettingsSection, "Border1", "none").str(), "none");
        }
    }
}

// One save of a big layout, in a program of its own that the next test kills.
TEST(KilledSave, DISABLED_OneSave) {
    const char* store = std::getenv("ROLVAN_SHARED_STORE");
    ASSERT_NE(store, nullptr);
    SetProfileFileForTesting(store);
    CRolvanApp app;
    app.SetRegistryKey("quendel");
    Board board;
    BigLayout(board, 1);
    ProfileLayoutStore layout;
    NoMessages messages;
    std::cout << "saving" << std::endl;
    SaveLayout(board, layout, messages);
    std::cout << "saved" << std::endl;
    SetProfileFileForTesting(nullptr);
}

// Guards against a save that, killed in the middle, left the old layout cleared and the new
// one half written: programs killed at moments spread over a save of 2,001 squares leave
// the old layout or the new one each time, whole.
TEST(KilledSave, TheStoreHoldsTheOldLayoutOrTheNew) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString store = dir.filePath("Rolvan.conf");
    SetProfileFileForTesting(QFile::encodeName(store).constData());
    std::vector<std::string> layouts[2];
    std::string oldFile;
    {
        CRolvanApp app;
        app.SetRegistryKey("quendel");
        ProfileLayoutStore layout;
        NoMessages messages;
        for (int which : {1, 0}) {
            Board board;
            BigLayout(board, which);
            SaveLayout(board, layout, messages);
            layouts[which] = StoredLayout(app);
        }
        oldFile = Slurp(store.toStdString());
    }
    ASSERT_NE(layouts[0], layouts[1]);
    // How long a save takes from the moment the program says it begins.
    auto run = [&](std::optional<int> killAfterUs) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("ROLVAN_SHARED_STORE", store);
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(
            QCoreApplication::applicationFilePath(),
            {"--gtest_filter=KilledSave.DISABLED_OneSave", "--gtest_also_run_disabled_tests"});
        EXPECT_TRUE(program.waitForStarted());
        while (!program.readAllStandardOutput().contains("saving") &&
               program.waitForReadyRead(30000)) {
        }
        const auto start = std::chrono::steady_clock::now();
        if (killAfterUs) {
            std::this_thread::sleep_for(std::chrono::microseconds(*killAfterUs));
            ::kill(static_cast<pid_t>(program.processId()), SIGKILL);
        }
        program.waitForFinished(60000);
        return std::chrono::duration_cast<std::chrono::microseconds>(
                   std::chrono::steady_clock::now() - start)
            .count();
    };
    const long long saveUs = run(std::nullopt);
    int kept[2] = {0, 0};
    for (int moment = 0; moment < 20; ++moment) {
        WriteFile(store.toStdString(), oldFile);
        run(static_cast<int>(saveUs * moment / 19));
        CRolvanApp app;
        app.SetRegistryKey("quendel");
        const std::vector<std::string> now = StoredLayout(app);
        const int which = now == layouts[1] ? 1 : 0;
        EXPECT_EQ(now, layouts[which]) << "killed " << saveUs * moment / 19 << " us into a save";
        ++kept[which];
        // The next write takes away a new file that the killed one left.
        ASSERT_TRUE(app.WriteProfileInt(kSettingsSection, "Level", 2));
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).join(' ').toStdString(),
                  "Rolvan.conf");
    }
    SetProfileFileForTesting(nullptr);
    std::cout << "killed saves: a save takes " << saveUs << " us; " << kept[0]
              << " kept the old layout, " << kept[1] << " the new" << std::endl;
}

// A program killed just after it made the lock file leaves it empty, with no process named
// in it: the next write takes the lock within moments, where it failed for half a minute.
TEST(KilledSave, AnEmptyLockFileHoldsNoWriteUp) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string store = dir.filePath("Rolvan.conf").toStdString();
    WriteFile(store + ".lock", "");
    SetProfileFileForTesting(store.c_str());
    {
        CRolvanApp app;
        app.SetRegistryKey("quendel");
        EXPECT_TRUE(app.WriteProfileInt(kSettingsSection, "Level", 2));
        EXPECT_EQ(app.GetProfileInt(kSettingsSection, "Level", 0), 2);
    }
    SetProfileFileForTesting(nullptr);
}
}  // namespace
