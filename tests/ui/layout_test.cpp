// The window as designed: geometry, texts, fonts, colours, stacking, tab order, the scroll
// bar and the icon. The expected values are written out here from the layout, not read back
// from the program's control table.
#include "tests/ui/uitest.h"
#include "ui/boxtext.h"

#include <QAction>
#include <QCheckBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

namespace {

QColor PixelAt(QWidget& widget, QPoint p)
{
    const QImage image = widget.grab().toImage();
    const qreal ratio = image.devicePixelRatio();
    return image.pixelColor(QPoint(qRound(p.x() * ratio), qRound(p.y() * ratio)));
}

bool Near(const QColor& actual, const QColor& expected, int tolerance = 24)
{
    return std::abs(actual.red() - expected.red()) <= tolerance &&
           std::abs(actual.green() - expected.green()) <= tolerance &&
           std::abs(actual.blue() - expected.blue()) <= tolerance;
}

QString Text(QWidget* w)
{
    if (auto* label = qobject_cast<QLabel*>(w)) {
        return label->text();
    }
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        return edit->text();
    }
    if (auto* box = qobject_cast<QPlainTextEdit*>(w)) {
        return QString::fromStdString(FromBox(*box));
    }
    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        return button->text();
    }
    return {};
}

} // namespace

class LayoutTest : public QObject {
    Q_OBJECT

public:
    static void initMain() { PrepareTestApplication(); }

private Q_SLOTS:
    void initTestCase() { SetUpApplication(); }

    void init()
    {
        m_window = ShownWindow();
        QVERIFY(m_window);
    }
    void cleanup() { m_window.reset(); }

    void window()
    {
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Dreiecke mit dem Umfang n und ganzzahligen Seitenlängen"));
        QWidget* client = m_window->centralWidget();
        QCOMPARE(client->size(), QSize(517, 539));
        QCOMPARE(client->y(), m_window->menuBar()->height());
        QCOMPARE(m_window->minimumSize(), m_window->maximumSize());

        const QRect screen = m_window->screen()->availableGeometry();
        const QRect frame = m_window->frameGeometry();
        // The window is placed before its frame is known; the frame may shift it by its width.
        const int slack = 1 + std::max(frame.width() - m_window->width(), frame.height() - m_window->height());
        QVERIFY(std::abs(frame.center().x() - screen.center().x()) <= slack);
        QVERIFY(std::abs(frame.center().y() - screen.center().y()) <= slack);
    }

    void menuBar()
    {
        const QList<QAction*> actions = m_window->menuBar()->actions();
        QCOMPARE(actions.size(), 1);
        QCOMPARE(actions[0]->objectName(), QStringLiteral("cmdinfo"));
        QCOMPARE(actions[0]->text(), QStringLiteral("Information"));
        QVERIFY(!actions[0]->menu());
        QVERIFY(actions[0]->shortcut().isEmpty());
        QVERIFY(actions[0]->isEnabled() && actions[0]->isVisible());
    }

