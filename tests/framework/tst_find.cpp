#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "data/RecordingPresenter.h"
#include "framework/FindFormDialog.h"
#include "framework/ModalSeam.h"
#include "framework/QDComboEdit.h"
#include "framework/QDEdit.h"

namespace {
TFieldsDataArray Descriptors() {
    auto field = [](const char* name, const QString& label, const char* kind, const char* searchKind) {
        TFieldsData data;
        data.FieldName = QLatin1String(name);
        data.DisplayLabel = label;
        data.Kind = QLatin1String(kind);
        data.SearchKind = QLatin1String(searchKind);
        data.TablePrefix = QStringLiteral("A");
        return data;
    };
    TFieldsData hidden = field("TEXT_FIELD9", QString(), "C", "T");  // no label: not offered
    TFieldsData type = field("ARCHIVE_TYPE_ID", QStringLiteral("档案类别"), "C", "ES");
    type.SearchText = QStringLiteral("ARCHIVE_TYPE_ID");
    return {field("ARCHIVE_NAME", QStringLiteral("档案名称"), "C", "T"), field("NUMBER_FIELD1", QStringLiteral("页数"), "N", "T"),
            field("DATE_FIELD1", QStringLiteral("档案日期"), "D", "Y"), hidden, type};
}

void Add(TQDFindForm& form, const QString& label, const QString& op, const QString& value) {
    form.ChooseField(label);
    form.ChooseOperator(op);
    form.TextEdit()->setText(value);
    form.DownButton()->click();
}
}  // namespace

