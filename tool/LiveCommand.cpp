#include "tool/Command.h"
#include "tool/FitLine.h"
#include "tool/OptionParser.h"

#include "formats/CodePageNames.h"
#include "formats/Errors.h"
#include "formats/FileIO.h"
#include "translator/LiveLinkProtocol.h"
#include "translator/qt/LiveServer.h"
#include "translator/qt/TKVTranslator.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTimer>

#include <algorithm>
#include <charconv>
#include <functional>
#include <iostream>
#include <map>

namespace verbaria::tool {

namespace {

// The program did not connect within its time.
constexpr int ExitNotLinked = 3;

const char *const kLiveUsage =
    "Usage: verbaria-tool live --template FILE --language FILE [--set NUMBER=TEXT]...\n"
    "                          [--print PATH]... [--screenshots DIR] [--fit] [--wait SECONDS]\n"
    "                          [--code-page NAME] -- PROGRAM [ARGUMENTS...]\n"
    "\n"
    "Starts PROGRAM with the editor's live link (a program that owns a runtime translator\n"
    "connects back), applies the language file's translations and then each --set (the entry\n"
    "of that NUMBER takes TEXT, UTF-8) in the running program, prints the live value of each\n"
    "--print PATH (a component path such as MainForm.buttonOK.Caption) on a line of its own,\n"
    "writes a PNG of every visible window into DIR (named by the window's object name), and\n"
    "closes the program. What the program writes to its standard output goes to standard error.\n"
    "\n"
    "--fit prints the texts that do not fit their widgets in the program's visible windows, one a\n"
    "line: the entry's number, its path, the pixels it lacks and the object that shows it.\n"
    "--wait is how long the program has to connect and to answer (default 30 s).\n"
    "\n"
    "Exit status: 0 done, 1 a text does not fit (--fit) or the link broke, 2 usage error, 3 the\n"
    "program did not connect in time (or ended first).\n";

QString FromUtf8(const std::string &text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A window's object name as a file name: nothing that would leave DIR.
QString PictureName(const std::string &objectName, int index)
{
    QString name = FromUtf8(objectName);
    for (QChar &c : name) {
        if (!c.isLetterOrNumber() && c != u'_' && c != u'-')
            c = u'_';
    }
    if (name.isEmpty())
        name = QStringLiteral("window-%1").arg(index);
    return name + QStringLiteral(".png");
}

int Live(const std::vector<std::string> &args)
{
    std::string templateFile;
    std::string languageFile;
    std::string codePageName(FallbackCodePageName);
    std::vector<std::string> sets;
    std::vector<std::string> prints;
    std::string screenshots;
    std::string waitSeconds = "30";
    bool fit = false;
    OptionParser options("live");
    options.Include(shared::Template, templateFile)
        .Include(shared::Language, languageFile)
        .Include(shared::CodePage, codePageName)
        .Values({"--set"}, sets)
        .Values({"--print"}, prints)
        .Value({"--screenshots"}, screenshots)
        .Value({"--wait"}, waitSeconds)
        .Flag({"--fit"}, fit);
    if (const auto status = options.Parse(args))
        return *status;
    const std::vector<std::string> &arguments = options.Arguments();
    if (templateFile.empty() || languageFile.empty())
        return options.Error("--template and --language are required");
    if (arguments.empty())
        return options.Error("no program given");
    int wait = 0;
    if (std::from_chars(waitSeconds.data(), waitSeconds.data() + waitSeconds.size(), wait).ec !=
            std::errc() ||
        wait <= 0)
        return options.Error("--wait takes a number of seconds");
    std::vector<std::pair<std::int32_t, std::string>> changes;
    for (const std::string &set : sets) {
        const std::size_t equals = set.find('=');
        std::int32_t number = 0;
        if (equals == std::string::npos ||
            std::from_chars(set.data(), set.data() + equals, number).ec != std::errc() ||
            std::to_string(number).size() != equals)
            return options.Error("--set takes NUMBER=TEXT, not '" + set + "'");
        changes.emplace_back(number, set.substr(equals + 1));
    }

    int argc = 1;
    char name[] = "verbaria-tool";
    char *argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);

    // The language as the editor holds it: every translated entry, by number.
    qt::TKVTranslator translator;
    if (!translator.SetCodePage(QString::fromStdString(codePageName)))
        return options.Error("unknown code page '" + codePageName + "'");
    if (!FileExists(templateFile))
        throw InOutError("File not found: " + templateFile);
    if (!FileExists(languageFile))
        throw InOutError("File not found: " + languageFile);
    if (!translator.LoadTemplate(QFile::decodeName(templateFile.c_str())) ||
        !translator.SetLanguageFile(QFile::decodeName(languageFile.c_str())))
        throw FormatError(translator.Encode(translator.ErrorString()));
    translator.Core().ReadFiles();
    live::LiveMessage language;
    language.Type = live::LiveType::Set;
    const TLanguageTemplate &items = translator.Core().Items();
    for (const TTemplateItem &item : items) {
        const std::string path = item.Kind == ikComponent
                                     ? translator.TemplateCodePage().Decode(item.Text).toStdString()
                                     : std::string();
        if (!item.Translation.empty())
            language.Entries.push_back(
                {item.Number, path, translator.Decode(item.Translation).toStdString(), 0});
        if (item.Message >= 0) {
            const std::vector<std::string> &forms =
                translator.Core().Messages()[static_cast<std::size_t>(item.Message)].Forms;
            for (std::size_t form = 0; form < forms.size(); ++form) {
                if (!forms[form].empty())
                    language.Entries.push_back({item.Number, path,
                                                translator.Decode(forms[form]).toStdString(),
                                                static_cast<std::int32_t>(form + 1)});
            }
        }
    }
    for (const auto &[number, text] : changes) {
        const std::int32_t index = translator.Core().IndexOfNumber(number);
        if (index < 0)
            PrintError("the template has no entry " + std::to_string(number));
        language.Entries.push_back({number, {}, text, 0});
    }

    qt::LiveServer server;
    const QString invitation = server.Invite();
    if (invitation.isEmpty()) {
        PrintError("cannot open the link's socket: " + server.ErrorString().toStdString());
        return ExitFailure;
    }
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(live::kLiveEnvironmentVariable), invitation);
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QObject::connect(&program, &QProcess::readyReadStandardOutput, &program,
                     [&program] { std::cerr << program.readAllStandardOutput().toStdString(); });
    QStringList programArguments;
    for (std::size_t i = 1; i < arguments.size(); ++i)
        programArguments.append(QString::fromLocal8Bit(arguments[i]));

