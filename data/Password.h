#pragma once

#include <QString>

// Passwords are kept as salted, slow hashes (PBKDF2-HMAC-SHA256) in the form
// "pbkdf2-sha256$<iterations>$<salt>$<hash>", never as typed.
class TPassword {
public:
    static constexpr int Iterations = 120000;

    static QString Hash(const QString& password);
    static bool Verify(const QString& password, const QString& stored);
    static bool IsHashed(const QString& stored);
};
