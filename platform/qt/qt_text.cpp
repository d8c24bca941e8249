#include "platform/qt/qt_text.h"

#include <QByteArray>

namespace tra1::qtui {

QString ToQString(std::string_view text) {
    const QByteArray bytes(text.data(), static_cast<qsizetype>(text.size()));
    QString result = QString::fromUtf8(bytes);
    if (result.contains(QChar::ReplacementCharacter) &&
        !bytes.contains("\xEF\xBF\xBD")) {  // invalid UTF-8 rather than a real U+FFFD
        result = QString::fromLatin1(bytes);
    }
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return result;
}

std::string FromQString(const QString& text, bool crlf) {
    QString copy = text;
    if (crlf) {
        copy.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        copy.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    }
    return copy.toStdString();
}

QString WithoutMnemonics(const QString& text) {
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size()) {
            ++i;  // "&&" keeps one '&'; "&x" keeps the x
        }
        result.append(text[i]);
    }
    return result;
}

}  // namespace tra1::qtui
