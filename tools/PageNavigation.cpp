#include "tools/PageNavigation.h"

#include "platform/FileError.h"
#include "platform/TextFile.h"
#include "tools/NavigationMenu.h"
#include "tools/PageEncoding.h"

#include <algorithm>
#include <cctype>

namespace tavel {
namespace {

constexpr size_t kFirstCaptions = 3;
constexpr size_t kPlaceSteps = 4;

bool IsElement(const GumboNode& node) { return node.type == GUMBO_NODE_ELEMENT || node.type == GUMBO_NODE_TEMPLATE; }

bool IsLandmark(const GumboNode& node) {
    if (node.v.element.tag == GUMBO_TAG_NAV) return true;
    const auto role = AttributeOf(node, "role");
    if (!role) return false;
    std::string value(*role);
    std::transform(value.begin(), value.end(), value.begin(), [](unsigned char c) { return std::tolower(c); });
    return (" " + value + " ").find(" navigation ") != std::string::npos;
}

// "nav#main", "ul.menu", "footer": the tag with its id, else its first class.
std::string Step(const GumboNode& node) {
    std::string step = gumbo_normalized_tagname(node.v.element.tag);
    if (step.empty()) step = "element";
    if (auto id = AttributeOf(node, "id"); id && !id->empty()) return step + "#" + std::string(*id);
    if (auto classes = AttributeOf(node, "class")) {
        const std::string first(classes->substr(0, classes->find_first_of(" \t\r\n\f")));
        if (!first.empty()) step += "." + first;
    }
    return step;
}

std::string PlaceOf(const GumboNode& node) {
    std::vector<std::string> steps;
    for (const GumboNode* at = &node; at != nullptr && IsElement(*at); at = at->parent) {
        if (at->v.element.tag == GUMBO_TAG_HTML) break;
        steps.push_back(Step(*at));
    }
    std::string place = steps.size() > kPlaceSteps ? "... > " : "";
    for (size_t i = std::min(steps.size(), kPlaceSteps); i-- > 0;) place += steps[i] + (i > 0 ? " > " : "");
    return place;
}

bool IsAscii(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::string Quoted(const std::string& name) { return "\"" + name + "\""; }

}  // namespace

PageNavigation::PageNavigation(std::string bytes, const std::string& name) {
    if (IsBlankPage(bytes)) throw FileError(Quoted(name) + " is empty: it holds no menu to import.", name);
    if (IsBinaryPage(bytes))
        throw FileError(Quoted(name) + " is not a web page: it holds binary data.", name);
    page_ = std::make_unique<HtmlDocument>(std::move(bytes), name);
    // The parser reads UTF-8: a page in another encoding is read again as
    // its text in UTF-8, so that its captions come out as they show.
    const PageEncoding encoding = EncodingOfPage(*page_);
    if (!encoding.IsUtf8() && !(IsAscii(page_->Bytes()) && !encoding.IsUtf16())) {
        std::string text = PageTextAsUtf8(page_->Bytes(), encoding, name);
        page_.reset();
        page_ = std::make_unique<HtmlDocument>(std::move(text), name);
    }
    // One walk: every landmark, and every outermost list outside them; a
    // link counts for the candidate it stands in.
    struct Pending {
        const GumboNode* node;
        long candidate;  // -1: outside every candidate
        bool inLandmark;
        bool inList;
    };
    std::vector<Pending> pending{{&page_->Root(), -1, false, false}};
    while (!pending.empty()) {
        Pending at = pending.back();
        pending.pop_back();
        const GumboNode& node = *at.node;
        if (!IsElement(node)) continue;
        const bool landmark = !at.inLandmark && IsLandmark(node);
        if (landmark || (!at.inLandmark && !at.inList && IsListElement(node))) {
            candidates_.push_back({&node, landmark, PlaceOf(node), {}, 0});
            at.candidate = static_cast<long>(candidates_.size() - 1);
        }
        at.inLandmark = at.inLandmark || landmark;
        at.inList = at.inList || IsListElement(node);
        if (at.candidate >= 0 && IsLinkElement(node)) {
            NavigationCandidate& candidate = candidates_[static_cast<size_t>(at.candidate)];
            ++candidate.links;
            if (candidate.firstCaptions.size() < kFirstCaptions) {
                std::string caption = VisibleText(node);
                if (!caption.empty()) candidate.firstCaptions.push_back(std::move(caption));
            }
        }
        const GumboVector& children = node.v.element.children;
        for (unsigned i = children.length; i-- > 0;)
            pending.push_back({static_cast<const GumboNode*>(children.data[i]), at.candidate, at.inLandmark, at.inList});
    }
    candidates_.erase(std::remove_if(candidates_.begin(), candidates_.end(),
                                     [](const NavigationCandidate& candidate) { return candidate.links == 0; }),
                      candidates_.end());
    if (candidates_.empty())
        throw FileError(Quoted(name) +
                            " holds no navigation to import: no <nav> element, no element with role=\"navigation\" "
                            "and no list of links.",
                        name);
    const bool anyLandmark = std::any_of(candidates_.begin(), candidates_.end(),
                                         [](const NavigationCandidate& candidate) { return candidate.landmark; });
    for (size_t i = 0; i < candidates_.size(); ++i) {
        const NavigationCandidate& best = candidates_[preselected_];
        const NavigationCandidate& next = candidates_[i];
        const bool counts = next.landmark || !anyLandmark;
        if (counts && ((anyLandmark && !best.landmark) || next.links > best.links)) preselected_ = i;
    }
}

PageNavigation::~PageNavigation() = default;

void ImportedMenu::Add(int level, MenuItemKind kind, std::string_view caption, std::string_view hint,
                       std::string_view link) {
    // A text longer than 4 GB cannot come out of a page held in memory
    // beside its parse; it is cut all the same rather than wrapped.
    const auto length = [](std::string_view text) {
        return static_cast<uint32_t>(std::min<size_t>(text.size(), UINT32_MAX));
    };
    Entry entry{texts_.size(), length(caption), length(hint), length(link), static_cast<uint8_t>(level), kind};
    texts_.append(caption.substr(0, entry.captionLength));
    texts_.append(hint.substr(0, entry.hintLength));
    texts_.append(link.substr(0, entry.linkLength));
    entries_.push_back(entry);
}

MenuItemData ImportedMenu::Data(size_t index) const {
    const Entry& entry = entries_[index];
    const std::string_view texts(texts_);
    return {entry.kind, std::string(texts.substr(entry.text, entry.captionLength)),
            std::string(texts.substr(entry.text + entry.captionLength, entry.hintLength)),
            std::string(texts.substr(entry.text + entry.captionLength + entry.hintLength, entry.linkLength))};
}

ImportedMenu PageNavigation::MenuOf(size_t candidate) const { return MenuOfNavigation(*candidates_.at(candidate).node); }

std::unique_ptr<PageNavigation> ReadPageNavigation(const std::string& path) {
    return std::make_unique<PageNavigation>(ReadFileBytes(path), path);
}

std::string ImportNotesMessage(const ImportedMenu& menu) {
    std::string message;
    if (const size_t folded = menu.folded) {
        message += std::to_string(folded) + (folded == 1 ? " item stood" : " items stood") +
                   " below the third level in the page; the menu has three levels, so " +
                   (folded == 1 ? "it was" : "they were") + " moved up to the third.";
    }
    if (const size_t moved = menu.movedLinks) {
        if (!message.empty()) message += "\n";
        message += std::to_string(moved) + (moved == 1 ? " item that opens a submenu had" : " items that open a submenu had") +
                   " a link of " + (moved == 1 ? "its" : "their") + " own in the page; an item with subitems opens " +
                   "its submenu, so " + (moved == 1 ? "that link is" : "those links are") + " now the first item of " +
                   (moved == 1 ? "its submenu." : "their submenus.");
    }
    return message;
}

}  // namespace tavel
