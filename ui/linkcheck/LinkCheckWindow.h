#pragma once

#include "tools/LinkRequester.h"
#include "tools/WebLinkCheck.h"

#include <QDialog>
#include <QPersistentModelIndex>
#include <QPointer>

#include <memory>
#include <vector>

class QLabel;
class QProgressBar;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;
class QTreeView;

namespace tavel {

class LinkCheckModel;
class Workspace;

// The "Link check" window: checks the link of every item of the menu tree
// and lists the results, while the user goes on working. Files and links
// that are not checked are settled at once; web addresses are asked in the
// background through the requester, and Cancel drops them at once. The
// rows are taken from the tree when the check starts, so later edits of the
// tree never move a result onto another item; each row keeps a persistent
// index into the tree view's model, which Qt invalidates when the item is
// deleted, to find its item again. The check never changes the project.
class LinkCheckWindow : public QDialog {
    Q_OBJECT

public:
    LinkCheckWindow(Workspace& workspace, QTreeView& tree, std::unique_ptr<LinkRequester> requester,
                    QWidget* parent = nullptr);
    ~LinkCheckWindow() override;

    // Checks the tree as it is now, dropping any check still running, and
    // shows the window.
    void Start();
    void Cancel();
    void CopyReport();
    bool Running() const { return running_; }

signals:
    // The check came to its end, or was cancelled.
    void Finished();

protected:
    // Closing the window (also by Escape) ends the check.
    void reject() override;

private:
    void Record(size_t address, const LinkResult& result);
    void ShowProgress();
    void FitTable();
    void ShowInTree(const QModelIndex& shownIndex);
    // The tree view's items in walk order, as the check's rows are.
    std::vector<QPersistentModelIndex> TreeIndexes() const;

    Workspace& workspace_;
    QPointer<QTreeView> tree_;
    std::unique_ptr<LinkRequester> requester_;
    std::unique_ptr<WebLinkCheck> check_;
    std::vector<std::vector<size_t>> rowsOfAddress_;
    std::vector<QPersistentModelIndex> items_;
    std::vector<LinkResult> webResults_;  // one per address asked
    size_t links_ = 0;
    size_t rowsDone_ = 0;
    bool running_ = false;

    LinkCheckModel* model_ = nullptr;
    QSortFilterProxyModel* sorted_ = nullptr;
    QLabel* summary_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QTableView* table_ = nullptr;
    QLabel* note_ = nullptr;
    QPushButton* copy_ = nullptr;
    QPushButton* close_ = nullptr;
};

}  // namespace tavel
