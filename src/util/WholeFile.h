// Files read and written as a whole: every file the program writes goes
// through WriteFileSafely, so a document, picture or workbook is either
// complete or not written at all, and the file that was there before stays
// as it was when anything fails.
//
// File names are the operating system's (UTF-8); messages are German in
// Windows-1252, with the file name converted.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace qv {

// Writes bytes as the new content of fileName. They go into a temporary file
// created exclusively beside it (never through a name that exists, so a link
// planted in a shared folder leads nowhere), are flushed to the disk, and the
// temporary file is then renamed over the old one, keeping its mode, owner
// and group where the system permits. A symbolic link stays a link: the file
// it leads to gets the new content. A file without write permission is
// refused ("Die Datei … ist schreibgeschützt."), even for the superuser, who
// could otherwise replace it unasked. False with the reason in error.
bool WriteFileSafely(const std::string& fileName, std::span<const uint8_t> bytes, std::string& error);

// Reads the whole file, at most maxMegabytes MB of it; a longer file or an
// endless device is refused rather than read until memory runs out, and so is
// a folder. Nothing, with the reason in error, when it cannot be read.
std::optional<std::vector<uint8_t>> ReadFileBounded(const std::string& fileName, std::size_t maxMegabytes,
                                                     std::string& error);

}  // namespace qv
