#include "util/TextHelpers.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include <unistd.h>

namespace qv {
namespace {

TEST(TextHelpers, CommentField) {
    const std::string line = "x := 1 // Zeit // Einheit";
    EXPECT_EQ(CommentField(line, 0), "x := 1 ");
    EXPECT_EQ(CommentField(line, 1), " Zeit ");
    EXPECT_EQ(CommentField(line, 2), " Einheit");
    EXPECT_EQ(CommentField(line, 3), "");
    EXPECT_EQ(CommentField(line, -1), "");
    EXPECT_EQ(CommentField("ohne Kommentar", 0), "ohne Kommentar");
    EXPECT_EQ(CommentField("a////b", 1), "");
    EXPECT_EQ(CommentField("a////b", 2), "b");
    EXPECT_EQ(CommentField("a/b", 1), "");
}

TEST(TextHelpers, TrimBlanks) {
    EXPECT_EQ(TrimBlanks("  a b  "), "a b");
    EXPECT_EQ(TrimBlanks("     "), "");
    EXPECT_EQ(TrimBlanks(""), "");
    EXPECT_EQ(TrimBlanks("\ta\t"), "\ta\t");  // only the space counts
}

TEST(TextHelpers, Separators) {
    EXPECT_EQ(WithBackslash(""), "");
    EXPECT_EQ(WithBackslash("/home/anna"), "/home/anna/");
    EXPECT_EQ(WithBackslash("/home/anna/"), "/home/anna/");
    EXPECT_EQ(WithBackslash("C:\\Daten"), "C:\\Daten\\");
    EXPECT_EQ(WithBackslash("C:\\"), "C:\\");

    EXPECT_EQ(WithoutBackslash("C:\\"), "C:\\");
    EXPECT_EQ(WithoutBackslash("C:\\Daten\\"), "C:\\Daten");
    EXPECT_EQ(WithoutBackslash("C:/"), "C:/");
    EXPECT_EQ(WithoutBackslash("/"), "/");
    EXPECT_EQ(WithoutBackslash("/a/"), "/a");
    EXPECT_EQ(WithoutBackslash("/home/anna//"), "/home/anna/");  // only one
    EXPECT_EQ(WithoutBackslash("/home/anna"), "/home/anna");
    EXPECT_EQ(WithoutBackslash("dir\\"), "dir\\");  // a plain name may hold "\" on Linux
    EXPECT_EQ(WithoutBackslash(""), "");
}

TEST(TextHelpers, DeleteFileQuietly) {
    const auto folder = std::filesystem::temp_directory_path() / "qv_util_delete_test";
    std::filesystem::create_directories(folder);
    const auto file = folder / "weg.txt";
    std::ofstream(file) << "x";
    ASSERT_TRUE(std::filesystem::exists(file));

    DeleteFileQuietly(file.string());
    EXPECT_FALSE(std::filesystem::exists(file));
    DeleteFileQuietly(file.string());  // already gone: no failure
    DeleteFileQuietly("");
    DeleteFileQuietly(folder.string());  // a folder is not a file
    EXPECT_TRUE(std::filesystem::exists(folder));
    std::filesystem::remove_all(folder);
}

// Sets or clears an environment variable for one test and restores it.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    ~ScopedEnv() { old_ ? setenv(name_, old_->c_str(), 1) : unsetenv(name_); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(TextHelpers, FindDataFolderBesideInstalledOrInTheBuildTree) {
    namespace fs = std::filesystem;
    const fs::path root = fs::temp_directory_path() / ("qv_data_" + std::to_string(::getpid()));
    fs::create_directories(root / "build" / "src");
    fs::create_directories(root / "prefix" / "bin");
    fs::create_directories(root / "prefix" / "share" / "quorvel" / "help");
    const std::string saved = AppFolders().ProgramFolder;

    AppFolders().ProgramFolder = (root / "prefix" / "bin").string() + "/";
    EXPECT_EQ(FindDataFolder("help"), (root / "prefix" / "share" / "quorvel" / "help").string() + "/");
    // Nothing anywhere: beside the program, where a user would put it.
    EXPECT_EQ(FindDataFolder("ani"), (root / "prefix" / "bin").string() + "/ani/");
    EXPECT_EQ(FindDataFile("Praedkt.txt"), (root / "prefix" / "bin" / "Praedkt.txt").string());
    std::ofstream((root / "prefix" / "share" / "quorvel" / "Praedkt.txt").string()) << "nimmt zu um\n";
    EXPECT_EQ(FindDataFile("Praedkt.txt"), (root / "prefix" / "share" / "quorvel" / "Praedkt.txt").string());
    EXPECT_EQ(FindDataFile("help"), (root / "prefix" / "bin" / "help").string()) << "a folder is no data file";

    fs::create_directories(root / "ani");  // the source tree's folder
    AppFolders().ProgramFolder = (root / "build" / "src").string() + "/";
    EXPECT_EQ(FindDataFolder("ani"), (root / "ani").string() + "/");
    fs::create_directories(root / "build" / "src" / "ani");
    EXPECT_EQ(FindDataFolder("ani"), (root / "build" / "src" / "ani").string() + "/") << "beside the program first";

    AppFolders().ProgramFolder = saved;
    fs::remove_all(root);
}

TEST(TextHelpers, FindUserFolder) {
    const Folders saved = AppFolders();
    const std::string temp = std::filesystem::temp_directory_path().string();
    const std::string current = std::filesystem::current_path().string();
    AppFolders().ProgramFolder = "/opt/quorvel/";
    {
        ScopedEnv profile("USERPROFILE", temp.c_str());
        ScopedEnv home("HOME", "/");
        FindUserFolder();
        EXPECT_EQ(AppFolders().UserFolder, temp);
    }
    {
        ScopedEnv profile("USERPROFILE", nullptr);
        ScopedEnv home("HOME", temp.c_str());
        FindUserFolder();
        EXPECT_EQ(AppFolders().UserFolder, temp);
    }
    {
        ScopedEnv profile("USERPROFILE", "/gibt/es/nicht");
        ScopedEnv home("HOME", "");
        FindUserFolder();
        EXPECT_EQ(AppFolders().UserFolder, current);
    }
    AppFolders() = saved;
}

}  // namespace
}  // namespace qv
