#include "design/ColourSchemeList.h"

#include "platform/FolderListing.h"

namespace tavel {

void ColourSchemeList::Fill(const std::string& folder) {
    entries_.clear();
    entries_ = FilesWithExtension(folder, ".csm");
}

}  // namespace tavel
