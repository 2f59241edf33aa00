// The window in use: the user's flows through clicks and typing, what the window does with
// events that arrive while a run yields, and the report boxes giving back what was written.
// What a run should show is what the same run shows through a window of plain strings.
#include "calc/formula.h"
#include "calc/run.h"
#include "calc/starttext.h"
#include "tests/support/stringwindow.h"
#include "tests/ui/uitest.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyleHints>
#include <QtTest>

#include <functional>
#include <utility>
#include <vector>

namespace {

// The window with a hook into its yields: `atYield` runs as a queued event that the yield
// itself delivers, as a click of the user's would be; `afterYield` runs once it returned.
class HookedWindow : public frmtripart {
public:
    std::function<void(int)> atYield;
    std::function<void(int)> afterYield;
    int yields = 0;
    int terminations = 0;

    // `action` at the yield with this number only.
    void AtYield(int number, std::function<void()> action)
    {
        atYield = [number, action = std::move(action)](int n) {
            if (n == number) {
                action();
            }
        };
    }

    void Yield() override
    {
        const int number = ++yields;
        if (atYield) {
            QMetaObject::invokeMethod(this, [this, number] { atYield(number); }, Qt::QueuedConnection);
        }
        frmtripart::Yield();
        if (afterYield) {
            afterYield(number);
        }
    }
};

std::unique_ptr<HookedWindow> Shown()
{
    auto window = ShownWindow<HookedWindow>();
    if (window) {
        window->SetTerminator([w = window.get()] { ++w->terminations; });
    }
    return window;
}

StringWindow ExpectedRun(const std::string& start, int degenerate,
                         std::function<void(StringWindow&, int)> onYield = nullptr)
{
    StringWindow w;
    w.start = start;
    w.degenerate = degenerate;
    w.onYield = std::move(onYield);
    RunState state;
    RunPerimeters(state, w);
    return w;
}

// Types as a keyboard would, a key press per character, also for characters beyond ASCII.
void Type(QWidget* box, const QString& text)
{
    for (const QChar ch : text) {
        if (ch.unicode() < 0x80) {
            QTest::keyClick(box, static_cast<char>(ch.unicode()));
        } else {
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(ch), Qt::NoModifier);
        }
    }
}

void TypeInto(QWidget* box, const QString& text)
{
    QTest::mouseClick(box, Qt::LeftButton);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty()) {
        QTest::keyClick(box, Qt::Key_Delete);
    }
    Type(box, text);
}

void Click(const QWidget& window, const char* name)
{
    QTest::mouseClick(Control<QWidget>(window, name), Qt::LeftButton);
}

void ClickArrow(QScrollBar* bar, bool upper)
{
    const QRect arrow = ScrollBarPart(*bar, upper ? QStyle::SC_ScrollBarSubLine : QStyle::SC_ScrollBarAddLine);
    QTest::mouseClick(bar, Qt::LeftButton, {}, arrow.center());
}

// The two report texts, table first.
std::pair<std::string, std::string> Reports(const RunWindow& window)
{
    return {window.TableText(), window.ListText()};
}

QString Start(const frmtripart& window) { return window.txtN(0)->text(); }

std::string Row(const std::string& table, int index)
{
    std::size_t at = std::string(kTableHeader).size() + 2;
    for (int i = 0; i < index; ++i) {
        at = table.find("\r\n", at) + 2;
    }
    return table.substr(at, table.find('\r', at) - at);
}

} // namespace

class EventsTest : public QObject {
    Q_OBJECT

public:
    static void initMain() { PrepareTestApplication(); }

private Q_SLOTS:
    void init()
    {
        m_window = Shown();
        QVERIFY(m_window);
    }
    void cleanup() { m_window.reset(); }

