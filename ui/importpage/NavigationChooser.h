#pragma once

#include <QDialog>

#include <cstddef>
#include <vector>

class QLabel;
class QTreeWidget;

namespace tavel {

struct NavigationCandidate;

// Picks which of a page's navigations becomes the menu: one row each, with
// where it sits, its first captions and its number of links, the
// preselected one current. Enter takes the current row, Escape cancels.
class NavigationChooser : public QDialog {
    Q_OBJECT

public:
    explicit NavigationChooser(QWidget* parent = nullptr);

    void Show(const QString& page, const std::vector<NavigationCandidate>& candidates, size_t preselected);
    size_t Chosen() const;

    QTreeWidget* List() const { return list_; }

private:
    QLabel* label_;
    QTreeWidget* list_;
};

}  // namespace tavel
