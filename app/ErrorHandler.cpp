#include "app/ErrorHandler.h"

#include <sqlite3.h>

#include "data/ApplicationErrors.h"
#include "data/DatabaseError.h"
#include "data/MessageBoxes.h"

namespace {
bool& Suppressed() {
    static bool suppressed = false;
    return suppressed;
}
}  // namespace

QString FriendlyDatabaseMessage(int code) {
    switch (code) {
        case SQLITE_CONSTRAINT_FOREIGNKEY:
        case SQLITE_CONSTRAINT_TRIGGER:
            return QStringLiteral("其它的数据库表中存在对该纪录的引用,纪录不能删除");
        case SQLITE_CONSTRAINT_PRIMARYKEY:
        case SQLITE_CONSTRAINT_UNIQUE:
            return QStringLiteral("数据库主键重复");
        case SQLITE_BUSY_SNAPSHOT:
            return QStringLiteral("数据已被其它用户修改,请重新查找刷新该记录,查看其它用户修改后的数据");
        case SQLITE_TOOBIG:
            return QStringLiteral("数据太大,不能保存数据");
        default:
            break;
    }
    switch (code & 0xFF) {
        case SQLITE_CANTOPEN:
        case SQLITE_NOTADB:
            return QStringLiteral("数据库打开过程发生错误");
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return QStringLiteral("有未关闭的数据表");
        default:
            return {};
    }
}

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
