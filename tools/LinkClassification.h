#pragma once

#include "tools/LinkResult.h"

#include <optional>
#include <string>
#include <string_view>

namespace tavel {

// A web address as the link check asks for it.
struct WebAddress {
    // Scheme and host in lower case, the scheme's default port and any
    // fragment left out, "/" for an empty path: two links that only differ
    // there ask the server the same question, so it is asked once.
    std::string address;
    // The host name in lower case: the servers' share of the requests is
    // counted per host.
    std::string host;

    bool operator==(const WebAddress&) const = default;
};

// An http or https address in its checked form, or nothing when it is not
// one or has no host.
std::optional<WebAddress> ParseWebAddress(std::string_view address);

// How a link is checked: as a file beside the project's page, as a web
// address, or not at all (its result is then known already).
struct LinkRoute {
    enum class Kind { File, Web, Settled };
    Kind kind = Kind::Settled;
    // File: the path with "/" between folders, query and fragment removed
    // and %-escapes decoded, as the web server would look it up.
    std::string path;
    WebAddress web;
    LinkResult result;
};

LinkRoute ClassifyLink(std::string_view link);

}  // namespace tavel
