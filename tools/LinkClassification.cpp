#include "tools/LinkClassification.h"

#include <algorithm>
#include <cctype>

namespace tavel {
namespace {

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

std::string LowerCase(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), Lower);
    return lower;
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
    return text;
}

// The scheme before the first ":", when the text starts with one: a letter,
// then letters, digits, "+", "-" or "."; empty when it has none.
std::string_view SchemeOf(std::string_view link) {
    if (link.empty() || !std::isalpha(static_cast<unsigned char>(link.front()))) return {};
    for (size_t i = 1; i < link.size(); ++i) {
        const char c = link[i];
        if (c == ':') return link.substr(0, i);
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.') return {};
    }
    return {};
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = Lower(c);
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// A "%" that does not start two hex digits stands for itself, as it does
// for a browser.
std::string PercentDecoded(std::string_view text) {
    std::string decoded;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 && HexValue(text[i + 2]) >= 0) {
            decoded += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
            i += 2;
        } else {
            decoded += text[i];
        }
    }
    return decoded;
}

LinkRoute Settled(LinkResult result) { return {LinkRoute::Kind::Settled, {}, {}, std::move(result)}; }

// Reasons for the links that are not checked, by scheme.
std::string SchemeReason(const std::string& scheme) {
    if (scheme == "mailto") return "e-mail address";
    if (scheme == "javascript") return "script";
    if (scheme == "tel") return "telephone number";
    return scheme + ": address";
}

}  // namespace

std::optional<WebAddress> ParseWebAddress(std::string_view address) {
    const std::string scheme = LowerCase(SchemeOf(address));
    if (scheme != "http" && scheme != "https") return std::nullopt;
    std::string_view rest = address.substr(scheme.size() + 1);
    const size_t fragment = rest.find('#');
    if (fragment != std::string_view::npos) rest = rest.substr(0, fragment);
    // Browsers read "\" as "/" before the query of a web address.
    std::string before(rest.substr(0, rest.find('?')));
    std::replace(before.begin(), before.end(), '\\', '/');
    const std::string query(rest.substr(before.size()));
    if (before.rfind("//", 0) != 0) return std::nullopt;

    const size_t authorityEnd = std::min(before.find('/', 2), before.size());
    const std::string_view authority = std::string_view(before).substr(2, authorityEnd - 2);
    std::string path = before.substr(authorityEnd);
    if (path.empty()) path = "/";

    const size_t at = authority.rfind('@');
    const std::string_view userInfo = at == std::string_view::npos ? std::string_view() : authority.substr(0, at + 1);
    const std::string_view hostPort = at == std::string_view::npos ? authority : authority.substr(at + 1);
    size_t portColon = hostPort.rfind(':');
    if (portColon != std::string_view::npos && hostPort.find(']', portColon) != std::string_view::npos)
        portColon = std::string_view::npos;  // a colon inside an IPv6 address
    const std::string host = LowerCase(hostPort.substr(0, portColon));
    std::string_view port = portColon == std::string_view::npos ? std::string_view() : hostPort.substr(portColon + 1);
    if (host.empty() || host == "[]") return std::nullopt;
    if (!std::all_of(port.begin(), port.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }))
        return std::nullopt;
    while (port.size() > 1 && port.front() == '0') port.remove_prefix(1);
    if ((scheme == "http" && port == "80") || (scheme == "https" && port == "443")) port = {};

    std::string checked = scheme + "://" + std::string(userInfo) + host;
    if (!port.empty()) checked += ":" + std::string(port);
    return WebAddress{checked + path + query, host};
}

LinkRoute ClassifyLink(std::string_view rawLink) {
    const std::string_view link = Trimmed(rawLink);
    if (link.empty()) return Settled(NotChecked("no link"));
    if (link.front() == '#' || link.front() == '?') return Settled(NotChecked("the same page"));
    if (link.rfind("//", 0) == 0 || link.rfind("\\\\", 0) == 0)
        return Settled(NotChecked("no http: or https: before the server's name"));
    if (link.front() == '/' || link.front() == '\\') return Settled(NotChecked("starts at the web server's root"));

    const std::string scheme = LowerCase(SchemeOf(link));
    if (scheme.size() == 1) return Settled(NotChecked("a path on a Windows drive"));
    if (scheme == "http" || scheme == "https") {
        std::optional<WebAddress> web = ParseWebAddress(link);
        if (!web) return Settled({LinkResultKind::Broken, "not a valid address"});
        return {LinkRoute::Kind::Web, {}, std::move(*web), {}};
    }
    if (!scheme.empty()) return Settled(NotChecked(SchemeReason(scheme)));

    std::string path(link.substr(0, link.find_first_of("?#")));
    std::replace(path.begin(), path.end(), '\\', '/');
    return {LinkRoute::Kind::File, PercentDecoded(path), {}, {}};
}

}  // namespace tavel
