// Program start: every window is created once, the main window first (its
// start-up load runs then), and the event loop runs until it closes.
#include "design/tvProps.h"
#include "menu/tvItemProps.h"
#include "project/tvNewMenu.h"
#include "project/tvSave.h"
#include "project/tvStyleMaster.h"
#include "tools/tvTools.h"
#include "ui/LocalText.h"
#include "ui/TavelApplication.h"
#include "ui/UiServices.h"
#include "ui/tvAbout.h"
#include "ui/tvUnit1.h"

#include <unistd.h>

int main(int argc, char** argv) {
    // The preview's browser engine refuses to start as root unless its
    // sandbox is off.
    if (::geteuid() == 0) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);

    tavel::TavelApplication app(argc, argv);
    tavel::DesktopServices services;

    const std::string programFolder = tavel::Bytes(QCoreApplication::applicationDirPath()) + "/";
    tavel::TForm1 form1(programFolder, services);
    tavel::TForm2 form2(&form1);
    tavel::TForm3 form3(&form1);
    tavel::TForm4 form4(&form1);
    tavel::TForm5 form5(&form1);
    tavel::TForm6 form6(&form1);
    tavel::TForm7 form7(services, &form1);
    tavel::TForm8 form8(&form1);
    form1.SetDialogs(&form4, &form7, &form8);
    app.SetErrorWindow(&form1, &services);

    form1.showMaximized();
    return app.exec();
}