    std::vector<live::LiveMessage> received;
    QObject::connect(&server, &qt::LiveServer::Received, &server,
                     [&received](const live::LiveMessage &message) { received.push_back(message); });
    // Runs the event loop until done() holds, the program ends or the link breaks, or time runs out.
    const auto waitFor = [&](const std::function<bool()> &done, int seconds) {
        QEventLoop loop;
        QTimer timer;
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
        QObject::connect(&server, &qt::LiveServer::Linked, &loop, &QEventLoop::quit);
        QObject::connect(&server, &qt::LiveServer::Unlinked, &loop, &QEventLoop::quit);
        QObject::connect(&server, &qt::LiveServer::Received, &loop, &QEventLoop::quit);
        QObject::connect(&program, &QProcess::finished, &loop, &QEventLoop::quit);
        QObject::connect(&program, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
        timer.start(seconds * 1000);
        while (!done() && timer.isActive() && program.state() != QProcess::NotRunning)
            loop.exec();
        return done();
    };
    const auto closeProgram = [&program] {
        if (program.state() == QProcess::NotRunning)
            return;
        program.terminate();
        if (!program.waitForFinished(5000)) {
            program.kill();
            program.waitForFinished(5000);
        }
    };

    program.start(QString::fromLocal8Bit(arguments.front()), programArguments);
    if (!waitFor([&server] { return server.IsLinked(); }, wait)) {
        if (program.error() == QProcess::FailedToStart)
            PrintError("cannot start " + arguments.front() + ": " + program.errorString().toStdString());
        else
            PrintError(arguments.front() + " did not connect within " + std::to_string(wait) + " s");
        closeProgram();
        return ExitNotLinked;
    }
    server.Send(language);

    // Each question is answered in order: the answer to the last one asked ends the wait.
    const auto ask = [&](live::LiveMessage question, live::LiveType answer) -> const live::LiveMessage * {
        received.clear();
        server.Send(question);
        const auto answered = [&] {
            return std::any_of(received.begin(), received.end(),
                               [answer](const live::LiveMessage &m) { return m.Type == answer; });
        };
        if (!waitFor(answered, wait))
            return nullptr;
        for (const live::LiveMessage &message : received) {
            if (message.Type == answer)
                return &message;
        }
        return nullptr;
    };
    int status = ExitOk;
    if (!prints.empty()) {
        live::LiveMessage read;
        read.Type = live::LiveType::Read;
        for (const std::string &path : prints)
            read.Entries.push_back({-1, path, {}, 0});
        const live::LiveMessage *values = ask(read, live::LiveType::Values);
        if (!values) {
            PrintError("the program did not answer (the link broke)");
            closeProgram();
            return ExitFailure;
        }
        for (const live::LiveEntry &value : values->Entries) {
            if (value.Value < 0)
                PrintError(value.Path + " reaches no property of the program");
            std::cout << value.Text << '\n';
        }
    }
    if (!screenshots.empty()) {
        QDir().mkpath(QFile::decodeName(screenshots.c_str()));
        live::LiveMessage shoot;
        shoot.Type = live::LiveType::Shoot;
        const live::LiveMessage *pictures = ask(shoot, live::LiveType::Pictures);
        if (!pictures) {
            PrintError("the program sent no pictures (the link broke)");
            closeProgram();
            return ExitFailure;
        }
        std::map<QString, int> used;
        int index = 0;
        for (const live::LiveEntry &picture : pictures->Entries) {
            QString file = PictureName(picture.Path, ++index);
            if (const int count = used[file]++; count > 0)
                file.insert(file.size() - 4, QStringLiteral("-%1").arg(count + 1));
            WriteFileAtomically(
                QFile::encodeName(QDir(QFile::decodeName(screenshots.c_str())).filePath(file)).toStdString(),
                picture.Text);
        }
    }
    if (fit) {
        // After everything set above: the program measures its windows as they stand now.
        live::LiveMessage measure;
        measure.Type = live::LiveType::Fit;
        const auto whole = [&]() -> const live::LiveMessage * {
            received.clear();
            server.Send(measure);
            const auto isWhole = [](const live::LiveMessage &m) {
                return m.Type == live::LiveType::Fit && m.Value == 1;
            };
            if (!waitFor([&] { return std::any_of(received.begin(), received.end(), isWhole); }, wait))
                return nullptr;
            return &*std::find_if(received.begin(), received.end(), isWhole);
        }();
        if (!whole) {
            PrintError("the program sent no fit report (the link broke)");
            closeProgram();
            return ExitFailure;
        }
        for (const live::LiveEntry &entry : whole->Entries) {
            std::cout << FitLine(entry.Number, entry.Path, entry.Text, entry.Value);
            status = ExitFailure;
        }
        std::cout << std::flush;
    }

    server.Unlink();
    closeProgram();
    return status;
}

const CommandRegistration registration{
    Command{"live", "run a program with the editor's live link: apply a language, print, take pictures",
            kLiveUsage, Live}};

} // namespace

} // namespace verbaria::tool
