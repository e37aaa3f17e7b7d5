#include "exchange/MessageContext.h"

namespace verbaria::exchange {

namespace {

void AppendEscaped(QString &out, const QString &text)
{
    for (const QChar c : text) {
        if (c == u'~' || c == u'|')
            out += u'~';
        out += c;
    }
}

} // namespace

QString PackContext(const QString &context, const QString &disambiguation)
{
    QString packed;
    packed.reserve(context.size() + disambiguation.size() + 1);
    AppendEscaped(packed, context);
    packed += u'|';
    AppendEscaped(packed, disambiguation);
    return packed;
}

void UnpackContext(const QString &msgctxt, QString &context, QString &disambiguation)
{
    // The last bar that no '~' escapes parts them, as Qt reads them.
    QString text;
    text.reserve(msgctxt.size());
    qsizetype bar = -1;
    for (qsizetype i = 0; i < msgctxt.size(); ++i) {
        if (msgctxt[i] == u'~' && i + 1 < msgctxt.size()) {
            text += msgctxt[++i];
            continue;
        }
        if (msgctxt[i] == u'|')
            bar = text.size();
        text += msgctxt[i];
    }
    if (bar < 0) {
        context = msgctxt;
        disambiguation.clear();
        return;
    }
    context = text.left(bar);
    disambiguation = text.mid(bar + 1);
}

} // namespace verbaria::exchange
