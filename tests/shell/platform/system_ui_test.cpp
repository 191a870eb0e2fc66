// The tick counter, the system locale, and the application object's own parts.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>

#include "shell/platform/afxwin.h"
#include "shell/platform/seams.h"

namespace {

class LocaleTest : public ::testing::Test {
protected:
    void TearDown() override { SetSystemLocaleForTesting(nullptr); }
};

}  // namespace

TEST_F(LocaleTest, GermanInEveryCountryHasPrimaryLanguageSeven) {
    const struct {
        const char* name;
        LCID lcid;
    } germans[] = {{"de_DE", 0x0407}, {"de_CH", 0x0807}, {"de_AT", 0x0C07}, {"de_LU", 0x1007}};
    for (const auto& german : germans) {
        SetSystemLocaleForTesting(german.name);
        EXPECT_EQ(GetSystemDefaultLCID(), german.lcid) << german.name;
        EXPECT_EQ(PRIMARYLANGID(GetSystemDefaultLCID()), LANG_GERMAN) << german.name;
    }
}

TEST_F(LocaleTest, OtherLanguagesAreNotGerman) {
    SetSystemLocaleForTesting("en_US");
    EXPECT_EQ(GetSystemDefaultLCID(), 0x0409u);
    for (const char* name : {"fr_FR", "nl_NL", "C", "en_GB"}) {
        SetSystemLocaleForTesting(name);
        EXPECT_NE(PRIMARYLANGID(GetSystemDefaultLCID()), LANG_GERMAN) << name;
    }
}

// The language that governs messages decides, as the C library chooses it; a locale that
// is not generated on this machine still counts by its name.
TEST_F(LocaleTest, TheMessagesLocaleDecidesFromTheEnvironment) {
    const char* const variables[] = {"LC_ALL", "LC_MESSAGES", "LANG", "LANGUAGE", "LC_NUMERIC"};
    const struct {
        const char* values[5];  // in the order of variables; null: unset
        bool german;
    } cases[] = {
        {{nullptr, nullptr, "de_AT.UTF-8", nullptr, nullptr}, true},
        {{nullptr, "de_CH.UTF-8", "en_GB.UTF-8", nullptr, nullptr}, true},
        {{"C", nullptr, "de_DE.UTF-8", nullptr, nullptr}, false},
        {{"", "", "de_LU", nullptr, nullptr}, true},
        {{nullptr, nullptr, "en_US.UTF-8", "de_DE:de", "de_DE.UTF-8"}, false},
        {{nullptr, "fr_FR", "de_DE.UTF-8", nullptr, nullptr}, false},
        {{"de_DE.ISO-8859-15@euro", nullptr, "en_US", nullptr, nullptr}, true},
        {{nullptr, nullptr, "german", nullptr, nullptr}, true},
        {{nullptr, nullptr, nullptr, "de", nullptr}, false},
        {{nullptr, nullptr, "POSIX", nullptr, nullptr}, false},
    };
    std::string saved[5];
    bool wasSet[5];
    for (int v = 0; v < 5; ++v) {
        const char* value = std::getenv(variables[v]);
        wasSet[v] = value != nullptr;
        saved[v] = value ? value : "";
    }
    SetSystemLocaleForTesting(nullptr);
    for (const auto& c : cases) {
        for (int v = 0; v < 5; ++v) {
            if (c.values[v] != nullptr)
                setenv(variables[v], c.values[v], 1);
            else
                unsetenv(variables[v]);
        }
        EXPECT_EQ(PRIMARYLANGID(GetSystemDefaultLCID()) == LANG_GERMAN, c.german)
            << "LC_ALL=" << (c.values[0] ? c.values[0] : "-")
            << " LC_MESSAGES=" << (c.values[1] ? c.values[1] : "-")
            << " LANG=" << (c.values[2] ? c.values[2] : "-");
    }
    for (int v = 0; v < 5; ++v) {
        if (wasSet[v])
            setenv(variables[v], saved[v].c_str(), 1);
        else
            unsetenv(variables[v]);
    }
}

TEST(TickCountTest, DifferencesTakenAsSignedNeverGoBack) {
    DWORD previous = GetTickCount();
    for (int i = 0; i < 1000; ++i) {
        const DWORD now = GetTickCount();
        EXPECT_GE(static_cast<std::int32_t>(now - previous), 0);
        previous = now;
    }
}

TEST(ApplicationTest, TheTitleComesFromTheStringTableAndOneApplicationIsCurrent) {
    EXPECT_EQ(AfxGetApp(), nullptr);
    {
        CWinApp app;
        EXPECT_EQ(AfxGetApp(), &app);
        EXPECT_EQ(app.m_pszAppName.str(), "Rolvan");
        EXPECT_EQ(app.m_pszProfileName.str(), "Rolvan");
        app.SetRegistryKey("quendel");
        EXPECT_EQ(app.m_pszRegistryKey.str(), "quendel");
        // Without a template there is nothing to create.
        CCommandLineInfo commandLine;
        app.ParseCommandLine(commandLine);
        EXPECT_FALSE(app.ProcessShellCommand(commandLine));
    }
    EXPECT_EQ(AfxGetApp(), nullptr);
}

TEST(StringTest, FormatAndLoadStringReplaceTheText) {
    CString text("old");
    text.Format("%ld", 16711680L);
    EXPECT_EQ(text.str(), "16711680");
    EXPECT_EQ(text.GetLength(), 8);
    EXPECT_TRUE(text.LoadString(AFX_IDS_APP_TITLE));
    EXPECT_EQ(text, "Rolvan");
    EXPECT_FALSE(text.LoadString(61204));
    EXPECT_TRUE(text.IsEmpty());
}
