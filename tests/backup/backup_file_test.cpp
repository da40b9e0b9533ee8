#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "backup/backup_file.h"
#include "backup/backup_format.h"
#include "full_model.h"
#include "temp_workdir.h"

namespace veltrano {
namespace {

namespace fs = std::filesystem;
using testing::TempWorkDir;

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void Put(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<std::string> Entries(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

mode_t Mode(const fs::path& path) {
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0);
    return st.st_mode & 07777;
}

class BackupFileTest : public ::testing::Test {
  protected:
    TempWorkDir work;
    const std::string bytes = FormatBackup(testing::FullModel());
};

TEST_F(BackupFileTest, WritesTheBytesAndReadsThemBack) {
    WriteBackupFile("plan.qts", bytes);
    EXPECT_TRUE(Slurp("plan.qts") == bytes);
    const auto read = ReadBackupFile("plan.qts");
    ASSERT_TRUE(read);
    EXPECT_TRUE(*read == bytes);
    EXPECT_EQ(Entries(work.path()), std::vector<std::string>{"plan.qts"});
}

TEST_F(BackupFileTest, NewFileGetsTheUsualPermissions) {
    const mode_t mask = ::umask(022);
    WriteBackupFile("plan.qts", bytes);
    ::umask(mask);
    EXPECT_EQ(Mode("plan.qts"), 0644u);
}

TEST_F(BackupFileTest, ReplacingKeepsThePermissions) {
    Put("plan.qts", "old");
    ASSERT_EQ(::chmod("plan.qts", 0640), 0);
    WriteBackupFile("plan.qts", bytes);
    EXPECT_TRUE(Slurp("plan.qts") == bytes);
    EXPECT_EQ(Mode("plan.qts"), 0640u);
    EXPECT_EQ(Entries(work.path()), std::vector<std::string>{"plan.qts"});
}

TEST_F(BackupFileTest, SymbolicLinkIsFollowedAndStays) {
    fs::create_directory("store");
    Put("store/real.qts", "old");
    ASSERT_EQ(::chmod("store/real.qts", 0600), 0);
    fs::create_symlink("store/real.qts", "link.qts");
    fs::create_symlink("link.qts", "link2.qts");
    WriteBackupFile(work.path() / "link2.qts", bytes);
    EXPECT_TRUE(fs::is_symlink("link.qts"));
    EXPECT_TRUE(fs::is_symlink("link2.qts"));
    EXPECT_TRUE(Slurp("store/real.qts") == bytes);
    EXPECT_EQ(Mode("store/real.qts"), 0600u);
    EXPECT_EQ(Entries("store"), std::vector<std::string>{"real.qts"});
}

TEST_F(BackupFileTest, DanglingLinkCreatesItsTarget) {
    fs::create_symlink("new.qts", "link.qts");
    WriteBackupFile("link.qts", bytes);
    EXPECT_TRUE(fs::is_symlink("link.qts"));
    EXPECT_TRUE(Slurp("new.qts") == bytes);
}

TEST_F(BackupFileTest, LinkLoopIsAnError) {
    fs::create_symlink("b.qts", "a.qts");
    fs::create_symlink("a.qts", "b.qts");
    EXPECT_THROW(WriteBackupFile("a.qts", bytes), BackupWriteError);
}

TEST_F(BackupFileTest, MissingFolderNamesFileAndCause) {
    try {
        WriteBackupFile("nirgends/plan.qts", bytes);
        FAIL() << "no error";
    } catch (const BackupWriteError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Die Datei nirgends/plan.qts konnte nicht gespeichert werden.\n"
                  "Der Ordner existiert nicht.\nEine bereits vorhandene Datei bleibt unverändert.");
    }
}

TEST_F(BackupFileTest, FolderInPlaceOfTheFileIsAnError) {
    fs::create_directory("plan.qts");
    EXPECT_THROW(WriteBackupFile("plan.qts", bytes), BackupWriteError);
    EXPECT_TRUE(fs::is_directory("plan.qts"));
    EXPECT_EQ(Entries(work.path()), std::vector<std::string>{"plan.qts"});
}

// Runs fn in a child process and returns its exit code (-1 when it did not exit).
template <typename Fn>
int InChild(Fn fn) {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(fn());
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

// A file anyone may write, in a folder the writer may not write to: the file
// can no longer be replaced, and stays as it was. Root writes anywhere, so
// the child drops to an ordinary user id first.
TEST_F(BackupFileTest, FolderWithoutWriteAccessLeavesTheOldFile) {
    fs::create_directory("locked");
    Put("locked/plan.qts", "old");
    ASSERT_EQ(::chmod("locked/plan.qts", 0666), 0);
    ASSERT_EQ(::chmod("locked", 0555), 0);
    ASSERT_EQ(::chmod(work.path().c_str(), 0755), 0);
    const fs::path target = work.path() / "locked/plan.qts";
    const int code = InChild([&] {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) return 10;
        try {
            WriteBackupFile(target, bytes);
        } catch (const BackupWriteError& e) {
            const std::string text = e.what();
            return text.find(target.string()) != std::string::npos &&
                           text.find("Zugriff verweigert.") != std::string::npos
                       ? 0
                       : 11;
        }
        return 12;
    });
    ::chmod("locked", 0755);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(Slurp("locked/plan.qts"), "old");
    EXPECT_EQ(Entries("locked"), std::vector<std::string>{"plan.qts"});
}

// The write fails half-way (file size limit); the previous file stays byte
// for byte and no temporary file is left.
TEST_F(BackupFileTest, WriteFailingHalfWayLeavesTheOldFileIntact) {
    const std::string old = FormatBackup(ConfigurationModel{});
    Put("plan.qts", old);
    const int code = InChild([&] {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 10;
        try {
            WriteBackupFile("plan.qts", bytes);
        } catch (const BackupWriteError& e) {
            const std::string text = e.what();
            return text.find("plan.qts") != std::string::npos &&
                           text.find("Die Datei wird zu groß.") != std::string::npos
                       ? 0
                       : 11;
        }
        return 12;
    });
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(Slurp("plan.qts") == old);
    EXPECT_EQ(Entries(work.path()), std::vector<std::string>{"plan.qts"});
}

TEST_F(BackupFileTest, ReadingWhatCannotBeReadGivesNothing) {
    EXPECT_FALSE(ReadBackupFile("fehlt.qts"));
    fs::create_directory("ordner.qts");
    EXPECT_FALSE(ReadBackupFile("ordner.qts"));
    Put("leer.qts", "");
    ASSERT_TRUE(ReadBackupFile("leer.qts"));
    EXPECT_EQ(*ReadBackupFile("leer.qts"), "");
}

}  // namespace
}  // namespace veltrano
