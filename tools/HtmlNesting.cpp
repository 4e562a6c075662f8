#include "tools/HtmlNesting.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>
#include <vector>

namespace tavel {
namespace {

bool IsLetter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }

template <class Names>
bool OneOf(std::string_view name, const Names& names) {
    return std::find(std::begin(names), std::end(names), name) != std::end(names);
}
bool OneOf(std::string_view name, std::initializer_list<std::string_view> names) { return OneOf<>(name, names); }

// Elements that never hold others.
bool IsVoid(std::string_view name) {
    return OneOf(name, {"area", "base", "br", "col", "embed", "hr", "img", "input", "keygen", "link", "meta",
                        "param", "source", "track", "wbr", "basefont", "bgsound", "frame", "image"});
}

// Elements whose content is text up to their own end tag.
bool HoldsRawText(std::string_view name) {
    return OneOf(name, {"script", "style", "textarea", "title", "xmp", "iframe", "noembed", "noframes"});
}

// Start tags that close an open element of the same family, stopping at
// the container beyond which browsers do not look. (The lists own their
// names: a list held in a temporary would outlive it.)
struct SiblingRule {
    std::vector<std::string_view> family;
    std::vector<std::string_view> containers;
};
const std::array kSiblingRules = {
    SiblingRule{{"li"}, {"ul", "ol", "menu"}},
    SiblingRule{{"dt", "dd"}, {"dl"}},
    SiblingRule{{"option", "optgroup"}, {"select", "datalist"}},
    SiblingRule{{"td", "th"}, {"tr", "table"}},
    SiblingRule{{"tr"}, {"table", "tbody", "thead", "tfoot"}},
    SiblingRule{{"rb", "rt", "rtc", "rp"}, {"ruby"}},
};

// Start tags that close an open paragraph.
bool ClosesParagraph(std::string_view name) {
    return OneOf(name, {"address", "article", "aside", "blockquote", "details", "div", "dl", "fieldset",
                        "figcaption", "figure", "footer", "form", "h1", "h2", "h3", "h4", "h5", "h6", "header",
                        "hgroup", "hr", "main", "menu", "nav", "ol", "p", "pre", "section", "table", "ul", "li",
                        "dd", "dt"});
}

class NestingReader {
public:
    explicit NestingReader(std::string_view page) : page_(page) {}

    bool DeeperThan(size_t limit) {
        while (at_ < page_.size()) {
            const size_t open = page_.find('<', at_);
            if (open == std::string_view::npos) break;
            at_ = open + 1;
            if (StartsWith("!--")) {
                SkipPast("-->", at_ + 3);
            } else if (StartsWith("!") || StartsWith("?")) {
                SkipPast(">", at_);
            } else if (StartsWith("/") && at_ + 1 < page_.size() && IsLetter(page_[at_ + 1])) {
                ++at_;
                Close(Name());
                SkipPast(">", at_);
            } else if (at_ < page_.size() && IsLetter(page_[at_])) {
                const std::string name = Name();
                const bool selfClosing = SkipAttributes();
                Open(name, selfClosing);
                if (open_.size() > limit) return true;
            }
        }
        return false;
    }

private:
    bool StartsWith(std::string_view text) const { return page_.substr(at_, text.size()) == text; }

    void SkipPast(std::string_view end, size_t from) {
        const size_t found = page_.find(end, std::min(from, page_.size()));
        at_ = found == std::string_view::npos ? page_.size() : found + end.size();
    }

    std::string Name() {
        std::string name;
        while (at_ < page_.size() && std::string_view(" \t\r\n\f/>").find(page_[at_]) == std::string_view::npos)
            name += static_cast<char>(std::tolower(static_cast<unsigned char>(page_[at_++])));
        return name;
    }

    // Reads up to the tag's end, values in quotes included; whether it ends
    // with "/>".
    bool SkipAttributes() {
        char quote = 0;
        for (; at_ < page_.size(); ++at_) {
            const char c = page_[at_];
            if (quote != 0) {
                if (c == quote) quote = 0;
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (c == '>') {
                ++at_;
                return at_ >= 2 && page_[at_ - 2] == '/';
            }
        }
        return false;
    }

    void Open(const std::string& name, bool selfClosing) {
        if (IsVoid(name)) return;
        if (HoldsRawText(name)) {
            // Its text runs to its own end tag, whatever it looks like.
            for (size_t end = page_.find("</", at_); end != std::string_view::npos; end = page_.find("</", end + 2)) {
                std::string closing;
                for (size_t i = end + 2; i < page_.size() && closing.size() < name.size(); ++i)
                    closing += static_cast<char>(std::tolower(static_cast<unsigned char>(page_[i])));
                if (closing == name) {
                    at_ = end;
                    return;
                }
            }
            at_ = page_.size();
            return;
        }
        // "/>" closes only inside SVG and MathML; in HTML the element stays open.
        if (selfClosing && foreign_ > 0) return;
        CloseSiblings(name);
        open_.push_back(name);
        if (name == "svg" || name == "math") ++foreign_;
    }

    void CloseSiblings(std::string_view name) {
        if (ClosesParagraph(name) && !open_.empty() && open_.back() == "p") Pop();
        for (const SiblingRule& rule : kSiblingRules) {
            if (!OneOf(name, rule.family)) continue;
            for (size_t i = open_.size(); i-- > 0;) {
                if (OneOf(open_[i], rule.containers)) break;
                if (OneOf(open_[i], rule.family)) {
                    while (open_.size() > i) Pop();
                    break;
                }
            }
        }
    }

    void Close(const std::string& name) {
        const auto found = std::find(open_.rbegin(), open_.rend(), name);
        if (found == open_.rend()) return;
        const size_t keep = static_cast<size_t>(open_.rend() - found) - 1;
        while (open_.size() > keep) Pop();
    }

    void Pop() {
        if (open_.back() == "svg" || open_.back() == "math") --foreign_;
        open_.pop_back();
    }

    std::string_view page_;
    size_t at_ = 0;
    std::vector<std::string> open_;
    size_t foreign_ = 0;
};

}  // namespace

bool NestsDeeperThan(std::string_view page, size_t limit) { return NestingReader(page).DeeperThan(limit); }

}  // namespace tavel
