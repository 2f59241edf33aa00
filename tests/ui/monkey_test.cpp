// A careless user, reproducible from a seed: thousands of random clicks anywhere in the
// window, typing (beyond ASCII too), long pastes, Enter, Escape, Tab, scroll bar moves and the
// menu, many of them while a run yields. "Ende" and closing during a run are recorded rather
// than ending the test. Set TRIPART_MONKEY_SEED and TRIPART_MONKEY_ACTIONS to vary the run.
#include "calc/run.h"
#include "tests/support/stringwindow.h"
#include "tests/ui/uitest.h"

#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QtTest>

#include <random>

namespace {

class MonkeyWindow : public frmtripart {
public:
    std::function<void()> atYield; // the monkey's chance to act inside a yield
    int depth = 0;                 // yields in progress
    int deepest = 0;
    int runs = 0;

    void Yield() override
    {
        if (depth == 0 && State().running && !inRun_) {
            inRun_ = true;
            ++runs;
        }
        ++depth;
        deepest = std::max(deepest, depth);
        if (atYield) {
            atYield();
        }
        frmtripart::Yield();
        --depth;
    }

    void RunEnded() { inRun_ = false; }

private:
    bool inRun_ = false;
};

const QString kAlphabet = QStringLiteral("0123456789012345+- .,eE3x\tabcäöüß€\u00a0\U0001F600");

} // namespace

class MonkeyTest : public QObject {
    Q_OBJECT

public:
    static void initMain() { PrepareTestApplication(); }

private Q_SLOTS:
    void randomUser()
    {
        const unsigned seed = qEnvironmentVariableIsSet("TRIPART_MONKEY_SEED")
                                  ? qEnvironmentVariableIntValue("TRIPART_MONKEY_SEED")
                                  : 20261208u;
        const int total = qEnvironmentVariableIsSet("TRIPART_MONKEY_ACTIONS")
                              ? qEnvironmentVariableIntValue("TRIPART_MONKEY_ACTIONS")
                              : 10000;
        qInfo("seed %u, %d actions", seed, total);
        m_random.seed(seed);

        m_window = ShownWindow<MonkeyWindow>();
        QVERIFY(m_window);
        m_window->SetTerminator([this] { ++m_terminations; });

        // Every box that opens (information, invalid start) is closed again at once.
        QTimer closer;
        closer.setInterval(0);
        connect(&closer, &QTimer::timeout, this, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                ++m_boxes;
                box->done(QMessageBox::Ok);
            }
        });
        closer.start();

        m_window->atYield = [this, total] {
            // Half the runs are left alone, so that their texts can be checked; in the others
            // the user goes on clicking and typing.
            if (m_window->runs != m_runSeen) {
                m_runSeen = m_window->runs;
                m_quietRun = Chance(0.5);
            }
            if (!m_quietRun && m_actions < total && Chance(0.3)) {
                m_actedDuringRun = true;
                ++m_actionsInRuns;
                for (int i = Pick(1, 3); i > 0 && m_actions < total; --i) {
                    Act();
                }
            }
        };

        while (m_actions < total) {
            const QString start = m_window->txtN(0)->text();
            const int degenerate = m_window->DegenerateState();
            const int runsBefore = m_window->runs;
            m_actedDuringRun = false;
            Act();
            if (m_window->runs != runsBefore) {
                m_window->RunEnded();
                QCOMPARE(m_window->runs, runsBefore + 1);
                if (!m_actedDuringRun) {
                    CheckFreshRun(start, degenerate);
                }
            }
            QVERIFY2(!m_window->State().running, qPrintable(Where()));
            QVERIFY2(!Control<QLabel>(*m_window, "Label2")->isVisible(), qPrintable(Where()));
            QVERIFY2(m_window->deepest <= 1, qPrintable(Where()));
            if (!m_window->isVisible()) {
                // Closed while idle: as if the program were started again.
                m_window->show();
                QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
            }
        }
        qInfo("%d actions (%d of them during runs), %d runs (%d checked against a fresh run), %d boxes closed, "
              "%d endings recorded",
              m_actions, m_actionsInRuns, m_window->runs, m_checkedRuns, m_boxes, m_terminations);
        QVERIFY(m_window->runs > 0);
        QVERIFY(m_checkedRuns > 0);
    }

