#include "data/Password.h"

#include <QByteArray>
#include <QStringList>
#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/rand.h>

namespace {

const QString Scheme = QStringLiteral("pbkdf2-sha256");
constexpr int SaltBytes = 16;
constexpr int HashBytes = 32;

QByteArray Derive(const QString& password, const QByteArray& salt, int iterations) {
    const QByteArray utf8 = password.toUtf8();
    QByteArray out(HashBytes, '\0');
    if (PKCS5_PBKDF2_HMAC(utf8.constData(), static_cast<int>(utf8.size()),
                          reinterpret_cast<const unsigned char*>(salt.constData()), static_cast<int>(salt.size()),
                          iterations, EVP_sha256(), HashBytes, reinterpret_cast<unsigned char*>(out.data())) != 1) {
        return {};
    }
    return out;
}

}  // namespace

QString TPassword::Hash(const QString& password) {
    QByteArray salt(SaltBytes, '\0');
    if (RAND_bytes(reinterpret_cast<unsigned char*>(salt.data()), SaltBytes) != 1) {
        return {};
    }
    const QByteArray hash = Derive(password, salt, Iterations);
    if (hash.isEmpty()) {
        return {};
    }
    return QStringList{Scheme, QString::number(Iterations), QString::fromLatin1(salt.toBase64()),
                       QString::fromLatin1(hash.toBase64())}
        .join(QLatin1Char('$'));
}

bool TPassword::IsHashed(const QString& stored) { return stored.startsWith(Scheme + QLatin1Char('$')); }

bool TPassword::Verify(const QString& password, const QString& stored) {
    const QStringList parts = stored.split(QLatin1Char('$'));
    if (parts.size() != 4 || parts[0] != Scheme) {
        return false;
    }
    bool ok = false;
    const int iterations = parts[1].toInt(&ok);
    if (!ok || iterations <= 0) {
        return false;
    }
    const QByteArray salt = QByteArray::fromBase64(parts[2].toLatin1());
    const QByteArray expected = QByteArray::fromBase64(parts[3].toLatin1());
    const QByteArray actual = Derive(password, salt, iterations);
    return !actual.isEmpty() && actual.size() == expected.size() &&
           CRYPTO_memcmp(actual.constData(), expected.constData(), static_cast<size_t>(actual.size())) == 0;
}