    void geometry_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("rect");
        QTest::addColumn<bool>("inPicture2");
        auto row = [](const char* name, int l, int t, int w, int h, bool inPicture2 = false) {
            QTest::newRow(name) << QString::fromLatin1(name) << QRect(l, t, w, h) << inPicture2;
        };
        row("Label1(0)", 12, 12, 181, 33);
        row("txtN(0)", 208, 12, 61, 29);
        row("Command1", 12, 76, 257, 29);
        row("Text2", 12, 108, 257, 245);
        row("Text1", 284, 40, 225, 273);
        row("Label2", 12, 364, 497, 33);
        row("Command2", 288, 320, 221, 33);
        row("Label3", 12, 364, 497, 33);
        row("Check1", 16, 48, 253, 21);
        row("VScroll1", 192, 12, 17, 29);
        row("Label4", 12, 404, 497, 17);
        row("Text3", 284, 12, 225, 25);
        row("Picture1", 296, 64, 197, 1);
        row("Picture2", 12, 440, 497, 93);
        row("Label5", 0, 0, 493, 17, true);
        row("Label6", 80, 32, 49, 45, true);
        row("Text4", 112, 40, 57, 25, true);
        row("Label7", 172, 32, 17, 45, true);
        row("Command3", 192, 44, 53, 20, true);
        row("Text5", 260, 36, 153, 33, true);
    }
    void geometry()
    {
        QFETCH(QString, name);
        QFETCH(QRect, rect);
        QFETCH(bool, inPicture2);
        QWidget* control = m_window->findChild<QWidget*>(name);
        QVERIFY(control);
        QWidget* container = inPicture2 ? Control(*m_window, "Picture2") : m_window->centralWidget();
        QCOMPARE(control->parentWidget(), container);
        // Inside the panel, positions count from its inner area, 2 pixels in from each side.
        QCOMPARE(control->geometry(), inPicture2 ? rect.translated(2, 2) : rect);
    }

    void pictureBorder()
    {
        auto* panel = Control<QFrame>(*m_window, "Picture2");
        QCOMPARE(panel->contentsRect(), QRect(2, 2, 493, 89));
        QCOMPARE(panel->frameShadow(), QFrame::Sunken);
    }

    void line1()
    {
        QWidget* client = m_window->centralWidget();
        const QColor ink = client->palette().color(QPalette::WindowText);
        const QColor face = client->palette().color(QPalette::Window);
        for (const int x : {12, 258, 504}) {
            QVERIFY2(Near(PixelAt(*client, {x, 432}), ink), qPrintable(QString::number(x)));
            QVERIFY(Near(PixelAt(*client, {x, 431}), face));
            QVERIFY(Near(PixelAt(*client, {x, 433}), face));
        }
        QVERIFY(Near(PixelAt(*client, {11, 432}), face));
        QVERIFY(Near(PixelAt(*client, {505, 432}), face));
    }

    void texts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        auto row = [](const char* name, const char* text) {
            QTest::newRow(name) << QString::fromLatin1(name) << QString::fromUtf8(text);
        };
        row("Label1(0)", "Startzahl n angeben:");
        row("txtN(0)", "3");
        row("Command1", "Start");
        row("Text2", "Dreiecke\r\n");
        row("Text1", "  n  ges aab aaa* ent\r\n");
        row("Label2", "Geduld, die Rechnung läuft!");
        row("Command2", "Ende");
        row("Label3", "Dreieckspartitionen von n bis n+9");
        row("Check1", "entartete Dreiecke mitzählen");
        row("Label4", "*   ges: Gesamtzahl, davon aab: gleichschenklig, aaa: gleichseitig, ent: entartet");
        row("Text3", "    Anzahl der Dreiecke für n");
        row("Label5", "Berechnung mit einer Formel; keine Größenbeschränkung für n");
        row("Label6", "A(");
        row("Text4", "333");
        row("Label7", ") ");
        row("Command3", "=");
        row("Text5", "");
    }
    void texts()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QWidget* control = m_window->findChild<QWidget*>(name);
        QVERIFY(control);
        QCOMPARE(Text(control), text);
        QVERIFY(!Text(control).contains(QChar::ReplacementCharacter));
    }

    void fonts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("pixels");
        QTest::addColumn<bool>("bold");
        auto row = [](const char* name, const char* family, int pixels, bool bold = false) {
            QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(family) << pixels << bold;
        };
        const char* sans = "MS Sans Serif";
        row("Label1(0)", sans, 18);
        row("txtN(0)", sans, 18);
        row("Command1", sans, 18);
        row("Text2", "Courier", 16);
        row("Text1", "Courier", 16);
        row("Label2", sans, 18);
        row("Command2", sans, 18);
        row("Label3", sans, 18);
        row("Check1", sans, 13);
        row("Label4", sans, 13);
        row("Text3", sans, 13, true);
        row("Label5", sans, 11);
        row("Label6", sans, 32);
        row("Text4", sans, 18);
        row("Label7", sans, 32);
        row("Command3", sans, 18);
        row("Text5", sans, 18);
    }
    void fonts()
    {
        QFETCH(QString, name);
        QFETCH(QString, family);
        QFETCH(int, pixels);
        QFETCH(bool, bold);
        QWidget* control = m_window->findChild<QWidget*>(name);
        QVERIFY(control);
        const QFont font = control->font();
        QCOMPARE(font.family(), family);
        QCOMPARE(font.pixelSize(), pixels);
        QCOMPARE(font.bold(), bold);
        QVERIFY(!font.italic() && !font.underline() && !font.strikeOut());
        const QFontInfo resolved(font);
        QCOMPARE(resolved.pixelSize(), pixels);
        QVERIFY2(resolved.family() != QLatin1String("DejaVu Sans"), qPrintable(resolved.family()));
        if (family == QLatin1String("Courier")) {
            QVERIFY2(resolved.fixedPitch(), qPrintable(resolved.family()));
            const QFontMetrics metrics(font);
            QCOMPARE(metrics.horizontalAdvance(QStringLiteral("iiiii")), metrics.horizontalAdvance(QStringLiteral("WWWWW")));
        }
    }

    void captionsFit_data()
    {
        QTest::addColumn<QString>("name");
        for (const char* name : {"Label1(0)", "Command1", "Label2", "Command2", "Label3", "Check1", "Label4",
                                 "Label5", "Label6", "Label7", "Command3", "Text3"}) {
            QTest::newRow(name) << QString::fromLatin1(name);
        }
    }
    void captionsFit()
    {
        QFETCH(QString, name);
        QWidget* control = m_window->findChild<QWidget*>(name);
        const QFontMetrics metrics(control->font());
        // Trailing blanks need not fit (the caption of Label7 ends in one).
        const QString text = Text(control).trimmed();
        int room = control->width();
        if (auto* box = qobject_cast<QCheckBox*>(control)) {
            room -= box->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, box) +
                    box->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, box);
        }
        if (qobject_cast<QLineEdit*>(control)) {
            room -= 6; // frame and inner margins
        }
        QVERIFY2(metrics.horizontalAdvance(text) <= room,
                 qPrintable(QStringLiteral("%1 > %2").arg(metrics.horizontalAdvance(text)).arg(room)));
        // The glyphs themselves: Qt 5 rounds a line's height up (21 pixels for the 18-pixel
        // font of the 20-pixel "=" button, where Qt 6 says 20).
        QVERIFY(metrics.tightBoundingRect(text).height() <= control->height());
    }

    void colours_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QPoint>("at"); // a pixel of the control's own background
        QTest::addColumn<QColor>("colour");
        auto row = [](const char* name, QPoint at, const char* colour) {
            QTest::newRow(name) << QString::fromLatin1(name) << at << QColor(QString::fromLatin1(colour));
        };
        row("txtN(0)", {4, 4}, "#FFFF00");
        row("Text1", {4, 200}, "#C0FFFF");
        row("Text3", {200, 12}, "#C0FFFF");
        row("Label3", {2, 30}, "#8080FF");
        row("Picture1", {100, 0}, "#000080");
        row("Picture2", {4, 80}, "#0000C0");
        row("Label5", {2, 2}, "#0000FF");
        row("Label6", {45, 40}, "#0000C0");
        row("Label7", {15, 40}, "#0000C0");
        row("Text4", {4, 4}, "#FFFFFF");
    }
    void colours()
    {
        QFETCH(QString, name);
        QFETCH(QPoint, at);
        QFETCH(QColor, colour);
        QWidget* control = m_window->findChild<QWidget*>(name);
        QVERIFY(control);
        const QColor seen = PixelAt(*m_window, control->mapTo(m_window.get(), at));
        QVERIFY2(Near(seen, colour), qPrintable(seen.name()));
    }

    void yellowButtonFaces_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("Command1") << QStringLiteral("Command1");
        QTest::newRow("Command2") << QStringLiteral("Command2");
    }
    void yellowButtonFaces()
    {
        // The style shades the face a little, so check that it reads as a strong yellow.
        QFETCH(QString, name);
        auto* button = Control<QPushButton>(*m_window, qPrintable(name));
        QCOMPARE(button->palette().color(QPalette::Button), QColor(0xFF, 0xFF, 0x00));
        for (const QPoint at : {QPoint(6, button->height() / 2), QPoint(button->width() - 6, button->height() / 2)}) {
            const QColor seen = PixelAt(*m_window, button->mapTo(m_window.get(), at)).toHsv();
            QVERIFY2(std::abs(seen.hue() - 60) <= 6 && seen.saturation() >= 150 && seen.value() >= 230,
                     qPrintable(seen.name()));
        }
        // Command3 is a standard button.
        QVERIFY(Control<QPushButton>(*m_window, "Command3")->palette().color(QPalette::Button) !=
                QColor(0xFF, 0xFF, 0x00));
    }

    void textColours_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QColor>("colour");
        auto row = [](const char* name, const char* colour) {
            QTest::newRow(name) << QString::fromLatin1(name) << QColor(QString::fromLatin1(colour));
        };
        row("Label1(0)", "#0000C0");
        row("Label2", "#000080");
        row("Label3", "#000080");
        row("Label5", "#FFFFFF");
        row("Label6", "#FFFFFF");
        row("Label7", "#FFFFFF");
    }
    void textColours()
    {
        QFETCH(QString, name);
        QFETCH(QColor, colour);
        auto* label = Control<QLabel>(*m_window, qPrintable(name));
        QVERIFY(label);
        QCOMPARE(label->palette().color(QPalette::WindowText), colour);
        // The darkest (or, on blue, the brightest) pixel of the caption is the text colour.
        const QImage image = label->grab().toImage();
        bool found = false;
        for (int y = 0; y < image.height() && !found; ++y) {
            for (int x = 0; x < image.width() && !found; ++x) {
                found = Near(image.pixelColor(x, y), colour, 8);
            }
        }
        QVERIFY(found);
    }

    void settings()
    {
        auto* text2 = Control<QPlainTextEdit>(*m_window, "Text2");
        auto* text1 = Control<QPlainTextEdit>(*m_window, "Text1");
        QCOMPARE(text2->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QVERIFY(text2->verticalScrollBar()->isVisible());
        QCOMPARE(text2->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(text2->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        QCOMPARE(text1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(text1->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(text1->lineWrapMode(), QPlainTextEdit::WidgetWidth);

        QCOMPARE(Control<QLineEdit>(*m_window, "txtN(0)")->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
        QCOMPARE(Control<QLineEdit>(*m_window, "Text4")->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QCOMPARE(Control<QLineEdit>(*m_window, "Text5")->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QCOMPARE(Control<QLineEdit>(*m_window, "Text3")->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
        QCOMPARE(Control<QLabel>(*m_window, "Label3")->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QCOMPARE(Control<QLabel>(*m_window, "Label1(0)")->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
        QVERIFY(!Control<QCheckBox>(*m_window, "Check1")->isChecked());
        for (auto* button : m_window->findChildren<QPushButton*>()) {
            QVERIFY(!button->isDefault() && !button->autoDefault());
        }
    }

    void text3IsReadOnlyButSelectable()
    {
        auto* text3 = Control<QLineEdit>(*m_window, "Text3");
        QTest::mouseClick(text3, Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), text3);
        QTest::keyClicks(text3, QStringLiteral("xyz"));
        QTest::keyClick(text3, Qt::Key_Backspace);
        QCOMPARE(text3->text(), QStringLiteral("    Anzahl der Dreiecke für n"));
        text3->selectAll();
        QCOMPARE(text3->selectedText(), text3->text());
    }

    void busyLabelCoversLabel3()
    {
        QWidget* client = m_window->centralWidget();
        const QPoint inside(250, 380);
        QVERIFY(!Control(*m_window, "Label2")->isVisible());
        QCOMPARE(client->childAt(inside)->objectName(), QStringLiteral("Label3"));
        QVERIFY(Near(PixelAt(*client, {20, 392}), QColor(0x80, 0x80, 0xFF)));

        m_window->SetBusy(true);
        for (const QPoint p : {QPoint(12, 364), QPoint(250, 380), QPoint(508, 396)}) {
            QCOMPARE(client->childAt(p)->objectName(), QStringLiteral("Label2"));
        }
        QVERIFY(Near(PixelAt(*client, {20, 392}), QColor(0xFF, 0xFF, 0x00)));

        m_window->SetBusy(false);
        QCOMPARE(client->childAt(inside)->objectName(), QStringLiteral("Label3"));
    }

    void stacking_data()
    {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QString>("front");
        QTest::newRow("navy rule across Text1") << QPoint(300, 64) << QStringLiteral("Picture1");
        QTest::newRow("scroll bar over Label1(0)") << QPoint(192, 20) << QStringLiteral("VScroll1");
        QTest::newRow("scroll bar over txtN(0)") << QPoint(208, 20) << QStringLiteral("VScroll1");
        QTest::newRow("Label1(0) beside it") << QPoint(191, 20) << QStringLiteral("Label1(0)");
        QTest::newRow("txtN(0) beside it") << QPoint(209, 20) << QStringLiteral("txtN(0)");
    }
    void stacking()
    {
        QFETCH(QPoint, at);
        QFETCH(QString, front);
        QWidget* hit = m_window->centralWidget()->childAt(at);
        QVERIFY(hit);
        // childAt finds the innermost widget; walk up to the control itself.
        while (hit->parentWidget() != m_window->centralWidget()) {
            hit = hit->parentWidget();
        }
        QCOMPARE(hit->objectName(), front);
    }

    void navyRuleIsDrawnOverText1()
    {
        QWidget* client = m_window->centralWidget();
        QVERIFY(Near(PixelAt(*client, {400, 64}), QColor(0x00, 0x00, 0x80), 8));
        QVERIFY(Near(PixelAt(*client, {400, 66}), QColor(0xC0, 0xFF, 0xFF)));
    }

    void tabOrder()
    {
        QWidget* start = m_window->txtN(0);
        QTRY_COMPARE(QApplication::focusWidget(), start);
        QStringList visited;
        for (int i = 0; i < 13; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        const QStringList expected{QStringLiteral("Command1"), QStringLiteral("Text2"),    QStringLiteral("Text1"),
                                   QStringLiteral("Command2"), QStringLiteral("Check1"),   QStringLiteral("VScroll1"),
                                   QStringLiteral("Text3"),    QStringLiteral("Picture1"), QStringLiteral("Picture2"),
                                   QStringLiteral("Text4"),    QStringLiteral("Command3"), QStringLiteral("Text5"),
                                   QStringLiteral("txtN(0)")};
        QCOMPARE(visited, expected);
    }

    void enterAndEscapePressNothing()
    {
        QList<QSignalSpy*> spies;
        for (auto* button : m_window->findChildren<QPushButton*>()) {
            spies << new QSignalSpy(button, &QPushButton::clicked);
        }
        for (const char* name : {"txtN(0)", "Text3", "Text4", "Text5", "Check1", "VScroll1"}) {
            QWidget* w = Control(*m_window, name);
            w->setFocus();
            QTest::keyClick(w, Qt::Key_Return);
            QTest::keyClick(w, Qt::Key_Enter);
            QTest::keyClick(w, Qt::Key_Escape);
        }
        for (QSignalSpy* spy : spies) {
            QCOMPARE(spy->count(), 0);
            delete spy;
        }
        QVERIFY(m_window->isVisible());
    }

    void scrollBarRange()
    {
        auto* bar = Control<QScrollBar>(*m_window, "VScroll1");
        QCOMPARE(bar->minimum(), 0);
        QCOMPARE(bar->maximum(), 10);
        QCOMPARE(bar->value(), 1);
        QCOMPARE(m_window->txtN(0)->text(), QStringLiteral("3")); // the initial value writes nothing
        // 10 at the top end: the thumb sits higher for a larger value (on a bar tall enough
        // to show a thumb).
        bar->setGeometry(192, 12, 17, 200);
        const int thumbAt1 = ScrollBarPart(*bar, QStyle::SC_ScrollBarSlider).top();
        bar->setValue(10);
        QVERIFY(ScrollBarPart(*bar, QStyle::SC_ScrollBarSlider).top() < thumbAt1);
    }

    void scrollBarArrows_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<bool>("upper");
        QTest::addColumn<int>("to");
        QTest::newRow("upper arrow raises") << 1 << true << 2;
        QTest::newRow("lower arrow lowers") << 1 << false << 0;
        QTest::newRow("top end stays") << 10 << true << 10;
        QTest::newRow("bottom end stays") << 0 << false << 0;
        QTest::newRow("upper arrow to the top") << 9 << true << 10;
    }
    void scrollBarArrows()
    {
        QFETCH(int, from);
        QFETCH(bool, upper);
        QFETCH(int, to);
        auto* bar = Control<QScrollBar>(*m_window, "VScroll1");
        bar->setValue(from);
        const QRect arrow =
            ScrollBarPart(*bar, upper ? QStyle::SC_ScrollBarSubLine : QStyle::SC_ScrollBarAddLine);
        QVERIFY(!arrow.isEmpty());
        QVERIFY(upper ? arrow.center().y() < bar->height() / 2 : arrow.center().y() > bar->height() / 2);
        QTest::mouseClick(bar, Qt::LeftButton, {}, arrow.center());
        QCOMPARE(bar->value(), to);
    }

    void scrollBarKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("to");
        QTest::newRow("up") << int(Qt::Key_Up) << 2;
        QTest::newRow("down") << int(Qt::Key_Down) << 0;
        QTest::newRow("page up") << int(Qt::Key_PageUp) << 2;
        QTest::newRow("page down") << int(Qt::Key_PageDown) << 0;
    }
    void scrollBarKeys()
    {
        // The keys move the thumb the way they point, as the arrows do.
        QFETCH(int, key);
        QFETCH(int, to);
        auto* bar = Control<QScrollBar>(*m_window, "VScroll1");
        bar->setFocus();
        QTest::keyClick(bar, static_cast<Qt::Key>(key));
        QCOMPARE(bar->value(), to);
    }

    void scrollBarTrack_data()
    {
        QTest::addColumn<int>("action");
        QTest::addColumn<int>("to");
        QTest::newRow("above the thumb") << int(QAbstractSlider::SliderPageStepSub) << 6;
        QTest::newRow("below the thumb") << int(QAbstractSlider::SliderPageStepAdd) << 4;
    }
    void scrollBarTrack()
    {
        // The layout's scroll bar is too short for a track between its arrows, so trigger
        // what a click above (sub page) or below (add page) the thumb triggers.
        QFETCH(int, action);
        QFETCH(int, to);
        auto* bar = Control<QScrollBar>(*m_window, "VScroll1");
        bar->setValue(5);
        bar->triggerAction(static_cast<QAbstractSlider::SliderAction>(action));
        QCOMPARE(bar->value(), to);
    }

    void scrollBarTrackOnTallBar()
    {
        // The same bar made taller has a track; a click above the thumb raises the value.
        auto* bar = Control<QScrollBar>(*m_window, "VScroll1");
        bar->setGeometry(192, 12, 17, 200);
        bar->setValue(5);
        const QRect above = ScrollBarPart(*bar, QStyle::SC_ScrollBarSubPage);
        const QRect below = ScrollBarPart(*bar, QStyle::SC_ScrollBarAddPage);
        QVERIFY(!above.isEmpty() && !below.isEmpty());
        QTest::mouseClick(bar, Qt::LeftButton, {}, above.center());
        QCOMPARE(bar->value(), 6);
        QTest::mouseClick(bar, Qt::LeftButton, {}, below.center());
        QCOMPARE(bar->value(), 5);
    }

    void icon()
    {
        const QIcon icon = m_window->windowIcon();
        QVERIFY(icon.availableSizes().contains(QSize(16, 16)));
        QVERIFY(icon.availableSizes().contains(QSize(32, 32)));
        for (const int size : {16, 32}) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
            const QPixmap pixmap = icon.pixmap(QSize(size, size), 1.0);
#else
            const QPixmap pixmap = icon.pixmap(QSize(size, size));
#endif
            const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
            QCOMPARE(image.size(), QSize(size, size));
            QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
            QCOMPARE(qAlpha(image.pixel(size - 1, size - 1)), 0);
            QCOMPARE(image.pixel(size / 2, size / 2), qRgb(0, 0, 0));  // the tips leave the centre black
            QCOMPARE(image.pixel(size / 2, size / 8), qRgb(255, 255, 0)); // the wedge from the top
            QCOMPARE(image.pixel(size / 8 + 1, size / 2), qRgb(0, 0, 0)); // black on the left
            int darkYellow = 0;
            for (int y = 0; y < size; ++y) {
                for (int x = 0; x < size; ++x) {
                    const QRgb p = image.pixel(x, y);
                    if (qAlpha(p) == 0) {
                        continue;
                    }
                    QVERIFY(p == qRgb(0, 0, 0) || p == qRgb(255, 255, 0) || p == qRgb(128, 128, 0));
                    darkYellow += p == qRgb(128, 128, 0);
                }
            }
            QCOMPARE(darkYellow > 0, size == 16);
            // Three wedges: yellow below the centre on both sides as well.
            QCOMPARE(image.pixel(size / 4, size * 3 / 4 - 1) != qRgb(0, 0, 0) ||
                         image.pixel(size / 4 + 1, size * 3 / 4 - 1) != qRgb(0, 0, 0),
                     true);
        }
    }

    // At another screen density everything scales by the same factor: run with
    // QT_SCALE_FACTOR set (1.25, 1.5, 2 in the suite), or with TRIPART_EXPECTED_SCALE on a
    // display of that density (Windows at 120, 144, 192 dpi).
    void scaledLayout()
    {
        bool ok = false;
        double f = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&ok);
        if (!ok) {
            f = qEnvironmentVariable("TRIPART_EXPECTED_SCALE").toDouble(&ok);
        }
        if (!ok || f == 1.0) {
            QSKIP("runs with QT_SCALE_FACTOR or TRIPART_EXPECTED_SCALE set");
        }
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
        QCOMPARE(m_window->devicePixelRatioF(), f); // Qt 5's devicePixelRatio() is whole
#else
        QCOMPARE(m_window->devicePixelRatio(), f);
#endif
        QWidget* client = m_window->centralWidget();
        const QImage image = client->grab().toImage();
        QVERIFY(std::abs(image.width() - 517 * f) <= 1);
        QVERIFY(std::abs(image.height() - 539 * f) <= 1);
        const auto at = [f](double x, double y) { return QPoint(int(x * f), int(y * f)); };
        // Line1 and the navy rule at their scaled pixel positions.
        QVERIFY(Near(image.pixelColor(at(258, 432)), client->palette().color(QPalette::WindowText)));
        QVERIFY(Near(image.pixelColor(at(258, 431) - QPoint(0, 1)), client->palette().color(QPalette::Window)));
        QVERIFY(Near(image.pixelColor(at(400, 64.5)), QColor(0x00, 0x00, 0x80), 8));
        QVERIFY(Near(image.pixelColor(at(400, 66)), QColor(0xC0, 0xFF, 0xFF)));
        // Label3's left edge moves from 12 to 12 × f device pixels.
        QVERIFY(Near(image.pixelColor(at(12.5, 390)), QColor(0x80, 0x80, 0xFF)));
        QVERIFY(!Near(image.pixelColor(at(11.5, 390) - QPoint(1, 0)), QColor(0x80, 0x80, 0xFF)));
        // The fonts grow with it: the rows that the start label's blue text covers are f
        // times as many as its font's ink height.
        QLabel* label = Control<QLabel>(*m_window, "Label1(0)");
        const QImage caption = label->grab().toImage();
        int inkRows = 0;
        for (int y = 0; y < caption.height(); ++y) {
            for (int x = 0; x < caption.width(); ++x) {
                if (Near(caption.pixelColor(x, y), QColor(0x00, 0x00, 0xC0), 64)) {
                    ++inkRows;
                    break;
                }
            }
        }
        const double ink = QFontMetricsF(label->font()).tightBoundingRect(label->text()).height();
        QVERIFY2(std::abs(inkRows - ink * f) <= 2 + 0.1 * ink * f,
                 qPrintable(QStringLiteral("%1 rows of text, font ink %2").arg(inkRows).arg(ink)));
    }

private:
    std::unique_ptr<frmtripart> m_window;
};

QTEST_MAIN(LayoutTest)
#include "layout_test.moc"
