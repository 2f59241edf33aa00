// The window as a screen reader finds it: a German name, the right role and the value of every
// control that takes the focus, labels tied to their boxes, and the busy label announced.
#include "tests/ui/uitest.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <algorithm>
#include <iterator>
#include <vector>

namespace {

struct Announcement {
    QObject* object;
    QAccessible::Event type;
    bool visible; // the object's widget at that moment
};
std::vector<Announcement> g_events;

void RecordEvent(QAccessibleEvent* event)
{
    const auto* widget = qobject_cast<QWidget*>(event->object());
    g_events.push_back({event->object(), event->type(), widget && widget->isVisible()});
}

QAccessibleInterface* Interface(const QWidget& window, const char* name)
{
    return QAccessible::queryAccessibleInterface(Control<QWidget>(window, name));
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

public:
    static void initMain() { PrepareTestApplication(); }

private Q_SLOTS:
    void initTestCase()
    {
        SetUpApplication();
        QPlatformAccessibility* platform = QGuiApplicationPrivate::platformIntegration()->accessibility();
        QVERIFY(platform);
        platform->setActive(true);
        QAccessible::installUpdateHandler(RecordEvent);
    }
    void init()
    {
        g_events.clear();
        m_window = ShownWindow();
        QVERIFY(m_window);
    }
    void cleanup() { m_window.reset(); }

    void focusableControls_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("role");
        QTest::addColumn<QString>("value");
        const auto row = [](const char* control, const char* name, QAccessible::Role role, const char* value) {
            QTest::newRow(control) << QString::fromLatin1(control) << QString::fromUtf8(name) << int(role)
                                   << QString::fromUtf8(value);
        };
        row("txtN(0)", "Startzahl n", QAccessible::EditableText, "3");
        row("Command1", "Start", QAccessible::Button, "");
        row("Text2", "Dreiecke", QAccessible::EditableText, "Dreiecke\n");
        row("Text1", "Anzahl der Dreiecke für n", QAccessible::EditableText, "  n  ges aab aaa* ent\n");
        row("Command2", "Ende", QAccessible::Button, "");
        row("Check1", "entartete Dreiecke mitzählen", QAccessible::CheckBox, "");
        row("VScroll1", "Startzahl in Zehnerschritten", QAccessible::ScrollBar, "1");
        row("Text3", "Überschrift der Tabelle", QAccessible::EditableText, "    Anzahl der Dreiecke für n");
        row("Picture1", "Trennlinie", QAccessible::Border, "");
        row("Picture2", "Berechnung mit einer Formel; keine Größenbeschränkung für n", QAccessible::Border, "");
        row("Text4", "n", QAccessible::EditableText, "333");
        row("Command3", "Anzahl berechnen", QAccessible::Button, "");
        row("Text5", "Anzahl", QAccessible::EditableText, "");
    }
    void focusableControls()
    {
        QFETCH(QString, control);
        QFETCH(QString, name);
        QFETCH(int, role);
        QFETCH(QString, value);
        QAccessibleInterface* iface = Interface(*m_window, control.toLatin1().constData());
        QVERIFY(iface);
        QCOMPARE(iface->text(QAccessible::Name), name);
        QCOMPARE(int(iface->role()), role);
        if (QAccessibleValueInterface* slider = iface->valueInterface()) {
            QCOMPARE(slider->currentValue().toString(), value);
        } else if (!value.isEmpty()) {
            QCOMPARE(iface->text(QAccessible::Value), value);
        }
        QVERIFY(iface->state().focusable);
    }

    void labelsNameTheirBoxes_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("box");
        QTest::newRow("start") << "Label1(0)" << "txtN(0)";
        QTest::newRow("formula") << "Label6" << "Text4";
    }
    void labelsNameTheirBoxes()
    {
        QFETCH(QString, label);
        QFETCH(QString, box);
        auto* widget = Control<QLabel>(*m_window, label.toLatin1().constData());
        QCOMPARE(widget->buddy(), Control<QWidget>(*m_window, box.toLatin1().constData()));
        const auto relations = Interface(*m_window, box.toLatin1().constData())->relations(QAccessible::Label);
        QVERIFY(std::any_of(relations.begin(), relations.end(),
                            [&](const auto& r) { return r.first->object() == widget; }));
    }

    void tableIsDescribedByItsLegend()
    {
        QCOMPARE(Interface(*m_window, "Text1")->text(QAccessible::Description),
                 Control<QLabel>(*m_window, "Label4")->text());
    }

    void busyLabelIsAnnounced()
    {
        // State: idle. Action: a run. Expected: one alert, from the busy label while it shows.
        auto* busy = Control<QLabel>(*m_window, "Label2");
        g_events.clear();
        QTest::mouseClick(Control<QPushButton>(*m_window, "Command1"), Qt::LeftButton);
        std::vector<Announcement> alerts;
        std::copy_if(g_events.begin(), g_events.end(), std::back_inserter(alerts),
                     [](const Announcement& a) { return a.type == QAccessible::Alert; });
        QCOMPARE(alerts.size(), std::size_t(1));
        QCOMPARE(alerts[0].object, static_cast<QObject*>(busy));
        QVERIFY(alerts[0].visible);
        QCOMPARE(Interface(*m_window, "Label2")->text(QAccessible::Name),
                 QString::fromUtf8("Geduld, die Rechnung läuft!"));
    }

private:
    std::unique_ptr<frmtripart> m_window;
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
