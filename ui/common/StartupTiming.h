#pragma once

#include <QLoggingCategory>

namespace tavel {

// Start-up milestones, off unless QT_LOGGING_RULES="tavel.startup.info=true".
Q_DECLARE_LOGGING_CATEGORY(lcStartup)

// Milliseconds since this process was started by the system.
double MillisecondsSinceProcessStart();

}  // namespace tavel