private:
    bool Chance(double p) { return std::bernoulli_distribution(p)(m_random); }
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }

    QString Where() const { return QStringLiteral("after action %1").arg(m_actions); }

    QString RandomText(int length)
    {
        QString text;
        for (int i = 0; i < length; ++i) {
            const QChar ch = kAlphabet.at(Pick(0, int(kAlphabet.size()) - 1));
            text += ch;
        }
        return text;
    }

    void CheckFreshRun(const QString& start, int degenerate)
    {
        StringWindow expected;
        expected.start = start.toStdString();
        expected.degenerate = degenerate;
        expected.list = m_listBefore;
        expected.table = m_tableBefore;
        RunState state;
        RunPerimeters(state, expected);
        // An invalid start leaves the texts as they were; the fresh run says so too.
        QCOMPARE(m_window->TableText(), expected.table);
        QCOMPARE(m_window->ListText(), expected.list);
        ++m_checkedRuns;
    }

    void Act()
    {
        ++m_actions;
        if (m_window->depth == 0) {
            m_listBefore = m_window->ListText();
            m_tableBefore = m_window->TableText();
        }
        const int kind = Pick(0, 99);
        QWidget* focus = QApplication::focusWidget();
        if (kind < 30) {
            ClickSomewhere();
        } else if (kind < 40) {
            ClickNamed(Chance(0.7) ? "Command1" : "Command3");
        } else if (kind < 60 && focus) {
            const QString text = RandomText(Pick(1, 6));
            for (const QChar ch : text) {
                QTest::sendKeyEvent(QTest::Click, focus, Qt::Key_unknown, QString(ch), Qt::NoModifier);
            }
        } else if (kind < 65 && focus) {
            QTest::keyClick(focus, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(focus, Qt::Key_Backspace);
            QTest::sendKeyEvent(QTest::Click, focus, Qt::Key_unknown, QString::number(Pick(-20, 160)),
                                Qt::NoModifier);
        } else if (kind < 68 && focus) {
            // A long paste, with line breaks of every kind.
            QString paste = RandomText(Pick(100, 20000));
            for (int i = 0; i < 20; ++i) {
                paste.insert(Pick(0, int(paste.size())), i % 3 == 0 ? QStringLiteral("\r\n")
                                                        : i % 3 == 1 ? QStringLiteral("\n")
                                                                     : QStringLiteral("\r"));
            }
            QGuiApplication::clipboard()->setText(paste);
            QTest::keyClick(focus, Qt::Key_V, Qt::ControlModifier);
        } else if (kind < 76 && focus) {
            const Qt::Key keys[] = {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_Tab, Qt::Key_Backtab,
                                    Qt::Key_Up,     Qt::Key_Down,  Qt::Key_Space,  Qt::Key_End, Qt::Key_Home};
            QTest::keyClick(focus, keys[Pick(0, 9)]);
        } else if (kind < 84) {
            auto* bar = Control<QScrollBar>(*m_window, "VScroll1");
            const QStyle::SubControl parts[] = {QStyle::SC_ScrollBarSubLine, QStyle::SC_ScrollBarAddLine,
                                                QStyle::SC_ScrollBarSlider};
            QTest::mouseClick(bar, Qt::LeftButton, {}, ScrollBarPart(*bar, parts[Pick(0, 2)]).center());
        } else if (kind < 90) {
            ClickNamed("Check1");
        } else if (kind < 93) {
            auto* menu = m_window->menuBar();
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(menu->actions().first()).center());
        } else if (kind < 96) {
            ClickNamed("Command2");
        } else if (kind < 98) {
            m_window->close();
        } else {
            auto* box = Control<QPlainTextEdit>(*m_window, Chance(0.5) ? "Text1" : "Text2");
            box->verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
        }
    }

    void ClickSomewhere()
    {
        if (!m_window->isVisible()) {
            return;
        }
        const QPoint at(Pick(0, m_window->width() - 1), Pick(0, m_window->height() - 1));
        QWidget* target = m_window->childAt(at);
        if (!target) {
            target = m_window.get();
        }
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(m_window.get(), at));
    }

    void ClickNamed(const char* name)
    {
        if (m_window->isVisible()) {
            QTest::mouseClick(Control<QWidget>(*m_window, name), Qt::LeftButton);
        }
    }

    std::mt19937 m_random;
    std::unique_ptr<MonkeyWindow> m_window;
    int m_actions = 0;
    int m_checkedRuns = 0;
    int m_actionsInRuns = 0;
    int m_boxes = 0;
    int m_terminations = 0;
    bool m_actedDuringRun = false;
    bool m_quietRun = false;
    int m_runSeen = 0;
    std::string m_listBefore;
    std::string m_tableBefore;
};

QTEST_MAIN(MonkeyTest)
#include "monkey_test.moc"
