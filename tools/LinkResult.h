#pragma once

#include <string>

namespace tavel {

// What a link check found, by how much it needs the user: a link that works,
// one that works but should be mended, one that fails, and one the check
// does not try (with the reason in the text). Pending is a link whose answer
// has not come yet.
enum class LinkResultKind { Ok, Warning, Broken, NotChecked, Pending };

struct LinkResult {
    LinkResultKind kind = LinkResultKind::Pending;
    std::string text;
    // The server could not be reached from here (no answer in time, no
    // connection, no such name): the link may work for everyone else, so a
    // script that fails on broken links can tell this apart.
    bool unreachable = false;

    bool operator==(const LinkResult&) const = default;
};

// Why a web link failed when no server answered it.
inline constexpr const char* kTimedOut = "timed out";
inline constexpr const char* kCannotConnect = "cannot connect";
inline constexpr const char* kNameNotFound = "name not found";

inline LinkResult LinkOk() { return {LinkResultKind::Ok, "OK"}; }
inline LinkResult LinkPending() { return {LinkResultKind::Pending, "checking..."}; }
inline LinkResult NotChecked(const std::string& reason) { return {LinkResultKind::NotChecked, "not checked: " + reason}; }

}  // namespace tavel
