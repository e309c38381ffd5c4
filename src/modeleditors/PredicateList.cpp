#include "modeleditors/PredicateList.h"

#include <filesystem>
#include <fstream>

#include "modeleditors/QVAlgoClipboard.h"
#include "util/Cp1252.h"

namespace qv {

namespace {

constexpr std::uintmax_t MaxPredicateFileSize = 1 << 20;

}  // namespace

std::vector<std::string> ReadPredicateFile(const std::string& path) {
    // Only a plain file of a sensible size: a folder or a device under that
    // name would fail or never end while being read.
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (error || !std::filesystem::is_regular_file(path, error) || size > MaxPredicateFileSize) return {};
    std::ifstream file(path, std::ios::binary);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (!file.read(bytes.data(), static_cast<std::streamsize>(size))) return {};
    // A byte-order mark from an editor is not part of the first predicate.
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) bytes.erase(0, 3);
    std::vector<std::string> lines = SplitLines(Utf8ToCp1252(bytes));
    while (!lines.empty() && lines.back().find_first_not_of(" \t") == std::string::npos) lines.pop_back();
    return lines;
}

PredicateList::PredicateList(std::vector<std::string> lines) : lines_(std::move(lines)) {}

bool PredicateList::Complete() const {
    if (lines_.size() < 4) return false;
    for (std::size_t i = 0; i < 4; ++i)
        if (lines_[i].empty()) return false;
    return true;
}

std::string PredicateList::TimeStepForm(const std::string& plain) {
    return plain + std::string(12, ' ') + "ZEITSCHRITT *";
}

std::vector<std::string> PredicateList::Shown(bool simplified) const {
    std::vector<std::string> shown = lines_;
    if (!simplified && Complete())
        for (int role : {Increase, Decrease}) shown[role] = TimeStepForm(lines_[role]);
    return shown;
}

std::optional<RolePredicates> PredicateList::Roles(bool simplified) const {
    if (!Complete()) return std::nullopt;
    std::vector<std::string> shown = Shown(simplified);
    return RolePredicates{shown[0], shown[1], shown[2], shown[3]};
}

void PredicateList::MatchForms(std::vector<TSentence>& sentences, bool simplified) const {
    if (!Complete()) return;
    for (TSentence& s : sentences)
        for (int role : {Increase, Decrease}) {
            const std::string plain = lines_[role];
            const std::string timeStep = TimeStepForm(plain);
            if (s.Predicate == (simplified ? timeStep : plain)) {
                s.Predicate = simplified ? plain : timeStep;
                break;
            }
        }
}

}  // namespace qv
