#include "ui/common/StartupTiming.h"

#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace tavel {

Q_LOGGING_CATEGORY(lcStartup, "tavel.startup", QtWarningMsg)

double MillisecondsSinceProcessStart() {
    // Field 22 of /proc/self/stat is the start time in clock ticks since
    // boot; the command name before it may hold spaces, so count from ")".
    std::ifstream stat("/proc/self/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const size_t close = text.rfind(')');
    if (close == std::string::npos) return -1;
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    for (int i = 3; i <= 22 && fields >> field; ++i) {
    }
    const double started = std::stod(field) / static_cast<double>(::sysconf(_SC_CLK_TCK));
    timespec now{};
    ::clock_gettime(CLOCK_BOOTTIME, &now);
    return (static_cast<double>(now.tv_sec) + now.tv_nsec / 1e9 - started) * 1000.0;
}

}  // namespace tavel
