// Message look-ups against what a Qt programmer would otherwise use, side by side in one run:
// TranslateText(QString) of the runtime translator, QTranslator::translate on a .qm file made by
// lrelease from the same texts, TKVQtTranslator::translate (Qt's own route: tr() reaching a language
// file), and a plain QHash<QString, QString>. Prints a Markdown table of
// nanoseconds per look-up (best of three) at 1,000, 100,000 and 1,000,000 entries.
//
// Usage: lookup_vs_qt_bench [LRELEASE] [ENTRIES...]
#include "formats/FileIO.h"
#include "platform/CodePage.h"
#include "translator/qt/TKVQtTranslator.h"
#include "translator/qt/TKVTranslator.h"

#include <QApplication>
#include <QByteArray>
#include <QHash>
#include <QProcess>
#include <QTemporaryDir>
#include <QTranslator>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#ifndef VERBARIA_LRELEASE
#define VERBARIA_LRELEASE "lrelease"
#endif

namespace {

QString Original(int i)
{
    static const char *const endings[] = {"",
                                          " - uložit změny?",
                                          " nebyl nalezen.",
                                          " (pouze pro čtení)",
                                          ": soubor je určen pro jiný program",
                                          " a konec",
                                          "…"};
    return QStringLiteral("Zpráva číslo %1").arg(i) + QString::fromUtf8(endings[i % 7]);
}

QString Translation(int i)
{
    return QStringLiteral("Message number %1").arg(i);
}

template <class Lookup> double NanosecondsPerLookup(int rounds, std::size_t keys, Lookup lookup)
{
    double best = 1e300;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const auto start = std::chrono::steady_clock::now();
        std::size_t sink = 0;
        for (int round = 0; round < rounds; ++round) {
            for (std::size_t k = 0; k < keys; ++k)
                sink += lookup(k);
        }
        const std::chrono::duration<double, std::nano> elapsed = std::chrono::steady_clock::now() - start;
        if (sink == 0)
            std::fputs("", stderr); // keeps the look-ups from being optimised away
        best = std::min(best, elapsed.count() / (static_cast<double>(rounds) * static_cast<double>(keys)));
    }
    return best;
}

