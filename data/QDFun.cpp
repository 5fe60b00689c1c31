#include "data/QDFun.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <cmath>

#include "data/MessageBoxes.h"
#include "data/SqlHelpers.h"

namespace QDFun {

namespace {

__int128 Pow10(int n) {
    __int128 p = 1;
    for (int i = 0; i < n; ++i) {
        p *= 10;
    }
    return p;
}

// Integer division rounding half away from zero.
__int128 DivideRounded(__int128 value, __int128 divisor) {
    const bool negative = value < 0;
    const __int128 magnitude = negative ? -value : value;
    __int128 quotient = magnitude / divisor;
    if ((magnitude % divisor) * 2 >= divisor) {
        ++quotient;
    }
    return negative ? -quotient : quotient;
}

}  // namespace

bool DecimalUnits(double value, int decimals, __int128* units) {
    if (!std::isfinite(value)) {
        return false;
    }
    // The value's decimal digits as the user typed them: 15 significant digits
    // give back 1.005 for 1.005, which binary rounding would treat as 1.00499…
    const QString text = QString::number(value, 'e', 14);  // d.ddddddddddddddde±x
    const qsizetype e = text.indexOf(QLatin1Char('e'));
    QString mantissa = text.left(e);
    const int exponent = text.mid(e + 1).toInt();
    const bool negative = mantissa.startsWith(QLatin1Char('-'));
    if (negative) {
        mantissa.remove(0, 1);
    }
    mantissa.remove(QLatin1Char('.'));
    // mantissa holds 15 digits d0 d1 … with value d0.d1… × 10^exponent, i.e. the
    // integer M × 10^(exponent - 14).
    const int scale = exponent - 14 + decimals;  // units = M × 10^scale
    if (scale > 20) {
        return false;
    }
    const __int128 digits = mantissa.toLongLong();
    __int128 result = scale >= 0 ? digits * Pow10(scale) : (scale < -18 ? 0 : DivideRounded(digits, Pow10(-scale)));
    *units = negative ? -result : result;
    return true;
}

QString FormatUnits(__int128 units, int decimals) {
    const bool negative = units < 0;
    __int128 magnitude = negative ? -units : units;
    QString digits;
    do {
        digits.prepend(QChar(u'0' + static_cast<int>(magnitude % 10)));
        magnitude /= 10;
    } while (magnitude > 0);
    if (decimals > 0) {
        while (digits.size() <= decimals) {
            digits.prepend(QLatin1Char('0'));
        }
        digits.insert(digits.size() - decimals, QLatin1Char('.'));
    }
    if (negative && digits.contains(QRegularExpression(QStringLiteral("[1-9]")))) {
        digits.prepend(QLatin1Char('-'));
    }
    return digits;
}

QString RoundText(int decimals, const QString& mode, double value) {
    if (decimals < 0 || decimals > 9) {
        decimals = 0;
    }
    int adjust = 0;
    bool shifted = true;
    if (mode == QStringLiteral("五舍六入")) {
        adjust = -1;
    } else if (mode == QStringLiteral("三舍四入")) {
        adjust = 1;
    } else if (mode == QStringLiteral("二舍三入")) {
        adjust = 2;
    } else if (mode == QStringLiteral("一舍二入")) {
        adjust = 3;
    } else {
        shifted = false;
    }
    __int128 units = 0;
    QString text;
    if (shifted && DecimalUnits(value, decimals + 1, &units)) {
        // One decimal more, moved by whole units of that last place, then
        // rounded ordinarily: 1.25 - 0.01 = 1.24 rounds to 1.2 under 五舍六入.
        text = FormatUnits(DivideRounded(units + adjust, 10), decimals);
    } else if (!shifted && DecimalUnits(value, decimals, &units)) {
        text = FormatUnits(units, decimals);
    } else {
        text = QString::number(value, 'f', decimals);
    }
    text = text.trimmed();
    return text.isEmpty() ? QStringLiteral("0") : text;
}

namespace {

const QString& Digit(QChar c) {
    static const QString digits[] = {QStringLiteral("零"), QStringLiteral("壹"), QStringLiteral("贰"),
                                     QStringLiteral("叁"), QStringLiteral("肆"), QStringLiteral("伍"),
                                     QStringLiteral("陆"), QStringLiteral("柒"), QStringLiteral("捌"),
                                     QStringLiteral("玖")};
    return digits[c.digitValue()];
}

// One group of up to four digits. Missing leading digits of a short leading
// group are absent, not zero, so they bring no 零.
QString GroupWords(const QString& group) {
    const QString thousand = QStringLiteral("仟"), hundred = QStringLiteral("佰"), ten = QStringLiteral("拾"),
                  zero = QStringLiteral("零");
    const qsizetype n = group.size();
    auto d = [&](int fromRight) { return group.at(n - 1 - fromRight); };
    auto nz = [&](int fromRight) { return fromRight < n && d(fromRight) != QLatin1Char('0'); };
    const bool hasTh = n >= 4, hasH = n >= 3, hasT = n >= 2;
    const bool th = hasTh && nz(3), h = hasH && nz(2), t = hasT && nz(1), u = nz(0);

    if (!hasH) {  // one or two digits
        QString words;
        if (t) {
            words += Digit(d(1)) + ten;
        }
        if (u) {
            words += Digit(d(0));
        }
        return words;
    }
    QString words;
    if (th) {
        words += Digit(d(3)) + thousand;
    }
    if (h) {
        // The one row that opens with 零 although the hundreds are written:
        // a full group 0 h t u.
        if (!th && hasTh && t && u) {
            words += zero;
        }
        words += Digit(d(2)) + hundred;
        if (t) {
            words += Digit(d(1)) + ten;
            if (u) words += Digit(d(0));
        } else if (u) {
            words += zero + Digit(d(0));
        }
    } else if (t) {
        words += zero + Digit(d(1)) + ten;
        if (u) words += Digit(d(0));
    } else if (u) {
        words += zero + Digit(d(0));
    }
    return words;
}

bool AllZero(const QString& digits) {
    for (QChar c : digits) {
        if (c != QLatin1Char('0')) return false;
    }
    return true;
}

}  // namespace

QString AmountInCapitals(const QString& input) {
    QString text = input.trimmed();
    if (text.isEmpty()) {
        text = QStringLiteral("0");
    }
    QString prefix;
    if (text.startsWith(QLatin1Char('-'))) {
        text.remove(0, 1);
        prefix = QStringLiteral("负");
    }
    const double value = ParseNumber(text);
    __int128 units = 0;
    const QString formatted = DecimalUnits(value, 2, &units) ? FormatUnits(units, 2).trimmed()
                                                              : QString::number(value, 'f', 2);
    const qsizetype point = formatted.indexOf(QLatin1Char('.'));
    QString integer = point < 0 ? formatted : formatted.left(point);
    const QString fraction = point < 0 ? QString() : formatted.mid(point);
    integer.remove(QLatin1Char('-'));

    QString integerWords;
    if (integer.size() > 12) {
        // Jiao and fen alone would read as a small sum; an amount that cannot be
        // written gives no words at all.
        Information(QStringLiteral("所处理数据超出范围!"));
        return {};
    }
    if (integer.size() <= 4) {
        integerWords = GroupWords(integer);
    } else if (integer.size() <= 8) {
        const qsizetype lead = integer.size() - 4;
        integerWords = GroupWords(integer.left(lead)) + QStringLiteral("万") + GroupWords(integer.mid(lead));
    } else {
        const qsizetype lead = integer.size() - 8;
        const QString middle = integer.mid(lead, 4), last = integer.mid(lead + 4);
        integerWords = GroupWords(integer.left(lead)) + QStringLiteral("亿");
        if (!AllZero(middle)) {
            integerWords += GroupWords(middle) + QStringLiteral("万") + GroupWords(last);
        } else {
            // An empty ten-thousands group still needs its 零 before the units.
            QString lastWords = GroupWords(last);
            if (!lastWords.isEmpty() && !lastWords.startsWith(QStringLiteral("零"))) {
                lastWords.prepend(QStringLiteral("零"));
            }
            integerWords += lastWords;
        }
    }

    QString fractionWords;
    if (fraction.size() == 3 && fraction != QStringLiteral(".00")) {
        const QChar jiao = fraction.at(1), fen = fraction.at(2);
        if (jiao == QLatin1Char('0')) {
            fractionWords = QStringLiteral("零") + Digit(fen) + QStringLiteral("分");
        } else if (fen == QLatin1Char('0')) {
            fractionWords = Digit(jiao) + QStringLiteral("角");
        } else {
            fractionWords = Digit(jiao) + QStringLiteral("角") + Digit(fen) + QStringLiteral("分");
        }
    }
    if (AllZero(integer) && (fraction.isEmpty() || fraction == QStringLiteral(".00"))) {
        return {};
    }
    QString body = integerWords + QStringLiteral("元") + fractionWords;
    // A sum below one yuan has no yuan word, also after the minus sign.
    if (body.startsWith(QStringLiteral("元"))) {
        body.remove(0, 1);
    }
    QString result = prefix + body;
    if (!result.contains(QStringLiteral("分"))) {
        result += QStringLiteral("整");
    }
    return result;
}

QString PadLeft(const QString& text, int n) {
    const QString padded = QStringLiteral("000000000") + text;
    return n >= padded.size() ? padded : padded.right(qMax(0, n));
}

QString Piece(const QString& text, const QString& separator, int n) {
    if (separator.isEmpty()) {
        return n == 0 ? text : QString();
    }
    if (n < 0) {
        const qsizetype last = text.lastIndexOf(separator);
        return last < 0 ? QString() : text.mid(last + separator.size());
    }
    qsizetype start = 0;
    for (int i = 0; i < n; ++i) {
        const qsizetype found = text.indexOf(separator, start);
        if (found < 0) {
            return {};
        }
        start = found + separator.size();
    }
    const qsizetype end = text.indexOf(separator, start);
    return end < 0 ? text.mid(start) : text.mid(start, end - start);
}

bool IsFolder(const QString& path) { return !path.isEmpty() && QFileInfo(path).isDir(); }

QString TempFolder() { return QDir::tempPath().left(255); }

namespace {

bool CopyOneFile(const QString& source, const QString& target) {
    const QFileInfo targetInfo(target);
    if (!QDir().mkpath(targetInfo.absolutePath())) {
        return false;
    }
    if (targetInfo.exists() && !QFile::remove(target)) {
        return false;
    }
    return QFile::copy(source, target);
}

bool CopyFolder(const QString& source, const QString& target) {
    if (!QDir().mkpath(target)) {
        return false;
    }
    bool ok = true;
    QDirIterator it(source, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        const QString destination = target + QLatin1Char('/') + info.fileName();
        ok = (info.isDir() ? CopyFolder(info.filePath(), destination) : CopyOneFile(info.filePath(), destination)) &&
             ok;
    }
    return ok;
}

}  // namespace

bool CopyFiles(const QString& source, const QString& target) {
    if (source.isEmpty() || target.isEmpty()) {
        return false;
    }
    const QFileInfo info(source);
    const QString name = info.fileName();
    if (name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('?'))) {
        const QFileInfoList matches =
            QDir(info.absolutePath()).entryInfoList({name}, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
        if (!QDir().mkpath(target)) {
            return false;
        }
        bool ok = true;
        for (const QFileInfo& match : matches) {
            const QString destination = target + QLatin1Char('/') + match.fileName();
            ok = (match.isDir() ? CopyFolder(match.filePath(), destination)
                                : CopyOneFile(match.filePath(), destination)) &&
                 ok;
        }
        return ok;
    }
    if (info.isDir()) {
        if (QFileInfo(target).absoluteFilePath().startsWith(info.absoluteFilePath() + QLatin1Char('/'))) {
            return false;  // a folder cannot be copied into itself
        }
        return CopyFolder(info.absoluteFilePath(), target);
    }
    if (!info.isFile()) {
        return false;
    }
    const QFileInfo targetInfo(target);
    return CopyOneFile(source, targetInfo.isDir() ? target + QLatin1Char('/') + name : target);
}

namespace {
const QString LeftoverPrefix = QStringLiteral("~QDArchives-");
const QString LeftoverSuffix = QStringLiteral(".tmp");
}  // namespace

QString LeftoverFileName(const QString& purpose) { return LeftoverPrefix + purpose + LeftoverSuffix; }

int DeleteTableFiles(const QString& folder) {
    QDir dir(folder);
    if (folder.isEmpty() || !dir.exists()) {
        return 0;
    }
    int removed = 0;
    const QFileInfoList leftovers = dir.entryInfoList({LeftoverPrefix + QLatin1Char('*') + LeftoverSuffix},
                                                      QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QFileInfo& leftover : leftovers) {
        const bool ok = leftover.isDir() ? QDir(leftover.filePath()).removeRecursively()
                                         : QFile::remove(leftover.filePath());
        removed += ok ? 1 : 0;
    }
    return removed;
}

}  // namespace QDFun
