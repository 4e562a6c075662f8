#pragma once

#include <QProgressDialog>

namespace tavel {

// The progress of Create site from map: a modal box that shows only when
// the work takes longer than a moment, with a named bar and Cancel. It
// stays up until it is closed, whatever the count reaches.
class SiteProgressDialog : public QProgressDialog {
    Q_OBJECT

public:
    // How long the work runs before the box shows.
    static constexpr int kDelayMs = 400;

    explicit SiteProgressDialog(QWidget* parent);
};

}  // namespace tavel
