#include "app/ErrorHandler.h"

#include "data/ApplicationErrors.h"
#include "data/DatabaseError.h"
#include "data/MessageBoxes.h"

namespace {
bool& Suppressed() {
    static bool suppressed = false;
    return suppressed;
}
}  // namespace

void HandleApplicationError(QObject*, std::exception_ptr error) {
    Suppressed() = false;
    try {
        std::rethrow_exception(error);
    } catch (const TDatabaseError& database) {
        bool numeric = false;
        const int code = database.NativeCode().toInt(&numeric);
        if (!numeric) {
            Error(QStringLiteral("TDatabaseError:") + database.Message());
            return;
        }
        const QString detail = QStringLiteral("ErrorCode:") + QStringLiteral(" (%1,%2,%3,%4)")
                                                                 .arg(code)
                                                                 .arg(code & 0xFF)
                                                                 .arg(code >> 8)
                                                                 .arg(database.NativeCode());
        const QString friendly = FriendlyDatabaseMessage(code);
        if (!friendly.isEmpty()) {
            Information(friendly);
            Suppressed() = true;
        } else {
            Information(QStringLiteral("数据库操作错误"));
        }
        if (!Suppressed()) {
            Error(QStringLiteral("TDatabaseError:") + detail + QLatin1Char('\t') + database.Message() + QLatin1Char('\r'));
        }
    } catch (const TConversionError& conversion) {
        const QString message = conversion.Message();
        if (message.contains(QLatin1String("is not a valid date"))) {
            Information(QStringLiteral("请按格式YYYY%1MM%1DD 输入日期").arg(QLatin1Char('-')));
        } else if (message.contains(QLatin1String("Format '%d' invalid or incompatible with argument"))) {
            Information(QStringLiteral("指定的格式与参数类型不匹配!"));
        } else {
            Information(message);
        }
    } catch (const TRangeError& range) {
        Error(QStringLiteral("TRangeError:") + range.Message());
    } catch (const TSilentAbort&) {
        // The window has said why already.
    } catch (const std::exception& other) {
        Error(QStringLiteral("Exception:") + QString::fromLocal8Bit(other.what()));
    } catch (...) {
        Error(QStringLiteral("Exception:"));
    }
}

TQDApplication::TQDApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TQDApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        HandleApplicationError(receiver, std::current_exception());
        return false;
    }
}
