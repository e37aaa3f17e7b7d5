#pragma once

#include <QString>

namespace verbaria::exchange {

// A Qt message's context and disambiguation in the one msgctxt that PO has, as Qt's tools pack
// them: "Context|disambiguation", with "~" escaping a "~" or "|" inside either part. The bar is
// always there, also without a disambiguation: a msgctxt without one is read by Qt as a
// disambiguation alone.
QString PackContext(const QString &context, const QString &disambiguation);

// Reads a msgctxt back: packed as above, or (without an unescaped bar, as gettext's own tools write
// a context) the whole text as the context.
void UnpackContext(const QString &msgctxt, QString &context, QString &disambiguation);

} // namespace verbaria::exchange
