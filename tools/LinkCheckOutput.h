#pragma once

#include "tools/LinkCheckPlan.h"

#include <span>
#include <string>
#include <string_view>

namespace tavel {

// A link check as the command line prints it: for people (one line per link
// that needs attention, then the summary), as tab-separated rows under a
// header, or as one JSON array of objects. Every row and object has the same
// four fields: result (ResultWord), link, place (the captions from the menu
// bar down) and detail (what the check found). Texts are written as UTF-8,
// those of a Windows-1252 project converted.
enum class LinkReportFormat { Text, Tsv, Json };

// "ok", "warning", "broken", "unreachable" (the server could not be reached
// from here), "skipped" (not checked, by its kind) or "pending".
std::string_view ResultWord(const LinkResult& result);

std::string FormatLinkCheck(std::span<const LinkCheckRow> rows, LinkReportFormat format);

// The exit status of a finished check: 1 when a link is broken, else 3
// when a server could not be reached, else 0.
int LinkCheckExitStatus(std::span<const LinkCheckRow> rows);

}  // namespace tavel
