// The command line, the per-user folder of a desktop start, and a trace file
// that cannot be written.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/application_setup.h"
#include "app/desktop_folder.h"
#include "app/start_options.h"
#include "qt_app.h"
#include "temp_workdir.h"
#include "test_window.h"

namespace veltrano {
namespace {

namespace fs = std::filesystem;

TEST(StartOptionsTest, ReadsTraceAndDesktopOptions) {
    const struct {
        std::vector<std::string> arguments;
        const char* environment;
        std::optional<std::string> trace;
        bool desktop;
        std::size_t problems;
    } cases[] = {
        {{}, nullptr, std::nullopt, false, 0},
        {{}, "", std::nullopt, false, 0},
        {{}, "env.txt", "env.txt", false, 0},
        {{"--trace", "a b.txt"}, "env.txt", "a b.txt", false, 0},  // the command line wins
        {{"--trace=x.txt", "--desktop"}, nullptr, "x.txt", true, 0},
        {{"--desktop", "--trace"}, "env.txt", "env.txt", true, 1},  // no file name
        {{"--trace="}, nullptr, std::nullopt, false, 1},
        {{"--trace", ""}, nullptr, std::nullopt, false, 1},
        {{"--trace", "--desktop"}, nullptr, std::nullopt, true, 1},
        {{"--trce", "x.txt"}, nullptr, std::nullopt, false, 2},  // neither is understood
    };
    for (const auto& c : cases) {
        const StartOptions options = ParseStartOptions(c.arguments, c.environment);
        const std::string label = ::testing::PrintToString(c.arguments);
        EXPECT_EQ(options.tracePath, c.trace) << label;
        EXPECT_EQ(options.desktop, c.desktop) << label;
        EXPECT_EQ(options.problems.size(), c.problems) << label;
    }
}

TEST(DesktopFolderTest, CreatesFolderAndLinksInstalledHelp) {
    enum class Before { Nothing, Folder, LinkRight, LinkElsewhere, DanglingLink, OwnHelp };
    const struct {
        bool xdgSet;
        bool xdgRelative;
        Before before;
        bool helpInstalled;
        bool linked;       // Veltrano.hlp ends as a link to the installed file
        bool ownHelpKept;  // the user's own file is still there
    } cases[] = {
        {true, false, Before::Nothing, true, true, false},
        {false, false, Before::Nothing, true, true, false},  // ~/.local/share
        {true, true, Before::Nothing, true, true, false},    // relative: ignored, as unset
        {true, false, Before::Folder, true, true, false},
        {true, false, Before::LinkRight, true, true, false},
        {false, false, Before::LinkElsewhere, true, true, false},
        {true, false, Before::DanglingLink, true, true, false},
        {true, false, Before::OwnHelp, true, false, true},
        {true, false, Before::Nothing, false, false, false},  // not installed: no link
    };
    for (const auto& c : cases) {
        const testing::TempWorkDir work;
        const fs::path root = work.path();
        const fs::path help = root / "usr/share/veltrano/Veltrano.hlp";
        fs::create_directories(help.parent_path());
        if (c.helpInstalled) std::ofstream(help) << "help";
        const fs::path dataHome =
            c.xdgSet && !c.xdgRelative ? root / "xdg" : root / "home/.local/share";
        const fs::path folder = dataHome / "veltrano";
        if (c.before != Before::Nothing) fs::create_directories(folder);
        if (c.before == Before::LinkRight) fs::create_symlink(help, folder / "Veltrano.hlp");
        if (c.before == Before::LinkElsewhere) {
            std::ofstream(root / "old.hlp") << "old";
            fs::create_symlink(root / "old.hlp", folder / "Veltrano.hlp");
        }
        if (c.before == Before::DanglingLink)
            fs::create_symlink(root / "gone", folder / "Veltrano.hlp");
        if (c.before == Before::OwnHelp) std::ofstream(folder / "Veltrano.hlp") << "own";

        DesktopPlaces places{std::nullopt, (root / "home").string(), help};
        if (c.xdgSet) places.xdgDataHome = c.xdgRelative ? "xdg" : (root / "xdg").string();
        const DesktopFolder result = PrepareDesktopFolder(places);
        const std::string label = std::to_string(&c - cases);

        EXPECT_EQ(result.folder, folder) << label;
        EXPECT_EQ(result.problem, "") << label;
        EXPECT_TRUE(fs::is_directory(folder)) << label;
        const fs::path link = folder / "Veltrano.hlp";
        EXPECT_EQ(fs::is_symlink(link), c.linked) << label;
        if (c.linked) {
            EXPECT_EQ(fs::read_symlink(link), help) << label;
        }
        if (c.ownHelpKept) {
            std::ifstream in(link);
            std::string text;
            in >> text;
            EXPECT_EQ(text, "own") << label;
        }
    }
}

TEST(DesktopFolderTest, FolderThatCannotBeMadeIsReported) {
    const testing::TempWorkDir work;
    std::ofstream("file") << "x";
    const struct {
        std::optional<std::string> xdg, home;
        const char* problem;
    } cases[] = {
        {std::nullopt, std::nullopt, "HOME ist nicht gesetzt"},
        {"relative", std::nullopt, "HOME ist nicht gesetzt"},
        {(work.path() / "file").string(), std::nullopt, "kann nicht angelegt werden"},
        {(work.path() / "file/below").string(), std::nullopt, "kann nicht angelegt werden"},
    };
    for (const auto& c : cases) {
        const DesktopFolder result = PrepareDesktopFolder({c.xdg, c.home, {}});
        EXPECT_TRUE(result.folder.empty());
        EXPECT_NE(result.problem.find(c.problem), std::string::npos) << result.problem;
    }
}

TEST(WindowTraceTest, TraceFileThatCannotBeOpenedIsReportedOnce) {
    const testing::TempWorkDir work;
    testing::DialogLog log;
    auto window = testing::MakeTestWindow(log, work.path());
    AttachTrace(*window, "kein-ordner/trace.txt");
    ASSERT_TRUE(testing::ProcessEventsUntil([&] { return !log.errors.isEmpty(); }));
    window->Comm1().WriteText("sfi\r");
    QCoreApplication::processEvents();
    ASSERT_EQ(log.errors.size(), 1);
    EXPECT_TRUE(
        log.errors[0].startsWith("Die Protokolldatei kein-ordner/trace.txt kann nicht "
                                 "angelegt werden.\nDer Ordner existiert nicht."))
        << log.errors[0].toStdString();
}

}  // namespace
}  // namespace veltrano
