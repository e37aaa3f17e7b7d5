#include "platform/ShellOpen.h"

#include <QFileInfo>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace verbaria {

namespace {

bool HasOpenableScheme(const QString &scheme)
{
    return scheme.compare(u"mailto"_s, Qt::CaseInsensitive) == 0 ||
           scheme.compare(u"http"_s, Qt::CaseInsensitive) == 0 ||
           scheme.compare(u"https"_s, Qt::CaseInsensitive) == 0;
}

} // namespace

bool ShellOpen::IsOpenableLink(const QString &target)
{
    // The text itself must begin with the scheme, and the address the desktop gets must carry it
    // too, so no reading of the text by QUrl can turn it into something else.
    const qsizetype colon = target.indexOf(u':');
    if (colon <= 0 || !HasOpenableScheme(target.left(colon)))
        return false;
    const QUrl url(target);
    return url.isValid() && HasOpenableScheme(url.scheme());
}

bool ShellOpen::OpenLink(const QString &target)
{
    if (!IsOpenableLink(target))
        return false;
    return OpenUrl(QUrl(target));
}

bool ShellOpen::OpenFile(const QString &path)
{
    if (path.isEmpty() || !QFileInfo::exists(path))
        return false;
    return OpenUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
}

} // namespace verbaria
