// Saving over a file that is already there: the file stays what it was (its
// mode, owner and group, a link to it), a write-protected file is refused,
// and neither a name planted beside it nor a full disk makes a save damage
// anything.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "FileSizeLimit.h"
#include "document/QVDocument.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

std::string Content(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Put(const fs::path& path, const std::string& content) { std::ofstream(path, std::ios::binary) << content; }

std::string FileImage(const TDocument& document) {
    OutStream out;
    EXPECT_TRUE(saveDocument(document, out));
    return std::string(out.bytes().begin(), out.bytes().end());
}

std::size_t EntryCount(const fs::path& folder) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

class DocumentSaving : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "qvsave-XXXXXX").string();
        ASSERT_TRUE(::mkdtemp(pattern.data()));
        folder_ = pattern;
    }
    void TearDown() override { fs::remove_all(folder_); }

    fs::path folder_;
    TDocument document_ = TDocument::CreateNew();
    std::string error_;
};

TEST_F(DocumentSaving, ANamePlantedBesideTheDocumentIsNeitherFollowedNorDestroyed) {
    const fs::path document = folder_ / "doc.prg";
    const fs::path victim = folder_ / "fremd.txt";
    Put(document, "alt");
    Put(victim, "fremd");
    // Another user of a shared folder expects the temporary file's name.
    fs::create_symlink(victim, folder_ / "doc.prg.tmp~");

    ASSERT_TRUE(writeDocument(document_, document.string(), error_)) << error_;
    EXPECT_EQ(Content(document), FileImage(document_));
    EXPECT_FALSE(fs::is_symlink(document));
    EXPECT_EQ(Content(victim), "fremd");
    EXPECT_TRUE(fs::is_symlink(folder_ / "doc.prg.tmp~"));
    EXPECT_EQ(EntryCount(folder_), 3u) << "a temporary file was left behind";
}

TEST_F(DocumentSaving, ModeOwnerGroupAndLinkAreKeptAndAWriteProtectedFileIsRefused) {
    const fs::path real = folder_ / "echt" / "doc.prg";
    fs::create_directories(real.parent_path());
    Put(real, "alt");
    ASSERT_EQ(::chmod(real.c_str(), 0600), 0);
    // Only the superuser may give a file away; a user keeps mode and link.
    const bool superuser = ::geteuid() == 0;
    if (superuser) {
        ASSERT_EQ(::chown(real.c_str(), 4321, 8765), 0);
    }
    const fs::path link = folder_ / "doc.prg";
    fs::create_symlink("echt/doc.prg", link);

    ASSERT_TRUE(writeDocument(document_, link.string(), error_)) << error_;
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(Content(real), FileImage(document_));
    struct stat status {};
    ASSERT_EQ(::stat(real.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0600u);
    if (superuser) {
        EXPECT_EQ(status.st_uid, 4321u);
        EXPECT_EQ(status.st_gid, 8765u);
    }

    // Write-protected: refused, whoever saves, and the file keeps its content.
    ASSERT_EQ(::chmod(real.c_str(), 0444), 0);
    TDocument changed = TDocument::CreateNew();
    changed.TableShown = true;
    EXPECT_FALSE(writeDocument(changed, link.string(), error_));
    EXPECT_EQ(error_, "Die Datei " + link.string() + " ist schreibgesch\xFCtzt.");
    EXPECT_EQ(Content(real), FileImage(document_));
    EXPECT_EQ(EntryCount(real.parent_path()), 1u);
}

TEST_F(DocumentSaving, AFailedSaveLeavesTheEarlierFileAndSaysWhyInGerman) {
    const fs::path document = folder_ / "doc.prg";
    Put(document, "alt");
    {
        FileSizeLimit full(16);  // smaller than any document
        EXPECT_FALSE(writeDocument(document_, document.string(), error_));
    }
    EXPECT_EQ(error_, "Die Datei " + document.string() + " kann nicht geschrieben werden: Die Datei w\xE4re zu gro\xDF.");
    EXPECT_EQ(Content(document), "alt");
    EXPECT_EQ(EntryCount(folder_), 1u) << "a temporary file was left behind";

    EXPECT_FALSE(writeDocument(document_, folder_.string(), error_));
    EXPECT_EQ(error_, "Die Datei " + folder_.string() + " kann nicht geschrieben werden: Das ist ein Ordner.");
    const std::string missing = (folder_ / "fehlt" / "doc.prg").string();
    EXPECT_FALSE(writeDocument(document_, missing, error_));
    EXPECT_EQ(error_, "Die Datei " + missing +
                          " kann nicht geschrieben werden: Die Datei oder der Ordner existiert nicht.");
}

}  // namespace
}  // namespace qv
