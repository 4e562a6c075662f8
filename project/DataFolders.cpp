#include "project/DataFolders.h"

#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "project/ProgramFolder.h"

#include <filesystem>

namespace tavel {
namespace {

// A folder holds the shipped data when its template page is there.
bool HoldsShippedData(const std::string& folder) {
    return FileExists(ResolveProgramPath(WithFinalSeparator(folder), programpath::kTemplatePage));
}

}  // namespace

std::string InstalledDataFolder(const std::string& executableFolder) {
    const std::filesystem::path share = std::filesystem::path(executableFolder) / ".." / "share" / "tavel-builder";
    return WithFinalSeparator(share.lexically_normal().string());
}

DataFolders ChooseDataFolders(const InstallFacts& facts) {
    const std::string beside = WithFinalSeparator(facts.executableFolder);
    if (facts.dataBesideExecutable || !facts.dataInShare) return {beside, beside};
    const std::string shipped = InstalledDataFolder(facts.executableFolder);
    if (facts.userDataHome.empty()) return {shipped, shipped};
    return {shipped, WithFinalSeparator(JoinPath(facts.userDataHome, "tavel-builder"))};
}

DataFolders FindDataFolders(const std::string& executableFolder, const std::string& userDataHome) {
    InstallFacts facts;
    facts.executableFolder = executableFolder;
    facts.dataBesideExecutable = HoldsShippedData(executableFolder);
    facts.dataInShare = !facts.dataBesideExecutable && HoldsShippedData(InstalledDataFolder(executableFolder));
    facts.userDataHome = userDataHome;
    return ChooseDataFolders(facts);
}

}  // namespace tavel