class TestFind : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QCOMPARE(TModalSeam::PendingHandlers(), 0); }

    void severalConditionsJoinedAndOneRemoved() {
        TFindFormDialog dialog;
        dialog.Form()->Caption = QStringLiteral("档案资料");
        dialog.SetDescriptors(Descriptors());
        TRecordingPresenter messages;
        TModalSeam::QueueHandler([&](QDialog& dialog) {
            auto& form = static_cast<TQDFindForm&>(dialog);
            QCOMPARE(form.windowTitle(), QStringLiteral("档案资料查找窗口"));
            QCOMPARE(form.width(), 427);
            QVERIFY(form.height() >= 273);  // grown only where the font needs it
            QCOMPARE(form.FieldBox()->count(), 4);
            QCOMPARE(QApplication::focusWidget(), form.FieldBox());
            QVERIFY(!form.SureButton()->isEnabled());
            QTest::keyClick(&form, Qt::Key_F3);
            QCOMPARE(messages.Texts(), QStringList{QStringLiteral("没有查找表达式")});
            form.ChooseField(QStringLiteral("页数"));
            QCOMPARE(form.OperatorBox()->findText(QStringLiteral("相似")), -1);
            Add(form, QStringLiteral("档案名称"), QStringLiteral("相似"), QStringLiteral("合同"));
            Add(form, QStringLiteral("页数"), QStringLiteral("大于等于"), QStringLiteral("5"));
            QCOMPARE(messages.LastText(), QStringLiteral("必须有一个查找逻辑"));
            form.AndButton()->setChecked(true);
            Add(form, QStringLiteral("页数"), QStringLiteral("大于等于"), QStringLiteral("5"));
            form.OrButton()->setChecked(true);
            Add(form, QStringLiteral("档案名称"), QStringLiteral("等于"), QStringLiteral("年报"));
            QCOMPARE(form.ListBox()->count(), 3);
            form.ListBox()->setCurrentRow(0);
            QVERIFY(form.ClearButton()->isEnabled());
            form.ClearButton()->click();
            QCOMPARE(form.ListBox()->item(0)->text(), QStringLiteral(" 页数 大于等于 5"));
            QTest::keyClick(&form, Qt::Key_F3);
        });
        QVERIFY(dialog.Execute());
        QCOMPARE(dialog.Condition(), QStringLiteral("(A.NUMBER_FIELD1 >= 5 or A.ARCHIVE_NAME = '年报')"));
        QCOMPARE(dialog.DisplayText(), QStringLiteral(" 页数 大于等于 5 或着 档案名称 等于 年报"));
        QVERIFY(!dialog.AllData());

        // The conditions stay for the next opening; 全部数据 clears them.
        TModalSeam::QueueHandler([](QDialog& dialog) {
            auto& form = static_cast<TQDFindForm&>(dialog);
            QCOMPARE(form.ListBox()->count(), 2);
            form.SetAllDataVisible(true);
            form.AllButton()->click();
        });
        QVERIFY(dialog.Execute());
        QVERIFY(dialog.AllData());
        QCOMPARE(dialog.Condition(), QString());
    }

    // Enter walks from the value to 增加 and presses it; the dialog stays.
    void enterAfterTheValueAddsTheCondition() {
        TFindFormDialog dialog;
        dialog.SetDescriptors(Descriptors());
        TModalSeam::QueueHandler([](QDialog& dialog) {
            auto& form = static_cast<TQDFindForm&>(dialog);
            form.ChooseField(QStringLiteral("档案名称"));
            form.ChooseOperator(QStringLiteral("相似"));
            form.TextEdit()->setFocus();
            QTest::keyClicks(form.TextEdit(), QStringLiteral("abc"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), form.DownButton());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QCOMPARE(form.ListBox()->count(), 1);
            QVERIFY(form.isVisible());
            // The logic box holds its choices whole.
            for (QRadioButton* choice : {form.AndButton(), form.OrButton()}) {
                QVERIFY(choice->parentWidget()->contentsRect().contains(choice->geometry()));
                QVERIFY(choice->height() >= choice->sizeHint().height());
            }
            QVERIFY(!form.AndButton()->parentWidget()->geometry().intersects(form.ListBox()->geometry()));
            QTest::keyClick(&form, Qt::Key_F3);
        });
        QVERIFY(dialog.Execute());
        QCOMPARE(dialog.Condition(), QStringLiteral("(A.ARCHIVE_NAME Like '%abc%')"));
    }

    void yearAndMonthInputs() {
        TFindSimpleFormDialog dialog;
        dialog.SetDescriptors(Descriptors());
        TRecordingPresenter messages;
        TModalSeam::QueueHandler([&](QDialog& dialog) {
            auto& form = static_cast<TQDFindForm&>(dialog);
            QCOMPARE(form.size(), QSize(427, 137));
            form.ChooseField(QStringLiteral("档案日期"));
            QVERIFY(form.YearEdit()->isVisible() && form.MonthEdit()->isVisible());
            QVERIFY(!form.TextEdit()->isVisible());
            form.ChooseOperator(QStringLiteral("等于"));
            QTest::keyClicks(form.YearEdit(), QStringLiteral("2001"));
            QTest::keyClicks(form.MonthEdit(), QStringLiteral("1"));
            form.SureButton()->click();
            QCOMPARE(messages.Texts(), QStringList{QStringLiteral("错误的月份,正确的月份如8月是:“08”")});
            form.MonthEdit()->setText(QStringLiteral("01"));
            form.SureButton()->click();
        });
        QVERIFY(dialog.Execute());
        QCOMPARE(dialog.Fragment(),
                 QStringLiteral("(100 * CAST(strftime('%Y',A.DATE_FIELD1) AS INTEGER) + CAST(strftime('%m',A.DATE_FIELD1) AS INTEGER)) = 200101"));
        QCOMPARE(dialog.DisplayText(), QStringLiteral(" 档案日期 等于 2001年01月"));
    }

    void popupValuesMustStayAsChosen() {
        TFindSimpleFormDialog dialog;
        dialog.SetDescriptors(Descriptors());
        dialog.Form()->PopupWindow = [](QString& shown, QString& value, const QString& field) {
            QCOMPARE(field, QStringLiteral("ARCHIVE_TYPE_ID"));
            shown = QStringLiteral("文书档案");
            value = QStringLiteral("001");
        };
        TRecordingPresenter messages;
        TModalSeam::QueueHandler([&](QDialog& dialog) {
            auto& form = static_cast<TQDFindForm&>(dialog);
            form.ChooseField(QStringLiteral("档案类别"));
            QVERIFY(form.DateEdit()->isVisible());
            form.ChooseOperator(QStringLiteral("等于"));
            form.SureButton()->click();
            QCOMPARE(messages.LastText(), QStringLiteral("必须从弹出的窗口里选择一个值"));
            form.DateEdit()->Button()->trigger();
            QCOMPARE(form.DateEdit()->text(), QStringLiteral("文书档案"));
            form.DateEdit()->setText(QStringLiteral("改了"));
            form.SureButton()->click();
            QCOMPARE(messages.LastText(), QStringLiteral("选择出来的值不能改变"));
            form.DateEdit()->Button()->trigger();
            form.SureButton()->click();
        });
        QVERIFY(dialog.Execute());
        QCOMPARE(dialog.Fragment(), QStringLiteral("A.ARCHIVE_TYPE_ID = '001'"));
    }

    void hiddenDropButtonWidensTheText() {
        TQDComboEdit edit;
        edit.resize(200, 24);
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        const int withButton = edit.TextAreaWidth();
        edit.SetButtonEnabled(false);
        QApplication::processEvents();
        QVERIFY(!edit.ButtonEnabled());
        QVERIFY(edit.TextAreaWidth() > withButton);
        edit.SetButtonEnabled(true);
        QApplication::processEvents();
        QCOMPARE(edit.TextAreaWidth(), withButton);
    }
};

QTEST_MAIN(TestFind)
#include "tst_find.moc"
