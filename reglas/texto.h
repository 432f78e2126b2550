#pragma once
// Small helpers between Qt's UTF-16 text and the engine's UTF-8 text, with the
// tool's own notions of blank, digit and character.

#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <QStringView>
#include <string_view>

namespace vaviviv {

// Removes the space character only: tabs and other blanks stay.
inline QStringView RecortarEspacios(QStringView s) {
    while (!s.isEmpty() && s.front() == u' ') s = s.sliced(1);
    while (!s.isEmpty() && s.back() == u' ') s.chop(1);
    return s;
}

// Length in characters (a surrogate pair is one).
inline qsizetype ContarCaracteres(QStringView s) {
    qsizetype n = s.size();
    for (QChar c : s)
        if (c.isLowSurrogate()) --n;
    return n;
}

// What follows the first `n` characters (a surrogate pair is one, as ContarCaracteres counts).
inline QStringView TrasCaracteres(QStringView texto, qsizetype n) {
    qsizetype i = 0;
    for (qsizetype vistos = 0; i < texto.size(); ++i)
        if (!texto[i].isLowSurrogate() && vistos++ == n) break;
    return texto.sliced(i);
}

inline bool EsDigitoQt(QChar c) { return c >= u'0' && c <= u'9'; }

// The first character that is not a digit, as text; empty when there is none.
inline QString PrimerNoDigito(QStringView s) {
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (EsDigitoQt(s[i])) continue;
        const bool par = s[i].isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate();
        return s.mid(i, par ? 2 : 1).toString();
    }
    return {};
}

// At least one character, all digits.
inline bool SoloDigitosQt(QStringView s) { return !s.isEmpty() && PrimerNoDigito(s).isEmpty(); }

inline std::string_view Vista(const QByteArray& b) { return {b.constData(), static_cast<std::size_t>(b.size())}; }

// UTF-8 to text: the one conversion from the engine's texts. A leading
// U+FEFF is kept (QString::fromUtf8 drops it as a byte-order mark, and a
// rejected character may be exactly that one); a malformed or cut sequence
// becomes U+FFFD.
inline QString DesdeUtf8(std::string_view s) {
    const QByteArrayView bytes(s.data(), static_cast<qsizetype>(s.size()));
    if (!bytes.startsWith("\xEF\xBB\xBF")) return QString::fromUtf8(bytes);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    return utf8(bytes);
}

}  // namespace vaviviv