std::string XmlEscaped(const QString &text)
{
    return text.toHtmlEscaped().toUtf8().toStdString();
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QString lrelease = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(VERBARIA_LRELEASE);
    std::vector<int> sizes;
    for (int i = 2; i < argc; ++i)
        sizes.push_back(std::stoi(argv[i]));
    if (sizes.empty())
        sizes = {1000, 100000, 1000000};

    QTemporaryDir folder;
    const verbaria::CodePage codePage;
    std::printf(
        "| entries | TranslateText(QString) ns | first look-up of a text ns | QTranslator::translate ns | "
        "TKVQtTranslator::translate ns | its first look-up ms | QHash::value ns | TranslateText rate / "
        "QTranslator | TKVQtTranslator rate / QTranslator |\n"
        "|---|---|---|---|---|---|---|---|---|\n");
    for (const int count : sizes) {
        std::string templateBytes = "[ITEMS]\r\n";
        std::string languageBytes = "Language=English\r\n";
        std::string ts = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n"
                         "<TS version=\"2.1\" language=\"en\">\n<context>\n<name>Messages</name>\n";
        QHash<QString, QString> hash;
        hash.reserve(count);
        for (int i = 0; i < count; ++i) {
            const QString original = Original(i);
            const QString translation = Translation(i);
            templateBytes += "/Context=Messages\r\n" + std::to_string(i + 1) + ":message \"" +
                             codePage.EncodeLossy(original) + "\"\r\n";
            languageBytes += std::to_string(i + 1) + ":" + codePage.EncodeLossy(translation) + "\r\n";
            ts += "<message><source>" + XmlEscaped(original) + "</source><translation>" +
                  XmlEscaped(translation) + "</translation></message>\n";
            hash.insert(original, translation);
        }
        ts += "</context>\n</TS>\n";
        const std::string base = folder.filePath(QStringLiteral("m%1").arg(count)).toStdString();
        verbaria::WriteFileAtomically(base + ".lnd", templateBytes);
        verbaria::WriteFileAtomically(base + ".lng", languageBytes);
        verbaria::WriteFileAtomically(base + ".ts", ts);
        QProcess process;
        process.start(lrelease, {QString::fromStdString(base + ".ts"), QStringLiteral("-qm"),
                                 QString::fromStdString(base + ".qm"), QStringLiteral("-silent")});
        if (!process.waitForFinished(-1) || process.exitCode() != 0) {
            std::fprintf(stderr, "lrelease failed: %s\n", process.readAllStandardError().constData());
            return 1;
        }
        QTranslator qtTranslator;
        if (!qtTranslator.load(QString::fromStdString(base + ".qm"))) {
            std::fprintf(stderr, "QTranslator could not load the .qm file\n");
            return 1;
        }

        // The same keys for every contender: up to 4,096 texts spread over the table.
        const std::size_t keyCount = std::min<std::size_t>(static_cast<std::size_t>(count), 4096);
        std::mt19937 random(12345);
        std::vector<QString> keys;
        std::vector<QByteArray> utf8Keys;
        for (std::size_t k = 0; k < keyCount; ++k) {
            keys.push_back(Original(static_cast<int>(random() % static_cast<unsigned>(count))));
            utf8Keys.push_back(keys.back().toUtf8());
        }
        const int rounds = static_cast<int>(std::max<std::size_t>(1, 2'000'000 / keyCount));

        verbaria::qt::TKVTranslator translator;
        translator.LoadTemplate(QString::fromStdString(base + ".lnd"));
        translator.SetLanguageFile(QString::fromStdString(base + ".lng"));
        if (translator.TranslateText(keys.front()) != hash.value(keys.front()) ||
            qtTranslator.translate("Messages", utf8Keys.front().constData()) != hash.value(keys.front())) {
            std::fprintf(stderr, "the contenders disagree\n");
            return 1;
        }
        // The first look-up of each text, on a translator that has answered nothing yet.
        double first;
        {
            verbaria::qt::TKVTranslator fresh;
            fresh.LoadTemplate(QString::fromStdString(base + ".lnd"));
            fresh.SetLanguageFile(QString::fromStdString(base + ".lng"));
            const auto start = std::chrono::steady_clock::now();
            std::size_t sink = 0;
            for (const QString &key : keys)
                sink += static_cast<std::size_t>(fresh.TranslateText(key).size());
            const std::chrono::duration<double, std::nano> elapsed = std::chrono::steady_clock::now() - start;
            first = elapsed.count() / static_cast<double>(keys.size()) + (sink == 0 ? 1 : 0);
        }
        const double ours = NanosecondsPerLookup(rounds, keyCount, [&](std::size_t k) {
            return static_cast<std::size_t>(translator.TranslateText(keys[k]).size());
        });
        const double qt = NanosecondsPerLookup(rounds, keyCount, [&](std::size_t k) {
            return static_cast<std::size_t>(
                qtTranslator.translate("Messages", utf8Keys[k].constData()).size());
        });
        // Qt's route: the first look-up reads the files and indexes every message.
        verbaria::qt::TKVTranslator routed;
        routed.LoadTemplate(QString::fromStdString(base + ".lnd"));
        routed.SetLanguageFile(QString::fromStdString(base + ".lng"));
        verbaria::qt::TKVQtTranslator route(&routed);
        const auto routeStart = std::chrono::steady_clock::now();
        if (route.translate("Messages", utf8Keys.front().constData()) != hash.value(keys.front())) {
            std::fprintf(stderr, "TKVQtTranslator disagrees\n");
            return 1;
        }
        const std::chrono::duration<double, std::milli> routeFirst =
            std::chrono::steady_clock::now() - routeStart;
        const double routedNs = NanosecondsPerLookup(rounds, keyCount, [&](std::size_t k) {
            return static_cast<std::size_t>(route.translate("Messages", utf8Keys[k].constData()).size());
        });
        const double plain = NanosecondsPerLookup(rounds, keyCount, [&](std::size_t k) {
            return static_cast<std::size_t>(hash.value(keys[k]).size());
        });
        std::printf("| %d | %.0f | %.0f | %.0f | %.0f | %.1f | %.0f | %.2fx | %.2fx |\n", count, ours, first,
                    qt, routedNs, routeFirst.count(), plain, qt / ours, qt / routedNs);
        std::fflush(stdout);
        for (const char *extension : {".lnd", ".lng", ".ts", ".qm"})
            std::remove((base + extension).c_str());
    }
    return 0;
}