    void startRun_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<bool>("degenerate");
        QTest::addColumn<QString>("startAfter");
        QTest::addColumn<QString>("firstRow");
        QTest::addColumn<QString>("secondRow");
        QTest::newRow("three") << "3" << false << "3" << "  3:   1   0   1" << "  4:   0   0   0";
        QTest::newRow("three_degenerate") << "3" << true << "3" << "  3:   1   0   1" << "  4:   1   1   0   1";
        QTest::newRow("above_hundred") << "150" << false << "100" << "100: 208  24   0" << "101: 225  25   0";
        QTest::newRow("zero") << "0" << false << "0" << "  0:   0   0   0" << "  1:   0   0   0";
    }
    void startRun()
    {
        QFETCH(QString, start);
        QFETCH(bool, degenerate);
        QFETCH(QString, startAfter);
        QFETCH(QString, firstRow);
        QFETCH(QString, secondRow);
        // State
        TypeInto(m_window->txtN(0), start);
        if (degenerate) {
            Click(*m_window, "Check1");
        }
        // Action
        Click(*m_window, "Command1");
        // Expected
        const StringWindow expected = ExpectedRun(start.toStdString(), degenerate ? 1 : 0);
        QCOMPARE(Reports(*m_window), Reports(expected));
        QCOMPARE(QString::fromStdString(Row(m_window->TableText(), 0)), firstRow);
        QCOMPARE(QString::fromStdString(Row(m_window->TableText(), 1)), secondRow);
        QCOMPARE(Start(*m_window), startAfter);
        QVERIFY(!Control<QLabel>(*m_window, "Label2")->isVisible());
        QCOMPARE(m_window->yields, 11);
        // The list is shown from its top.
        QCOMPARE(Control<QPlainTextEdit>(*m_window, "Text2")->verticalScrollBar()->value(), 0);
    }

    void wholeTablesForThree()
    {
        Click(*m_window, "Command1");
        QCOMPARE(Control<QPlainTextEdit>(*m_window, "Text1")->toPlainText(),
                 QStringLiteral("  n  ges aab aaa* ent\n\n  3:   1   0   1\n  4:   0   0   0\n  5:   1   1   0\n"
                                "  6:   1   0   1\n  7:   2   2   0\n  8:   1   1   0\n  9:   3   1   1\n"
                                " 10:   2   2   0\n 11:   4   3   0\n 12:   3   1   1"));
        QVERIFY(Control<QPlainTextEdit>(*m_window, "Text2")
                    ->toPlainText()
                    .startsWith(QStringLiteral("Dreiecke\n\nUmfang 3\n  1.  1  1  1  aaa\n\nUmfang 4\n\nUmfang 5\n")));
    }

    void secondRunClearsTheFirst()
    {
        TypeInto(m_window->txtN(0), QStringLiteral("50"));
        Click(*m_window, "Command1");
        TypeInto(m_window->txtN(0), QStringLiteral("3"));
        Click(*m_window, "Command1");
        QCOMPARE(Reports(*m_window), Reports(ExpectedRun("3", 0)));
    }

    void invalidStartLosesNothing_data()
    {
        QTest::addColumn<QString>("start");
        QTest::newRow("letters") << "abc";
        QTest::newRow("empty") << "";
        QTest::newRow("fraction") << "3.7";
        QTest::newRow("exponent") << "1e2";
        QTest::newRow("umlauts") << QStringLiteral("drei\u00e4");
        QTest::newRow("below_lowest") << "-2147483649";
    }
    void invalidStartLosesNothing()
    {
        QFETCH(QString, start);
        // State: a finished run, and a note the user typed into the list.
        Click(*m_window, "Command1");
        QTest::keyClick(Control<QWidget>(*m_window, "Text2"), Qt::Key_End, Qt::ControlModifier);
        Type(Control<QWidget>(*m_window, "Text2"), QStringLiteral(" Notiz"));
        const std::string table = m_window->TableText();
        const std::string list = m_window->ListText();
        TypeInto(m_window->txtN(0), start);
        // Action
        bool sawBox = false;
        const auto watch = WhenModalBoxOpens([&](QMessageBox& box) {
            sawBox = true;
            QCOMPARE(box.windowTitle(), QStringLiteral("Startzahl"));
            QCOMPARE(box.icon(), QMessageBox::Warning);
            QCOMPARE(box.text(), QString::fromStdString(ParseStartText(start.toStdString()).message));
            QVERIFY(box.text().contains(start));
            QVERIFY(!Control<QLabel>(*m_window, "Label2")->isVisible());
        });
        Click(*m_window, "Command1");
        // Expected
        QVERIFY(sawBox);
        QCOMPARE(m_window->TableText(), table);
        QCOMPARE(m_window->ListText(), list);
        QCOMPARE(Start(*m_window), start);
        QVERIFY(!Control<QLabel>(*m_window, "Label2")->isVisible());
        QVERIFY(!m_window->State().running);
    }

    void formula_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("shownInput");
        QTest::addColumn<QString>("count");
        QTest::newRow("design_value") << "333" << " 333" << " 2352";
        QTest::newRow("fraction") << "12.9" << " 12" << " 3";
        QTest::newRow("letters") << "abc" << " 0" << " 0";
        QTest::newRow("negative") << "-7" << " 0" << " 0";
        QTest::newRow("beyond_32bit") << "321057" << " 321057" << " 2147490075";
        QTest::newRow("twenty_digits") << "12345678901234567891" << " 12345678901234567891"
                                       << " 3175328906924757658347304814268658234";
        QTest::newRow("ten_to_thirty") << "1e30" << " 1000000000000000000000000000000"
                                       << " 20833333333333333333333333333333333333333333333333333333333";
        QTest::newRow("too_many_digits") << "1e999999999" << "1e999999999" << QString::fromUtf8(kTooManyDigits);
    }
    void formula()
    {
        QFETCH(QString, input);
        QFETCH(QString, shownInput);
        QFETCH(QString, count);
        TypeInto(Control<QWidget>(*m_window, "Text4"), input);
        Click(*m_window, "Command3");
        QCOMPARE(Control<QLineEdit>(*m_window, "Text4")->text(), shownInput);
        QCOMPARE(Control<QLineEdit>(*m_window, "Text5")->text(), count);
    }

    void pastedLineBreaks_data()
    {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("firstRow"); // empty: refused with a warning
        QTest::newRow("trailing_break") << "12\r\n" << " 12:   3   1   1";
        QTest::newRow("leading_break") << "\n7" << "  7:   2   2   0";
        QTest::newRow("inner_break") << "1\n2" << "";
        QTest::newRow("lone_cr") << "3\r7" << "";
    }
    void pastedLineBreaks()
    {
        QFETCH(QString, pasted);
        QFETCH(QString, firstRow);
        QGuiApplication::clipboard()->setText(pasted);
        QTest::mouseClick(m_window->txtN(0), Qt::LeftButton);
        QTest::keyClick(m_window->txtN(0), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(m_window->txtN(0), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(Start(*m_window), pasted);
        bool warned = false;
        const auto watch = WhenModalBoxOpens([&](QMessageBox&) { warned = true; });
        Click(*m_window, "Command1");
        QCOMPARE(warned, firstRow.isEmpty());
        if (!firstRow.isEmpty()) {
            QCOMPARE(QString::fromStdString(Row(m_window->TableText(), 0)), firstRow);
        }
        // The formula box reads the number that leads, up to the break.
        QGuiApplication::clipboard()->setText(QStringLiteral("25\n34"));
        auto* input = Control<QLineEdit>(*m_window, "Text4");
        QTest::mouseClick(input, Qt::LeftButton);
        QTest::keyClick(input, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(input, Qt::Key_V, Qt::ControlModifier);
        Click(*m_window, "Command3");
        QCOMPARE(input->text(), QStringLiteral(" 25"));
        QCOMPARE(Control<QLineEdit>(*m_window, "Text5")->text(), QStringLiteral(" 16"));
    }

    // Far beyond Qt's default cap of a line edit (32,767 characters) in both directions: a
    // pasted number of the longest length accepted, one digit more, and a count of about
    // 200,000 digits written back.
    void longNumbersArriveWhole_data()
    {
        QTest::addColumn<int>("digits");
        QTest::newRow("longest_accepted") << int(kMaxFormulaDigits);
        QTest::newRow("one_digit_too_many") << int(kMaxFormulaDigits) + 1;
    }
    void longNumbersArriveWhole()
    {
        QFETCH(int, digits);
        const std::string pasted(static_cast<std::size_t>(digits), '9');
        StringWindow expected;
        expected.input = pasted;
        CountByFormula(expected);

        QGuiApplication::clipboard()->setText(QString::fromStdString(pasted));
        auto* input = Control<QLineEdit>(*m_window, "Text4");
        QTest::mouseClick(input, Qt::LeftButton);
        QTest::keyClick(input, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(input, Qt::Key_V, Qt::ControlModifier);
        Click(*m_window, "Command3");
        QCOMPARE(input->text().toStdString(), expected.input);
        QCOMPARE(Control<QLineEdit>(*m_window, "Text5")->text().toStdString(), expected.result);
        if (digits > int(kMaxFormulaDigits)) {
            QCOMPARE(expected.result, std::string(kTooManyDigits));
        } else {
            QVERIFY(expected.result.size() > 2 * kMaxFormulaDigits - 2);
        }

        // The start box takes the same paste whole, and a run reads it as the number it is.
        QTest::mouseClick(m_window->txtN(0), Qt::LeftButton);
        QTest::keyClick(m_window->txtN(0), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(m_window->txtN(0), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(int(Start(*m_window).size()), digits);
        Click(*m_window, "Command1");
        QCOMPARE(Start(*m_window), QStringLiteral("100"));
    }

    void scrollBarWritesTheStartBox()
    {
        auto* bar = Control<QScrollBar>(*m_window, "VScroll1");
        // Loading does not write the box.
        QCOMPARE(Start(*m_window), QStringLiteral("3"));
        QSignalSpy changes(bar, &QScrollBar::valueChanged);
        const std::vector<std::pair<bool, const char*>> clicks = {{true, "20"}, {false, "10"}, {false, "0"}};
        for (const auto& [upper, shown] : clicks) {
            ClickArrow(bar, upper);
            QCOMPARE(Start(*m_window), QString::fromLatin1(shown));
        }
        // At the bottom end a further click changes nothing.
        TypeInto(m_window->txtN(0), QStringLiteral("7"));
        ClickArrow(bar, false);
        QCOMPARE(Start(*m_window), QStringLiteral("7"));
        QCOMPARE(changes.count(), 3);
        // And the run starts from what the bar wrote.
        ClickArrow(bar, true);
        Click(*m_window, "Command1");
        QCOMPARE(Row(m_window->TableText(), 0), std::string(" 10:   2   2   0"));
    }

    void informationBox()
    {
        auto* menu = m_window->menuBar();
        auto* action = menu->findChild<QAction*>(QStringLiteral("cmdinfo"));
        QVERIFY(action);
        bool sawBox = false;
        const auto watch = WhenModalBoxOpens([&](QMessageBox& box) {
            sawBox = true;
            QCOMPARE(box.windowTitle(), QStringLiteral("Programmiert von"));
            QCOMPARE(box.icon(), QMessageBox::Information);
            QCOMPARE(box.buttons().size(), 1);
            QCOMPARE(box.standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
            QVERIFY(!box.text().isEmpty());
            QVERIFY(!box.text().contains(QLatin1Char('\n')));
            QVERIFY(box.text().contains(QStringLiteral("tripart")));
        });
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
        QVERIFY(sawBox);
        // The window goes on working.
        Click(*m_window, "Command3");
        QCOMPARE(Control<QLineEdit>(*m_window, "Text5")->text(), QStringLiteral(" 2352"));
    }

    void endeCallsTheTerminator()
    {
        Click(*m_window, "Command2");
        QCOMPARE(m_window->terminations, 1);
    }

    void failureDuringRunIsReported()
    {
        // A window whose switch cannot be read, as if memory had run out in the middle.
        struct FailingWindow : HookedWindow {
            int DegenerateState() const override { throw std::bad_alloc(); }
        };
        auto window = ShownWindow<FailingWindow>();
        QVERIFY(window);
        QString text;
        const auto watch = WhenModalBoxOpens([&](QMessageBox& box) {
            QCOMPARE(box.windowTitle(), QStringLiteral("Fehler"));
            QCOMPARE(box.icon(), QMessageBox::Critical);
            text = box.text();
        });
        Click(*window, "Command1");
        QCOMPARE(text, QStringLiteral("Die Rechnung ist abgebrochen: zu wenig Speicher."));
        QVERIFY(!window->State().running);
        QVERIFY(!Control<QLabel>(*window, "Label2")->isVisible());
    }

    void closingWhenIdleEndsNormally()
    {
        m_window->close();
        QCOMPARE(m_window->terminations, 0);
    }

    // ----- events that arrive while a run yields

    void busyLabelWhileRunning()
    {
        std::vector<bool> busy;
        m_window->afterYield = [&](int) { busy.push_back(Control<QLabel>(*m_window, "Label2")->isVisible()); };
        Click(*m_window, "Command1");
        QCOMPARE(busy.size(), std::size_t{11});
        QVERIFY(!busy[0]);
        for (std::size_t i = 1; i < busy.size(); ++i) {
            QVERIFY2(busy[i], qPrintable(QString::number(i + 1)));
        }
        QVERIFY(!Control<QLabel>(*m_window, "Label2")->isVisible());
    }

    void secondStartIsRefused()
    {
        int nestedYields = 0;
        m_window->AtYield(3, [&] {
            const int before = m_window->yields;
            Click(*m_window, "Command1");
            nestedYields = m_window->yields - before;
        });
        Click(*m_window, "Command1");
        QCOMPARE(nestedYields, 0);
        QCOMPARE(m_window->yields, 11);
        QCOMPARE(Reports(*m_window), Reports(ExpectedRun("3", 0)));
    }

    void endeDuringRun()
    {
        m_window->AtYield(4, [&] { Click(*m_window, "Command2"); });
        Click(*m_window, "Command1");
        QCOMPARE(m_window->terminations, 1);
    }

    void closingDuringRunEnds()
    {
        m_window->AtYield(4, [&] { m_window->close(); });
        Click(*m_window, "Command1");
        QCOMPARE(m_window->terminations, 1);
    }

    void formulaDuringRun()
    {
        QString duringRun;
        m_window->AtYield(5, [&] {
            TypeInto(Control<QWidget>(*m_window, "Text4"), QStringLiteral("1e30"));
            Click(*m_window, "Command3");
            duringRun = Control<QLineEdit>(*m_window, "Text5")->text();
        });
        Click(*m_window, "Command1");
        QCOMPARE(duringRun, QStringLiteral(" 20833333333333333333333333333333333333333333333333333333333"));
        QCOMPARE(Reports(*m_window), Reports(ExpectedRun("3", 0)));
    }

    void scrollBarDuringRun()
    {
        m_window->AtYield(3, [&] { ClickArrow(Control<QScrollBar>(*m_window, "VScroll1"), true); });
        Click(*m_window, "Command1");
        QCOMPARE(Start(*m_window), QStringLiteral("20"));
        QCOMPARE(Reports(*m_window), Reports(ExpectedRun("3", 0)));
    }

    void checkBoxDuringRunAppliesToLaterCandidates()
    {
        m_window->AtYield(6, [&] { Click(*m_window, "Check1"); });
        Click(*m_window, "Command1");
        const StringWindow expected = ExpectedRun("3", 0, [](StringWindow& w, int number) {
            if (number == 6) {
                w.degenerate = 1;
            }
        });
        QCOMPARE(Reports(*m_window), Reports(expected));
        // Perimeter 7 (yield 6 comes before it) is the first counted with degenerate ones.
        QCOMPARE(Row(m_window->TableText(), 3), std::string("  6:   1   0   1"));
        QCOMPARE(Row(m_window->TableText(), 5), std::string("  8:   3   2   0   2"));
    }

    void editDuringRunSurvives_data()
    {
        QTest::addColumn<QString>("box");
        QTest::newRow("list") << "Text2";
        QTest::newRow("table") << "Text1";
    }
    void editDuringRunSurvives()
    {
        QFETCH(QString, box);
        const QString note = QStringLiteral(" Notiz \u00e4\u20ac\u00a0");
        m_window->AtYield(5, [&] {
            auto* edit = Control<QWidget>(*m_window, qPrintable(box));
            QTest::mouseClick(edit, Qt::LeftButton);
            QTest::keyClick(edit, Qt::Key_End, Qt::ControlModifier);
            Type(edit, note);
        });
        Click(*m_window, "Command1");
        const StringWindow expected = ExpectedRun("3", 0, [&](StringWindow& w, int number) {
            if (number == 5) {
                (box == QLatin1String("Text2") ? w.list : w.table) += note.toStdString();
            }
        });
        QCOMPARE(Reports(*m_window), Reports(expected));
    }

    // What the window shows after each yield is what the boxes would show with their whole
    // text written at once: the narrowed repaints leave nothing stale.
    void shownAtEachYield_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("action"); // what the user does in the list at yield 4
        QTest::newRow("short_run") << "3" << "";
        QTest::newRow("long_run") << "20" << "";
        QTest::newRow("scrolled_to_the_end") << "40" << "end";
        QTest::newRow("paged_down") << "40" << "page";
        QTest::newRow("typed_into") << "20" << "type";
        QTest::newRow("emptied") << "20" << "empty";
    }
    void shownAtEachYield()
    {
        QFETCH(QString, start);
        QFETCH(QString, action);
        // The caret of a box typed into blinks on a timer of its own: the screen's last paint
        // and a fresh one can differ by it, whatever the run drew. Here it stays on.
        QStyleHints* hints = QGuiApplication::styleHints();
        const int flashTime = hints->cursorFlashTime();
        hints->setCursorFlashTime(0);
        const auto restoreFlashTime = qScopeGuard([=] { hints->setCursorFlashTime(flashTime); });
        TypeInto(m_window->txtN(0), start);
        Click(*m_window, "Check1");
        auto* list = Control<QPlainTextEdit>(*m_window, "Text2");
        m_window->AtYield(4, [&] {
            if (action == QLatin1String("end")) {
                list->verticalScrollBar()->setValue(list->verticalScrollBar()->maximum());
            } else if (action == QLatin1String("page")) {
                list->verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
            } else if (action == QLatin1String("type")) {
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
                Type(list, QStringLiteral("Notiz \u00e4\r"));
            } else if (action == QLatin1String("empty")) {
                QTest::mouseClick(list->viewport(), Qt::LeftButton);
                QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
                QTest::keyClick(list, Qt::Key_Delete);
            }
        });
        QStringList stale;
        m_window->afterYield = [&](int number) {
            const QImage screen = m_window->screen()->grabWindow(m_window->winId()).toImage();
            const QImage fresh = m_window->grab().toImage().convertToFormat(screen.format());
            for (const char* name : {"Text1", "Text2"}) {
                auto* box = Control<QWidget>(*m_window, name);
                const QRect at(box->mapTo(m_window.get(), QPoint(0, 0)) * screen.devicePixelRatio(),
                               box->size() * screen.devicePixelRatio());
                if (screen.copy(at) != fresh.copy(at)) {
                    stale << QStringLiteral("%1 at yield %2").arg(QLatin1String(name)).arg(number);
                }
            }
        };
        Click(*m_window, "Command1");
        QCOMPARE(m_window->yields, 11);
        QVERIFY2(stale.isEmpty(), qPrintable(stale.join(QStringLiteral(", "))));
    }

    // ----- the report boxes give back what was written

    void reportTextsRoundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("readBack");
        QTest::newRow("header") << "Dreiecke\r\n" << "Dreiecke\r\n";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("blank_lines") << "a\r\n\r\n\r\nb" << "a\r\n\r\n\r\nb";
        QTest::newRow("only_breaks") << "\r\n\r\n" << "\r\n\r\n";
        QTest::newRow("umlauts") << QStringLiteral("Grüße ä ö ü ß € \U0001F600") << QStringLiteral("Grüße ä ö ü ß € \U0001F600");
        QTest::newRow("no_break_space") << QStringLiteral("x\u00a0y") << QStringLiteral("x\u00a0y");
        QTest::newRow("tab") << "a\tb" << "a\tb";
        QTest::newRow("lone_cr_breaks_the_line") << "a\rb" << "a\r\nb";
        QTest::newRow("lone_lf_breaks_the_line") << "a\nb" << "a\r\nb";
    }
    void reportTextsRoundTrip()
    {
        QFETCH(QString, text);
        QFETCH(QString, readBack);
        m_window->SetListText(text.toStdString());
        QCOMPARE(QString::fromStdString(m_window->ListText()), readBack);
        m_window->SetTableText(text.toStdString());
        QCOMPARE(QString::fromStdString(m_window->TableText()), readBack);
    }

    void appendEqualsRewrite_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QStringList>("pieces");
        QTest::newRow("run_pieces") << "Dreiecke\r\n" << QStringList{QStringLiteral("\r\nUmfang 3\r\n  1.  1  1  1  aaa\r\n"), QStringLiteral("\r\nUmfang 4\r\n")};
        QTest::newRow("into_empty_box") << "" << QStringList{QStringLiteral("\r\n  3:   1   0   1")};
        QTest::newRow("after_a_note") << "Dreiecke\r\nNotiz" << QStringList{QStringLiteral("\r\nUmfang 3\r\n")};
        QTest::newRow("break_split_over_pieces") << "a" << QStringList{QStringLiteral("b\r"), QStringLiteral("\nc")};
        QTest::newRow("non_ascii") << QStringLiteral("ä") << QStringList{QStringLiteral("\u00a0€\r\n")};
    }
    void appendEqualsRewrite()
    {
        QFETCH(QString, before);
        QFETCH(QStringList, pieces);
        m_window->SetListText(before.toStdString());
        std::string rewritten = m_window->ListText();
        for (const QString& piece : pieces) {
            m_window->AppendListText(piece.toStdString());
            rewritten = rewritten + piece.toStdString();
            // What a rewrite stores is what the box reads back after writing it.
            frmtripart reference;
            reference.SetListText(rewritten);
            rewritten = reference.ListText();
            QCOMPARE(m_window->ListText(), rewritten);
        }
    }

    void typedTextSurvives()
    {
        const QString typed = QStringLiteral("Grüße\u00a0äöü ß €");
        auto* box = Control<QWidget>(*m_window, "Text2");
        QTest::mouseClick(box, Qt::LeftButton);
        QTest::keyClick(box, Qt::Key_End, Qt::ControlModifier);
        Type(box, typed);
        QTest::keyClick(box, Qt::Key_Return);
        Type(box, QStringLiteral("zwei"));
        QCOMPARE(QString::fromStdString(m_window->ListText()), QStringLiteral("Dreiecke\r\n") + typed + QStringLiteral("\r\nzwei"));

        TypeInto(m_window->txtN(0), QStringLiteral(" 12 "));
        QCOMPARE(QString::fromStdString(m_window->StartText()), QStringLiteral(" 12 "));
    }

private:
    std::unique_ptr<HookedWindow> m_window;
};

QTEST_MAIN(EventsTest)
#include "events_test.moc"
