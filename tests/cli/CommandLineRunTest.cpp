// The real executable, run as a script runs it: no display, no window. Each
// command on a copy of the worked example writes what the core's command
// (the one the Program Tools window calls) writes on another copy, byte for
// byte; check-links against a server of the test's own; bad input refused
// with status 2, a message naming it, and nothing changed; the help, the
// manual page and the shell completion naming every command and option.
#include "menu/MenuTree.h"
#include "menu/ScriptWriter.h"
#include "project/Preview.h"
#include "project/ProjectOperations.h"
#include "project/Workspace.h"
#include "support/LocalHttpServer.h"
#include "tools/CommandLineTable.h"
#include "tools/CreateSite.h"
#include "tools/MenuImport.h"
#include "tools/PageIntegration.h"

#include <QDirIterator>
#include <QHostAddress>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

#include <functional>

using namespace tavel;

namespace {

// Only a hung run takes this long.
constexpr int kWaitMs = 60000;

struct Ran {
    int status = -1;
    QString out;
    QString err;
};

// Every file below `root`, by its path from there, with its bytes.
QMap<QString, QByteArray> Snapshot(const QString& root) {
    QMap<QString, QByteArray> files;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (!file.open(QIODevice::ReadOnly)) qFatal("cannot read %s", qPrintable(file.fileName()));
        files[QDir(root).relativeFilePath(file.fileName())] = file.readAll();
    }
    return files;
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(path));
    file.write(bytes);
}

// The worked example (the template project) copied to <root>/example, and a
// page of the user's own beside it.
QString CopyExample(const QString& root) {
    const QString project = root + "/example";
    QDir().mkpath(project);
    QDirIterator it(TAVEL_SOURCE_DIR "/data/system", QDir::Files);
    while (it.hasNext()) {
        const QString source = it.next();
        if (!QFile::copy(source, project + "/" + it.fileName())) qFatal("cannot copy %s", qPrintable(source));
    }
    WriteFile(root + "/page.htm", "<!DOCTYPE html>\r\n<html><head><title>Mine</title></head>\r\n<body><nav><ul>"
                                  "<li>A<ul><li><a href=\"b.htm\" title=\"Bee\">B</a></li></ul></li>"
                                  "</ul></nav><p>Hi</p></body></html>\r\n");
    return project;
}

std::string Bytes(const QString& text) { return text.toStdString(); }

// The core's command that a row compares the command line with.
using CoreCall = std::function<void(Workspace& work, const std::string& page)>;

}  // namespace

Q_DECLARE_METATYPE(CoreCall)

class CommandLineRunTest : public QObject {
    Q_OBJECT

    test::LocalHttpServer server;

    // Runs tavel as a script would, without any display, and waits for it
    // while this process's own server answers it.
    static Ran Run(const QStringList& arguments, const QStringList& prefix = {}) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) environment.remove(name);
        process.setProcessEnvironment(environment);
        process.start(prefix.isEmpty() ? TAVEL_EXECUTABLE : prefix.front(),
                      prefix.isEmpty() ? arguments : prefix.mid(1) + QStringList{TAVEL_EXECUTABLE} + arguments);
        if (!QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, kWaitMs)) process.kill();
        Ran ran;
        const bool ended = process.error() == QProcess::UnknownError && process.exitStatus() == QProcess::NormalExit;
        ran.status = ended ? process.exitCode() : -1;
        ran.out = QString::fromUtf8(process.readAllStandardOutput());
        ran.err = QString::fromUtf8(process.readAllStandardError());
        return ran;
    }

    // A copy of the worked example whose menu links the given addresses,
    // one item each, captioned by their place in the list.
    static QString ExampleLinking(const QString& root, const QStringList& links) {
        const QString project = CopyExample(root);
        MenuTree tree;
        for (const QString& link : links)
            tree.AppendChild(nullptr, {MenuItemKind::Plain, "Item " + std::to_string(tree.TopCount() + 1), "", Bytes(link)});
        WriteFile(project + "/temp.js", QByteArray::fromStdString(WriteMenuScript(tree)));
        return project;
    }

