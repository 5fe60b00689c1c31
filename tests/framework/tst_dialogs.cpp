#include <QApplication>
#include <QCalendarWidget>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

#include "data/RecordingPresenter.h"
#include "framework/InputYearForm.h"
#include "framework/ModalSeam.h"
#include "framework/QDThread.h"
#include "framework/SelectDateForm.h"
#include "framework/SelectOptionForm.h"
#include "framework/UiHelpers.h"
#include "framework/WidgetMessagePresenter.h"

class TestDialogs : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QCOMPARE(TModalSeam::PendingHandlers(), 0); }

    void messageBoxesCarryTheirTitlesAndQuestionMark() {
        TRecordingPresenter messages;
        messages.QueueAnswer(true);
        messages.QueueAnswer(false);
        Information(QStringLiteral("必须选择一个记录"));
        Error(QStringLiteral("出错了"));
        QVERIFY(Question(QStringLiteral("是否删除这条记录")));
        QVERIFY(!Question(QStringLiteral("是否保存")));
        QCOMPARE(messages.Entries().size(), 4);
        QCOMPARE(messages.Entries()[0].title, QStringLiteral("提示信息"));
        QCOMPARE(messages.Entries()[1].title, QStringLiteral("错误信息"));
        QCOMPARE(messages.Entries()[2].title, QStringLiteral("提示信息"));
        QCOMPARE(messages.Entries()[2].text, QStringLiteral("是否删除这条记录 ?"));
        QCOMPARE(messages.UnansweredQuestions(), 0);
    }

    void widgetPresenterShowsRealBoxes_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("icon");
        QTest::addColumn<bool>("clickYes");
        QTest::addColumn<bool>("answer");
        QTest::newRow("information") << int(TMessageKind::Information) << int(QMessageBox::Warning) << false << false;
        QTest::newRow("error") << int(TMessageKind::Error) << int(QMessageBox::Critical) << false << false;
        QTest::newRow("question yes") << int(TMessageKind::Question) << int(QMessageBox::Question) << true << true;
        QTest::newRow("question no") << int(TMessageKind::Question) << int(QMessageBox::Question) << false << false;
    }

    void widgetPresenterShowsRealBoxes() {
        QFETCH(int, kind);
        QFETCH(int, icon);
        QFETCH(bool, clickYes);
        QFETCH(bool, answer);
        TWidgetMessagePresenter presenter;
        SetMessagePresenter(&presenter);
        QWidget owner;
        owner.show();
        QString seenTitle, seenText;
        int seenIcon = -1;
        QStringList buttons;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            seenTitle = box->windowTitle();
            seenText = box->text();
            seenIcon = box->icon();
            QVERIFY(box->windowFlags() & Qt::WindowStaysOnTopHint);
            QCOMPARE(box->parentWidget(), &owner);
            for (QAbstractButton* button : box->buttons()) {
                buttons.append(button->text());
            }
            box->button(clickYes ? QMessageBox::Yes : (kind == int(TMessageKind::Question) ? QMessageBox::No
                                                                                             : QMessageBox::Ok))
                ->click();
        });
        bool result = false;
        switch (TMessageKind(kind)) {
            case TMessageKind::Information:
                Information(QStringLiteral("文本"), &owner);
                break;
            case TMessageKind::Error:
                Error(QStringLiteral("文本"), &owner);
                break;
            case TMessageKind::Question:
                result = Question(QStringLiteral("文本"), &owner);
                break;
        }
        SetMessagePresenter(nullptr);
        QCOMPARE(result, answer);
        QCOMPARE(seenIcon, icon);
        QCOMPARE(seenTitle, kind == int(TMessageKind::Error) ? QStringLiteral("错误信息") : QStringLiteral("提示信息"));
        QCOMPARE(seenText, kind == int(TMessageKind::Question) ? QStringLiteral("文本 ?") : QStringLiteral("文本"));
        QCOMPARE(buttons.size(), kind == int(TMessageKind::Question) ? 2 : 1);
    }

    void progressWindowStopFlag() {
        TQDThread thread;
        thread.SetCaption(QStringLiteral("正在删除数据....."));
        thread.SetProgressBars(true, false, true);
        thread.ShowStop = true;
        thread.SetKind(TOptionKind::crDelete);
        QVERIFY(!thread.StopRequested());  // not active yet
        thread.SetPosition(3);             // ignored while inactive
        thread.SetMaximum(10);             // remembered for the start
        thread.Start();
        QVERIFY(thread.Active());
        TThreadForm* form = thread.Form();
        QVERIFY(form && form->isVisible());
        QCOMPARE(form->windowTitle(), QStringLiteral("正在删除数据....."));
        QCOMPARE(form->size(), QSize(355, 169));
        QCOMPARE(form->Bar(1)->maximum(), 10);
        QCOMPARE(form->Bar(1)->value(), 0);
        QVERIFY(form->Bar(1)->isVisible());
        QVERIFY(!form->Bar(2)->isVisible());
        QVERIFY(form->Bar(3)->isVisible());
        QCOMPARE(form->Bar(2)->maximum(), 0);
        QVERIFY(form->Bar(3)->y() < form->Bar(2)->y() && form->Bar(2)->y() < form->Bar(1)->y());
        QVERIFY(form->StopButton()->isVisible());
        QCOMPARE(form->StopButton()->text(), QStringLiteral("停止"));
        QVERIFY(form->Animation()->IsRunning());
        QCOMPARE(form->Animation()->Kind(), TOptionKind::crDelete);
        QVERIFY(form->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(!(form->windowFlags() & Qt::WindowCloseButtonHint));

        thread.Start();  // already active: the same window stays
        QCOMPARE(thread.Form(), form);
        thread.SetPosition(4);
        QCOMPARE(form->Bar(1)->value(), 4);
        thread.SetMaximum(20);
        QCOMPARE(form->Bar(1)->maximum(), 20);
        QCOMPARE(form->Bar(1)->value(), 0);

        QVERIFY(!thread.StopRequested());
        QTest::mouseClick(form->StopButton(), Qt::LeftButton);
        QVERIFY(thread.StopRequested());
        QVERIFY(thread.StopRequested());  // stays set while the window is up

        thread.Stop();
        QVERIFY(!thread.Active());
        QVERIFY(!thread.Form());
        QVERIFY(!thread.StopRequested());
        QVERIFY(!QApplication::overrideCursor());

        // A new showing clears the flag; without the stop button the window is lower.
        thread.ShowStop = false;
        thread.Start();
        QVERIFY(!thread.StopRequested());
        QCOMPARE(thread.Form()->size(), QSize(355, 133));
        QVERIFY(!thread.Form()->StopButton()->isVisible());
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }

    void progressWindowFreedWithItsOwner() {
        QPointer<TThreadForm> form;
        {
            TQDThread thread;
            thread.Start();
            form = thread.Form();
            QVERIFY(form);
        }
        QVERIFY(!form);
        QVERIFY(!QApplication::overrideCursor());
    }

    void datePickerStartDay_data() {
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("fallback");
        QTest::addColumn<QDate>("start");
        QTest::newRow("date") << "2015-03-25" << "2020-01-01" << QDate(2015, 3, 25);
        QTest::newRow("date and time") << "2015-03-25 10:30" << "2020-01-01" << QDate(2015, 3, 25);
        QTest::newRow("empty takes the default") << "" << "2020-01-01" << QDate(2020, 1, 1);
        QTest::newRow("blanks take the default") << "   " << "2020-01-01" << QDate(2020, 1, 1);
        QTest::newRow("unparseable") << "下周" << "2020-01-01" << QDate();
        QTest::newRow("impossible day") << "2015-02-30" << "2020-01-01" << QDate();
    }

    void datePickerStartDay() {
        QFETCH(QString, current);
        QFETCH(QString, fallback);
        QFETCH(QDate, start);
        const std::optional<QDate> day = TSelectDateForm::StartDate(current, fallback);
        QCOMPARE(day.value_or(QDate()), start);
    }

    void datePickerReturnsTheChosenDay() {
        TModalSeam::QueueHandler([](QDialog& dialog) {
            auto& form = static_cast<TSelectDateForm&>(dialog);
            QCOMPARE(form.windowTitle(), QStringLiteral("日期选择窗口"));
            QCOMPARE(form.Calendar()->selectedDate(), QDate(2015, 3, 25));
            QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("NextMonthButton")), Qt::LeftButton);
            QCOMPARE(form.Calendar()->selectedDate(), QDate(2015, 4, 25));
            form.OkButton()->click();
        });
        QCOMPARE(SelectDate(QStringLiteral("2015-03-25 08:00"), QString()), QStringLiteral("2015-04-25"));

        TModalSeam::QueueHandler([](QDialog& dialog) { static_cast<TSelectDateForm&>(dialog).CancelButton()->click(); });
        QCOMPARE(SelectDate(QStringLiteral("2015-03-25"), QString()), QString());
    }

    void optionChooserReturnsTheNumberFromOne() {
        TModalSeam::QueueHandler([](QDialog& dialog) {
            auto& form = static_cast<TSelectOptionForm&>(dialog);
            QCOMPARE(form.windowTitle(), QStringLiteral("打印选择窗口"));
            QCOMPARE(form.Group()->title(), QStringLiteral("打印方式"));
            QCOMPARE(form.Options().size(), 3);
            QCOMPARE(form.Selected(), 2);
            form.Options()[2]->click();
            form.OkButton()->click();
        });
        QCOMPARE(SelectOption(QStringLiteral("打印方式"), {QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙")},
                              2),
                 3);
        TModalSeam::QueueHandler([](QDialog& dialog) {
            auto& form = static_cast<TSelectOptionForm&>(dialog);
            QCOMPARE(form.Selected(), 0);
            // The options stand apart inside their box, whatever the font.
            const QRect first = form.Options()[0]->geometry(), second = form.Options()[1]->geometry();
            QVERIFY(!first.intersects(second));
            QVERIFY(first.height() >= form.Options()[0]->sizeHint().height());
            QVERIFY(form.Group()->contentsRect().contains(second));
            QVERIFY(!form.OkButton()->geometry().intersects(form.Group()->geometry()));
            form.Options()[0]->click();
            QTest::keyClick(&form, Qt::Key_F3);
        });
        QCOMPARE(SelectOption(QStringLiteral("打印方式"), {QStringLiteral("甲"), QStringLiteral("乙")}), 1);
    }

    void sortChooser_data() {
        QTest::addColumn<int>("names");
        QTest::addColumn<int>("choose");
        QTest::addColumn<QString>("alias");
        QTest::addColumn<int>("offered");
        QTest::addColumn<bool>("tall");
        QTest::addColumn<QString>("order");
        QTest::newRow("eight names") << 8 << 8 << "" << 8 << false << " ORDER BY F8";
        QTest::newRow("nine names") << 9 << 1 << "M" << 9 << true << " ORDER BY M.F1";
        QTest::newRow("fifteen names, twelve offered") << 15 << 12 << "" << 12 << true << " ORDER BY F12";
    }

    void sortChooser() {
        QFETCH(int, names);
        QFETCH(int, choose);
        QFETCH(QString, alias);
        QFETCH(int, offered);
        QFETCH(bool, tall);
        QFETCH(QString, order);
        QStringList labels, columns;
        for (int i = 1; i <= names; ++i) {
            labels.append(QStringLiteral("字段%1").arg(i));
            columns.append(QStringLiteral("F%1").arg(i));
        }
        TModalSeam::QueueHandler([&](QDialog& dialog) {
            auto& form = static_cast<TSelectOptionForm&>(dialog);
            QCOMPARE(form.Options().size(), offered);
            QCOMPARE(form.Options().first()->text(), QStringLiteral("按字段1排序"));
            if (tall) {
                // The design's size, grown only where the font needs more.
                const bool fits = form.Group()->sizeHint().height() <= 166;
                QVERIFY(fits ? form.height() == 252 - 25 : form.height() > 252 - 25);
                QVERIFY(fits ? form.Group()->height() == 166 : form.Group()->height() > 166);
            } else {
                QVERIFY(form.height() != 252 - 25);
            }
            for (QRadioButton* option : form.Options()) {
                QVERIFY(form.Group()->rect().contains(option->geometry()));
            }
            form.Options()[choose - 1]->click();
            form.OkButton()->click();
        });
        QCOMPARE(SelectSortOrder(labels, columns, alias), order);

        TModalSeam::QueueHandler([](QDialog& dialog) { static_cast<TSelectOptionForm&>(dialog).CancelButton()->click(); });
        QCOMPARE(SelectSortOrder(labels, columns, alias), QString());
    }

    void yearInputValidates_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << "" << "必须输入删除数据的年份";
        QTest::newRow("three digits") << "200" << "错误的年份,正确的年份如2000年是:\"2000\"";
        QTest::newRow("letters are not typed") << "ab" << "必须输入删除数据的年份";
    }

    void yearInputValidates() {
        QFETCH(QString, typed);
        QFETCH(QString, message);
        TRecordingPresenter messages;
        QString accepted;
        TModalSeam::QueueHandler([&](QDialog& dialog) {
            auto& form = static_cast<TInputYearForm&>(dialog);
            QCOMPARE(form.windowTitle(), QStringLiteral("删除年份输入窗口"));
            QCOMPARE(form.YearEdit()->maxLength(), 4);
            QTest::keyClicks(form.YearEdit(), typed);
            form.OkButton()->click();
            QVERIFY(form.isVisible());  // stays open for correction
            QCOMPARE(messages.Texts(), QStringList{message});
            form.YearEdit()->clear();
            QTest::keyClicks(form.YearEdit(), QStringLiteral("20123"));
            QCOMPARE(form.YearEdit()->text(), QStringLiteral("2012"));
            QTest::keyClick(form.YearEdit(), Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), form.OkButton());
            form.OkButton()->click();
        });
        QCOMPARE(InputYear(), QStringLiteral("2012"));

        TModalSeam::QueueHandler([](QDialog& dialog) { static_cast<TInputYearForm&>(dialog).CloseButton()->click(); });
        QCOMPARE(InputYear(), QString());
    }

    void inputMethodsFollowTheInputType() {
        QWidget window;
        auto* text = new QLineEdit(&window);
        auto* number = new QLineEdit(&window);
        number->setProperty("QDNumeric", true);
        auto* untouched = new QLineEdit(&window);
        untouched->setProperty("Tag", 100);
        untouched->setAttribute(Qt::WA_InputMethodEnabled, false);
        ApplyInputMethod(&window, QStringLiteral("中文 - 拼音"));
        QVERIFY(text->testAttribute(Qt::WA_InputMethodEnabled));
        QCOMPARE(text->property("ImeName").toString(), QStringLiteral("中文 - 拼音"));
        QVERIFY(!number->testAttribute(Qt::WA_InputMethodEnabled));
        QCOMPARE(number->property("ImeName").toString(), QString());
        QVERIFY(!untouched->testAttribute(Qt::WA_InputMethodEnabled));
        QVERIFY(!untouched->property("ImeName").isValid());
    }

    void windowsColoursConvert() {
        QCOMPARE(ColorFromWindows(16645614), QColor(0xEE, 0xFD, 0xFD));
        QCOMPARE(ColorFromWindows(0x0000FF), QColor(Qt::red));
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
