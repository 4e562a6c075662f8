#pragma once

#include "tools/LinkClassification.h"
#include "tools/LinkResult.h"

#include <span>
#include <string>
#include <vector>

namespace tavel {

class MenuTree;
class Workspace;

// One item of the tree as the link check reports it.
struct LinkCheckRow {
    std::string place;  // the captions from the menu bar down, " > " between them
    std::string link;
    LinkResult result;
    // Separators and submenu titles are listed with the reason they are
    // not checked, but they are no links: the counts leave them out.
    bool isLink = true;
};

// Every item of the tree in walk order, with what could be settled at once
// (files, links that are not checked), and the web addresses still to ask,
// each once however many items share it.
struct LinkCheckPlan {
    std::vector<LinkCheckRow> rows;
    std::vector<WebAddress> addresses;
    std::vector<std::vector<size_t>> rowsOfAddress;  // parallel to `addresses`
};

// `folder` is the folder the project's page lies in, against which file
// links are resolved. Reads the tree and the disk; changes nothing.
LinkCheckPlan PlanLinkCheck(const MenuTree& tree, const std::string& folder);

// The plan for the open project's tree, whose file links are resolved
// against the folder of the project's page (the template folder for the
// default project).
LinkCheckPlan PlanProjectLinkCheck(const Workspace& workspace);

// Settles every web address of the plan as not checked: only the files
// are checked, without the network.
void LeaveOutWebLinks(LinkCheckPlan& plan);

// "42 links: 37 OK, 3 broken, 2 not checked": every kind that occurs, in
// the order OK, warnings, broken, not checked. Rows still pending are
// counted in the total only; rows that are no links not at all. With
// `apartUnreachable`, links whose server could not be reached are counted
// on their own ("1 unreachable", after the broken ones) instead of among
// the broken.
std::string LinkCheckSummary(std::span<const LinkCheckRow> rows, bool apartUnreachable = false);

// A word about the network when every web address (two at least: one alone
// says nothing of the network) failed the same way before any server
// answered; an empty text otherwise. `webResults` holds one result per
// address asked.
std::string NetworkHint(std::span<const LinkResult> webResults);

// The rows as tab-separated text under a header row, one line each; a tab
// or line break inside a field becomes a space.
std::string LinkCheckReport(std::span<const LinkCheckRow> rows);

}  // namespace tavel