private slots:
    void initTestCase() { QVERIFY(server.Listen()); }

    // The command line against the core call the window makes, each on a
    // copy of its own in a folder of the same name (the site is named after it).
    void eachCommandWritesWhatTheWindowsCommandWrites_data() {
        // After the project, or "PROJECT" where it stands; "PAGE" stands for the page.
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<CoreCall>("core");
        using Core = CoreCall;
        const auto site = [](SiteOptions options) {
            return Core([options](Workspace& work, const std::string&) mutable {
                NoPreview preview;
                if (options.title.siteName.empty()) options.title.siteName = DefaultSiteName(work);
                CreateSite(work, preview, options);
            });
        };
        QTest::newRow("create-site") << QStringList{"create-site"} << site({});
        SiteOptions changed;
        changed.title = {"My Shop", true, "", " | ", "X"};
        changed.linkNames = false;
        changed.writeLinks = false;
        changed.language = "pt-BR";
        QTest::newRow("create-site, every option")
            << QStringList{"create-site", "--site-name", "My Shop", "--digit-names", "--title-first", "",
                           "--title-separator", " | ", "--title-second", "X", "--no-plain-links", "--lang", "pt-BR",
                           "--force"}
            << site(changed);
        SiteOptions untitled;
        untitled.title.siteName = "S";
        untitled.title.addTitles = false;
        QTest::newRow("create-site --no-titles") << QStringList{"create-site", "--no-titles", "--site-name", "S"}
                                                 << site(untitled);
        QTest::newRow("integrate") << QStringList{"integrate", "PAGE"}
                                   << Core([](Workspace& work, const std::string& page) {
                                          IntegrateMenu(work, page);
                                      });
        QTest::newRow("integrate, every option")
            << QStringList{"integrate", "PAGE", "--no-plain-links", "--whole-style-sheet"}
            << Core([](Workspace& work, const std::string& page) {
                   IntegrateMenu(work, page, {.writeLinks = false, .keepPageLook = false});
               });
        QTest::newRow("import") << QStringList{"import", "PAGE", "PROJECT"}
                                << Core([](Workspace& work, const std::string& page) {
                                       NoPreview preview;
                                       const auto navigation = ReadPageNavigation(page);
                                       ReplaceMenuTree(work, navigation->MenuOf(navigation->Preselected()));
                                       SaveProjectTexts(work, preview, work.ProjectFolder());
                                   });
    }

    void eachCommandWritesWhatTheWindowsCommandWrites() {
        QFETCH(QStringList, arguments);
        QFETCH(CoreCall, core);
        QTemporaryDir byCommandLine;
        QTemporaryDir byCore;
        const QString project = CopyExample(byCommandLine.path());
        const QMap<QString, QByteArray> before = Snapshot(byCommandLine.path());
        if (!arguments.contains("PROJECT")) arguments.insert(1, project);
        arguments.replaceInStrings(QRegularExpression("^PROJECT$"), project);
        arguments.replaceInStrings(QRegularExpression("^PAGE$"), byCommandLine.path() + "/page.htm");
        const Ran ran = Run(arguments);
        QCOMPARE(ran.err, QString());
        QCOMPARE(ran.status, 0);

        Workspace work(TAVEL_SOURCE_DIR "/data/");
        NoPreview preview;
        OpenProject(work, preview, Bytes(CopyExample(byCore.path()) + "/index.htm"));
        core(work, Bytes(byCore.path() + "/page.htm"));

        const QMap<QString, QByteArray> written = Snapshot(byCommandLine.path());
        QVERIFY(written != before);
        QCOMPARE(written.keys(), Snapshot(byCore.path()).keys());
        QVERIFY(written == Snapshot(byCore.path()));
    }

    void checkLinksTellsBrokenFromUnreachable_data() {
        quint16 closedPort = 0;
        {
            QTcpServer probe;
            QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
            closedPort = probe.serverPort();
        }
        const QString closed = QString("http://127.0.0.1:%1/").arg(closedPort);
        QTest::addColumn<QStringList>("links");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("report");
        QTest::newRow("broken") << QStringList{"index.htm", server.Url("/ok"), server.Url("/missing"), "gone.htm"}
                                << QStringList{"--format", "tsv"} << 1
                                << "result\tlink\tplace\tdetail\n"
                                   "ok\tindex.htm\tItem 1\tOK\n"
                                   "ok\t" + server.Url("/ok") + "\tItem 2\tOK\n"
                                   "broken\t" + server.Url("/missing") + "\tItem 3\t404 Not Found\n"
                                   "broken\tgone.htm\tItem 4\tmissing file\n";
        QTest::newRow("all fine") << QStringList{"index.htm", server.Url("/ok"), server.Url("/nohead"), "mailto:a@b.c"}
                                  << QStringList{} << 0 << "4 links: 3 OK, 1 not checked\n";
        QTest::newRow("closed port") << QStringList{"index.htm", closed} << QStringList{} << 3
                                     << "unreachable: Item 2 (" + closed + "): cannot connect\n"
                                        "2 links: 1 OK, 1 unreachable\n";
        QTest::newRow("timeout") << QStringList{server.Url("/slow"), server.Url("/ok")}
                                 << QStringList{"--timeout", "0.5", "--format", "json"} << 3
                                 << "[\n"
                                    "  {\"result\": \"unreachable\", \"link\": \"" + server.Url("/slow") +
                                        "\", \"place\": \"Item 1\", \"detail\": \"timed out\"},\n"
                                    "  {\"result\": \"ok\", \"link\": \"" + server.Url("/ok") +
                                        "\", \"place\": \"Item 2\", \"detail\": \"OK\"}\n"
                                    "]\n";
        QTest::newRow("offline") << QStringList{"index.htm", server.Url("/missing")} << QStringList{"--offline"} << 0
                                 << "2 links: 1 OK, 1 not checked\n";
    }

    void checkLinksTellsBrokenFromUnreachable() {
        QFETCH(QStringList, links);
        QFETCH(QStringList, options);
        QFETCH(int, status);
        QFETCH(QString, report);
        QTemporaryDir root;
        const QString project = ExampleLinking(root.path(), links);
        const QMap<QString, QByteArray> before = Snapshot(root.path());
        const int requests = server.RequestCount();
        const Ran ran = Run(QStringList{"check-links", project} + options);
        QCOMPARE(ran.out, report);
        QCOMPARE(ran.err, QString());  // no terminal: no progress
        QCOMPARE(ran.status, status);
        QVERIFY(Snapshot(root.path()) == before);
        if (options.contains("--offline")) QCOMPARE(server.RequestCount(), requests);
    }

    void badInputIsRefusedByNameAndChangesNothing_data() {
        QTest::addColumn<QStringList>("arguments");  // "P" the project, "R" the folder it is in
        QTest::addColumn<QString>("named");
        QTest::addColumn<bool>("readOnly");          // the project folder cannot be written
        QTest::addColumn<QString>("ownPage");        // a page of the user's own in the project folder
        QTest::newRow("no such project") << QStringList{"create-site", "R/none"} << "R/none" << false << QString();
        QTest::newRow("a file for the project") << QStringList{"check-links", "P/temp.js"} << "P/temp.js" << false << QString();
        QTest::newRow("unwritable folder") << QStringList{"create-site", "P"} << "P/" << true << QString();
        QTest::newRow("unknown option") << QStringList{"create-site", "P", "--bogus"} << "bogus" << false << QString();
        QTest::newRow("no such page") << QStringList{"integrate", "P", "R/none.htm"} << "R/none.htm" << false << QString();
        QTest::newRow("a page refused") << QStringList{"integrate", "P", "P/stt.css"} << "P/stt.css" << false << QString();
        QTest::newRow("a bad value") << QStringList{"check-links", "P", "--format", "xml"} << "\"xml\"" << false << QString();
        QTest::newRow("no command") << QStringList{"--bogus"} << "bogus" << false << QString();
        // The window's toolkit would abort without a display: both are told first.
        QTest::newRow("a misspelt command") << QStringList{"creat-site", "P"} << "\"creat-site\"" << false << QString();
        QTest::newRow("the window without a display") << QStringList{"P"} << "DISPLAY" << false << QString();
        QTest::newRow("a bad language") << QStringList{"create-site", "P", "--lang", "en_GB"} << "\"en_GB\"" << false
                                        << QString();
        QTest::newRow("a page of the user's") << QStringList{"create-site", "P"} << "editor.htm" << false << "editor.htm";
    }

    void badInputIsRefusedByNameAndChangesNothing() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, named);
        QFETCH(bool, readOnly);
        QFETCH(QString, ownPage);
        QTemporaryDir root;
        const QString project = CopyExample(root.path());
        if (!ownPage.isEmpty()) WriteFile(project + "/" + ownPage, "<html><body>Mine</body></html>");
        QStringList prefix;
        if (readOnly) {
            QVERIFY(QFile::setPermissions(project, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther |
                                                       QFile::ExeOther));
            // Permissions do not bind the superuser: the command then runs as nobody.
            if (::geteuid() == 0) {
                QVERIFY(QFile::setPermissions(root.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                               QFile::ReadOther | QFile::ExeOther));
                prefix = QStringList{"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"};
            }
        }
        const QMap<QString, QByteArray> before = Snapshot(root.path());
        // The placeholder at the start of an argument, for the folder it stands for.
        const auto place = [&](const QString& text) {
            if (text.startsWith('P')) return project + text.mid(1);
            return text.startsWith('R') ? root.path() + text.mid(1) : text;
        };
        for (QString& argument : arguments) argument = place(argument);
        const Ran ran = Run(arguments, prefix);
        QFile::setPermissions(project, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY2(ran.err.contains(place(named)), qPrintable(ran.err));
        QCOMPARE(ran.out, QString());
        QCOMPARE(ran.status, 2);
        QVERIFY(Snapshot(root.path()) == before);
        if (ownPage.isEmpty()) return;
        // Forced, the page is replaced.
        QCOMPARE(Run(arguments + QStringList{"--force"}).status, 0);
        QVERIFY(Snapshot(root.path()) != before);
    }

    // The help, the manual page and the completion offer every command and
    // every option of the command table.
    void everyCommandAndOptionIsDocumented() {
        const Ran version = Run({"--version"});
        QCOMPARE(version.out, QString("Tavel Builder 2.1\n"));
        const Ran help = Run({"--help"});
        QCOMPARE(help.status, 0);
        QFile manual(TAVEL_SOURCE_DIR "/packaging/tavel.1");
        QVERIFY(manual.open(QIODevice::ReadOnly));
        const QString page = QString::fromUtf8(manual.readAll());
        for (const char* status : {"0", "1", "2", "3"}) QVERIFY(page.contains(QString(".B %1\n").arg(status)));
        for (const CommandEntry& entry : CommandEntries()) {
            const QString command = QString::fromStdString(entry.name);
            QVERIFY2(help.out.contains("  " + command + " "), qPrintable(command));
            QVERIFY2(page.contains(".B tavel " + QString(command).replace("-", "\\-")), qPrintable(command));
            const Ran own = Run({command, "--help"});
            QStringList offered = Complete({"tavel", command, "--"});
            offered.sort();
            QStringList options{"--help"};
            for (const OptionEntry& option : entry.options) {
                const QString name = "--" + QString::fromStdString(option.name);
                options << name;
                QVERIFY2(own.out.contains(name), qPrintable(command + " " + name));
                QVERIFY2(page.contains(QString(name).replace("-", "\\-")), qPrintable(command + " " + name));
            }
            options.sort();
            QCOMPARE(offered, options);
        }
        QCOMPARE(Complete({"tavel", "check-links", "x", "--format", ""}), QStringList({"text", "tsv", "json"}));
    }

private:
    // What the shell completion offers for the words typed, the last one
    // being completed.
    static QStringList Complete(const QStringList& words) {
        QStringList quoted;
        for (const QString& word : words) quoted << "'" + word + "'";
        QProcess bash;
        bash.start("bash", {"-c", "source '" TAVEL_SOURCE_DIR "/packaging/tavel.bash-completion' && COMP_WORDS=(" +
                                      quoted.join(' ') + ") && COMP_CWORD=" + QString::number(words.size() - 1) +
                                      " && _tavel && printf '%s\\n' \"${COMPREPLY[@]}\""});
        if (!bash.waitForFinished(kWaitMs)) qFatal("bash did not finish");
        return QString::fromUtf8(bash.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    }
};

QTEST_GUILESS_MAIN(CommandLineRunTest)
#include "CommandLineRunTest.moc"
