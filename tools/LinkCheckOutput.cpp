#include "tools/LinkCheckOutput.h"

#include "platform/TextEncoding.h"
#include "tools/ExitStatus.h"

#include <cstdio>

namespace tavel {
namespace {

constexpr std::string_view kFields[] = {"result", "link", "place", "detail"};

// A field for one line of text: tabs and line breaks become spaces.
std::string OneLine(std::string_view bytes) {
    std::string text = AsUtf8(bytes);
    for (char& c : text)
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    return text;
}

std::string JsonString(std::string_view bytes) {
    std::string json = "\"";
    for (char c : AsUtf8(bytes)) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (u < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
            json += escaped;
        } else {
            json += c;
        }
    }
    return json + "\"";
}

bool NeedsAttention(const LinkResult& result) {
    return result.kind == LinkResultKind::Warning || result.kind == LinkResultKind::Broken ||
           result.kind == LinkResultKind::Pending;
}

std::string Text(std::span<const LinkCheckRow> rows) {
    std::string text;
    for (const LinkCheckRow& row : rows) {
        if (!NeedsAttention(row.result)) continue;
        text += std::string(ResultWord(row.result)) + ": " + OneLine(row.place);
        if (!row.link.empty()) text += " (" + OneLine(row.link) + ")";
        text += ": " + OneLine(row.result.text) + "\n";
    }
    return text + LinkCheckSummary(rows, true) + "\n";
}

std::string Tsv(std::span<const LinkCheckRow> rows) {
    std::string text;
    for (std::string_view field : kFields) text += std::string(text.empty() ? "" : "\t") + std::string(field);
    text += '\n';
    for (const LinkCheckRow& row : rows)
        text += std::string(ResultWord(row.result)) + "\t" + OneLine(row.link) + "\t" + OneLine(row.place) + "\t" +
                OneLine(row.result.text) + "\n";
    return text;
}

std::string Json(std::span<const LinkCheckRow> rows) {
    std::string json = "[";
    for (size_t i = 0; i < rows.size(); ++i) {
        const LinkCheckRow& row = rows[i];
        const std::string values[] = {JsonString(ResultWord(row.result)), JsonString(row.link), JsonString(row.place),
                                      JsonString(row.result.text)};
        json += i == 0 ? "\n  {" : ",\n  {";
        for (size_t field = 0; field < std::size(kFields); ++field)
            json += (field == 0 ? "\"" : ", \"") + std::string(kFields[field]) + "\": " + values[field];
        json += "}";
    }
    return json + (rows.empty() ? "]\n" : "\n]\n");
}

}  // namespace

std::string_view ResultWord(const LinkResult& result) {
    switch (result.kind) {
        case LinkResultKind::Ok: return "ok";
        case LinkResultKind::Warning: return "warning";
        case LinkResultKind::Broken: return result.unreachable ? "unreachable" : "broken";
        case LinkResultKind::NotChecked: return "skipped";
        case LinkResultKind::Pending: break;
    }
    return "pending";
}

std::string FormatLinkCheck(std::span<const LinkCheckRow> rows, LinkReportFormat format) {
    switch (format) {
        case LinkReportFormat::Tsv: return Tsv(rows);
        case LinkReportFormat::Json: return Json(rows);
        case LinkReportFormat::Text: break;
    }
    return Text(rows);
}

int LinkCheckExitStatus(std::span<const LinkCheckRow> rows) {
    int status = exitstatus::kDone;
    for (const LinkCheckRow& row : rows) {
        if (row.result.kind == LinkResultKind::Broken && !row.result.unreachable) return exitstatus::kBrokenLinks;
        if (row.result.unreachable || row.result.kind == LinkResultKind::Pending) status = exitstatus::kLinksUnchecked;
    }
    return status;
}

}  // namespace tavel
